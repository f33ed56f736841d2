#pragma once

// Fixed-width pads and the text lines built from them: the record of the exercises done
// and the worksheet lines. All lines are meant for a fixed-pitch font.

#include "base/StatoProgramma.h"

struct Spazi {
    QString SpazioNumero;    // right-aligns NumeroTesto in 9
    QString SpazioRisultato; // RisultatoTesto in 9
    QString SpazioRisposta;  // RispostaTesto in 11
    QString SpazioSoluzione; // SoluzioneTesto in 11
    QString SpazioDa;        // SimboloDa in 5
    QString SpazioA;         // SimboloA in 5
    QString Puntini;         // dots bringing Esercizio[IndiceEsercizio] to 66
    QString SpazioScheda;    // 38 blanks
};

// Each pad holds (width - length of its text) blanks or dots, none when the text already
// fills the width. Puntini is measured on Esercizio[IndiceEsercizio] (an empty line when
// the index is outside the record).
Spazi PreparaSpazi(const StatoProgramma& stato);

// Record of the exercises done, line Esercizio[IndiceEsercizio]. The caller sets Segno
// ("* " for a wrong reply, two blanks for a right one) and RispostaTesto before each
// append. Every builder ignores an index outside the record.
void ApriRigaNumero(StatoProgramma& stato);         // find-the-number problem shown
void ApriRigaSimbolo(StatoProgramma& stato);        // find-the-symbol problem shown
void AggiungiRispostaErrata(StatoProgramma& stato); // reply, then Segno
void AggiungiRispostaEsatta(StatoProgramma& stato); // reply, Segno, dots, " s." and time
void AggiungiSoluzione(StatoProgramma& stato);      // the solution given by the program

// Worksheet lines Esercizio[IndiceRiga] and Soluzione[IndiceRiga]; each sets SoluzioneTesto.
void RigaSchedaNumero(StatoProgramma& stato);
void RigaSchedaSimbolo(StatoProgramma& stato);
