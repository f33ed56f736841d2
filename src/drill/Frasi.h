#pragma once

// The drill told in words: the sentences a screen reader announces and the program's voice
// says. Numbers are said as a teacher says them ("27,52" is "27 virgola cinque due", read by
// a speech engine as "ventisette virgola cinque due"); units are said by their names in the
// catalogue of the active system ("u" is "unità", "dm" is "decimetri"), never spelled.

#include "base/RegistroSerie.h"
#include "base/StatoProgramma.h"

#include <QString>
#include <QStringList>

// The name of the unit whose symbol is simbolo in the active system, blanks ignored; the
// symbol itself when the system has no such unit.
QString NomeUnita(const StatoProgramma& stato, const QString& simbolo);

// A number as it is said: the whole part as one number, its thousands together ("3.270" is
// "3270", which a speech engine reads "tremiladuecentosettanta"), then "virgola" and each
// decimal digit by name: "20,003" is "20 virgola zero zero tre". A comma still without
// decimals is said too ("27," is "27 virgola"). Any other text comes back as it is.
QString NumeroDetto(const QString& numero);

// A sentence with every number in it said as NumeroDetto says it; the rest stays as it is.
QString NumeriDetti(const QString& frase);

// A quantity said aloud: "27 virgola cinque due unità"; a unit of one is singular, with its
// article ("un metro", "una decina", "un'unità").
QString Quantita(const StatoProgramma& stato, const QString& numero, const QString& simbolo);

// A find-the-number problem: "27 virgola cinque due unità uguale quanti decimi?".
QString FraseTrovaNumero(const StatoProgramma& stato, const QString& numero,
                         const QString& simboloDa, const QString& simboloA);

// A find-the-symbol problem: "27 virgola cinque due unità uguale 275 virgola due quale
// unità?".
QString FraseTrovaSimbolo(const StatoProgramma& stato, const QString& numero,
                          const QString& simboloDa, const QString& risultato);

// A solved problem: "27 virgola cinque due unità uguale 275 virgola due decimi".
QString FraseUguaglianza(const StatoProgramma& stato, const QString& numero,
                         const QString& simboloDa, const QString& risultato,
                         const QString& simboloA);

// The name of a symbol key, the unit's name alone ("decimetri": a symbol said letter by
// letter, "di emme", means nothing to a pupil); "nessun simbolo" for a blank key.
QString NomeTastoSimbolo(const StatoProgramma& stato, const QString& simbolo);

// An exercise of the series' record told in words, for the printout window: "Esercizio 2: un
// metro uguale quanti decimetri? Risposte errate: 7. Risposta esatta: 10, in 12 secondi."; one
// closed by the program ends "Soluzione del programma: 10, dopo 40 secondi."; one still open
// "Non ancora risolto.". Units chosen are said by name.
QString FraseEsercizioSvolto(const StatoProgramma& stato, int numero,
                             const EsercizioSvolto& esercizio);

// A printed line told in words, for a sheet's preview: "27,52 u = ......... d" is "27 virgola
// cinque due unità uguale puntini decimi". Numbers as NumeroDetto says them, the active
// system's symbols by name, "=" as "uguale", a row of dots (the blank to fill) as "puntini",
// the teachers' "(r.79,7)" as "risposta 79 virgola sette".
QString RigaDetta(const StatoProgramma& stato, const QString& riga);

// Sentences said one after the other as one text: "Errato. Ti aiuto ?".
QString Unisci(const QStringList& frasi);
