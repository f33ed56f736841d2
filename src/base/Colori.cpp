#include "base/Colori.h"

#include <algorithm>
#include <cmath>

namespace {

double Luminanza(std::int32_t rgb) {
    const auto lineare = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineare(rgb & 0xff) + 0.7152 * lineare((rgb >> 8) & 0xff) +
           0.0722 * lineare((rgb >> 16) & 0xff);
}

} // namespace

std::optional<std::int32_t> ColoreDaTesto(const QString& testo) {
    bool ok = false;
    const qlonglong valore = testo.trimmed().toLongLong(&ok);
    if (!ok || valore < 0 || valore > 0xFFFFFF) return std::nullopt;
    return static_cast<std::int32_t>(valore);
}

double RapportoContrasto(std::int32_t a, std::int32_t b) {
    const double la = Luminanza(a), lb = Luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::int32_t CaratteriLeggibili(std::int32_t pagina, std::int32_t caratteri) {
    if (RapportoContrasto(pagina, caratteri) >= ContrastoMinimo) return caratteri;
    return RapportoContrasto(pagina, ColoreNero) >= RapportoContrasto(pagina, Rgb(255, 255, 255))
               ? ColoreNero
               : Rgb(255, 255, 255);
}
