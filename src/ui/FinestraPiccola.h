#pragma once

// Helpers shared by the small fixed-size windows: absolute placement in design twips,
// Arial fonts at their design size, and the closing button.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRect>

namespace finestra_piccola {

// A rectangle given in twips (15 twips a pixel), in pixels.
inline QRect DaTwip(int sinistra, int alto, int larghezza, int altezza) {
    auto px = [](int twip) { return qRound(twip / 15.0); };
    return {px(sinistra), px(alto), px(larghezza), px(altezza)};
}

inline QFont Arial(qreal punti, bool grassetto = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

// Fixed client size in twips, background colour, caption and modality.
inline void Prepara(QDialog* finestra, const QString& titolo, int larghezza, int altezza,
                    const QColor& sfondo) {
    finestra->setWindowTitle(titolo);
    finestra->setModal(true);
    finestra->setFixedSize(DaTwip(0, 0, larghezza, altezza).size());
    QPalette p = finestra->palette();
    p.setColor(QPalette::Window, sfondo);
    finestra->setPalette(p);
    finestra->setAutoFillBackground(true);
}

// A transparent label.
inline QLabel* Etichetta(QWidget* genitore, const QString& nome, const QString& testo, QRect r,
                         const QFont& font, const QColor& colore = QColor()) {
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    l->setGeometry(r);
    l->setFont(font);
    if (colore.isValid()) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colore);
        l->setPalette(p);
    }
    return l;
}

// The "C h i u d i" button: a push button in RGB(255, 192, 128) that closes the window.
inline QPushButton* Chiudi(QDialog* finestra, QRect r, const QFont& font) {
    auto* b = new QPushButton(QStringLiteral("C h i u d i"), finestra);
    b->setObjectName(QStringLiteral("Command1"));
    b->setGeometry(r);
    b->setFont(font);
    QPalette p = b->palette();
    p.setColor(QPalette::All, QPalette::Button, QColor(255, 192, 128));
    b->setPalette(p);
    b->setDefault(true);
    QObject::connect(b, &QPushButton::clicked, finestra, &QDialog::accept);
    return b;
}

} // namespace finestra_piccola
