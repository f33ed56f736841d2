#pragma once

// A voice that writes down what it is asked to say, in order, instead of speaking; each text
// cuts the one before short, so the last one is what is heard. It records whatever it is
// given: the switch is read by the real voice. Whether speech is available is answered at
// once, or held back until Rispondi(), as by an engine that takes time to start.

#include "base/Servizi.h"

#include <QStringList>
#include <utility>
#include <vector>

class VoceFinta : public Voce {
public:
    void Di(const QString& testo) override { detti.append(testo); }
    void Loda(const QString& testo) override { lodi.append(testo); }
    void Disponibile(std::function<void(bool)> risposta) override {
        ++domande;
        attese.push_back(std::move(risposta));
        if (rispondeSubito) Rispondi();
    }
    void Rispondi() {
        for (const auto& risposta : std::exchange(attese, {}))
            risposta(disponibile);
    }

    QStringList detti;          // every text, in order
    QStringList lodi;           // every praise, in order
    bool disponibile = true;    // the answer to Disponibile
    bool rispondeSubito = true; // false: answers wait for Rispondi()
    int domande = 0;
    std::vector<std::function<void(bool)>> attese;
};
