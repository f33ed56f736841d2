#pragma once

// The two small records kept between runs, in the current folder: the active unit system
// in NomeProgramma + ".dat" (one line) and the options in NomeProgramma + ".opz" (eleven
// lines, then the speech switch, the letter case, the praise, scanning and its step on lines
// 12 to 16). Both are read from and written to regular
// files only: a link, a pipe or a folder at the name counts as an unreadable record and is
// never written through or replaced. Each writer replaces its own file atomically (a failed
// write leaves the old file as it was and reports false); readers fall back to defaults on
// any fault and never show a message. The values of a record, blanks not counted, must fit
// in 1,024 bytes, and the record must end within the first 64 KiB of its file.

#include "base/StatoProgramma.h"

QString FileLivello(const QString& nome);
QString FileOpzioni(const QString& nome);

// Reads Livello from nome + ".dat". On any failure (no file, unreadable value, a value
// outside 1..12) Livello becomes 1 and the file is written with it.
void LeggiLivelli(StatoProgramma& stato, const QString& nome);

// Replaces NomeProgramma + ".dat" with the current Livello. False when it could not (no
// room, no permission, or something other than a regular file at the name).
bool SalvaLivello(const StatoProgramma& stato);

// Reads the options record. True when all eleven values were read and are usable; on any
// failure every value takes its default and false is returned. Lines 12 to 16 are read when
// they are there: 12 speech, 14 praise and 15 scanning as True or False, 13 the letter case
// (0 capitals, 1 as designed), 16 the scanning step in tenths of a second, 5..50. Each one
// missing or unreadable keeps its default and never makes the record fail. Nothing is
// written.
bool LeggiOpzioni(StatoProgramma& stato);

// Replaces the options file with the current options, all sixteen lines. False when it
// could not.
bool MemorizzaOpzioni(const StatoProgramma& stato);
