#pragma once

// A printed page as data. The core builds pages (the record of the exercises done, the
// certificate, the worksheets) and tests them as data; one renderer in the UI library
// paints a page on a printer, a PDF file or a widget on screen.
//
// Positions and sizes are in twips (1/1440 inch) from the top-left corner of the printable
// area. A text's top edge is at y: the renderer puts its baseline at y + the font's ascent.

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

struct TestoPagina {
    int x = 0; // left edge; the left edge of the band when larghezza > 0
    int y = 0; // top of the line
    QString famiglia;
    double punti = 12; // font size in points
    bool grassetto = false;
    std::int32_t colore = 0; // packed as red + 256 * green + 65536 * blue
    QString testo;
    int larghezza = 0; // > 0: the text is centred in the band [x, x + larghezza]

    bool operator==(const TestoPagina&) const = default;
};

// A rectangle outline, for frames around a drawing.
struct RiquadroPagina {
    int x = 0;
    int y = 0;
    int larghezza = 0;
    int altezza = 0;
    std::int32_t colore = 0;
    int spessore = 15; // line width in twips

    bool operator==(const RiquadroPagina&) const = default;
};

struct Pagina {
    QList<TestoPagina> testi;
    QList<RiquadroPagina> riquadri;

    bool operator==(const Pagina&) const = default;
};

// The texts of a page in reading order, one line for each height on the page (texts side by
// side joined by a blank), for those who read it without seeing it.
QStringList RigheDiTesto(const Pagina& pagina);
