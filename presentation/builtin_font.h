#pragma once
// A small bitmap typeface compiled into the game, for the one place that must stay readable
// when the font file is missing too: the message box drawn when no system box can be shown.
#include <cstdint>
#include <string>

#include "presentation/surface.h"

namespace presentation {

inline constexpr int kBuiltinGlyphWidth = 5;
inline constexpr int kBuiltinGlyphHeight = 8;  // seven above the line, one below
inline constexpr int kBuiltinAdvance = 6;      // the glyph and one blank column

// Width in pixels of text drawn at scale (each dot scale x scale pixels).
int BuiltinTextWidth(const std::string& text, int scale);
// Draws text in one line with its top at (x, y), cut at the surface's edges. Letters beyond
// ASCII show as '?'.
void DrawBuiltinText(Surface& target, int x, int y, const std::string& text, std::uint32_t color, int scale);

}  // namespace presentation
