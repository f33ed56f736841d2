#pragma once

// Colours as the program stores and prints them: 24-bit RGB packed as
// red + 256 * green + 65536 * blue, and the colours that several windows share. The windows
// take their colours, these among them, from the palette in ui/Tavolozza.h.

#include <QString>

#include <cstdint>
#include <optional>

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

// A colour held as decimal text (as the options record keeps the letter colour and the dark
// scan shade); nothing when the text is not a packed colour.
std::optional<std::int32_t> ColoreDaTesto(const QString& testo);

// The contrast ratio of two colours, 1 to 21, as the web's accessibility guidelines measure
// it from their relative luminance.
double RapportoContrasto(std::int32_t a, std::int32_t b);
// The least ratio at which ordinary text reads on its background.
inline constexpr double ContrastoMinimo = 4.5;

// The letter colour to use on a page: the chosen one when it reads on the page, otherwise
// black or white, whichever contrasts more with the page.
std::int32_t CaratteriLeggibili(std::int32_t pagina, std::int32_t caratteri);
