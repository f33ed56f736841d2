#pragma once

// Records the messages the core wants the user to see, instead of showing a box.

#include "base/Servizi.h"

#include <QList>
#include <utility>

class AvvisiFinti : public Avvisi {
public:
    void Errore(const QString& titolo, const QString& testo) override {
        errori.append({titolo, testo});
    }
    void Informa(const QString& titolo, const QString& testo) override {
        notizie.append({titolo, testo});
    }
    QList<std::pair<QString, QString>> errori;  // (title, text) in order of arrival
    QList<std::pair<QString, QString>> notizie; // plain notices, likewise
};
