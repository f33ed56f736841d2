#pragma once

// The pupil's name as the name box of the printout window takes it: at most 15
// letters, counted as a reader counts them, and nothing that prints as a box.

#include <QString>

// How many letters a name may have. A letter is a grapheme cluster: "é" written as e and a
// combining accent is one, so is an emoji made of several code points (a flag, a family).
inline constexpr int LettereNome = 15;

// What the name box may hold of testo, typed or pasted: control characters (C0 with NUL,
// TAB and LF; DEL; C1), line and paragraph separators and unpaired surrogates dropped,
// blanks at the start dropped, and cut after the LettereNome-th letter, never inside one.
QString TestoCasellaNome(const QString& testo);

// The name stored from testo: TestoCasellaNome(testo) without blanks at the end.
QString NomeAlunnoDa(const QString& testo);

// The name as pupils write it: the first letter of every word capital (a word begins the
// name or follows a blank, an apostrophe or a hyphen), every other letter as typed.
// "giulia rossi" -> "Giulia Rossi", "nicolò d'amico" -> "Nicolò D'Amico".
QString NomeConMaiuscole(const QString& nome);

// What a print is called in its PDF's name and its print job's title: cosa ("esercizi",
// "attestato") followed by the pupil's name, when there is one, so that the pages of
// several pupils can be told apart ("esercizi Giulia Rossi").
QString DescrizioneStampa(const QString& cosa, const QString& nome);
