#pragma once

// The drill told in words: the sentences a screen reader announces and the program's voice
// says. Numbers stay as they are written ("27,52"); units are said by their names in the
// catalogue of the active system ("u" is "unità", "dm" is "decimetri").

#include "base/StatoProgramma.h"

#include <QString>
#include <QStringList>

// The name of the unit whose symbol is simbolo in the active system, blanks ignored; the
// symbol itself when the system has no such unit.
QString NomeUnita(const StatoProgramma& stato, const QString& simbolo);

// A quantity said aloud: "27,52 unità"; a unit of one is singular ("1 metro").
QString Quantita(const StatoProgramma& stato, const QString& numero, const QString& simbolo);

// A find-the-number problem: "27,52 unità uguale quanti decimi?".
QString FraseTrovaNumero(const StatoProgramma& stato, const QString& numero,
                         const QString& simboloDa, const QString& simboloA);

// A find-the-symbol problem: "27,52 unità uguale 275,2 quale unità?".
QString FraseTrovaSimbolo(const StatoProgramma& stato, const QString& numero,
                          const QString& simboloDa, const QString& risultato);

// A solved problem: "27,52 unità uguale 275,2 decimi".
QString FraseUguaglianza(const StatoProgramma& stato, const QString& numero,
                         const QString& simboloDa, const QString& risultato,
                         const QString& simboloA);

// The name of a symbol key: "dm, decimetri"; "nessun simbolo" for a blank key.
QString NomeTastoSimbolo(const StatoProgramma& stato, const QString& simbolo);

// Sentences said one after the other as one text: "Errato. Ti aiuto ?".
QString Unisci(const QStringList& frasi);
