#pragma once

#include "base/FonteCasuale.h"

#include <cstdint>

// The program's source: a 64-bit generator seeded once, stirred by the time of day.
class FonteCasualeSistema : public FonteCasuale {
public:
    // Nanoseconds since midnight, UTC.
    using OraDelGiorno = std::uint64_t (*)();
    static std::uint64_t OraDelGiornoSistema();

    // A test may pass a clock of its own, for example one that never moves.
    explicit FonteCasualeSistema(OraDelGiorno ora = OraDelGiornoSistema);
    void Rimescola() override;
    float Rnd() override;

private:
    OraDelGiorno ora_;
    std::uint64_t stato_;
};
