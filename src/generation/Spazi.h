#pragma once

// Fixed-width pads and the text lines built from them: the record of the exercises done and
// the worksheet lines, each made from values (a problem, an exercise of a series) when it is
// needed. All lines are meant for a fixed-pitch font.

#include "base/Problema.h"
#include "base/RegistroSerie.h"

#include <QString>
#include <QStringList>

struct Spazi {
    QString SpazioNumero;    // right-aligns NumeroTesto in 9
    QString SpazioRisultato; // RisultatoTesto in 9
    QString SpazioRisposta;  // the reply in 11
    QString SpazioSoluzione; // the solution in 11
    QString SpazioDa;        // SimboloDa in 5
    QString SpazioA;         // SimboloA in 5
    QString Puntini;         // dots bringing the line to 66
    QString SpazioScheda;    // 38 blanks
};

// Each pad holds (width - length of its text) blanks or dots, none when the text already
// fills the width.
Spazi PreparaSpazi(const Problema& problema, const QString& risposta = {},
                   const QString& soluzione = {}, const QString& riga = {});

// The record line of one exercise, as it stands: the problem ("   27,52 u     = ...    d  r. "
// for a find-the-number problem), then each reply tried, a wrong one followed by "* ", a
// right one by two blanks, dots to column 66, " s." and its seconds; or, when the program
// gave the solution, that solution, " s " and the seconds.
QString RigaEsercizio(const EsercizioSvolto& esercizio);

// The record lines of a series, one per exercise shown, in order.
QStringList RigheEsercizi(const RegistroSerie& registro);

// A worksheet line: the problem, and the same line with its solution in brackets.
struct RigaScheda {
    QString Esercizio;
    QString Soluzione;
};
RigaScheda RigaSchedaNumero(const Problema& problema);  // the number is asked
RigaScheda RigaSchedaSimbolo(const Problema& problema); // the unit is asked
