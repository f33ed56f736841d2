#pragma once

// Words of praise ("RINFORZO SONORO"), said by the program's voice: a short one after each
// right reply, varied and never the same twice in a row, and at the end of a series its
// count of right replies.

#include "base/FonteCasuale.h"

#include <QString>
#include <QStringList>

class Lodi {
public:
    // Every praise that may follow a right reply.
    static const QStringList& Elenco();

    // A praise drawn at random from the list, never the one this object gave last.
    QString Prossima(FonteCasuale& fonte);

    // At the end of a series: "Serie finita: 18 risposte esatte su 20. Ottimo lavoro!", the
    // closing words chosen by the share of right replies.
    static QString FineSerie(int esatte, int esercizi);

private:
    int ultima_ = -1;
};
