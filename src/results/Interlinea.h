#pragma once

// Line heights of the fonts the printouts use, in twips.
//
// A page is built as data before any printer or screen is known, so the core cannot ask a
// font for its metrics; and a page whose lines moved with the fonts installed on the
// machine could not be tested. Instead each family has one fixed line-spacing ratio taken
// from the font files (ascent + descent + line gap, in em), which the metric twins used
// on Linux share: Liberation Mono for "Courier New" and Liberation Sans for Arial.

#include <QString>

// Height of one line of `famiglia` at `punti` points, rounded to whole twips. The family is
// compared without regard to case; an unknown family counts 1.2 em.
int AltezzaRiga(const QString& famiglia, double punti);
