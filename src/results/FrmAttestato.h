#pragma once

// The certificate window "Form1": grades the series, shows the certificate ("DIPLOMA DI
// MERITO") on the left and offers three keys: print it, go back to the printout window, end
// the session. The drawing is the one the core describes (DisegnoAttestato); the preview
// paints it scaled to its box and the printer receives the same description, so what is seen
// is what is printed.
//
// Controls are placed at the design size (796 x 588 px = 11940 x 8820 twips) and scaled with
// the window; the window is meant to be shown maximised.

#include "base/Pagina.h"
#include "base/StatoProgramma.h"
#include "results/Attestato.h"
#include "ui/Resize.h"

#include <QDate>
#include <QMainWindow>
#include <QWidget>
#include <array>

class Avvisi;
class GruppoTasti;
class QFrame;
class QPushButton;
class ScansioneFinestra;
class ServizioStampa;

// Shows a drawing of a given size in twips as a white page, as large as the box allows while
// keeping its proportions, centred in the part of the box that lies inside its parent. Paints
// from the description at every paint, so the text stays sharp at any size.
class AnteprimaAttestato : public QWidget {
public:
    explicit AnteprimaAttestato(QWidget* parent = nullptr);

    void ImpostaDisegno(const Pagina& disegno, QSize twip);
    const Pagina& Disegno() const { return disegno_; }

    // Where the page lies in the widget, in pixels, and the pixels per twip used.
    QRectF RettangoloPagina() const;
    double Scala() const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QRectF AreaVisibile() const;

    Pagina disegno_;
    QSize twip_;
};

class FrmAttestato : public QMainWindow {
    Q_OBJECT
public:
    // Inner design size in pixels (11940 x 8820 twips).
    static constexpr int LarghezzaProgetto = 796;
    static constexpr int AltezzaProgetto = 588;

    // Grades the series of stato and draws its certificate dated oggi (today when invalid).
    // Rewrites stato.NomeAlunno recapitalised and stato.Giudizio. Does not show the window.
    FrmAttestato(StatoProgramma& stato, ServizioStampa& stampa, Avvisi& avvisi,
                 QDate oggi = QDate(), QWidget* parent = nullptr);
    ~FrmAttestato() override;

    // 0: prints the certificate; 1: closes this window; 2: closes every window (ChiudiTutto).
    void EseguiScelta(int indice);

    // What the certificate shows, and the page sent to the printer.
    const DatiAttestato& Dati() const { return dati_; }
    bool Stampabile() const { return stampabile_; }
    // Scanning for a pupil with one switch: the three keys.
    ScansioneFinestra* Scansione() const { return scansione_; }

private:
    void Costruisci();
    void Stampa();
    void ChiudiTutto();
    QPushButton* PrimoTastoAttivo() const;

    StatoProgramma& stato_;
    ServizioStampa& stampa_;
    Avvisi& avvisi_;
    DatiAttestato dati_;
    bool stampabile_ = false;
    bool chiusura_ = false;

    Proporzioni proporzioni_;
    AnteprimaAttestato* picture1_ = nullptr;
    QFrame* frame4_ = nullptr;
    std::array<QPushButton*, 3> option5_{};
    GruppoTasti* gruppo_ = nullptr;
    ScansioneFinestra* scansione_ = nullptr;
};
