#pragma once

// A random source that plays back a script of values, so that a test decides every draw.

#include "generation/Algoritmi.h"

#include <QList>

class FonteCasualeFinta : public FonteCasuale {
public:
    FonteCasualeFinta() = default;
    explicit FonteCasualeFinta(QList<float> copione) : copione_(std::move(copione)) {}

    // The value r that makes the draw floor(n * r) + base give `valore`: the middle of its
    // slot, so float rounding never moves it to a neighbour.
    static float Per(int valore, int n, int base) {
        return (static_cast<float>(valore - base) + 0.5f) / static_cast<float>(n);
    }

    // Script of one GeneraProblema call: four digits, the form, the pair (only drawn when
    // NumeroUnita is 3 or 4) and, for OrdineSimboli 3, the direction.
    static QList<float> Problema(std::array<int, 4> cifre, int forma, int numeroUnita = 4,
                                 int coppia = 0, int sorteggio = 0) {
        QList<float> c;
        for (int d : cifre)
            c << Per(d, 9, 1);
        c << Per(forma, 18, 1);
        if (numeroUnita == 4) c << Per(coppia, 6, 1);
        if (numeroUnita == 3) c << Per(coppia, 3, 4);
        if (sorteggio != 0) c << Per(sorteggio, 2, 1);
        return c;
    }

    void Carica(QList<float> copione) {
        copione_ = std::move(copione);
        letti_ = 0;
    }
    void Aggiungi(const QList<float>& altro) { copione_ += altro; }

    void Rimescola() override { ++rimescolamenti_; }
    float Rnd() override {
        if (letti_ >= copione_.size()) {
            ++oltre_;
            return 0.0f;
        }
        return copione_[letti_++];
    }

    qsizetype Letti() const { return letti_; }
    qsizetype Restanti() const { return copione_.size() - letti_; }
    int Rimescolamenti() const { return rimescolamenti_; }
    int OltreIlCopione() const { return oltre_; } // draws asked after the script ran out

private:
    QList<float> copione_;
    qsizetype letti_ = 0;
    int rimescolamenti_ = 0;
    int oltre_ = 0;
};
