// Checks the pictures the build generated into the program folder: every file the game and
// the editor load exists with its size, masks and sprites follow the black-and-white rules the
// AND/OR drawing relies on, and highlight pictures fit their screens without a seam.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Pixel {
  std::uint8_t r, g, b, a;
  bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
  bool Black() const { return r == 0 && g == 0 && b == 0; }
  bool White() const { return r == 255 && g == 255 && b == 255; }
};

struct Picture {
  int w = 0, h = 0;
  std::vector<Pixel> px;
  const Pixel& at(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
};

std::string DataDir() {
  const char* dist = std::getenv("FROSTLIDE_DIST");
  return std::string(dist != nullptr ? dist : ".") + "/data/";
}

// Loads a picture through SDL2_image, as the game does; an empty picture when it cannot.
Picture Load(const std::string& relative) {
  Picture p;
  SDL_Surface* raw = IMG_Load((DataDir() + relative).c_str());
  if (raw == nullptr) return p;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(raw);
  if (s == nullptr) return p;
  p.w = s->w;
  p.h = s->h;
  p.px.resize(static_cast<std::size_t>(p.w) * p.h);
  SDL_LockSurface(s);
  for (int y = 0; y < p.h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < p.w; ++x)
      p.px[static_cast<std::size_t>(y) * p.w + x] = Pixel{row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]};
  }
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  return p;
}

const char* const kColours[6] = {"red", "blue", "green", "violet", "black", "orange"};

struct Expected {
  std::string path;
  int w, h;
};

std::vector<Expected> AllFiles() {
  std::vector<Expected> files;
  for (const char* c : kColours) {
    for (const char* suffix : {"", "left", "right", "top", "bottom", "colorblind"})
      files.push_back({std::string("sprites/cubes/") + c + "cube" + suffix + ".bmp", 31, 31});
    files.push_back({std::string("sprites/spheres/") + c + "sphere.bmp", 31, 31});
    files.push_back({std::string("sprites/spheres/") + c + "spherecolorblind.bmp", 31, 31});
  }
  for (const char* m : {"sprites/cubes/cubemask.bmp", "sprites/spheres/spheremask.bmp",
                        "sprites/spheres/spheremaskcolorblind.bmp", "sprites/blocks/blockmask.bmp",
                        "sprites/blocks/crushblock.bmp", "tools/trapblock.bmp"})
    files.push_back({m, 31, 31});
  for (int s = 0; s <= 6; ++s) {
    files.push_back({"sprites/blocks/block" + std::to_string(s) + ".bmp", 31, 31});
    files.push_back({"sprites/blocks/block" + std::to_string(s) + "chapped.bmp", 31, 31});
    files.push_back({"backgrounds/bg" + std::to_string(s) + ".jpg", 465, 465});
  }
  const std::string gui = "sprites/gui/";
  for (int i = 1; i <= 6; ++i) {
    files.push_back({gui + "mainmenuhighlight" + std::to_string(i) + ".bmp", 558, 44});
    files.push_back({gui + "gamemenuhighlight" + std::to_string(i) + ".bmp", 164, 44});
    files.push_back({gui + "optionshigh" + std::to_string(i) + ".bmp", 264, 26});
  }
  const Expected screens[] = {
      {"mainmenu.bmp", 640, 480},         {"credits.bmp", 640, 480},
      {"gamemenu.bmp", 640, 480},         {"gamemenudisabled1.bmp", 164, 44},
      {"gamemenudisabled3.bmp", 164, 44}, {"msg.bmp", 304, 140},
      {"msgclose.bmp", 73, 39},           {"msgyes.bmp", 73, 39},
      {"msgno.bmp", 73, 39},              {"msgclosehigh.bmp", 73, 39},
      {"msgyeshigh.bmp", 73, 39},         {"msgnohigh.bmp", 73, 39},
      {"playcustom.bmp", 268, 180},       {"playcustomhigh1.bmp", 56, 39},
      {"playcustomhigh2.bmp", 85, 39},    {"playcustomhigh3.bmp", 85, 39},
      {"selectlevel.bmp", 304, 349},      {"selectlevelnumbers.bmp", 230, 230},
      {"selectlevelnumbersdisabled.bmp", 230, 230}, {"selectlevelnumberswon.bmp", 230, 230},
      {"selectlevelnumbersselected.bmp", 230, 230}, {"selectlevelcancelhigh.bmp", 85, 31},
      {"options.bmp", 304, 313},          {"optionshigh7.bmp", 36, 36},
      {"optionscheckboxchecked.bmp", 11, 11}, {"optionscheckboxunchecked.bmp", 11, 11},
      {"howtoplay.bmp", 503, 431},        {"howtoplayhigh1.bmp", 40, 30},
      {"cursor.png", 32, 32},             {"icon.png", 256, 256},
      {"icon32.png", 32, 32},             {"icon32.bmp", 32, 32},
  };
  for (const Expected& e : screens) files.push_back({gui + e.path, e.w, e.h});
  for (int n : {16, 24, 32, 48, 64, 128, 256})
    for (const char* app : {"frostlide", "mapwright"})
      files.push_back({"icons/hicolor/" + std::to_string(n) + "x" + std::to_string(n) + "/apps/" + app + ".png", n, n});
  return files;
}

