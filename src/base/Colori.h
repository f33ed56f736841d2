#pragma once

// Colours as the program stores and prints them: 24-bit RGB packed as
// red + 256 * green + 65536 * blue, and the colours that several windows share. The windows
// take their colours, these among them, from the palette in ui/Tavolozza.h.

#include <cstdint>

constexpr std::int32_t Rgb(int rosso, int verde, int blu) {
    return rosso + 256 * verde + 65536 * blu;
}

// A key or choice at rest, and while it holds the focus; also the background of several
// windows and of the curtains.
constexpr std::int32_t ColoreRiposo = Rgb(255, 224, 192);
constexpr std::int32_t ColoreFuoco = Rgb(255, 192, 128);
// Red texts and marks: chosen kind and order, indicators, the grade.
constexpr std::int32_t ColoreRosso = Rgb(255, 0, 0);
constexpr std::int32_t ColoreNero = Rgb(0, 0, 0);
