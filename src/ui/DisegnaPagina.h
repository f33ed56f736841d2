#pragma once

// The one painter of printed pages: the same function draws a page on a printer, into a
// PDF file and on a widget on screen, so a preview shows exactly what is printed.

#include "base/Pagina.h"

#include <QPointF>

class QPainter;

// Paints pagina with pittore on its device. scala is device pixels per twip; origine is where
// the page's (0, 0) lies on the device. Fonts are sized from the scale (a 12 pt text is
// 240 twips high whatever the device), so a preview of any size keeps the page's
// proportions, and on a printer the text stays vector text at the printer's resolution.
void DisegnaPagina(QPainter& pittore, const Pagina& pagina, double scala,
                   QPointF origine = QPointF());

// Device pixels per twip for a device of the given dots per inch (1440 twips an inch).
inline double ScalaPerDpi(double dpi) {
    return dpi / 1440.0;
}
