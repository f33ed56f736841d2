#pragma once

// The printers of the system, through Qt's print support (CUPS on Linux).
//
// Constructing the service touches nothing of the print support: the printer list and the
// default printer are read at the first question or the first print, so the program starts
// without waiting for the print system.
//
// Where a print goes:
// - "File PDF" chosen: a file the user names in the save dialog (".pdf" added when missing),
//   replaced only when the name is free or holds a regular file.
// - no printer installed, or none current: a PDF in the user's documents folder under a new
//   name ("Decimetra esercizi 2026-12-08 10.15.pdf", then "... (2).pdf"), never overwriting.
// - otherwise the current printer: the page as a one-page A4 PDF (10 pt margins, the same
//   file as the PDFs), sent to its CUPS queue (app/CodaCups). Printed only when the queue
//   took the job; a queue that is missing, stopped or rejecting is an error. A print system
//   that does not answer within AttesaStampante gives a PDF in the documents folder instead.
// A PDF is reported written only when all of it is on disk (base/ScritturaSicura); else
// nothing new is left in the folder, and the result says why.

#include "base/Servizi.h"

#include <QDateTime>
#include <QString>
#include <chrono>
#include <functional>

class ServizioStampaQt : public ServizioStampa {
public:
    // Asks for the name of the PDF to write, proposing proposta; empty when cancelled.
    using ChiediNomeFile = std::function<QString(const QString& proposta)>;

    // The longest wait for the print system in one print.
    static constexpr std::chrono::milliseconds AttesaStampante{4000};

    // chiedi: the save dialog; by default a standard file dialog over the active window.
    explicit ServizioStampaQt(ChiediNomeFile chiedi = {});

    QStringList Elenco() override;
    QString Corrente() override;
    bool Scegli(const QString& nome) override;
    void ScegliPdf() override;
    bool PdfScelto() override { return pdf_; }
    QString CercaCourier() override;
    EsitoStampa Stampa(const Pagina& pagina, const QString& descrizione) override;

    // The user's documents folder, where PDFs are written when there is no printer.
    static QString CartellaDocumenti();
    // The file name for a print of descrizione at momento; numero > 1 adds " (numero)".
    static QString NomePdf(const QString& descrizione, const QDateTime& momento, int numero = 1);
    // The rule of CercaCourier on a list of font families: "Courier New", else "Courier"
    // (exact names), else "Courier New" when the system has a fixed-pitch substitute for it.
    static QString SceltaCourier(const QStringList& famiglie, bool sostitutoFisso);

private:
    void LeggiPredefinita();
    EsitoStampa StampaSuStampante(const Pagina& pagina, const QString& descrizione);
    EsitoStampa SalvaInDocumenti(const Pagina& pagina, const QString& descrizione);

    ChiediNomeFile chiedi_;
    bool letta_ = false; // the system default has been read
    QString corrente_;
    bool pdf_ = false;
};

// pagina as a one-page A4 PDF (10 pt margins, as Qt's printers); empty when it cannot be
// drawn.
QByteArray PdfPagina(const Pagina& pagina, const QString& titolo = {});

// Writes PdfPagina(pagina, titolo) into percorso (SostituisciFile), replacing it only once
// the whole file is on disk. False when the file cannot be written.
bool ScriviPdf(const Pagina& pagina, const QString& percorso, const QString& titolo = {});
