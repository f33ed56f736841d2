#pragma once

#include <cstdint>

// Fixed-point value with four decimals: 1,5 is 15000.
using Fisso4 = std::int64_t;
constexpr Fisso4 UnoFisso4 = 10000;
