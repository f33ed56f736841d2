#pragma once

// What the register window shows and prints, as text and page data, without a widget: the
// columns of the list, each exercise of a series as one line, the periods of the filter,
// the missed conversions, and a pupil's printed page (the list of the series and a bar
// chart of the right replies) in the page model every printout uses.

#include "base/Pagina.h"
#include "registro/RegistroLocale.h"

#include <QDate>
#include <QStringList>

#include <utility>
#include <vector>

// The list's column headings, in order.
QStringList IntestazioniRegistro();
// One series' cells under those headings.
QStringList CelleRegistro(const RigaRegistro& riga);

// The pupil as the teacher sees the name: "senza nome" for an unnamed series.
QString NomeMostrato(const QString& nome);

// One exercise as a line: "3. 27,52 dam = ? m  risposte: 27,52 | 275,2  esatta  12 s
// aiuto accettato".
QString RigaEsercizio(int numero, const EsercizioSvolto& esercizio);

// "dam → m: 7 errori su 12".
QString TestoCoppia(const ErroriCoppia& coppia);

// The periods the filter offers, and the days of the k-th counted back from oggi (null
// dates: no bound).
QStringList PeriodiRegistro();
std::pair<QDate, QDate> GiorniPeriodo(int periodo, const QDate& oggi);

// The printed page of one pupil: the name, then the series from the oldest (at most the
// last 30 of them), one line each, and a bar chart of their right replies out of 20.
Pagina PaginaAlunno(const QString& alunno, const std::vector<RigaRegistro>& serieDallaPiuNuova,
                    const std::vector<ErroriCoppia>& coppie, const QString& famiglia);
