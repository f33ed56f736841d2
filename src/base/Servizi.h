#pragma once

// Seams to the outside world. Each has one thin real implementation (in the UI library or
// in main) and test doubles in the tests, so that the rules can be tested without a clock,
// a sound device or a message box.

#include "base/ScritturaSicura.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// Time for answer timing: a monotonic count of milliseconds, so that an exercise across
// midnight or a change of the system clock never gives a negative time.
class Orologio {
public:
    virtual ~Orologio() = default;
    virtual std::int64_t Millisecondi() = 0;
    // The date and time of day, for the record of a series (when it started and ended).
    virtual QDateTime Adesso() { return QDateTime::currentDateTime(); }
};

// Messages the user must see. The UI answers with a message box.
class Avvisi {
public:
    virtual ~Avvisi() = default;
    virtual void Errore(const QString& titolo, const QString& testo) = 0;
    // A plain notice with an OK button (where a PDF was saved, for example).
    virtual void Informa(const QString& titolo, const QString& testo) = 0;
};

// The right-answer sound. Playing never blocks and a failure to play is silent.
class Suono {
public:
    virtual ~Suono() = default;
    virtual void SuonoEsatto() = 0;
};

struct Pagina;

// What became of a print.
struct EsitoStampa {
    enum class Tipo {
        Stampato,     // the printer's queue took the job
        SalvatoPdf,   // written as a PDF file (percorso), all of it on disk
        Annullato,    // the user cancelled the choice of a file name
        FontMancante, // neither "Courier New" nor "Courier" nor a fixed-pitch substitute
        Errore,       // the printer is missing, stopped, rejects jobs or refused this one
        ErrorePdf,    // the PDF could not be written (causa); nothing new is left on disk
    };
    Tipo tipo = Tipo::Errore;
    // SalvatoPdf: the PDF written. ErrorePdf: the file chosen in the save dialog, or the
    // folder where a PDF was to be written for want of a printer.
    QString percorso;
    // Stampato: the device name of the printer that took the job.
    QString stampante = {};
    ErroreScrittura causa = ErroreScrittura::Nessuno; // why, for ErrorePdf
    // The printer did not answer in time, so a PDF was written (or tried) in its place.
    bool stampanteMuta = false;
};

// The printers. The current printer is the system default at start; a choice replaces it
// for the rest of the run and is never saved. With no printer installed, or once "File PDF"
// is chosen, every print is written to a PDF file instead; so is a print the printer does
// not answer within a few seconds (stampanteMuta).
class ServizioStampa {
public:
    virtual ~ServizioStampa() = default;
    // Device names of the installed printers, in the system's order.
    virtual QStringList Elenco() = 0;
    // Device name of the current printer; empty when there is none.
    virtual QString Corrente() = 0;
    // Makes the first installed printer named nome the current one; false (and no change)
    // when no printer has that name.
    virtual bool Scegli(const QString& nome) = 0;
    // From now on every print asks for a PDF file name instead of printing.
    virtual void ScegliPdf() = 0;
    virtual bool PdfScelto() = 0;
    // "Courier New" or "Courier" as the fonts offer them (a fixed-pitch substitute for
    // "Courier New" counts as "Courier New"); empty when there is neither.
    virtual QString CercaCourier() = 0;
    // Prints one page. descrizione names it in a PDF's file name ("esercizi", "attestato",
    // "scheda alunni", ...).
    virtual EsitoStampa Stampa(const Pagina& pagina, const QString& descrizione) = 0;
};

// The program's own voice ("SINTESI VOCALE"), for pupils who read with difficulty. Di says a
// text aloud in Italian, cutting short whatever it was saying; an empty text only silences
// it. It never blocks and never fails loudly: with the switch off, or with no engine or no
// Italian voice, it says nothing.
class Voce {
public:
    virtual ~Voce() = default;
    virtual void Di(const QString& testo) = 0;
    // Finds out whether this computer can speak: an engine with an Italian voice. Starting
    // the engine may take seconds, so the answer is given to risposta later, on the thread
    // that asked (at once when it is already known). Asked only when the pupil switches
    // speech on.
    virtual void Disponibile(std::function<void(bool)> risposta) = 0;
    // Words of praise ("RINFORZO SONORO"): said while that switch is on, whether "SINTESI
    // VOCALE" is on or not; nothing while it is off or where there is no voice. Praise for
    // one event is said after what the voice says of the same event, not cut short by it.
    virtual void Loda(const QString& testo) = 0;
};
