#pragma once

// Messages for the user as message boxes over the active window.

#include "base/Servizi.h"

#include <QApplication>
#include <QMessageBox>

class AvvisiQt : public Avvisi {
public:
    void Errore(const QString& titolo, const QString& testo) override {
        QMessageBox::critical(QApplication::activeWindow(), titolo, testo);
    }
    void Informa(const QString& titolo, const QString& testo) override {
        QMessageBox::information(QApplication::activeWindow(), titolo, testo);
    }
};
