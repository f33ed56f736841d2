#pragma once

// Records of series made up from a seed, the same every time: for the register's tests and
// benchmarks. Every field is set, so a round trip that dropped one would show.

#include "base/RegistroSerie.h"

#include <QStringList>

inline RegistroSerie SerieProva(int seme, int esercizi = 20, const QString& nome = {}) {
    static const QStringList simboli = {"km ", "hm ", "dam", "m  ", "dm ", "cm ", "mm "};
    RegistroSerie s;
    s.Id = QUuid::createUuidV5(QUuid(), QString::number(seme));
    s.Inizio = QDateTime(QDate(2026, 1, 1).addDays(seme % 300), QTime(8, 0).addSecs(seme % 30000));
    s.Livello = static_cast<std::int16_t>(1 + seme % 12);
    s.Sistema = QStringLiteral("Sistema %1").arg(s.Livello);
    s.TipoEsercizio = static_cast<std::int16_t>(1 + seme % 3);
    s.TestoTipo = QStringLiteral(" Trova il numero");
    s.OrdineSimboli = static_cast<std::int16_t>(1 + seme % 3);
    s.TestoOrdine = QStringLiteral("Dal più piccolo al più grande");
    s.NomeAlunno = nome;
    for (int k = 0; k < esercizi; ++k) {
        const int v = seme * 31 + k * 7;
        EsercizioSvolto e;
        e.Dati.Cifra = {0, static_cast<std::uint8_t>(1 + v % 9),
                        static_cast<std::uint8_t>(1 + v % 7), static_cast<std::uint8_t>(1 + v % 5),
                        static_cast<std::uint8_t>(1 + v % 3)};
        e.Dati.FormaNumero = static_cast<std::int16_t>(1 + v % 18);
        e.Dati.CoppiaSimboli = static_cast<std::int16_t>(1 + v % 6);
        e.Dati.ValoreNumero = 275200 + v;
        e.Dati.NumeroTesto = QStringLiteral("27,52");
        e.Dati.SimboloDa = simboli[v % 7];
        e.Dati.SimboloA = simboli[(v + 1) % 7];
        e.Dati.RisultatoTesto = QStringLiteral("275,2");
        e.Dati.SoluzioneTesto = k % 2 ? QStringLiteral("2,752") : QString();
        e.Dati.Sorteggio = static_cast<std::int16_t>(k % 3);
        e.ChiedeSimbolo = k % 4 == 3;
        e.SoluzioneTesto = e.ChiedeSimbolo ? e.Dati.SimboloA.trimmed() : QStringLiteral("275.2");
        if (v % 3 == 0) e.Tentativi.push_back({QStringLiteral("27.52"), false});
        if (v % 5 == 0) {
            e.AiutoOfferto = true;
            e.AiutoAccettato = v % 2 == 0;
        }
        if (v % 11 == 0)
            e.SoluzioneData = true;
        else
            e.Tentativi.push_back({e.SoluzioneTesto, true});
        e.Secondi = 1 + v % 40;
        s.Esercizi.push_back(e);
    }
    if (esercizi == 20) {
        s.Finita = true;
        s.Fine = s.Inizio.addSecs(s.TempoTotale());
    }
    return s;
}
