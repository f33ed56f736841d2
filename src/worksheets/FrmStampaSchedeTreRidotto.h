#pragma once

// The teacher's worksheet screen: how many problems (10, 20, 30), the exercise kind and the
// symbol order; every kind or order press, and "CANCELLA SCHEDA", builds a new sheet of 30
// lines; "VISUALIZZA SCHEDA" shows the pupils' sheet (problems only) or the teachers' sheet
// (problems with solutions), and "STAMPA SCHEDA" prints the sheet last shown.
//
// The sheet is a value of its own (Scheda): the screen starts from the start screen's kind
// and order but never writes the program-wide state, so a drill series open beside it keeps
// its record, its problem and its choices.
//
// Print buttons: hidden at opening; each one appears when its preview button takes the focus
// and disappears with every new sheet (kind, order, "CANCELLA SCHEDA", count). A preview
// hides the other sheet's print button. Either print button prints the last preview as it
// was shown: its lines, its type size and its stamp.
//
// Controls are placed at the design size (794 x 556 px = 11910 x 8340 twips) and scaled
// with the window; the window is meant to be shown maximised.

#include <QMainWindow>
#include <array>
#include <functional>

#include "base/StatoProgramma.h"
#include "ui/Resize.h"
#include "worksheets/Scheda.h"

class Annunciatore;
class Avvisi;
class FonteCasuale;
class GruppoTasti;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ServizioStampa;

class FrmStampaSchedeTreRidotto : public QMainWindow {
    Q_OBJECT
public:
    // stato gives the unit system, the program's name and the start screen's kind and order;
    // it is only read. servizio prints, avvisi shows the messages, fonte draws the problems.
    FrmStampaSchedeTreRidotto(const StatoProgramma& stato, ServizioStampa& servizio, Avvisi& avvisi,
                              FonteCasuale& fonte, QWidget* parent = nullptr);
    ~FrmStampaSchedeTreRidotto() override;

    // Opens the printer choice, modally ("Impostazione stampante"). Until one is set, the
    // menu entry is greyed.
    void ImpostaSceltaStampante(std::function<void()> apri);

    // The sheet as the screen holds it.
    const Scheda& SchedaCorrente() const { return scheda_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void CostruisciControlli();
    void CostruisciMenu();

    void ScegliNumero(int indice);
    void PremiTipo(int indice);
    void PremiOrdine(int indice);
    void Ricomincia();
    void Visualizza(int tipoScheda);
    void Stampa();

    // A new sheet with the current choices: print buttons hidden, preview emptied. False
    // when no sheet could be built (no kind or no order yet).
    bool NuovaCostruzione();
    void NascondiStampa();
    void MostraAnteprima();
    void SegnaIndicatore(std::array<QLabel*, 3>& indicatori, int indice);

    const StatoProgramma& stato_;
    ServizioStampa& servizio_;
    Avvisi& avvisi_;
    FonteCasuale& fonte_;
    Scheda scheda_;
    Proporzioni* proporzioni_ = nullptr;

    QWidget* client_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    std::array<QRadioButton*, 3> opt1_{};
    QFrame* frame6_ = nullptr;
    std::array<QPushButton*, 3> option1_{};
    std::array<QLabel*, 3> label3_{};
    QFrame* frame7_ = nullptr;
    std::array<QPushButton*, 3> option2_{};
    std::array<QLabel*, 3> label4_{};
    QFrame* frame1_ = nullptr;
    QPushButton* cmdRicomincia_ = nullptr;
    QGroupBox* frame3_ = nullptr;
    QPushButton* cmdVisualizzaAlunni_ = nullptr;
    QPushButton* cmdStampaAlunni_ = nullptr;
    QGroupBox* frame4_ = nullptr;
    QPushButton* cmdVisualizzaDocenti_ = nullptr;
    QPushButton* cmdStampaDocenti_ = nullptr;
    QPushButton* cmdEsci_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label6_ = nullptr;
    std::array<QLabel*, RigheScheda + 1> lblOp_{}; // [1..30]
    Annunciatore* annunciatore_ = nullptr;
    QAction* mnuStampante_ = nullptr;

    GruppoTasti* gruppoTipi_ = nullptr;
    GruppoTasti* gruppoOrdini_ = nullptr;
    std::function<void()> apriSceltaStampante_;
};
