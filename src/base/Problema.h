#pragma once

// One conversion problem, as the generator makes it: the digits and the number form drawn,
// the symbol pair, the value and the texts shown. The drill, the worksheets, the record of a
// series and the register all take it as a value.

#include "base/Fisso4.h"

#include <QString>
#include <array>
#include <cstdint>

struct Problema {
    std::array<std::uint8_t, 5> Cifra{}; // [1..4] the digits drawn, 1..9; [0] unused
    std::int16_t FormaNumero = 0;        // 1..18
    std::int16_t CoppiaSimboli = 0;      // 1..6
    Fisso4 ValoreNumero = 0;
    QString NumeroTesto;    // the number shown: "27,52"
    QString SimboloDa;      // its unit, padded as in the catalogue
    QString SimboloA;       // the unit asked for
    QString RisultatoTesto; // the number in the unit asked for
    // The expected number when the problem converts towards the larger unit; empty in the
    // other direction, where the expected number is RisultatoTesto.
    QString SoluzioneTesto;
    std::int16_t Sorteggio = 0; // the direction drawn for order 3: 1 downwards, 2 upwards

    bool operator==(const Problema&) const = default;
};
