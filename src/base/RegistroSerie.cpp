#include "base/RegistroSerie.h"

#include <algorithm>
#include <limits>

bool EsercizioSvolto::Esatto() const {
    return !Tentativi.empty() && Tentativi.back().Esatta;
}

bool EsercizioSvolto::Chiuso() const {
    return SoluzioneData || Esatto();
}

std::int16_t RegistroSerie::EsatteTotale() const {
    return static_cast<std::int16_t>(
        std::count_if(Esercizi.begin(), Esercizi.end(), [](const auto& e) { return e.Esatto(); }));
}

std::int16_t RegistroSerie::ErrateTotale() const {
    return static_cast<std::int16_t>(std::count_if(Esercizi.begin(), Esercizi.end(),
                                                   [](const auto& e) { return e.SoluzioneData; }));
}

std::int32_t RegistroSerie::TempoTotale() const {
    std::int64_t somma = 0;
    for (const auto& e : Esercizi)
        somma = std::min<std::int64_t>(somma + e.Secondi, std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(somma);
}
