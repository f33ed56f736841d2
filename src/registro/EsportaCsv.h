#pragma once

// The register as a CSV file that LibreOffice Calc and Excel open right in an Italian
// setting: UTF-8 with a byte-order mark, ';' between fields, CR LF at the end of each row,
// decimal comma, one row per exercise under the header line
// serie;data;ora;computer;alunno;livello;sistema;tipo;ordine;esercizio;problema;soluzione;
// risposte;aiuto;esito;secondi
// A field a spreadsheet would read as a formula (one beginning with '=', '+', '-', '@', a tab
// or a CR) is written with an apostrophe in front, so it shows as text and never runs.

#include "base/RegistroSerie.h"

#include <QByteArray>
#include <QString>

// The byte-order mark and the header line.
QByteArray IntestazioneCsv();

// One field as written: guarded against formulas, then quoted when it holds ';', '"', CR or
// LF (quotes doubled).
QString CampoCsv(const QString& campo);

// The problem as the drill showed it: "27,52 dam = ? m", or "27,52 dam = 275,2 ?" when the
// unit is asked for.
QString ProblemaMostrato(const EsercizioSvolto& esercizio);

// The rows of one series, one per exercise, each ending in CR LF.
QByteArray RigheCsv(const RegistroSerie& serie, const QString& computer);
