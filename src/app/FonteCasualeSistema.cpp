#include "app/FonteCasualeSistema.h"

#include <QRandomGenerator>

#include <chrono>

namespace {

std::uint64_t Mescola(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t FonteCasualeSistema::OraDelGiornoSistema() {
    // UTC, not local time: reading the local time consults the time-zone file on every
    // call, and the zone adds nothing to a seed.
    constexpr std::int64_t NanoGiorno = 86'400'000'000'000;
    const std::int64_t adesso = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::system_clock::now().time_since_epoch())
                                    .count();
    return static_cast<std::uint64_t>(adesso % NanoGiorno);
}

FonteCasualeSistema::FonteCasualeSistema(OraDelGiorno ora)
    : ora_(ora), stato_(QRandomGenerator::system()->generate64()) {}

void FonteCasualeSistema::Rimescola() {
    // The time of day is folded into the state by a bijective mix: the state keeps
    // everything it had, so two stirs within one tick of the clock still move it apart.
    stato_ = Mescola(stato_ ^ (ora_() * 0x9E3779B97F4A7C15ull));
}

float FonteCasualeSistema::Rnd() {
    // SplitMix64; the top 24 bits make a float on the even grid of [0, 1).
    stato_ += 0x9E3779B97F4A7C15ull;
    return static_cast<float>(Mescola(stato_) >> 40) * 0x1p-24f;
}
