#pragma once

// The printout window "FINESTRA DI STAMPA ": the record lines of the series in progress, one
// label each, in a fixed-pitch font; "STAMPA" prints them, "NOME" takes the pupil's name in a
// panel, "ATTESTATO" opens the certificate, "ESCI" goes back to the drill window. The menu
// "Scegli la stampante" opens the printer choice. What is shown and printed comes from the
// core (StampaEsercizi, PaginaEsercizi). Laid out at its design size and scaled to the window
// by Proporzioni; fonts keep their design size.

#include "base/Servizi.h"
#include "base/StatoProgramma.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class GruppoTasti;
class Proporzioni;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class ScansioneFinestra;

class FrmStampaEsercizioTre : public QMainWindow {
    Q_OBJECT
public:
    // Inner design size in pixels (11910 x 8730 twips).
    static constexpr int LarghezzaProgetto = 794;
    static constexpr int AltezzaProgetto = 582;
    // Indices of Command1.
    static constexpr int Esci = 0, Stampa = 1, Attestato = 2, Nome = 3;

    FrmStampaEsercizioTre(StatoProgramma& stato, ServizioStampa& servizio, Avvisi& avvisi,
                          QWidget* parent = nullptr);
    ~FrmStampaEsercizioTre() override;

    // The drill window, shown again by "ESCI".
    void ImpostaOperativo(QWidget* operativo);
    // Makes the certificate window; until one is given "ATTESTATO" stays greyed.
    void ImpostaApriAttestato(std::function<QWidget*()> apri);

    // Told the name each time the name panel takes one (the register adds it to the series).
    void ImpostaNomePreso(std::function<void(const QString&)> preso);

    // Runs the action of Command1(indice), as a press of the key would. While the name panel
    // is open, "ESCI", "STAMPA" and "ATTESTATO" first take a name typed in it.
    void PremiCommand1(int indice);

    // Scanning for a pupil with one switch: "AVANTI" while the name panel is open, then the
    // four keys.
    ScansioneFinestra* Scansione() const { return scansione_; }

    // Shows lines 1..IndiceEsercizio of the record again (also whenever the window comes to
    // the front); nothing when the font check at loading failed.
    void AggiornaParlato();
    void MostraRighe();

protected:
    bool event(QEvent* evento) override;

private:
    // The look of the options, followed as it changes.
    void Vesti();
    void Costruisci();
    void CostruisciNome(QWidget* centrale);
    void Carica();
    void ApriNome();
    void CentraNome();
    // The typed name becomes NomeAlunno, each word with its capital, and the panel
    // closes; "AVANTI" then leads on to "ATTESTATO".
    void PrendiNome();
    void Avanti();
    void ApriAttestato();
    void ScegliStampante();

    StatoProgramma& stato_;
    ServizioStampa& servizio_;
    Avvisi& avvisi_;
    QPointer<QWidget> operativo_;
    std::function<QWidget*()> apriAttestato_;
    std::function<void(const QString&)> nomePreso_;
    QPointer<QWidget> attestato_;
    bool righeMostrate_ = false; // the font check at loading found a fixed-pitch font

    Proporzioni* proporzioni_ = nullptr;
    GruppoTasti* gruppoCommand1_ = nullptr;
    GruppoTasti* gruppoAvanti_ = nullptr;
    ScansioneFinestra* scansione_ = nullptr;
    QAction* mnuScegli_ = nullptr;
    std::array<QLabel*, 31> LblOp_{}; // [1..30]
    std::array<QPushButton*, 4> Command1_{};
    QFrame* fraNome_ = nullptr;
    QLineEdit* txtNome_ = nullptr;
    QPushButton* cmdAvanti_ = nullptr;
};
