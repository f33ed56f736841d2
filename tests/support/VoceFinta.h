#pragma once

// A voice that writes down what it is asked to say, in order, instead of speaking. Like the
// real voice, each text cuts short the one before: Ultimo() is what is being heard. It
// records whatever it is given, whatever the switch says; the real voice reads the switch.
// Whether speech is available is answered at once, or held back until Rispondi().

#include "base/Servizi.h"

#include <QStringList>
#include <functional>
#include <vector>

class VoceFinta : public Voce {
public:
    void Di(const QString& testo) override { detti.append(testo); }
    void Disponibile(std::function<void(bool)> risposta) override {
        ++domande;
        if (rispondeSubito)
            risposta(disponibile);
        else
            attese.push_back(std::move(risposta));
    }
    // Gives the answers held back, as a slow engine does once it has started.
    void Rispondi() {
        const auto risposte = std::move(attese);
        attese.clear();
        for (const auto& risposta : risposte)
            risposta(disponibile);
    }
    QString Ultimo() const { return detti.isEmpty() ? QString() : detti.last(); }

    QStringList detti;          // every text, in order of arrival
    bool disponibile = true;    // the answer to Disponibile
    bool rispondeSubito = true; // false: answers wait for Rispondi()
    int domande = 0;            // how many times Disponibile was asked
    std::vector<std::function<void(bool)>> attese;
};
