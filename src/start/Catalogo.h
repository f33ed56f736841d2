#pragma once

// The unit catalogue and the two choosers of the start screen.

#include "base/StatoProgramma.h"

// Builds the catalogue entry of Livello (1..12): Simbolo, NumeroUnita and the captions of
// the start screen. Any other Livello changes nothing.
void SceltaSimboli(StatoProgramma& stato);

// Records the exercise kind of button 0..2; another index changes nothing.
void ScegliTipo(StatoProgramma& stato, int indice);

// Records the symbol order of button 0..2; another index changes nothing.
void ScegliOrdine(StatoProgramma& stato, int indice);

// The system after a step on the start screen: 1, 2, 3, then back to 1.
std::int16_t LivelloSuccessivo(std::int16_t livello);
