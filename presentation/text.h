#pragma once
// One line of text drawn over a surface with SDL2_ttf: anti-aliased, no background box, cut at
// the surface's edges (never wrapped).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "presentation/surface.h"

namespace presentation {

// Our texts are 8-bit (packs and settings in Windows-1252); paths on disk are usually UTF-8.
// Valid UTF-8 passes unchanged, anything else is read as Windows-1252.
std::string ToDisplayUtf8(const std::string& text);

// Breaks text into lines no wider than width as measure tells: at blanks, after a '/' of a long
// path, and inside a word only when it is wider than a line on its own (never inside a UTF-8
// letter). A '\n' always breaks. Blanks at a break are dropped.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure);

class TextRenderer {
 public:
  // Opens the font at pointSize points for a 96-dpi screen; nullptr when it cannot be read.
  static std::unique_ptr<TextRenderer> Open(const std::string& fontPath, int pointSize);
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // Writes text in one line with the top of its line box at (x, y), blended onto target in
  // colour (0x00RRGGBB).
  void DrawText(Surface& target, int x, int y, const std::string& text, std::uint32_t color) const;
  // Width and height in pixels of text in one line.
  void Measure(const std::string& text, int& width, int& height) const;

 private:
  TextRenderer() = default;
  struct Font;
  std::unique_ptr<Font> font_;
};

}  // namespace presentation
