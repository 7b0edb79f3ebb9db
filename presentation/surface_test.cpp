#include "presentation/surface.h"

#include <gtest/gtest.h>

#include <tuple>

namespace presentation {
namespace {

// A surface whose every pixel is different, so any misplaced pixel shows.
Surface Numbered(int w, int h, std::uint32_t base) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, base + static_cast<std::uint32_t>(y * 256 + x * 3 + 1));
  return s;
}

std::uint32_t Combine(std::uint32_t d, std::uint32_t s, RasterOp op) {
  switch (op) {
    case RasterOp::SrcCopy: return s;
    case RasterOp::SrcAnd: return d & s;
    case RasterOp::SrcPaint: return d | s;
  }
  return d;
}

// Pixel by pixel, with a bounds test for each: what a clipped copy must give.
Surface ReferenceBlt(Surface dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                     RasterOp op) {
  const Surface before = dst;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int dx = x + i, dy = y + j, srcX = sx + i, srcY = sy + j;
      if (dx < 0 || dy < 0 || dx >= dst.width() || dy >= dst.height()) continue;
      if (srcX < 0 || srcY < 0 || srcX >= src.width() || srcY >= src.height()) continue;
      dst.setPixel(dx, dy, Combine(before.pixel(dx, dy), src.pixel(srcX, srcY), op));
    }
  return dst;
}

std::uint32_t Blend(std::uint32_t s, std::uint32_t d, int a) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const auto sc = static_cast<int>((s >> shift) & 255u), dc = static_cast<int>((d >> shift) & 255u);
    out |= static_cast<std::uint32_t>((sc * a + dc * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

TEST(Surface, RasterOperationsCombinePerPixel) {
  Surface dst(1, 1, 0x00F0F00Fu);
  const Surface src(1, 1, 0x000FFF0Fu);
  for (auto [op, expected] : {std::tuple{RasterOp::SrcCopy, 0x000FFF0Fu},
                              std::tuple{RasterOp::SrcAnd, 0x0000F00Fu},
                              std::tuple{RasterOp::SrcPaint, 0x00FFFF0Fu}}) {
    dst.Fill(0x00F0F00Fu);
    BitBlt(dst, 0, 0, 1, 1, src, 0, 0, op);
    EXPECT_EQ(dst.pixel(0, 0), expected) << static_cast<int>(op);
  }
}

TEST(Surface, MaskThenSpriteDrawsOnlyTheOpaquePart) {
  Surface dst(3, 1, Rgb(10, 20, 30));
  Surface mask(3, 1, 0xFFFFFFu), sprite(3, 1, 0);
  mask.setPixel(1, 0, 0);
  sprite.setPixel(1, 0, Rgb(200, 100, 50));
  BitBlt(dst, 0, 0, 3, 1, mask, 0, 0, RasterOp::SrcAnd);
  BitBlt(dst, 0, 0, 3, 1, sprite, 0, 0, RasterOp::SrcPaint);
  EXPECT_EQ(dst.pixel(0, 0), Rgb(10, 20, 30));
  EXPECT_EQ(dst.pixel(1, 0), Rgb(200, 100, 50));
  EXPECT_EQ(dst.pixel(2, 0), Rgb(10, 20, 30));
}

// Every placement of a small source around a small destination, off every edge of both.
TEST(Surface, BitBltClipsAtEveryEdgeOfBothSurfaces) {
  const Surface src = Numbered(4, 5, 0x100000);
  const Surface start = Numbered(7, 6, 0x200000);
  for (RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::SrcPaint})
    for (int x = -5; x <= 8; ++x)
      for (int y = -6; y <= 7; ++y)
        for (auto [sx, sy] : {std::pair{0, 0}, std::pair{-2, 1}, std::pair{1, -3}, std::pair{3, 4},
                              std::pair{5, 0}})
          for (auto [w, h] : {std::pair{4, 5}, std::pair{9, 2}, std::pair{0, 3}, std::pair{-1, 2}}) {
            Surface dst = start;
            BitBlt(dst, x, y, w, h, src, sx, sy, op);
            ASSERT_EQ(dst.pixels(), ReferenceBlt(start, x, y, w, h, src, sx, sy, op).pixels())
                << "op " << static_cast<int>(op) << " at " << x << "," << y << " from " << sx
                << "," << sy << " size " << w << "x" << h;
          }
}

TEST(Surface, BitBltSurvivesExtremeCoordinates) {
  Surface dst = Numbered(5, 5, 0);
  const Surface before = dst;
  BitBlt(dst, INT32_MIN, 0, INT32_MAX, 5, before, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, 0, INT32_MAX, 5, INT32_MAX, before, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, 2, 2, 5, 5, before, INT32_MIN, INT32_MIN, RasterOp::SrcPaint);
  EXPECT_EQ(dst.pixels(), before.pixels());
  Surface empty;
  BitBlt(empty, 0, 0, 5, 5, before, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, 0, 0, 5, 5, empty, 0, 0, RasterOp::SrcCopy);
  EXPECT_EQ(dst.pixels(), before.pixels());
}

// Copies within one surface read the source as it was, in whichever direction they overlap.
TEST(Surface, OverlappingCopyWithinOneSurface) {
  const Surface start = Numbered(8, 8, 0x300000);
  for (RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::SrcPaint})
    for (auto [dx, dy] : {std::pair{2, 1}, std::pair{-1, -2}, std::pair{0, 3}, std::pair{3, 0},
                          std::pair{-2, 2}, std::pair{1, -1}}) {
      Surface s = start;
      BitBlt(s, 2 + dx, 2 + dy, 4, 4, s, 2, 2, op);
      EXPECT_EQ(s.pixels(), ReferenceBlt(start, 2 + dx, 2 + dy, 4, 4, start, 2, 2, op).pixels())
          << static_cast<int>(op) << " " << dx << "," << dy;
    }
}

