#pragma once

// The printout of the exercises done: two header lines and the record lines of the series.

#include "base/Pagina.h"
#include "base/StatoProgramma.h"

#include <QString>

// Position of record line k (1..30) on the page: three blocks of ten lines, 400 twips
// apart, with wider gaps between the blocks. Lines above 30 have no place of their own.
struct PosizioneRiga {
    int x = 0;
    int y = 0;
};
PosizioneRiga PosizioneRigaEsercizio(int k);

// Lines 1..IndiceEsercizio of Esercizio (never beyond the last line of the record) in
// `famiglia`, the fixed-pitch family the printer offers ("Courier New" or "Courier"): the
// header at 16 pt regular, the lines at 10 pt bold, all black. A line above the 30th
// follows the previous one at the left edge, one line lower.
Pagina PaginaEsercizi(const StatoProgramma& stato, const QString& famiglia);
