#pragma once
// Labels for the pictures: glyph coverage from SDL2_ttf (Open Sans Bold, DejaVu Sans Bold as a
// fallback) and a label painter with fill, outline, shadow and glow.
#include <map>
#include <string>

#include "tools/assetgen/images/raster.h"

typedef struct _TTF_Font TTF_Font;

namespace art {

class TextRenderer {
 public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  bool ok() const { return !fontPath_.empty(); }
  const std::string& fontPath() const { return fontPath_; }
  // Coverage of one line of text. ascent is the baseline's row in the map, capHeight the height
  // of a capital letter above the baseline.
  Gray Render(const std::string& text, int size, int* ascent = nullptr, int* capHeight = nullptr);
  int Width(const std::string& text, int size);

 private:
  TTF_Font* Font(int size);
  std::string fontPath_;
  bool ttfStarted_ = false;
  std::map<int, TTF_Font*> fonts_;
};

enum class Align { Left, Center, Right };

struct TextStyle {
  Paint fill = Solid(Rgba{1, 1, 1, 1});
  float outline = 0;  // width in pixels
  Rgba outlineColour = Rgba{0.03f, 0.08f, 0.13f, 1};
  int shadowDx = 0, shadowDy = 0;
  int shadowBlur = 0;
  Rgba shadowColour = Rgba{0, 0, 0, 0};
  int glowRadius = 0;
  Rgba glowColour = Rgba{0, 0, 0, 0};
};

// Draws one line. x is the left edge, centre or right edge of the text by align; cy is the
// middle of the capital letters, so labels of different words line up on one axis.
void DrawLabel(Image& img, TextRenderer& tr, const std::string& text, int size, float x, float cy,
               Align align, const TextStyle& style);

// Coverage of a label placed the same way on a canvas the size of img (for effects that need
// the letter shapes, such as frost on a wordmark).
Gray LabelMask(TextRenderer& tr, int w, int h, const std::string& text, int size, float x, float cy,
               Align align);

// Paints glow, shadow, outline and fill of a coverage map that covers the whole image.
void PaintStyled(Image& img, const Gray& mask, const TextStyle& style);

}  // namespace art
