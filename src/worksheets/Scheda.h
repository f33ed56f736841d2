#pragma once

// A worksheet of conversion problems: its own choices and lines, the preview that decides
// what prints, the printed page, and the texts of the set-up screen.
//
// A sheet never writes into the program-wide state: the drill's record, the problem last
// made and the kind and order chosen on the start screen stay as they are.

#include "base/Pagina.h"
#include "base/StatoProgramma.h"

#include <QString>
#include <array>
#include <cstdint>

class FonteCasuale;

// Lines of a sheet, 1..30.
constexpr int RigheScheda = 30;

// Sheet of the last preview.
constexpr std::int16_t SchedaAlunni = 1;  // problems only
constexpr std::int16_t SchedaDocenti = 2; // problems with their solutions

struct Scheda {
    std::int16_t NumeroProblemi = 30; // 10, 20 or 30: how many lines are shown and printed
    std::int16_t TipoEsercizio = 0;   // 1 number, 2 symbol, 3 either; 0 none
    std::int16_t OrdineSimboli = 0;   // 1, 2, 3 as for the drill; 0 none
    QString TestoTipo;                // the chosen kind, as the screen shows it
    QString TestoOrdine;              // the chosen order, as the screen shows it

    // Built lines, [1..30]; [0] is never written.
    std::array<QString, RigheScheda + 1> Esercizio; // the problem
    std::array<QString, RigheScheda + 1> Soluzione; // the problem and its solution

    // The last preview: what the screen shows and what prints. TipoScheda is 0 while no
    // preview of the current sheet and count exists.
    std::int16_t TipoScheda = 0;
    std::array<QString, RigheScheda + 1> RigaStampa;

    bool operator==(const Scheda&) const = default;
};

// A sheet as the set-up screen opens: 30 problems, the kind and order of the start screen,
// nothing built, nothing previewed.
Scheda NuovaScheda(const StatoProgramma& stato);

// Button 0..2 of each group; another index changes nothing. Each choice drops the preview,
// which no longer matches the sheet; the count does not rebuild the sheet.
void ScegliNumeroProblemi(Scheda& scheda, int indice); // 10, 20, 30
void ScegliTipoEsercizio(Scheda& scheda, int indice);
void ScegliOrdineSimboli(Scheda& scheda, int indice);

// Builds all 30 lines (the count only decides how many are shown and printed) from the
// unit system of `stato`: for each line one problem of the sheet's order, never one already
// on the sheet (StessoProblema), then the line of
// the sheet's kind (kind 3 draws the kind per line). Drops the preview. With no kind or no
// order chosen, or no unit system, nothing is built and the result is false.
bool CostruisciScheda(Scheda& scheda, const StatoProgramma& stato, FonteCasuale& fonte);

// Preview of the pupils' (SchedaAlunni) or teachers' (SchedaDocenti) sheet: RigaStampa
// 1..NumeroProblemi take the problems or the solutions, the others are emptied. Another
// value changes nothing.
void VisualizzaScheda(Scheda& scheda, int tipoScheda);

// The sheet `tipoScheda` can be printed once it is the last preview of a built sheet.
bool SchedaStampabile(const Scheda& scheda, int tipoScheda);

// "Scheda per alunni stampata con " or "Scheda per docenti stampata con " and the program's
// name; empty for another sheet type.
QString TimbroScheda(int tipoScheda, const QString& nomeProgramma);

// Texts of the set-up screen.
QString TestoTipoScheda(int tipoEsercizio);   // "Trova il numero", ...; empty for another
QString TestoOrdineScheda(int ordineSimboli); // "Da simbolo minore a simbolo maggiore", ...
// Captions of the order buttons: largest unit first, smallest first, "TUTTI".
std::array<QString, 3> DidascalieOrdine(const std::array<QString, 5>& simbolo);

// The unit system as the start screen names it, on one short line: "SISTEMA METRICO -
// MISURE DI LUNGHEZZA: metri, decimetri, centimetri, millimetri".
QString TestoLivello(const TestiCatalogo& catalogo);

// Kind and order of the sheet, for the footer: "Trova il numero - Da simbolo ...".
QString DescrizioneScheda(const Scheda& scheda);

// The header's second line, room for the class and the date.
QString RigaClasseData();

// Position of sheet line i (1..30): three blocks of ten lines.
int YRigaScheda(int i);

// The printed sheet of the last preview, in "Courier New": header, RigaStampa
// 1..NumeroProblemi (14 pt on the pupils' sheet, 12 pt on the teachers'), footer at 8 pt.
Pagina PaginaScheda(const Scheda& scheda, const StatoProgramma& stato);