class GeneratedImages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG); }
  static void TearDownTestSuite() { IMG_Quit(); }
};

TEST_F(GeneratedImages, EveryFileLoadsWithItsSize) {
  for (const Expected& e : AllFiles()) {
    const Picture p = Load(e.path);
    EXPECT_EQ(p.w, e.w) << e.path;
    EXPECT_EQ(p.h, e.h) << e.path;
  }
}

TEST_F(GeneratedImages, BitmapsAreUncompressed24Bit) {
  // The game's loader and the editor read Windows bitmaps; keep to the plainest form.
  for (const Expected& e : AllFiles()) {
    if (e.path.size() < 4 || e.path.substr(e.path.size() - 4) != ".bmp") continue;
    SDL_RWops* rw = SDL_RWFromFile((DataDir() + e.path).c_str(), "rb");
    ASSERT_NE(rw, nullptr) << e.path;
    std::uint8_t header[54] = {};
    const size_t got = SDL_RWread(rw, header, 1, sizeof header);
    SDL_RWclose(rw);
    ASSERT_EQ(got, sizeof header) << e.path;
    EXPECT_EQ(header[0], 'B') << e.path;
    EXPECT_EQ(header[1], 'M') << e.path;
    EXPECT_EQ(header[28], 24) << e.path;  // bits per pixel
    EXPECT_EQ(header[30], 0) << e.path;   // no compression
    const std::int32_t height = header[22] | (header[23] << 8) | (header[24] << 16) | (header[25] << 24);
    EXPECT_GT(height, 0) << e.path << " should be stored bottom-up";
  }
}

TEST_F(GeneratedImages, MasksArePureBlackAndWhite) {
  for (const char* m : {"sprites/cubes/cubemask.bmp", "sprites/spheres/spheremask.bmp",
                        "sprites/spheres/spheremaskcolorblind.bmp", "sprites/blocks/blockmask.bmp"}) {
    const Picture p = Load(m);
    ASSERT_EQ(p.w, 31) << m;
    int black = 0;
    for (const Pixel& q : p.px) {
      EXPECT_TRUE(q.Black() || q.White()) << m << " has a grey pixel";
      if (q.Black()) ++black;
    }
    EXPECT_GT(black, 100) << m << " is nearly empty";
    EXPECT_LT(black, 31 * 31 + 1) << m;
  }
}

