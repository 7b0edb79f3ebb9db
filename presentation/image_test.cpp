#include "presentation/image.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/test_dir.h"

namespace presentation {
namespace {

using platform::testing::TestDir;

Surface Pattern(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.setPixel(x, y, Rgb(x * 37 + y, y * 11 + 3, (x ^ y) * 29));
  s.setPixel(0, 0, Rgb(0, 0, 0));
  s.setPixel(1, 0, Rgb(255, 255, 255));
  return s;
}

// Lossless formats come back pixel for pixel, black and white included.
TEST(Image, BitmapAndPngRoundTripExactly) {
  const Surface s = Pattern(31, 17);
  for (auto encode : {&EncodeBmp, &EncodePng}) {
    std::string bytes;
    ASSERT_TRUE(encode(s, bytes));
    auto back = DecodeImage(bytes.data(), bytes.size());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->width(), 31);
    EXPECT_EQ(back->height(), 17);
    EXPECT_EQ(back->pixels(), s.pixels());
  }
}

// Bitmaps written by other tools come in other depths: 24-bit and 8-bit paletted.
TEST(Image, LoadsTwentyFourBitAndPalettedBitmaps) {
  TestDir dir;
  SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 24, SDL_PIXELFORMAT_BGR24);
  ASSERT_NE(rgb, nullptr);
  const Uint32 colours[] = {0x000000, 0xFFFFFF, 0x123456, 0xABCDEF, 0x0A0A0A, 0xFF0000};
  for (int i = 0; i < 6; ++i) {
    auto* p = static_cast<Uint8*>(rgb->pixels) + (i / 3) * rgb->pitch + (i % 3) * 3;
    p[0] = static_cast<Uint8>(colours[i]);
    p[1] = static_cast<Uint8>(colours[i] >> 8);
    p[2] = static_cast<Uint8>(colours[i] >> 16);
  }
  ASSERT_EQ(SDL_SaveBMP(rgb, (dir / "rgb.bmp").c_str()), 0);
  SDL_FreeSurface(rgb);

  SDL_Surface* indexed = SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 8, SDL_PIXELFORMAT_INDEX8);
  ASSERT_NE(indexed, nullptr);
  SDL_Color palette[2] = {{0, 0, 0, 255}, {250, 128, 5, 255}};
  SDL_SetPaletteColors(indexed->format->palette, palette, 0, 2);
  static_cast<Uint8*>(indexed->pixels)[1] = 1;
  ASSERT_EQ(SDL_SaveBMP(indexed, (dir / "pal.bmp").c_str()), 0);
  SDL_FreeSurface(indexed);

  auto a = LoadImage(dir / "rgb.bmp");
  ASSERT_TRUE(a.has_value());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(a->pixel(i % 3, i / 3), colours[i]) << i;
  auto b = LoadImage(dir / "pal.bmp");
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->pixel(0, 0), 0u);
  EXPECT_EQ(b->pixel(1, 0), Rgb(250, 128, 5));
}

TEST(Image, JpegLoadsAtItsSizeWithCloseColours) {
  TestDir dir;
  Surface s(465, 465, Rgb(40, 120, 200));
  ASSERT_TRUE(SaveJpg(s, dir / "bg0.jpg", 95));
  auto back = LoadImage(dir / "bg0.jpg");
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->width(), 465);
  ASSERT_EQ(back->height(), 465);
  const std::uint32_t p = back->pixel(200, 300);
  EXPECT_NEAR(static_cast<int>(p >> 16), 40, 4);
  EXPECT_NEAR(static_cast<int>((p >> 8) & 255u), 120, 4);
  EXPECT_NEAR(static_cast<int>(p & 255u), 200, 4);
  EXPECT_EQ(p >> 24, 0u);
}

TEST(Image, MissingOrDamagedFilesGiveNothing) {
  TestDir dir;
  EXPECT_FALSE(LoadImage(dir / "nothing.bmp").has_value());
  dir.Put("junk.bmp", "BM this is not a bitmap at all");
  EXPECT_FALSE(LoadImage(dir / "junk.bmp").has_value());
  std::string bmp;
  ASSERT_TRUE(EncodeBmp(Pattern(8, 8), bmp));
  dir.Put("cut.bmp", bmp.substr(0, 60));
  EXPECT_FALSE(LoadImage(dir / "cut.bmp").has_value());
  dir.Put("empty.jpg", "");
  EXPECT_FALSE(LoadImage(dir / "empty.jpg").has_value());
  EXPECT_FALSE(DecodeImage(nullptr, 0).has_value());
}

TEST(Image, SavePngWritesAReadableFileAndRefusesEmptySurfaces) {
  TestDir dir;
  const Surface s = Pattern(5, 4);
  ASSERT_TRUE(SavePng(s, dir / "shot.png"));
  EXPECT_EQ(dir.Get("shot.png").substr(1, 3), "PNG");
  auto back = LoadImage(dir / "shot.png");
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->pixels(), s.pixels());
  // Overwriting keeps one file and no temporary beside it.
  ASSERT_TRUE(SavePng(Pattern(2, 2), dir / "shot.png"));
  EXPECT_EQ(dir.Count(), 1);

  std::string bytes;
  EXPECT_FALSE(EncodePng(Surface(), bytes));
  EXPECT_FALSE(SavePng(Surface(), dir / "none.png"));
  EXPECT_FALSE(SavePng(s, dir / "no/such/folder/x.png"));
}

}  // namespace
}  // namespace presentation
