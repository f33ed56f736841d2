#pragma once

// The unit catalogue and the two choosers of the start screen.

#include "base/StatoProgramma.h"

#include <QList>
#include <QString>

// Builds the catalogue entry of Livello (1..12): Simbolo, NumeroUnita and the captions of
// the start screen. Any other Livello changes nothing.
void SceltaSimboli(StatoProgramma& stato);

// Records the exercise kind of button 0..2; another index changes nothing.
void ScegliTipo(StatoProgramma& stato, int indice);

// Records the symbol order of button 0..2; another index changes nothing.
void ScegliOrdine(StatoProgramma& stato, int indice);

// One entry of the start screen's "Sistema" menu: a unit system and its caption, the unit
// names of its catalogue entry tidied ("unità, decimi, centesimi, millesimi").
struct VoceSistema {
    std::int16_t Livello;
    QString Didascalia;

    bool operator==(const VoceSistema&) const = default;
};

// A subject of the catalogue ("Sistema decimale", "Misure di lunghezza", "Misure di peso",
// "Misure di capacità") with its systems in catalogue order.
struct MateriaSistemi {
    QString Nome;
    QList<VoceSistema> Sistemi;
};

// The "Sistema" menu: the four subjects in catalogue order, the twelve systems among them.
const QList<MateriaSistemi>& MenuSistema();

// The system after a step on the start screen: the next one of the same subject, wrapping
// (1, 2, 3, 1; 4, 5, 6, 4; 7, 8, 9, 10, 7; 11, 12, 11), so that a step never leaves the
// subject in force. Outside 1..12: 1.
std::int16_t LivelloSuccessivo(std::int16_t livello);
