#include "results/Interlinea.h"

#include <cmath>

namespace {

constexpr double TwipPerPunto = 20.0;

struct Metrica {
    const char* famiglia;
    double em; // line height / point size
};

// Courier New and Liberation Mono: ascent 0.833 + descent 0.300, no line gap (2320/2048).
// Arial and Liberation Sans: ascent 0.905 + descent 0.212 + line gap 0.033 (2355/2048).
// MS Sans Serif is a bitmap font: at 8.25 pt (11 px at 96 dpi) its lines are 13 px, that is
// 195 twips, in either weight.
constexpr Metrica Metriche[] = {
    {"Courier New", 2320.0 / 2048.0},     {"Courier", 2320.0 / 2048.0},
    {"Liberation Mono", 2320.0 / 2048.0}, {"Arial", 2355.0 / 2048.0},
    {"Liberation Sans", 2355.0 / 2048.0}, {"MS Sans Serif", 195.0 / (8.25 * TwipPerPunto)},
};

constexpr double EmSconosciuto = 1.2;

} // namespace

int AltezzaRiga(const QString& famiglia, double punti) {
    double em = EmSconosciuto;
    for (const Metrica& m : Metriche) {
        if (famiglia.compare(QLatin1String(m.famiglia), Qt::CaseInsensitive) == 0) {
            em = m.em;
            break;
        }
    }
    return static_cast<int>(std::lround(punti * TwipPerPunto * em));
}
