#pragma once

// Test doubles for the drill: a clock the test moves by hand, a sound player that counts,
// and a problem generator that hands out problems the test wrote.

#include "base/Servizi.h"
#include "base/StatoProgramma.h"
#include "generation/Algoritmi.h"

#include <QList>
#include <QString>

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

// One problem as the generator would leave it in the program-wide state.
struct ProblemaFinto {
    QString NumeroTesto;
    QString SimboloDa;
    QString SimboloA;
    QString RisultatoTesto;
};

// Hands out the queued problems in turn; the last one again when the queue is used up.
class GeneratoreFinto {
public:
    explicit GeneratoreFinto(QList<ProblemaFinto> problemi) : problemi_(std::move(problemi)) {}
    void operator()(StatoProgramma& stato, FonteCasuale&) {
        const ProblemaFinto& p = problemi_[std::min<qsizetype>(dati_, problemi_.size() - 1)];
        ++dati_;
        stato.NumeroTesto = p.NumeroTesto;
        stato.SimboloDa = p.SimboloDa;
        stato.SimboloA = p.SimboloA;
        stato.RisultatoTesto = p.RisultatoTesto;
        stato.FormaNumero = 1;
        stato.CoppiaSimboli = 4;
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
