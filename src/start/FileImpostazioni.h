#pragma once

// The two small records kept between runs, in the current folder: the active unit system
// in NomeProgramma + ".dat" (one line) and the options in NomeProgramma + ".opz" (eleven
// lines). Each writer replaces its own file atomically; readers fall back to defaults on
// any fault and never show a message.

#include "start/StatoProgramma.h"

QString FileLivello(const QString& nome);
QString FileOpzioni(const QString& nome);

// Reads Livello from nome + ".dat". On any failure (no file, unreadable value, a value
// outside 1..12) Livello becomes 1 and the file is written with it.
void LeggiLivelli(StatoProgramma& stato, const QString& nome);

// Replaces NomeProgramma + ".dat" with the current Livello. False when it could not.
bool SalvaLivello(const StatoProgramma& stato);

// Reads the options record. True when all eleven values were read and are usable; on any
// failure every value takes its default and false is returned. Nothing is written.
bool LeggiOpzioni(StatoProgramma& stato);

// Replaces the options file with the current options. False when it could not.
bool MemorizzaOpzioni(const StatoProgramma& stato);
