#pragma once

// The drill window for a test: a unit system and the start screen's choices, the test
// doubles of the clock and the sound, a random source of the test's choosing, and the window
// itself, with the few look-ups every drill test makes.

#include "drill/FrmOperativo.h"
#include "start/Catalogo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <utility>

template <class Fonte = FonteCasualeFinta> struct BancoOperativo {
    // System `livello` of the catalogue; kind and order as the start screen's button indices.
    // The fonte's own arguments follow.
    template <class... Argomenti>
    BancoOperativo(int livello, int tipo, int ordine, Argomenti&&... argomenti)
        : fonte(std::forward<Argomenti>(argomenti)...) {
        stato.Livello = static_cast<std::int16_t>(livello);
        SceltaSimboli(stato);
        ScegliTipo(stato, tipo);
        ScegliOrdine(stato, ordine);
        w = std::make_unique<FrmOperativo>(stato, fonte, orologio, suono, nullptr);
    }

    // The problems the series hands out, in turn.
    void Problemi(QList<ProblemaFinto> problemi) {
        w->serie().ImpostaGeneratore(GeneratoreFinto(std::move(problemi)));
    }

    // Shown (the series starts) and active.
    bool Mostra() {
        w->show();
        QApplication::setActiveWindow(w.get());
        return QTest::qWaitForWindowActive(w.get());
    }

    QPushButton* Tasto(const QString& nome) const {
        auto* b = w->findChild<QPushButton*>(nome);
        if (!b) qFatal("no key %s", qPrintable(nome));
        return b;
    }

    StatoProgramma stato;
    Fonte fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    std::unique_ptr<FrmOperativo> w;
};
