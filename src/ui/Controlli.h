#pragma once

// Small helpers the windows use to build their controls: every control is absolutely placed
// at its design geometry, named as in the design (tests find controls by name) and given its
// design font. What one window does differently (opaque labels, a hand cursor, panels with
// a coloured border) stays in that window, built on these.

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/Tavolozza.h"

#include <cstdint>

namespace controlli {

// Design geometries are in twips, 1/1440 inch: 15 twips make a pixel at 96 dpi.
inline constexpr int TwipPerPixel = 15;

// A design length in twips, in whole pixels.
inline constexpr int DaTwip(int twip) {
    return (twip >= 0 ? twip + TwipPerPixel / 2 : twip - TwipPerPixel / 2) / TwipPerPixel;
}

// A design rectangle given in twips, in pixels.
inline constexpr QRect DaTwip(int sinistra, int alto, int larghezza, int altezza) {
    return {DaTwip(sinistra), DaTwip(alto), DaTwip(larghezza), DaTwip(altezza)};
}

// A packed colour (red + 256 * green + 65536 * blue) as a QColor.
using tavolozza::Colore;

// Arial at a design size in points. Fonts keep their design size when a window is scaled.
// On Linux, fonts-liberation answers for "Arial" with its metric twin.
inline QFont Arial(qreal punti, bool grassetto = false, bool corsivo = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    f.setItalic(corsivo);
    return f;
}

// Sets one colour of a widget's palette. A widget repaints whenever it is given a palette,
// so a colour it already has is not set again: a label recoloured on every reply repaints
// only when its colour really changes.
inline void Colora(QWidget* w, QPalette::ColorRole ruolo, const QColor& colore) {
    if (w->palette().color(ruolo) == colore) return;
    QPalette p = w->palette();
    p.setColor(ruolo, colore);
    w->setPalette(p);
}

// Background and text colour of a widget, in one new palette; an invalid colour leaves that
// role as it is. A widget given a background also paints it (child widgets are transparent
// otherwise).
inline void Colori(QWidget* w, const QColor& sfondo, const QColor& testo = QColor()) {
    if (!sfondo.isValid() && !testo.isValid()) return;
    QPalette p = w->palette();
    if (sfondo.isValid()) {
        p.setColor(QPalette::Window, sfondo);
        w->setAutoFillBackground(true);
    }
    if (testo.isValid()) p.setColor(QPalette::WindowText, testo);
    w->setPalette(p);
}

// A widget of type T, named, at a geometry in pixels inside its parent.
template <class T> T* Crea(QWidget* genitore, const QString& nome, QRect r) {
    auto* w = new T(genitore);
    w->setObjectName(nome);
    w->setGeometry(r);
    return w;
}

// A plain frame, grouping controls that are shown, hidden, enabled or moved together.
inline QFrame* Cornice(QWidget* genitore, const QString& nome, QRect r) {
    return Crea<QFrame>(genitore, nome, r);
}

// A label, transparent, in the given font, text colour (invalid: the parent's) and
// alignment.
inline QLabel* Etichetta(QWidget* genitore, const QString& nome, QRect r, const QFont& font,
                         const QColor& colore = QColor(),
                         Qt::Alignment allineamento = Qt::AlignCenter,
                         const QString& testo = QString()) {
    auto* l = Crea<QLabel>(genitore, nome, r);
    l->setText(testo);
    l->setFont(font);
    l->setAlignment(allineamento);
    Colori(l, QColor(), colore);
    return l;
}

// A push button. Keys take the focus from the mouse and from the keyboard alike, whatever
// the style's default, since the windows are driven by the keyboard too.
inline QPushButton* Tasto(QWidget* genitore, const QString& nome, const QString& testo, QRect r,
                          const QFont& font) {
    auto* b = Crea<QPushButton>(genitore, nome, r);
    b->setText(testo);
    b->setFont(font);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace controlli
