#pragma once

// What must hold in a drill window after any event, for the monkey tests, and a seeded
// random source for the real generator.

#include "base/FonteCasuale.h"
#include "drill/FrmOperativo.h"
#include "support/DoppiSerie.h"

#include <QFrame>
#include <QString>

#include <random>

// The real generator's draws from a seeded sequence: the same seed, the same problems.
class FonteSeminata : public FonteCasuale {
public:
    explicit FonteSeminata(unsigned seme) : caso_(seme) {}
    void Rimescola() override {}
    float Rnd() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(caso_); }

private:
    std::mt19937 caso_;
};

// Whether the exercise on show still waits for its reply.
inline bool Aperto(const Serie& serie) {
    switch (serie.PannelloAttivo()) {
    case Pannello::Tastierino:
        return !serie.Option2()[Serie::Avanti];
    case Pannello::Simboli:
        return !serie.Option1()[Serie::AvantiS];
    case Pannello::Aiuto:
    case Pannello::Intervento:
        return true;
    case Pannello::Avviso:
        return false;
    }
    return false;
}

inline QString ControllaOperativo(const FrmOperativo& w, const StatoProgramma& stato) {
    const Serie& serie = w.serie();
    const int chiusi = stato.Registro.IndiceEsercizio() - (Aperto(serie) ? 1 : 0);
    if (stato.Registro.IndiceEsercizio() < 1 ||
        stato.Registro.IndiceEsercizio() > Serie::NumeroEsercizi)
        return QStringLiteral("esercizio %1 fuori dalla serie")
            .arg(stato.Registro.IndiceEsercizio());
    if (stato.Registro.EsatteTotale() + stato.Registro.ErrateTotale() != chiusi)
        return QStringLiteral("esatte %1 + risolte %2 diverse dagli esercizi chiusi %3")
            .arg(stato.Registro.EsatteTotale())
            .arg(stato.Registro.ErrateTotale())
            .arg(chiusi);
    for (int k = 1; k <= chiusi; ++k)
        if (RigaDi(stato, k).isEmpty())
            return QStringLiteral("la riga dell'esercizio chiuso %1 manca").arg(k);
    if (serie.RispostaTesto().size() > serie.LimiteRisposta())
        return QStringLiteral("risposta \"%1\" oltre il limite %2")
            .arg(serie.RispostaTesto())
            .arg(serie.LimiteRisposta());

    const char* nomi[5] = {"fraTastierino", "fraSimboli", "fraAiuto", "fraIntervento", "fraAvviso"};
    int davanti = 0;
    for (int k = 0; k < 5; ++k) {
        const auto* cornice = w.findChild<QFrame*>(QLatin1String(nomi[k]));
        const bool attivo = cornice->isEnabled() && cornice->isVisibleTo(&w);
        if (attivo) ++davanti;
        if (attivo != (k == static_cast<int>(serie.PannelloAttivo())))
            return QStringLiteral("pannello %1: attivo %2").arg(nomi[k]).arg(attivo);
    }
    if (davanti != 1) return QStringLiteral("%1 pannelli attivi").arg(davanti);
    return {};
}
