#include "ui/DisegnaPagina.h"

#include "ui/Controlli.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace {

// A font whose height on the device is punti points of the page at the given scale. The
// size goes through the device's own dots per inch, which the painter uses to turn points
// into pixels, so fractional sizes stay exact (a pixel size would be rounded to whole
// pixels, visibly so on a small preview).
QFont FontPer(const TestoPagina& t, double scala, const QPaintDevice* dispositivo) {
    QFont font(t.famiglia);
    const double pixel = t.punti * 20.0 * scala;
    const int dpi = dispositivo ? dispositivo->logicalDpiY() : 72;
    font.setPointSizeF(std::max(0.01, pixel * 72.0 / (dpi > 0 ? dpi : 72)));
    font.setBold(t.grassetto);
    return font;
}

} // namespace

void DisegnaPagina(QPainter& pittore, const Pagina& pagina, double scala, QPointF origine) {
    pittore.save();
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setRenderHint(QPainter::TextAntialiasing);
    const QPaintDevice* dispositivo = pittore.device();

    pittore.setBrush(Qt::NoBrush);
    for (const RiquadroPagina& r : pagina.riquadri) {
        QPen penna(controlli::Colore(r.colore));
        penna.setWidthF(std::max(0.0, r.spessore * scala));
        penna.setJoinStyle(Qt::MiterJoin);
        pittore.setPen(penna);
        pittore.drawRect(QRectF(origine.x() + r.x * scala, origine.y() + r.y * scala,
                                r.larghezza * scala, r.altezza * scala));
    }

    for (const TestoPagina& t : pagina.testi) {
        if (t.testo.isEmpty()) continue;
        const QFont font = FontPer(t, scala, dispositivo);
        const QFontMetricsF metriche(font, dispositivo);
        double x = origine.x() + t.x * scala;
        if (t.larghezza > 0) x += (t.larghezza * scala - metriche.horizontalAdvance(t.testo)) / 2.0;
        const double linea = origine.y() + t.y * scala + metriche.ascent();
        pittore.setFont(font);
        pittore.setPen(controlli::Colore(t.colore));
        pittore.drawText(QPointF(x, linea), t.testo);
    }
    pittore.restore();
}
