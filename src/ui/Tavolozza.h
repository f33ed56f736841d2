#pragma once

// The colours of the windows, all in one place and named by what they colour. The colours
// the settings share with the windows are packed in base/Colori.h; the windows take every
// colour from here, as a QColor.

#include "base/Colori.h"

#include <QColor>

#include <cstdint>

namespace tavolozza {

// A packed colour (red + 256 * green + 65536 * blue) as a QColor.
constexpr QColor Colore(std::int32_t rgb) {
    return QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff);
}

// A colour held as decimal text in the options record; black when the text is not a colour.
inline QColor Colore(const QString& testo) {
    return Colore(ColoreDaTesto(testo).value_or(ColoreNero));
}

// A QColor packed as the program stores colours.
inline std::int32_t Impacchetta(const QColor& c) {
    return Rgb(c.red(), c.green(), c.blue());
}

// ---- Keys, in every window
// A key at rest and a key holding the focus.
constexpr QColor TastoRiposo = Colore(ColoreRiposo);
constexpr QColor TastoFuoco = Colore(ColoreFuoco);
// The "Chiudi" key of the small windows, always in the focus colour.
constexpr QColor TastoChiudi = TastoFuoco;
// A disabled key keeps a trace of its colour but leans towards this grey; its border.
constexpr QColor TastoSpento(230, 230, 230);
constexpr QColor BordoTastoSpento(180, 180, 180);
// The focus outline: dark brown on the warm key colours, white where that would not show.
constexpr QColor ContornoFuocoScuro(70, 35, 0);
constexpr QColor ContornoFuocoChiaro(255, 255, 255);

// ---- Small windows: the author, the instructions, the printer choice
constexpr QColor SfondoFinestraPiccola = Colore(ColoreRiposo);
// The texts that stand out: the author's addresses, the printer's state.
constexpr QColor TestoEvidente(0, 0, 192);

// ---- Start screen and options screen
constexpr QColor SfondoInizio(255, 250, 240);
constexpr QColor SfondoTitoloInizio(214, 232, 255);
// Titles and captions in navy: the start screen's title band, unit system and author's
// line, the options' group titles, the worksheet screen's legend of the units.
constexpr QColor TestoTitoli(0, 0, 128);
// The choices made, in red (on the start screen and the worksheet screen), and the arrows
// of the title band.
constexpr QColor TestoScelte = Colore(ColoreRosso);
// The curtains that open over the start screen.
constexpr QColor Tendine = Colore(ColoreFuoco);
// The three choice panels and the unit system's box: white, the panels with a border in
// the curtains' shade.
constexpr QColor SfondoPannelli(255, 255, 255);
constexpr QColor BordoPannelli(214, 160, 110);
// Options: the choices' captions, the band behind the chosen one of a group, the border of
// a colour sample.
constexpr QColor TestoOpzioni(0, 0, 0);
constexpr QColor FasciaScelta(190, 215, 255);
constexpr QColor BordoCampione(90, 90, 90);
// The preview's warning of colours that do not read: dark red on white.
constexpr QColor SfondoAvviso(255, 255, 255);
constexpr QColor TestoAvviso(170, 0, 0);

// ---- Worksheet screen (its keys in the key colours)
// The window, and the indicators that are off.
constexpr QColor SfondoSchede = Colore(ColoreRiposo);
// The indicator of the chosen kind and order.
constexpr QColor IndicatoreAcceso = Colore(ColoreRosso);
// The preview: black lines on white.
constexpr QColor SfondoAnteprimaSchede(255, 255, 255);
constexpr QColor TestoAnteprimaSchede(0, 0, 0);

// ---- Drill window
constexpr QColor SfondoEsercizio(255, 244, 228);
// The window's text: the headings, the problem, the counts and their captions.
constexpr QColor TestoEsercizio(40, 30, 20);
// The two display rows and the boxes of the counts: white, with a border in a warm brown
// (the frame of the counts too).
constexpr QColor SfondoRiga(255, 255, 255);
constexpr QColor BordoRiga(205, 140, 80);
// The pupil's reply: big blue text in a pale box.
constexpr QColor SfondoRisposta(236, 244, 255);
constexpr QColor TestoRisposta(0, 0, 192);
// The program's solution and "Esatto"; "Errato" and the warning of the end panel.
constexpr QColor TestoCorrezione(0, 120, 0);
constexpr QColor TestoErrore(200, 0, 0);
// The two lines that cross out a wrong reply.
constexpr QColor TrattoErrore(220, 0, 0);

// ---- Printout window
// The window and the lines of the record.
constexpr QColor SfondoStampa(128, 255, 255);
// The name panel and its text box, the text of both, and its "AVANTI" key at rest and with
// the focus.
constexpr QColor SfondoNome(255, 192, 255);
constexpr QColor TestoNome(192, 0, 0);
constexpr QColor AvantiRiposo(255, 128, 255);
constexpr QColor AvantiFuoco(240, 96, 240);

// ---- Certificate window
constexpr QColor SfondoAttestato(255, 192, 255);
constexpr QColor TestoTastiAttestato(0, 0, 192);
// The preview: a white page with a border and a soft shadow, on grey.
constexpr QColor SfondoAnteprimaAttestato(214, 214, 214);
constexpr QColor PaginaAttestato(255, 255, 255);
constexpr QColor BordoPaginaAttestato(150, 150, 150);
constexpr QColor OmbraPaginaAttestato(0, 0, 0, 45);

} // namespace tavolozza