// Each sprite is black exactly where its mask is white, so the OR step adds nothing outside
// the shape and no opaque pixel punches a hole (black is also the trapdoor's colour key).
TEST_F(GeneratedImages, SpritesAreBlackExactlyWhereTheirMaskIsWhite) {
  struct Pair {
    std::string sprite, mask;
  };
  std::vector<Pair> pairs;
  for (const char* c : kColours) {
    for (const char* suffix : {"", "left", "right", "top", "bottom", "colorblind"})
      pairs.push_back({std::string("sprites/cubes/") + c + "cube" + suffix + ".bmp", "sprites/cubes/cubemask.bmp"});
    pairs.push_back({std::string("sprites/spheres/") + c + "sphere.bmp", "sprites/spheres/spheremask.bmp"});
    pairs.push_back({std::string("sprites/spheres/") + c + "spherecolorblind.bmp", "sprites/spheres/spheremaskcolorblind.bmp"});
  }
  for (int s = 0; s <= 6; ++s) {
    pairs.push_back({"sprites/blocks/block" + std::to_string(s) + ".bmp", "sprites/blocks/blockmask.bmp"});
    pairs.push_back({"sprites/blocks/block" + std::to_string(s) + "chapped.bmp", "sprites/blocks/blockmask.bmp"});
  }
  pairs.push_back({"sprites/blocks/crushblock.bmp", "sprites/blocks/blockmask.bmp"});
  for (const Pair& pr : pairs) {
    const Picture s = Load(pr.sprite), m = Load(pr.mask);
    ASSERT_EQ(s.w, 31) << pr.sprite;
    ASSERT_EQ(m.w, 31) << pr.mask;
    int wrong = 0;
    for (std::size_t i = 0; i < s.px.size(); ++i)
      if (s.px[i].Black() != m.px[i].White()) ++wrong;
    EXPECT_EQ(wrong, 0) << pr.sprite << " against " << pr.mask;
  }
}

TEST_F(GeneratedImages, ArrowCubesDifferFromThePlainCubeOnTheirOwnSide) {
  // The arrow sits on the side it points to: more of the picture changes in that half.
  for (const char* c : kColours) {
    const Picture plain = Load(std::string("sprites/cubes/") + c + "cube.bmp");
    struct Side {
      const char* name;
      bool (*inHalf)(int x, int y);
    };
    const Side sides[] = {{"left", [](int x, int) { return x < 15; }},
                          {"right", [](int x, int) { return x > 15; }},
                          {"top", [](int, int y) { return y < 15; }},
                          {"bottom", [](int, int y) { return y > 15; }}};
    for (const Side& side : sides) {
      const Picture arrow = Load(std::string("sprites/cubes/") + c + "cube" + side.name + ".bmp");
      ASSERT_EQ(arrow.w, 31);
      int inHalf = 0, outHalf = 0;
      for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 31; ++x)
          if (!(arrow.at(x, y) == plain.at(x, y))) (side.inHalf(x, y) ? inHalf : outHalf)++;
      EXPECT_GT(inHalf, 2 * outHalf) << c << " " << side.name;
    }
  }
}

TEST_F(GeneratedImages, FloorsShowTheCellsFromTheTopLeftCorner) {
  // The board draws no grid: the seam at the right and bottom edge of every 31-pixel tile must
  // be darker than the tiles themselves, starting from (0, 0).
  for (int s = 0; s <= 6; ++s) {
    const Picture p = Load("backgrounds/bg" + std::to_string(s) + ".jpg");
    ASSERT_GE(p.w, 465);
    ASSERT_GE(p.h, 465);
    double seam = 0, inner = 0;
    int seamN = 0, innerN = 0;
    for (int y = 0; y < 465; ++y)
      for (int x = 0; x < 465; ++x) {
        const Pixel& q = p.at(x, y);
        const double lum = 0.3 * q.r + 0.59 * q.g + 0.11 * q.b;
        if (x % 31 == 30) {
          seam += lum;
          ++seamN;
        } else if (x % 31 >= 5 && x % 31 <= 25 && y % 31 >= 5 && y % 31 <= 25) {
          inner += lum;
          ++innerN;
        }
      }
    EXPECT_LT(seam / seamN + 8, inner / innerN) << "bg" << s;
  }
}

