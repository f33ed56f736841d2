#pragma once

// What happened in one drill series, as values: each exercise with its problem, every reply
// tried and its verdict, the help offered and taken, the program's solution and the seconds;
// and the series' own facts. The printed record, the certificate's grade, the register and
// the export are all made from it.

#include "base/Problema.h"

#include <QDateTime>
#include <QString>
#include <QUuid>
#include <cstdint>
#include <vector>

// One reply checked with "Verifica", as it was checked (normalised: "6.210", "dm").
struct Tentativo {
    QString Risposta;
    bool Esatta = false;

    bool operator==(const Tentativo&) const = default;
};

struct EsercizioSvolto {
    Problema Dati;
    bool ChiedeSimbolo = false; // the pupil picks the unit rather than typing the number
    QString SoluzioneTesto;     // the reply expected: the number, or the unit's symbol
    std::vector<Tentativo> Tentativi;
    bool AiutoOfferto = false;   // a wrong reply brought "Ti aiuto ?"
    bool AiutoAccettato = false; // the pupil answered "SI"
    bool SoluzioneData = false;  // the program gave the solution ("INTERVENGO IO")
    std::int32_t Secondi = 0;    // from the problem shown to its close; 0 while open

    // A right reply or the program's solution closed it.
    bool Chiuso() const;
    bool Esatto() const; // closed by a right reply

    bool operator==(const EsercizioSvolto&) const = default;
};

struct RegistroSerie {
    QUuid Id;               // unique among every computer's series
    QDateTime Inizio, Fine; // local time; Fine is null while the series runs
    std::int16_t Livello = 0;
    QString Sistema; // the unit system's name, as the start screen shows it
    std::int16_t TipoEsercizio = 0;
    QString TestoTipo; // " Trova il numero", ... with the leading blank
    std::int16_t OrdineSimboli = 0;
    QString TestoOrdine;                   // as the start screen showed it when the series started
    std::vector<EsercizioSvolto> Esercizi; // in order; the last may still be open
    bool Finita = false;                   // all twenty closed
    QString NomeAlunno;                    // typed in the printout window; empty until then
    QString Giudizio;                      // the grade of the certificate drawn; empty until then

    // The exercises shown so far, 0..20.
    int IndiceEsercizio() const { return static_cast<int>(Esercizi.size()); }
    std::int16_t EsatteTotale() const; // closed by a right reply
    std::int16_t ErrateTotale() const; // closed by the program's solution
    // Sum of the exercises' seconds, held at the largest 32-bit value.
    std::int32_t TempoTotale() const;

    bool operator==(const RegistroSerie&) const = default;
};
