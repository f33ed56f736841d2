#pragma once

// One exercise of a series read back from a row of the local register or of the lab
// server: both keep, in this order from column `primo` on, the form, the pair, the value, the
// problem's texts, the direction drawn, whether the unit was asked, the reply expected, help
// offered and accepted, the program's solution and the seconds. The digits are stored apart,
// each database in its own way.

#include "base/RegistroSerie.h"

#include <QSqlQuery>
#include <QVariant>

inline void LeggiEsercizio(const QSqlQuery& q, int primo, EsercizioSvolto& e) {
    const auto v = [&q, primo](int k) { return q.value(primo + k); };
    e.Dati.FormaNumero = static_cast<std::int16_t>(v(0).toInt());
    e.Dati.CoppiaSimboli = static_cast<std::int16_t>(v(1).toInt());
    e.Dati.ValoreNumero = v(2).toLongLong();
    e.Dati.NumeroTesto = v(3).toString();
    e.Dati.SimboloDa = v(4).toString();
    e.Dati.SimboloA = v(5).toString();
    e.Dati.RisultatoTesto = v(6).toString();
    e.Dati.SoluzioneTesto = v(7).toString();
    e.Dati.Sorteggio = static_cast<std::int16_t>(v(8).toInt());
    e.ChiedeSimbolo = v(9).toBool();
    e.SoluzioneTesto = v(10).toString();
    e.AiutoOfferto = v(11).toBool();
    e.AiutoAccettato = v(12).toBool();
    e.SoluzioneData = v(13).toBool();
    e.Secondi = v(14).toInt();
}
