#pragma once

// The drill window "TRASFORMAZIONI": the problem in large type, the answer panels (keypad,
// symbol picker, "Ti aiuto ?", "INTERVENGO IO", end of series: pages of one stack, one in
// front at a time), the statistics and the headings. The rules live in Serie; this window turns
// mouse and key events into calls on it and shows its state. Laid out at its design size and scaled
// to the window by Proporzioni; fonts keep their design size.

#include "drill/Serie.h"

#include <QMainWindow>

#include <array>
#include <functional>

class Annunciatore;
class GruppoTasti;
class Proporzioni;
class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QStackedWidget;
class ScansioneFinestra;
class Voce;
class VesteAlunno;

class FrmOperativo : public QMainWindow {
    Q_OBJECT
public:
    // Inner design size in pixels (11910 x 8310 twips).
    static constexpr int LarghezzaProgetto = 794;
    static constexpr int AltezzaProgetto = 554;

    FrmOperativo(StatoProgramma& stato, FonteCasuale& fonte, Orologio& orologio, Suono& suono,
                 Avvisi* avvisi, QWidget* parent = nullptr);
    ~FrmOperativo() override;

    // Opens the printout window ("Visualizza l'esercizio" and the end panel's "Stampa").
    // Until one is given both stay greyed.
    void ImpostaStampa(std::function<void()> apriStampa);
    // The program's own voice, which says what the window announces when speech is on.
    void ImpostaVoce(Voce* voce) { voce_ = voce; }

    // Scanning for a pupil with one switch: the panel in front, row by row.
    ScansioneFinestra* Scansione() const { return scansione_; }

    Serie& serie() { return serie_; }
    const Serie& serie() const { return serie_; }

protected:
    bool event(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void Costruisci();
    void CostruisciRighe(QWidget* centrale);
    void CostruisciPannelli(QWidget* centrale);
    void CostruisciStatistiche(QWidget* centrale);
    void CostruisciGruppi();
    void CostruisciScansione(const StatoProgramma& stato);
    // The look of the options: page and letter colours, capitals, followed as they change.
    void Vesti(QWidget* centrale);
    void DisponiLinee();
    // Lays the display rows out as equations: in both rows the given number and its symbol
    // just before "="; in the find-the-symbol row the result number just after "=", sized to
    // its text, and the reply box just after it.
    void DisponiRigaSimbolo();
    // Shows the state of the series: texts, panel and row in front, keys, lines, focus.
    void Aggiorna();
    // Brings the series' panel to the front, the only one enabled.
    void MostraPannello(Pannello pannello);
    // Tells screen readers and the program's voice what the last operation did, once the
    // window is in front and its focus is settled (a reader announcing the window and its
    // focused key would otherwise talk over it).
    void Annuncia(const QString& testo);
    void DiAnnuncio();
    // Names for assistive tools of what the state changed: the problem, the reply, the
    // solution, the counts, the symbol keys.
    void AggiornaNomi();
    void Esegui(Esito esito);
    // Carries out a key translated by the keyboard rules of a panel; true when the key is
    // let through to the window.
    void RegolaTastiera(GruppoTasti* gruppo, Pannello pannello,
                        std::function<AzioneTastiera(QKeyEvent*)> regola);
    bool Tastiera(Pannello pannello, const AzioneTastiera& azione, int indice);
    GruppoTasti* Gruppo(Pannello pannello) const;

    Serie serie_;
    Proporzioni* proporzioni_ = nullptr;
    bool serieAvviata_ = false;
    std::function<void()> apriStampa_;
    Voce* voce_ = nullptr;
    Annunciatore* annunciatore_ = nullptr;
    VesteAlunno* veste_ = nullptr;
    bool fineLodata_ = false; // the end panel is in front and its praise was asked for
    QString annuncioInAttesa_;

    QAction* mnuIstruzioni_ = nullptr;
    QAction* mnuVisualizza_ = nullptr;

    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QFrame* fraNumero_ = nullptr;
    QLabel* lblNumero1_ = nullptr;
    QLabel* lblSimbolo1_ = nullptr;
    QLabel* lblUguale_ = nullptr;
    QLabel* LblRisultato_ = nullptr;
    QLabel* lblSimbolo2_ = nullptr;
    QLabel* lblCorrezione_ = nullptr;
    QLabel* Label3_ = nullptr;
    QFrame* fraSimbolo_ = nullptr;
    QLabel* lblNumero1S_ = nullptr;
    QLabel* lblSimbolo1S_ = nullptr;
    QLabel* lblUgualeS_ = nullptr;
    QLabel* LblSimbolo2S_ = nullptr;
    QLabel* lblRisultatoS_ = nullptr;
    QLabel* lblCorrezioneS_ = nullptr;
    std::array<QWidget*, 4> linee_{}; // Linea1, Linea2 over Label3; Line1, Line2
    QLabel* LblEsito_ = nullptr;
    QLabel* lblRiferimento_ = nullptr;

    QStackedWidget* pannelli_ = nullptr; // the five panels below, in the order of Pannello
    QFrame* fraTastierino_ = nullptr;
    QFrame* fraSimboli_ = nullptr;
    QFrame* fraAiuto_ = nullptr;
    QFrame* fraIntervento_ = nullptr;
    QFrame* fraAvviso_ = nullptr;
    std::array<QPushButton*, Serie::TastiTastierino> Option2_{};
    std::array<QPushButton*, Serie::TastiSimboli> Option1_{};
    std::array<QPushButton*, 2> Option3_{};
    QPushButton* Option4_ = nullptr;
    std::array<QPushButton*, 2> optAvviso_{};
    GruppoTasti* gruppoTastierino_ = nullptr;
    GruppoTasti* gruppoSimboli_ = nullptr;
    GruppoTasti* gruppoAiuto_ = nullptr;
    GruppoTasti* gruppoIntervento_ = nullptr;
    GruppoTasti* gruppoAvviso_ = nullptr;
    ScansioneFinestra* scansione_ = nullptr;

    QLabel* LblOperazione_ = nullptr;
    QLabel* lblRisEsatte_ = nullptr;
    QLabel* lblRisErrate_ = nullptr;
    QLabel* lblTempoOperazione_ = nullptr;
    QLabel* LblTempoTotale_ = nullptr;
    QLabel* Label6_ = nullptr;
    QLabel* Label7_ = nullptr;
    QLabel* Label8_ = nullptr;
};
