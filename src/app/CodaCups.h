#pragma once

// A page sent to a CUPS queue by IPP, every wait bounded: a print system that stops
// answering (a stopped or overloaded cupsd, a server gone from the network) never holds
// the window for longer than the wait given. QPrinter cannot do this: it waits for CUPS as
// long as CUPS takes (122 s with a stopped cupsd) and never learns whether the job was taken
// (a queue that rejects jobs swallowed the page without a word).
//
// libcups is loaded at the first print on a printer (Qt's print plugin has usually loaded
// it by then, to list the printers): linked to the program it would load, with eleven more
// libraries, at every start.

#include <QByteArray>
#include <QString>

#include <chrono>

enum class EsitoCoda {
    Accettato,   // the queue took the job: it has an id, neither cancelled nor aborted
    Rifiutato,   // the queue is missing, stopped or rejecting jobs, or refused this job
    NonRisponde, // no answer within the wait, no print server, or no libcups
};

// Sends pdf as one job named titolo to the queue coda of the CUPS server that the client
// library finds (CUPS_SERVER, client.conf, the local socket). First asks the queue whether
// it accepts jobs and is not stopped, then submits the job (Print-Job) and checks its id
// and state in the answer. Never waits longer than attesa in all (about a second more when
// the server accepts the connection and then says nothing: libcups waits up to a second
// for the server's go-ahead before sending a request).
EsitoCoda InviaACoda(const QString& coda, const QByteArray& pdf, const QString& titolo,
                     std::chrono::milliseconds attesa);
