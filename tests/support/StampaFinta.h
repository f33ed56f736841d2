#pragma once

// A printer service for tests: a printer list the test writes, a current printer, the font
// check's answer, and every page "printed" kept with its description and the printer it
// went to. The answer of each print is chosen by the test.

#include "base/Pagina.h"
#include "base/Servizi.h"

#include <QList>
#include <QStringList>

class StampaFinta : public ServizioStampa {
public:
    struct Lavoro {
        Pagina pagina;
        QString descrizione;
        QString stampante; // the current printer at the time, or "PDF"
    };

    QStringList Elenco() override { return stampanti; }
    QString Corrente() override { return corrente; }
    bool Scegli(const QString& nome) override {
        if (!stampanti.contains(nome)) return false;
        corrente = nome;
        pdf = false;
        ++scelte;
        return true;
    }
    void ScegliPdf() override { pdf = true; }
    bool PdfScelto() override { return pdf; }
    QString CercaCourier() override { return courier; }
    EsitoStampa Stampa(const Pagina& pagina, const QString& descrizione) override {
        lavori.append({pagina, descrizione, pdf ? QStringLiteral("PDF") : corrente});
        // As the real service: a page printed names the printer that took it.
        EsitoStampa e = esito;
        if (e.tipo == EsitoStampa::Tipo::Stampato && e.stampante.isEmpty()) e.stampante = corrente;
        return e;
    }

    QStringList stampanti;
    QString corrente;
    bool pdf = false;
    QString courier = QStringLiteral("Courier New");
    EsitoStampa esito{EsitoStampa::Tipo::Stampato, {}};
    QList<Lavoro> lavori;
    int scelte = 0; // successful calls of Scegli
};
