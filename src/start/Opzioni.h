#pragma once

// The rules of the options screen, on the program-wide state: the colour tables, what
// selecting each button does to the stored options, the screen's own defaults and applying
// the stored record. The screen only turns clicks into these calls and shows the state;
// at start the same rules run without the screen.

#include "base/StatoProgramma.h"

#include <QString>
#include <array>
#include <cstdint>

// One row of the colour tables: the colour name shared by the page and text groups, the
// caption of the scan button, and the four packed colours of that index.
struct ColoreOpzione {
    QString Nome;           // "Bianco" ... (page and text colour buttons)
    QString NomeScansione;  // "Da bianco chiaro a scuro" ... (scan colour buttons)
    std::int32_t Pagina;    // page colour
    std::int32_t Caratteri; // text colour
    std::int32_t ScansioneChiara;
    std::int32_t ScansioneScura;
};

// Buttons in each colour group, indices 0 to NumeroColori - 1.
inline constexpr int NumeroColori = 11;

// The colour tables by index.
const std::array<ColoreOpzione, NumeroColori>& TabellaColori();

// Whether an index selects a button of a colour group.
constexpr bool IndiceColoreValido(int indice) {
    return indice >= 0 && indice < NumeroColori;
}

// Selecting a button of each group; an index outside the group changes nothing and gives
// false.
// Page colour: ColoreSfondo and IndiceSfondo.
bool ScegliSfondo(StatoProgramma& stato, int indice);
// Text colour: ColoreCaratteri (as decimal text) and IndiceCaratteri.
bool ScegliCaratteri(StatoProgramma& stato, int indice);
// Scan colour: ColoreScansione (light shade), ColoreScansioneScuro (dark shade, as decimal
// text) and IndiceScansione.
bool ScegliScansione(StatoProgramma& stato, int indice);
// "BEEP": 0 "Attivato", 1 "Disattivato"; SceltaBeep and SuonoAttivo, the right-reply sound
// on or off at once.
bool ScegliBeep(StatoProgramma& stato, int indice);
// "TIPO CARATTERI": 0 "MAIUSCOLO", 1 "Minuscolo"; Maiuscolo.
bool ScegliTipoCaratteri(StatoProgramma& stato, int indice);
// "RINFORZO SONORO": 0 "Attivato", 1 "Disattivato"; RinforzoSonoro, in use at once.
bool ScegliRinforzo(StatoProgramma& stato, int indice);
// "SINTESI VOCALE": 0 "Attivata", 1 "Disattivata"; SintesiVocale, in use at once and stored
// with the record.
bool ScegliSintesiVocale(StatoProgramma& stato, int indice);
// "SCANSIONE": 0 "Attivata", 1 "Disattivata"; Scansione, in use as soon as a pupil's window
// is in front again, stored with the record.
bool ScegliScansioneAttiva(StatoProgramma& stato, int indice);
// "Tempo" of scanning: choice i (0..9) is a step of (i + 1) * 0,5 seconds, PassoScansione
// (i + 1) * 5 tenths.
inline constexpr int NumeroTempi = 10;
bool ScegliTempo(StatoProgramma& stato, int indice);
// The choices as shown ("0,5 s", "1 s", ... "5 s") and as said ("0,5 secondi", ...).
QStringList DidascalieTempo();
QStringList TempiDetti();
// The choice a stored step shows: the nearest, for a step between two choices.
int IndiceTempo(int passo);

// The button each colour group shows selected: the one of its stored index when the colour
// in force is that button's colour, none (-1) otherwise. Applying a record always makes the
// two agree; the record's defaults, in force when none could be read (a first start), hold
// colours that no button offers, and then no button is shown selected: the preview shows
// the colours in force, and a selection would contradict it.
struct ScelteColori {
    int Sfondo = -1;
    int Caratteri = -1;
    int Scansione = -1;

    bool operator==(const ScelteColori&) const = default;
};
ScelteColori ScelteInVigore(const Opzioni& opzioni);

// Selects the buttons the stored record names: the three colour groups by their stored
// indices, and "Attivato" or "Disattivato" in "BEEP" by SuonoAttivo. The colour variables
// therefore follow the indices. False, and nothing changed, when an index lies outside
// 0..10.
bool ApplicaOpzioni(StatoProgramma& stato);

// Reads the options record at start and applies it. When the record cannot be read or
// cannot be applied every one of the eleven values takes its default; nothing is written
// and nothing is shown. False in that case. OpzioniInVigore tells which.
bool LeggiEApplicaOpzioni(StatoProgramma& stato);

// "Impostazioni predefinite": the screen's own defaults replace the colours, their indices
// and the "BEEP" choice, which switches the sound on (the other stored values keep theirs),
// the record is written, then applied, and the open windows are told (OpzioniCambiate).
// False when the record could not be written; the values are in use anyway.
bool ImpostazioniPredefinite(StatoProgramma& stato);

// "Memorizza nuove impostazioni": writes the current record, applies it and tells the open
// windows. False when an index is out of range (nothing written, nothing told) or the
// record could not be written (the values are in use anyway).
bool MemorizzaNuoveImpostazioni(StatoProgramma& stato);