// Pictures copied over a screen must match that screen along their border (no seam) and
// change something inside (a visible highlight).
TEST_F(GeneratedImages, HighlightsLineUpWithTheirScreens) {
  struct Placement {
    std::string sprite, screen;
    int x, y;
  };
  std::vector<Placement> table;
  for (int i = 1; i <= 6; ++i) {
    table.push_back({"mainmenuhighlight" + std::to_string(i), "mainmenu", 80, 161 + 44 * (i - 1)});
    const int gy[6] = {122, 176, 220, 264, 308, 352};
    table.push_back({"gamemenuhighlight" + std::to_string(i), "gamemenu", 2, gy[i - 1]});
    const int oy[6] = {21, 58, 95, 132, 191, 227};
    table.push_back({"optionshigh" + std::to_string(i), "options", 20, oy[i - 1]});
  }
  const Placement fixed[] = {
      {"gamemenudisabled1", "gamemenu", 0, 122},   {"gamemenudisabled3", "gamemenu", 0, 220},
      {"optionshigh7", "options", 134, 273},       {"msgyes", "msg", 45, 100},
      {"msgyeshigh", "msg", 45, 100},              {"msgno", "msg", 213, 100},
      {"msgnohigh", "msg", 213, 100},              {"msgclose", "msg", 115, 100},
      {"msgclosehigh", "msg", 115, 100},           {"playcustomhigh1", "playcustom", 5, 140},
      {"playcustomhigh2", "playcustom", 77, 140},  {"playcustomhigh3", "playcustom", 178, 140},
      {"selectlevelcancelhigh", "selectlevel", 108, 317}, {"howtoplayhigh1", "howtoplay", 232, 396},
  };
  table.insert(table.end(), std::begin(fixed), std::end(fixed));
  for (const Placement& pl : table) {
    const Picture s = Load("sprites/gui/" + pl.sprite + ".bmp");
    const Picture screen = Load("sprites/gui/" + pl.screen + ".bmp");
    ASSERT_GT(s.w, 0) << pl.sprite;
    ASSERT_GT(screen.w, 0) << pl.screen;
    int borderDiff = 0, innerDiff = 0;
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < s.w; ++x) {
        const bool differs = !(s.at(x, y) == screen.at(pl.x + x, pl.y + y));
        const bool border = x == 0 || y == 0 || x == s.w - 1 || y == s.h - 1;
        if (differs) (border ? borderDiff : innerDiff)++;
      }
    EXPECT_EQ(borderDiff, 0) << pl.sprite << " shows a seam on " << pl.screen;
    EXPECT_GT(innerDiff, 20) << pl.sprite << " changes nothing visible";
  }
}

TEST_F(GeneratedImages, NumberSheetsFitTheLevelGrid) {
  // Tile n of every sheet is drawn at (18 + 27 (k - 1), 30 + 27 (r - 1)). The rounded tiles of
  // the open, locked and solved sheets keep the panel's own pixels in their corners (the
  // hovered tile glows right to its edge), and the four sheets differ from one another.
  const Picture panel = Load("sprites/gui/selectlevel.bmp");
  std::vector<Picture> sheets;
  for (const char* name : {"selectlevelnumbers", "selectlevelnumbersdisabled", "selectlevelnumberswon",
                           "selectlevelnumbersselected"})
    sheets.push_back(Load(std::string("sprites/gui/") + name + ".bmp"));
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const Picture& sheet = sheets[i];
    ASSERT_EQ(sheet.w, 230);
    if (i == 3) continue;
    for (int n = 1; n <= 100; ++n) {
      const int k = (n - 1) % 10, r = (n - 1) / 10;
      EXPECT_TRUE(sheet.at(k * 23, r * 23) == panel.at(18 + 27 * k, 30 + 27 * r)) << "tile " << n;
      EXPECT_TRUE(sheet.at(k * 23 + 22, r * 23 + 22) == panel.at(18 + 27 * k + 22, 30 + 27 * r + 22)) << "tile " << n;
    }
  }
  for (std::size_t a = 0; a < sheets.size(); ++a)
    for (std::size_t b = a + 1; b < sheets.size(); ++b) {
      int diff = 0;
      for (std::size_t i = 0; i < sheets[a].px.size(); ++i)
        if (!(sheets[a].px[i] == sheets[b].px[i])) ++diff;
      EXPECT_GT(diff, 230 * 230 / 10) << "sheets " << a << " and " << b << " look alike";
    }
}

TEST_F(GeneratedImages, CursorHasItsTipAtTheHotspot) {
  const Picture c = Load("sprites/gui/cursor.png");
  ASSERT_EQ(c.w, 32);
  EXPECT_EQ(c.at(31, 0).a, 0);  // transparent around the arrow
  EXPECT_EQ(c.at(0, 31).a, 0);
  EXPECT_GT(c.at(2, 2).a, 200);  // the tip
  EXPECT_GT(c.at(6, 12).r, 200);  // a light body
}

}  // namespace
