#pragma once

// The number formatter and the problem generator.

#include "base/FonteCasuale.h"
#include "base/Problema.h"
#include "base/StatoProgramma.h"

#include <functional>

class Avvisi;

// One draw: floor(n * r) + base, with r = fonte.Rnd() uniform in [0, 1); n >= 1. A value
// of r outside that range (only a faulty source could give one: negative, 1 or more,
// infinite or NaN) is held to the range of the draw, base to base + n - 1; NaN gives base.
int Estrai(FonteCasuale& fonte, int n, int base);

// x with the decimal comma, "." between groups of three digits of the whole part, no
// trailing zeros, never an exponent form: 1234,5 gives "1.234,5", 0,000001 gives
// "0,000001". x is first rounded to 15 significant digits and the whole part is read from
// those digits, so 0,99999999999999989 gives "1". A negative x gives "-" and the text of
// its magnitude (-0,5 gives "-0,5"; -0 gives "0"). A whole part beyond the signed 32-bit
// range (NaN and infinities included) gives the empty text and, when avvisi is given, the
// message "Numero troppo grande!" titled "Errore di overflow".
QString FormattaNumero(double x, Avvisi* avvisi = nullptr);

// x in plain decimal notation with the decimal comma: up to 15 significant digits, no
// trailing zeros, no thousands separator, never an exponent form.
QString TestoDecimale(double x);

// Fixed-point value (four decimals) in plain decimal notation with the decimal comma.
QString TestoFisso(Fisso4 valore);

// Fixed-point value written as FormattaNumero writes the same number, computed on the
// digits alone (no binary rounding): 9999000000 (999 900) gives "999.900".
QString FormattaFisso(Fisso4 valore);

// Makes one problem of the unit system simbolo ([1] largest unit .. [4] smallest; [1] blank
// when numeroUnita is 3) and the symbol order: the digits, the form, the
// pair, the value and the texts; Sorteggio for order 3, and SoluzioneTesto when the problem
// converts towards the larger unit. With no order chosen, or no unit system, the problem
// has its number but no symbols.
Problema GeneraProblema(const std::array<QString, 5>& simbolo, int numeroUnita, int ordineSimboli,
                        FonteCasuale& fonte);
// The same, from the system and the order chosen on the start screen.
Problema GeneraProblema(const StatoProgramma& stato, FonteCasuale& fonte);

// The same problem: the same number converted between the same two units in the same
// direction.
bool StessoProblema(const Problema& a, const Problema& b);

// A problem for which usato is false: drawn again while it is true, up to a hundred draws
// in all (only a random source that repeats itself gets that far; the last draw is kept).
Problema GeneraProblemaNuovo(const std::array<QString, 5>& simbolo, int numeroUnita,
                             int ordineSimboli, FonteCasuale& fonte,
                             const std::function<bool(const Problema&)>& usato);