TEST(Surface, BlendWeightsTheSourceOutOf255) {
  struct Case {
    int alpha;
    std::uint32_t expected;
  };
  const std::uint32_t src = Rgb(200, 255, 0), dst = Rgb(100, 0, 255);
  for (const Case& c : {Case{0, dst}, Case{255, src}, Case{110, Rgb(143, 110, 145)},
                        Case{120, Rgb(147, 120, 135)}, Case{-20, dst}, Case{999, src}}) {
    Surface d(1, 1, dst);
    AlphaBlend(d, 0, 0, 1, 1, Surface(1, 1, src), 0, 0, c.alpha, 0, false);
    EXPECT_EQ(d.pixel(0, 0), c.expected) << c.alpha;
  }
}

TEST(Surface, BlendColourKeyLeavesKeyedPixelsAlone) {
  Surface src(3, 1, 0);
  src.setPixel(1, 0, Rgb(255, 255, 255));
  src.setPixel(2, 0, Rgb(1, 0, 0));  // one step from the key still blends
  const std::uint32_t floor = Rgb(40, 80, 120);
  Surface keyed(3, 1, floor), unkeyed(3, 1, floor);
  AlphaBlend(keyed, 0, 0, 3, 1, src, 0, 0, 110, Rgb(0, 0, 0), true);
  AlphaBlend(unkeyed, 0, 0, 3, 1, src, 0, 0, 110, Rgb(0, 0, 0), false);
  EXPECT_EQ(keyed.pixel(0, 0), floor);
  EXPECT_EQ(keyed.pixel(1, 0), Blend(Rgb(255, 255, 255), floor, 110));
  EXPECT_EQ(keyed.pixel(2, 0), Blend(Rgb(1, 0, 0), floor, 110));
  EXPECT_EQ(unkeyed.pixel(0, 0), Blend(0, floor, 110));
  // Any key colour works, not only black.
  Surface other(3, 1, floor);
  AlphaBlend(other, 0, 0, 3, 1, src, 0, 0, 200, Rgb(255, 255, 255), true);
  EXPECT_EQ(other.pixel(1, 0), floor);
  EXPECT_EQ(other.pixel(0, 0), Blend(0, floor, 200));
}

TEST(Surface, BlendClipsAtEveryEdge) {
  const Surface src = Numbered(4, 4, 0x804020);
  const Surface start(6, 5, Rgb(9, 99, 199));
  for (int x = -5; x <= 7; ++x)
    for (int y = -5; y <= 6; ++y) {
      Surface d = start;
      AlphaBlend(d, x, y, 4, 4, src, 0, 0, 77, 0, false);
      for (int py = 0; py < 5; ++py)
        for (int px = 0; px < 6; ++px) {
          const int i = px - x, j = py - y;
          const bool inside = i >= 0 && j >= 0 && i < 4 && j < 4;
          const std::uint32_t want = inside ? Blend(src.pixel(i, j), start.pixel(px, py), 77) : start.pixel(px, py);
          ASSERT_EQ(d.pixel(px, py), want) << x << "," << y << " pixel " << px << "," << py;
        }
    }
}

TEST(Surface, BlendOntoItselfReadsTheOldPixels) {
  Surface s = Numbered(4, 1, 0x102030);
  const Surface before = s;
  AlphaBlend(s, 1, 0, 3, 1, s, 0, 0, 128, 0, false);
  for (int x = 1; x < 4; ++x) EXPECT_EQ(s.pixel(x, 0), Blend(before.pixel(x - 1, 0), before.pixel(x, 0), 128));
}

}  // namespace
}  // namespace presentation
