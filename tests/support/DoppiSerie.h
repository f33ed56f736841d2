#pragma once

// Test doubles for the drill: a clock the test moves by hand, a sound player that counts,
// and a problem generator that hands out problems the test wrote.

#include "base/Servizi.h"
#include "base/StatoProgramma.h"
#include "generation/Algoritmi.h"
#include "generation/Spazi.h"

#include <QList>
#include <QString>

#include <functional>

class OrologioFinto : public Orologio {
public:
    std::int64_t Millisecondi() override { return ms; }
    void AvanzaSecondi(double secondi) { ms += static_cast<std::int64_t>(secondi * 1000.0); }
    std::int64_t ms = 1'000'000;
};

class SuonoFinto : public Suono {
public:
    void SuonoEsatto() override { ++suonati; }
    int suonati = 0;
};

// The texts of one problem as the generator would make it.
struct ProblemaFinto {
    QString NumeroTesto;
    QString SimboloDa;
    QString SimboloA;
    QString RisultatoTesto;
};

// Hands out the queued problems in turn; the last one again when the queue is used up. Each
// hand-out counts as a draw of its own (its value is its count), never as a repeat of an
// earlier problem, so the series takes the problems exactly as queued.
class GeneratoreFinto {
public:
    explicit GeneratoreFinto(QList<ProblemaFinto> problemi) : problemi_(std::move(problemi)) {}
    Problema operator()(const StatoProgramma&, FonteCasuale&) {
        const ProblemaFinto& p = problemi_[std::min<qsizetype>(dati_, problemi_.size() - 1)];
        ++dati_;
        Problema problema;
        problema.NumeroTesto = p.NumeroTesto;
        problema.SimboloDa = p.SimboloDa;
        problema.SimboloA = p.SimboloA;
        problema.RisultatoTesto = p.RisultatoTesto;
        problema.FormaNumero = 1;
        problema.CoppiaSimboli = 4;
        problema.ValoreNumero = dati_;
        return problema;
    }

private:
    QList<ProblemaFinto> problemi_;
    qsizetype dati_ = 0;
};

// A four-unit length system as the catalogue gives it.
inline void SistemaMetri(StatoProgramma& stato) {
    stato.Simbolo = {QString(), QStringLiteral("  m "), QStringLiteral(" dm "),
                     QStringLiteral(" cm "), QStringLiteral(" mm ")};
    stato.NumeroUnita = 4;
}

// Record line k (1..20) of the series in `stato`, as printed; empty beyond the exercises shown.
inline QString RigaDi(const StatoProgramma& stato, int k) {
    const auto& esercizi = stato.Registro.Esercizi;
    return k >= 1 && k <= static_cast<int>(esercizi.size()) ? RigaEsercizio(esercizi[k - 1])
                                                            : QString();
}

// A series of n exercises in `stato`, "numero(k) m = ? dm", each answered right at the first
// try with risposta(k) in k seconds.
inline void SerieDiProva(StatoProgramma& stato, int n, const std::function<QString(int)>& numero,
                         const std::function<QString(int)>& risposta) {
    stato.Registro = RegistroSerie{};
    for (int k = 1; k <= n; ++k) {
        EsercizioSvolto e;
        e.Dati.NumeroTesto = numero(k);
        e.Dati.SimboloDa = QStringLiteral("  m ");
        e.Dati.SimboloA = QStringLiteral(" dm ");
        e.Dati.RisultatoTesto = e.SoluzioneTesto = risposta(k);
        e.Tentativi.push_back({risposta(k), true});
        e.Secondi = k;
        stato.Registro.Esercizi.push_back(e);
    }
    stato.Registro.Finita = n == 20;
}

// A series of `esercizi` exercises: the first `esatte` answered right, the others solved by
// the program.
inline void SerieConEsiti(StatoProgramma& stato, int esatte, int esercizi) {
    SerieDiProva(
        stato, esercizi, [](int k) { return QString::number(k); },
        [](int k) { return QString::number(10 * k); });
    for (int k = esatte; k < esercizi; ++k) {
        EsercizioSvolto& e = stato.Registro.Esercizi[k];
        e.Tentativi.front().Esatta = false;
        e.SoluzioneData = true;
    }
}
