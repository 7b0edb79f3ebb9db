#pragma once
// Our own off-screen surfaces: 32-bit pixel buffers (0x00RRGGBB) in the screen's format, with
// the block copies and the alpha blend every picture of the game is composed with.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ports.h"

namespace presentation {

using engine::RasterOp;

inline constexpr std::uint32_t Rgb(int r, int g, int b) {
  return (static_cast<std::uint32_t>(r & 255) << 16) | (static_cast<std::uint32_t>(g & 255) << 8) |
         static_cast<std::uint32_t>(b & 255);
}

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, std::uint32_t fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }
  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
  void setPixel(int x, int y, std::uint32_t c) { row(y)[x] = c; }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }
  std::vector<std::uint32_t>& pixels() { return pixels_; }
  void Fill(std::uint32_t c);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Copies the width x height rectangle at (sx, sy) of src to (x, y) of dst with op, clipped to
// both surfaces.
void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx, int sy,
            RasterOp op);

// Blends the rectangle of src at (sx, sy) onto dst at (x, y) with weight alpha (0..255) for the
// source. With keyOn, source pixels equal to key leave the destination unchanged.
void AlphaBlend(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx,
                int sy, int alpha, std::uint32_t key, bool keyOn);

}  // namespace presentation
