#include "presentation/surface.h"

#include <algorithm>
#include <cstring>

namespace presentation {

Surface::Surface(int width, int height, std::uint32_t fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

void Surface::Fill(std::uint32_t c) { std::fill(pixels_.begin(), pixels_.end(), c); }

namespace {

struct Rect {
  int x, y, w, h, sx, sy;
};

// Clips a copy so that both rectangles lie inside their surfaces; false when nothing is left.
// Works in 64 bits so that wild coordinates cannot overflow into a valid-looking rectangle.
bool Clip(const Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
          Rect& out) {
  long long X = x, Y = y, W = w, H = h, SX = sx, SY = sy;
  if (W <= 0 || H <= 0) return false;
  if (SX < 0) { X -= SX; W += SX; SX = 0; }
  if (SY < 0) { Y -= SY; H += SY; SY = 0; }
  if (X < 0) { SX -= X; W += X; X = 0; }
  if (Y < 0) { SY -= Y; H += Y; Y = 0; }
  W = std::min({W, static_cast<long long>(dst.width()) - X, static_cast<long long>(src.width()) - SX});
  H = std::min({H, static_cast<long long>(dst.height()) - Y, static_cast<long long>(src.height()) - SY});
  if (W <= 0 || H <= 0) return false;
  out = {static_cast<int>(X), static_cast<int>(Y), static_cast<int>(W), static_cast<int>(H),
         static_cast<int>(SX), static_cast<int>(SY)};
  return true;
}

void CombineRow(std::uint32_t* d, const std::uint32_t* s, int width, RasterOp op) {
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

}  // namespace

void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx, int sy,
            RasterOp op) {
  Rect r{};
  if (!Clip(dst, x, y, width, height, src, sx, sy, r)) return;
  const bool overlaps = &dst == &src && r.x < r.sx + r.w && r.sx < r.x + r.w &&
                        r.y < r.sy + r.h && r.sy < r.y + r.h;
  if (overlaps && op != RasterOp::SrcCopy) {
    // A combining copy within one surface must read the source as it was before the copy.
    Surface copy(r.w, r.h);
    for (int j = 0; j < r.h; ++j)
      std::memcpy(copy.row(j), src.row(r.sy + j) + r.sx, static_cast<std::size_t>(r.w) * 4u);
    for (int j = 0; j < r.h; ++j) CombineRow(dst.row(r.y + j) + r.x, copy.row(j), r.w, op);
    return;
  }
  if (overlaps && r.y > r.sy) {
    // Moving down within one surface: go bottom-up so no source row is overwritten first.
    for (int j = r.h - 1; j >= 0; --j) CombineRow(dst.row(r.y + j) + r.x, src.row(r.sy + j) + r.sx, r.w, op);
    return;
  }
  for (int j = 0; j < r.h; ++j) CombineRow(dst.row(r.y + j) + r.x, src.row(r.sy + j) + r.sx, r.w, op);
}

void AlphaBlend(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx,
                int sy, int alpha, std::uint32_t key, bool keyOn) {
  alpha = std::clamp(alpha, 0, 255);
  if (alpha == 0) return;
  Rect r{};
  if (!Clip(dst, x, y, width, height, src, sx, sy, r)) return;
  const Surface* from = &src;
  Surface copy;
  if (&dst == &src) {
    // Blending a surface onto itself reads the pixels as they were before the blend.
    copy = src;
    from = &copy;
  }
  const std::uint32_t a = static_cast<std::uint32_t>(alpha);
  const std::uint32_t inv = 255u - a;
  key &= 0xFFFFFFu;
  for (int j = 0; j < r.h; ++j) {
    std::uint32_t* d = dst.row(r.y + j) + r.x;
    const std::uint32_t* s = from->row(r.sy + j) + r.sx;
    for (int i = 0; i < r.w; ++i) {
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
