#pragma once

// What the stored options make of the pupil's windows (the start screen's page, the drill
// window, the printout and the certificate windows): the page colour behind their ordinary
// text, the letter colour of that text, and captions in capitals. Keys, the white display
// rows, the pupil's reply, verdicts, the red choices and everything printed keep their own
// colours and case.

#include "base/StatoProgramma.h"

#include <QString>
#include <cstdint>

// With no record in force (OpzioniInVigore false) the windows look as designed.
struct AspettoAlunno {
    bool InVigore = false;
    std::int32_t Sfondo = 0;
    // The letter colour the windows use: the chosen one, or black or white (whichever
    // contrasts more with the page) when the chosen pair is not legible.
    std::int32_t Caratteri = 0;
    // The chosen pair reaches ContrastoMinimo.
    bool Leggibili = true;
    bool Maiuscolo = false;

    bool operator==(const AspettoAlunno&) const = default;
};
AspettoAlunno Aspetto(const StatoProgramma& stato);

// The preview's warning for a page and letter colour pair that does not read: "Colori poco
// leggibili", or empty when the pair reaches ContrastoMinimo.
QString AvvisoContrasto(const Opzioni& opzioni);

// A caption or message as "MAIUSCOLO" shows it: every word in capitals except the unit
// symbols of the catalogue, as found in any unit system ("dam", "Mg" and "mg" stay as they are);
// digits never change.
QString Maiuscole(const QString& testo);
// The text as the pupil's windows show it: in capitals when the look asks for them.
QString Didascalia(const AspettoAlunno& aspetto, const QString& testo);
