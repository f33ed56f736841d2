#pragma once

// The program's style: Fusion, except for the keys.
//
// A key (a push button marked with Segna, as every key of a GruppoTasti is) is painted flat
// in its palette's Button colour with a thin darker border, so the focus and rest colours of
// its group fill the whole key evenly:
// - pressed (shown down): a darker shade of the same colour;
// - disabled: the colour washed towards grey, a pale border, and a grey caption dark enough
//   to stay readable (contrast at least ContrastoMinimo against the key);
// - with the focus: its focus colour and a dark outline, ContornoFuoco pixels wide, just
//   inside its border, so the focus shows by more than colour (an outline at least
//   ContrastoContorno against the key; white on a key too dark for a dark one).
// A push button highlighted by scanning (Evidenzia), marked as a key or not, is painted flat
// in the scanning colour instead, its caption black or white, whichever reads better on it.
// Radio buttons with the focus get the same outline around their caption and circle.
// A caption too wide for its key is drawn on two lines, broken between words where the
// longer line is shortest. Every other widget, unmarked push buttons included, is Fusion's.
//
// Installed once for the whole application (QApplication::setStyle(new StileTasti)), which
// takes ownership of it.

#include <QColor>
#include <QProxyStyle>
#include <QStringList>

class QFontMetrics;
class QWidget;

class StileTasti : public QProxyStyle {
    Q_OBJECT
public:
    StileTasti();

    // Least contrast of a caption against its key (WCAG relative-luminance ratio).
    static constexpr double ContrastoMinimo = 4.5;
    // Space between a key's edge and its caption area, in pixels (border included).
    static constexpr int Margine = 4;
    // Width of the focus outline in pixels, and its least contrast against the key.
    static constexpr int ContornoFuoco = 3;
    static constexpr double ContrastoContorno = 3.0;

    // The colour of the focus outline on a key or background of colour fondo.
    static QColor ColoreContorno(const QColor& fondo);

    // Marks a push button as a key, painted by this style; Segnato tells whether it is one.
    static void Segna(QWidget* tasto);
    static bool Segnato(const QWidget* w);

    // Paints a push button in colore, the scanning highlight; an invalid colour takes the
    // highlight away. Evidenza: the highlight of w, invalid when none.
    static void Evidenzia(QWidget* tasto, const QColor& colore);
    static QColor Evidenza(const QWidget* w);

    // Contrast ratio of two colours, 1 to 21, by the WCAG relative-luminance formula.
    static double Contrasto(const QColor& a, const QColor& b);

    // The lines a caption is drawn on within larghezza pixels: the caption itself when it
    // fits or has a single word, otherwise two lines broken between words.
    static QStringList Righe(const QString& testo, const QFontMetrics& metrica, int larghezza);

    void drawPrimitive(PrimitiveElement elemento, const QStyleOption* opzione, QPainter* pittore,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement elemento, const QStyleOption* opzione, QPainter* pittore,
                     const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement elemento, const QStyleOption* opzione,
                         const QWidget* widget) const override;

private:
    static QColor Fondo(const QStyleOption* opzione, const QWidget* widget);
    static QColor Bordo(const QStyleOption* opzione, const QColor& fondo);
    static QColor Didascalia(const QStyleOption* opzione, const QColor& fondo,
                             const QWidget* widget);
    // Painted flat by this style: a key, or a highlighted push button.
    static bool Piatto(const QWidget* w);
};
