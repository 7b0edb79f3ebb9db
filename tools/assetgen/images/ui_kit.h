#pragma once
// The building blocks every screen shares: the winter night backdrop, frosted panels, buttons,
// highlight plaques, labels and the "Frostlide" wordmark.
#include <string>

#include "tools/assetgen/images/raster.h"
#include "tools/assetgen/images/text.h"

namespace art {

// A pixel rectangle: x, y of the top-left pixel, width and height.
struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  int x1() const { return x + w; }  // one past the right edge
  int y1() const { return y + h; }
  Rect Inset(int d) const { return Rect{x + d, y + d, w - 2 * d, h - 2 * d}; }
  Box ToBox() const { return Box{x, y, x + w, y + h}; }
  float cx() const { return static_cast<float>(x) + static_cast<float>(w) / 2.0f; }
  float cy() const { return static_cast<float>(y) + static_cast<float>(h) / 2.0f; }
};

// The rectangle of pixels from (x0, y0) to (x1, y1), both included.
Rect Span(int x0, int y0, int x1, int y1);
Rect Intersection(const Rect& a, const Rect& b);

namespace ui {
inline const Rgba kNight = Hex(0x0E2233);
inline const Rgba kNight2 = Hex(0x163A55);
inline const Rgba kFrost = Hex(0xBFE3F5);
inline const Rgba kIce = Hex(0x5CD6F5);
inline const Rgba kInk = Hex(0x0B1B29);
inline const Rgba kGold = Hex(0xF0C24B);
}  // namespace ui

TextStyle LabelStyle();     // white, one-pixel dark outline, soft shadow
TextStyle DisabledStyle();  // greyed out
TextStyle DarkStyle(Rgba ink);  // dark text on light tiles, no outline

// Night sky with stars, a faint aurora, snowy mountains, a snow field and falling snow.
void WinterBackdrop(Image& img, std::uint32_t seed, bool mountains);
void Snowfall(Image& img, std::uint32_t seed, int count, Box area);
// A six-armed snow crystal.
void Snowflake(Image& img, Pt c, float r, Rgba colour, float width);

// A frosted panel filling the rectangle: navy glass, a frost-blue rim and rime along the edges.
void FrostPanel(Image& img, const Rect& r, float radius, float opacity);
// The frame of a whole secondary window: panel, rim and a title strip of the given height.
void WindowFrame(Image& img, const std::string& title, int titleHeight, TextRenderer& tr);
// A recessed well (for grids and lists).
void Well(Image& img, const Rect& r, float radius);

// The highlight behind a label: a glowing ice-cyan plaque that stays inside clip.
void Plaque(Image& img, const Rect& plaque, const Rect& clip, float radius);

enum class ButtonState { Normal, Hot };
void DrawButton(Image& img, TextRenderer& tr, const Rect& r, const std::string& label, int size,
                ButtonState state, const Rect& clip);

// A small tick mark (solved levels, a matched sphere) with its top left near (x, y).
void DrawTick(Image& img, float x, float y, Rgba colour);

void Wordmark(Image& img, TextRenderer& tr, float cx, float cy, int size);

// Word-wrapped text from (x, top); returns the y below the last line.
float Paragraph(Image& img, TextRenderer& tr, const std::string& text, int size, float x, float top,
                float maxWidth, float lineHeight, const TextStyle& style);

}  // namespace art
