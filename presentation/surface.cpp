#include "presentation/surface.h"

#include <algorithm>
#include <cstring>

namespace presentation {

Surface::Surface(int width, int height, std::uint32_t fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void Surface::Fill(std::uint32_t c) { std::fill(pixels_.begin(), pixels_.end(), c); }

namespace {
// Clips a copy so that both rectangles lie inside their surfaces; false when nothing is left.
bool Clip(const Surface& dst, int& x, int& y, int& w, int& h, const Surface& src, int& sx, int& sy) {
  if (sx < 0) { x -= sx; w += sx; sx = 0; }
  if (sy < 0) { y -= sy; h += sy; sy = 0; }
  if (x < 0) { sx -= x; w += x; x = 0; }
  if (y < 0) { sy -= y; h += y; y = 0; }
  w = std::min({w, dst.width() - x, src.width() - sx});
  h = std::min({h, dst.height() - y, src.height() - sy});
  return w > 0 && h > 0;
}
}  // namespace

void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx, int sy,
            RasterOp op) {
  if (!Clip(dst, x, y, width, height, src, sx, sy)) return;
  for (int j = 0; j < height; ++j) {
    std::uint32_t* d = dst.row(y + j) + x;
    const std::uint32_t* s = src.row(sy + j) + sx;
    switch (op) {
      case RasterOp::SrcCopy:
        std::memmove(d, s, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
        break;
      case RasterOp::SrcAnd:
        for (int i = 0; i < width; ++i) d[i] &= s[i];
        break;
      case RasterOp::SrcPaint:
        for (int i = 0; i < width; ++i) d[i] |= s[i];
        break;
    }
  }
}

void AlphaBlend(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx,
                int sy, int alpha, std::uint32_t key, bool keyOn) {
  alpha = std::clamp(alpha, 0, 255);
  if (alpha == 0) return;
  if (!Clip(dst, x, y, width, height, src, sx, sy)) return;
  const std::uint32_t a = static_cast<std::uint32_t>(alpha);
  const std::uint32_t inv = 255u - a;
  key &= 0xFFFFFFu;
  for (int j = 0; j < height; ++j) {
    std::uint32_t* d = dst.row(y + j) + x;
    const std::uint32_t* s = src.row(sy + j) + sx;
    for (int i = 0; i < width; ++i) {
      const std::uint32_t sp = s[i] & 0xFFFFFFu;
      if (keyOn && sp == key) continue;
      const std::uint32_t dp = d[i];
      std::uint32_t out = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t sc = (sp >> shift) & 255u;
        const std::uint32_t dc = (dp >> shift) & 255u;
        // Rounded (s * a + d * (255 - a)) / 255.
        const std::uint32_t v = (sc * a + dc * inv + 127u) / 255u;
        out |= v << shift;
      }
      d[i] = out;
    }
  }
}

}  // namespace presentation
