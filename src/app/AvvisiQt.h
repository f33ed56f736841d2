#pragma once

// Messages for the user as message boxes over the active window.

#include "base/Servizi.h"

#include <QApplication>
#include <QMessageBox>
#include <functional>

class AvvisiQt : public Avvisi {
public:
    // Called with each message box before it is shown: the program attaches scanning to it.
    using Preparazione = std::function<void(QMessageBox& messaggio)>;
    void ImpostaPreparazione(Preparazione preparazione) { preparazione_ = std::move(preparazione); }

    void Errore(const QString& titolo, const QString& testo) override {
        Mostra(QMessageBox::Critical, titolo, testo);
    }
    void Informa(const QString& titolo, const QString& testo) override {
        Mostra(QMessageBox::Information, titolo, testo);
    }

private:
    void Mostra(QMessageBox::Icon icona, const QString& titolo, const QString& testo) {
        QMessageBox messaggio(icona, titolo, testo, QMessageBox::Ok, QApplication::activeWindow());
        if (preparazione_) preparazione_(messaggio);
        messaggio.exec();
    }

    Preparazione preparazione_;
};
