#pragma once

// Helpers shared by the small fixed-size windows: absolute placement in design twips,
// the window's size and colour, and the closing button.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QPushButton>
#include <QRect>

#include "ui/Controlli.h"
#include "ui/StileTasti.h"

namespace finestra_piccola {

using controlli::Arial;
using controlli::Colora;
using controlli::Colore;
using controlli::Colori;
using controlli::DaTwip;
using controlli::Etichetta;
using controlli::Tasto;
using controlli::TwipPerPixel;

// Fixed client size in twips, background colour, caption and modality.
inline void Prepara(QDialog* finestra, const QString& titolo, int larghezza, int altezza,
                    const QColor& sfondo) {
    finestra->setWindowTitle(titolo);
    finestra->setModal(true);
    finestra->setFixedSize(DaTwip(0, 0, larghezza, altezza).size());
    Colori(finestra, sfondo);
}

// The "C h i u d i" button: a key in the focus colour of the keys, flat like every other key
// of the program, that closes the window.
inline QPushButton* Chiudi(QDialog* finestra, QRect r, const QFont& font) {
    auto* b = Tasto(finestra, QStringLiteral("Command1"), QStringLiteral("C h i u d i"), r, font);
    Colora(b, QPalette::Button, tavolozza::TastoChiudi);
    StileTasti::Segna(b);
    b->setDefault(true);
    b->setAccessibleName(QStringLiteral("Chiudi")); // not spelled out letter by letter
    QObject::connect(b, &QPushButton::clicked, finestra, &QDialog::accept);
    return b;
}

} // namespace finestra_piccola
