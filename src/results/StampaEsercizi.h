#pragma once

// What the printout window shows and prints of the exercises done, without the window.

#include "base/Servizi.h"
#include "base/StatoProgramma.h"

#include <QString>
#include <array>

// Labels of the printout window: one record line each.
constexpr int EtichetteEsercizi = 30;

// Texts of the labels 1..30 ([0] unused): lines 1..IndiceEsercizio of the record, the rest
// empty. A line beyond the 30th has no label.
std::array<QString, EtichetteEsercizi + 1> TestiEtichette(const StatoProgramma& stato);

// The labels' font for the family found by CercaCourier: "Courier New" 10 pt bold,
// "Courier" 10 pt regular.
struct FontEtichette {
    QString famiglia;
    double punti = 10;
    bool grassetto = false;
};
FontEtichette FontPerEtichette(const QString& famiglia);

// "STAMPA": without "Courier New" or "Courier" the user is told so and nothing is printed;
// otherwise the page of PaginaEsercizi goes to the printer service and the user is told what
// became of it (where a PDF went, or a failure). Returns what became of the print.
EsitoStampa StampaEsercizi(const StatoProgramma& stato, ServizioStampa& servizio, Avvisi& avvisi);
