// The reply a pupil types, read as a number: any text either reads or does not, its value
// formats without fault, and a value within the formatter's range, formatted and read back,
// gives the same number (to the fifteen digits the formatter keeps) and the same text again.

#include "drill/Serie.h"
#include "generation/Algoritmi.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QString testo =
        QString::fromUtf8(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    const auto valore = Serie::ValoreRisposta(testo);
    if (!valore) return 0;
    const double v = *valore;
    if (std::isnan(v) || v < 0) std::abort(); // digits and one comma only: never negative
    const QString formattato = FormattaNumero(v);
    if (!(v < 2147483648.0)) {
        if (!formattato.isEmpty()) std::abort();
        return 0;
    }
    const auto riletto = Serie::ValoreRisposta(formattato);
    if (!riletto) std::abort();
    if (std::fabs(*riletto - v) > std::fabs(v) * 1e-14) std::abort();
    // Just below 2^31 the text may round up to 2.147.483.648, which no longer fits: the
    // formatter checks the range before rounding, as it documents.
    if (*riletto < 2147483648.0 && FormattaNumero(*riletto) != formattato) std::abort();
    return 0;
}
