#pragma once

// What every window tells the user after a print, so that all of them say the same.

#include "base/Servizi.h"

// Title of the message boxes about printing.
inline constexpr const char* TitoloStampa = "Stampa";

// The Italian text for esito; empty when there is nothing to say (cancelled by the user). A
// page printed says which printer took it. pdfScelto tells a PDF the user asked for from one
// written for want of a printer.
QString MessaggioStampa(const EsitoStampa& esito, bool pdfScelto);

// Shows the text of esito through avvisi: failures as errors, a page printed or a saved PDF
// as a notice (as an error when the PDF replaces a print the printer did not answer).
void AvvisaStampa(Avvisi& avvisi, const EsitoStampa& esito, bool pdfScelto);
