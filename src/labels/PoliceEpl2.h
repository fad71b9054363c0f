#pragma once

#include <array>

namespace tarvo::etiquettes {

// A small bitmap font for label previews: it needs no font database, so the
// preview draws the same picture in the desktop program and in tarvoctl.
constexpr int LargeurGlyphe = 8;
constexpr int HauteurGlyphe = 12;
constexpr int PremierGlyphe = 0x20;
constexpr int NombreGlyphes = 0x100 - PremierGlyphe;

extern const std::array<std::array<unsigned char, HauteurGlyphe>, NombreGlyphes> GlyphesEpl2;

} // namespace tarvo::etiquettes
