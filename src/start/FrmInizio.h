#pragma once

// The start screen: the pupil picks an exercise kind, then a symbol order, then "Vai" opens
// the drill window. Clicking the author line, the left arrow or the unit names steps the
// active unit system within its subject (1 -> 2 -> 3 -> 1, 4 -> 5 -> 6 -> 4, ...) and stores
// it; the "Sistema" menu chooses any of the twelve. "Esci", or closing this window, closes
// every other window and ends the program.
//
// Controls are absolutely placed at the design size (794 x 562 px = 11910 x 8430 twips) and
// scaled with the window; the window is meant to be shown maximised.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "base/StatoProgramma.h"
#include "ui/Resize.h"

class GruppoTasti;
class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QWindow;
class ScansioneFinestra;
class VesteAlunno;

class FrmInizio : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window, reads the settings (the program name is taken from the executable
    // when stato.NomeProgramma is empty) and starts the curtains. Does not show the window.
    explicit FrmInizio(StatoProgramma& stato, QWidget* parent = nullptr);
    ~FrmInizio() override;

    // Makes the drill window, not yet shown; "Vai" calls it when no drill window is open and
    // shows the result maximised. While that window lives, "Vai" brings it to the front.
    void ImpostaApriOperativo(std::function<QWidget*()> apri);
    // Makes the worksheet screen, not yet shown. Until one is set, "Stampa schede" is greyed.
    void ImpostaApriStampaSchede(std::function<QWidget*()> apri);
    // Opens the options screen (modal over this one). Until one is set, "Opzioni" is greyed.
    void ImpostaApriOpzioni(std::function<void()> apri);
    // Opens the teacher's register. Until one is set, "Registro" is greyed.
    void ImpostaApriRegistro(std::function<void()> apri);

    // The drill window opened by "Vai", if it is still open.
    QWidget* Operativo() const { return operativo_; }
    // Whether the curtain animation is still running.
    bool TendineInMovimento() const;
    // Scanning for a pupil with one switch: the three panels, one after the other.
    ScansioneFinestra* Scansione() const { return scansione_; }

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void CostruisciControlli();
    void CostruisciMenu();
    void MostraCatalogo();
    // The look of the options: page and letter colours, capitals, followed as they change.
    void Vesti();
    // A caption as the look shows it.
    QString Testo(const QString& testo) const;
    void Attivazione();

    void PremiTipo(int indice);
    void PremiOrdine(int indice);
    void PremiAzione(int indice);
    void Vai();
    void Riprisitina();
    // Makes livello the system in force: shown, stored, its catalogue built, the red texts
    // cleared. A label click steps to the next system of the subject; the "Sistema" menu
    // chooses any.
    void CambiaLivello(std::int16_t livello);
    void PulisciTesti();
    // The arrow frames back on, borderless, with the left arrow shown.
    void RiattivaFrecce();
    void ApriFinestra(std::function<QWidget*()>& apri, QPointer<QWidget>& finestra);

    void PassoTendine();
    void PosizionaTendine();

    StatoProgramma& stato_;
    Proporzioni proporzioni_;
    VesteAlunno* veste_ = nullptr;

    QWidget* client_ = nullptr;
    QFrame* fraTitolo_ = nullptr;
    QFrame* frame4_ = nullptr;
    QFrame* frame5_ = nullptr;
    std::array<QLabel*, 3> label6_{};
    std::array<QLabel*, 2> label4_{};
    QLabel* label7_ = nullptr;
    QLabel* label8_ = nullptr;
    QFrame* frame1_ = nullptr;
    QFrame* frame2_ = nullptr;
    QFrame* frame3_ = nullptr;
    std::array<QPushButton*, 3> option1_{};
    std::array<QPushButton*, 3> option2_{};
    std::array<QPushButton*, 3> option3_{};
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label5_ = nullptr;
    QWidget* picture1_ = nullptr;
    QWidget* picture2_ = nullptr;
    QTimer* timerTendine_ = nullptr;
    QAction* mnuStampa_ = nullptr;
    QAction* mnuOpzioni_ = nullptr;
    QAction* mnuRegistro_ = nullptr;
    QActionGroup* sistemi_ = nullptr; // the entries of "Sistema", one per unit system

    GruppoTasti* gruppo1_ = nullptr;
    GruppoTasti* gruppo2_ = nullptr;
    GruppoTasti* gruppo3_ = nullptr;
    ScansioneFinestra* scansione_ = nullptr;

    // Curtain widths in twips, as the animation steps them.
    int larghezza1_ = 0;
    int larghezza2_ = 0;
    int larghezzaClientTendine_ = 0; // client width the curtain widths refer to, in px

    // Activation runs its steps when the window first becomes active and when it becomes
    // active again after another window of the program held the focus.
    bool primaAttivazione_ = true;
    bool altraFinestraAttiva_ = false;

    std::function<QWidget*()> apriOperativo_;
    std::function<QWidget*()> apriStampaSchede_;
    std::function<void()> apriOpzioni_;
    std::function<void()> apriRegistro_;
    QPointer<QWidget> operativo_;
    QPointer<QWidget> stampaSchede_;
    bool chiusura_ = false;
};
