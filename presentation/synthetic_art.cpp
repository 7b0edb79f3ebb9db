#include "presentation/synthetic_art.h"

#include <utility>

#include "platform/files.h"
#include "presentation/image.h"
#include "presentation/sprite_store.h"

namespace presentation::synthetic {

namespace {

constexpr int kCell = 31;

struct ScreenPicture {
  const char* name;
  int width;
  int height;
};

constexpr ScreenPicture kScreens[] = {
    {"mainmenu", 640, 480}, {"credits", 640, 480}, {"gamemenu", 640, 480},
    {"gamemenudisabled1", 164, 44}, {"gamemenudisabled3", 164, 44}, {"msg", 304, 140},
    {"msgclose", 73, 39}, {"msgyes", 73, 39}, {"msgno", 73, 39}, {"msgclosehigh", 73, 39},
    {"msgyeshigh", 73, 39}, {"msgnohigh", 73, 39}, {"playcustom", 268, 180},
    {"playcustomhigh1", 56, 39}, {"playcustomhigh2", 85, 39}, {"playcustomhigh3", 85, 39},
    {"selectlevel", 304, 349}, {"selectlevelnumbers", 230, 230},
    {"selectlevelnumbersdisabled", 230, 230}, {"selectlevelnumberswon", 230, 230},
    {"selectlevelnumbersselected", 230, 230}, {"selectlevelcancelhigh", 85, 31},
    {"options", 304, 313}, {"optionshigh7", 36, 36}, {"optionscheckboxchecked", 11, 11},
    {"optionscheckboxunchecked", 11, 11}, {"howtoplay", 503, 431}, {"howtoplayhigh1", 40, 30},
};

template <typename Opaque>
Surface Picture(std::uint32_t inside, std::uint32_t outside, Opaque opaque) {
  Surface s(kCell, kCell);
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) s.setPixel(x, y, opaque(x, y) ? inside : outside);
  return s;
}

template <typename Opaque>
bool WriteSpriteAndMask(const std::string& sprite, std::uint32_t colour, Opaque opaque) {
  return SaveBmp(Picture(colour, 0, opaque), sprite);
}

}  // namespace

std::uint32_t CubeColour(int arrow, int colour, bool colorBlind) {
  return Rgb(30 + 35 * colour, 20 + 40 * arrow, colorBlind ? 0xF0 : 0x90);
}
std::uint32_t SphereColour(int colour, bool colorBlind) {
  return Rgb(200, 20 + 35 * colour, colorBlind ? 0x50 : 0x30);
}
std::uint32_t BlockColour(int scenery) { return Rgb(0x40 + 20 * scenery, 0x60, 0xA0); }
std::uint32_t CrackedBlockColour(int scenery) { return Rgb(0x40 + 20 * scenery, 0xA0, 0x60); }
std::uint32_t CrushBlockColour() { return Rgb(0x70, 0x71, 0x72); }
std::uint32_t ScreenColour(const std::string& name) {
  std::uint32_t h = 2166136261u;
  for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return (h & 0xFFFFFFu) | 0x101010u;  // never pure black
}

bool CubeOpaque(int px, int py) { return px >= 1 && px <= 29 && py >= 1 && py <= 29; }
bool SphereOpaque(int px, int py, bool colorBlind) {
  const int lo = colorBlind ? 7 : 8, hi = colorBlind ? 23 : 22;
  return px >= lo && px <= hi && py >= lo && py <= hi;
}
bool BlockOpaque(int px, int py) { return px >= 1 && px <= 29 && py >= 1 && py <= 29; }

bool WriteSyntheticArt(const std::string& root, bool fullSizeScreens) {
  const std::string data = root + "data/";
  const std::string cubes = data + "sprites/cubes/", spheres = data + "sprites/spheres/",
                    blocks = data + "sprites/blocks/", gui = data + "sprites/gui/",
                    backgrounds = data + "backgrounds/";
  bool ok = platform::MakeDirs(cubes) && platform::MakeDirs(spheres) &&
            platform::MakeDirs(blocks) && platform::MakeDirs(gui) && platform::MakeDirs(backgrounds);
  if (!ok) return false;

  auto mask = [](auto opaque) { return Picture(0, kWhite, opaque); };
  auto sphere = [](bool blind) { return [blind](int x, int y) { return SphereOpaque(x, y, blind); }; };

  const char* arrowNames[] = {"", "left", "right", "top", "bottom"};
  for (int c = 1; c <= 6; ++c) {
    const std::string name = ColorName(c);
    for (int a = 0; a <= 4; ++a)
      ok = ok && WriteSpriteAndMask(cubes + name + "cube" + arrowNames[a] + ".bmp",
                                    CubeColour(a, c, false), CubeOpaque);
    ok = ok && WriteSpriteAndMask(cubes + name + "cubecolorblind.bmp", CubeColour(0, c, true), CubeOpaque);
    ok = ok && WriteSpriteAndMask(spheres + name + "sphere.bmp", SphereColour(c, false), sphere(false));
    ok = ok && WriteSpriteAndMask(spheres + name + "spherecolorblind.bmp", SphereColour(c, true), sphere(true));
  }
  ok = ok && SaveBmp(mask(CubeOpaque), cubes + "cubemask.bmp");
  ok = ok && SaveBmp(mask(sphere(false)), spheres + "spheremask.bmp");
  ok = ok && SaveBmp(mask(sphere(true)), spheres + "spheremaskcolorblind.bmp");
  ok = ok && SaveBmp(mask(BlockOpaque), blocks + "blockmask.bmp");
  ok = ok && WriteSpriteAndMask(blocks + "crushblock.bmp", CrushBlockColour(), BlockOpaque);

  for (int n = 0; n <= 6; ++n) {
    const std::string s = std::to_string(n);
    ok = ok && WriteSpriteAndMask(blocks + "block" + s + ".bmp", BlockColour(n), BlockOpaque);
    ok = ok && WriteSpriteAndMask(blocks + "block" + s + "chapped.bmp", CrackedBlockColour(n), BlockOpaque);
    // A checkerboard of cells in two colours per scenery; JPEG blurs it a little, so tests
    // compare against the decoded picture, never against these values.
    Surface bg(465, 465);
    for (int y = 0; y < 465; ++y)
      for (int x = 0; x < 465; ++x)
        bg.setPixel(x, y, ((x / kCell + y / kCell) % 2) ? Rgb(0x30, 0x50 + 10 * n, 0x80)
                                                        : Rgb(0x50, 0x70 + 10 * n, 0xA0));
    ok = ok && SaveJpg(bg, backgrounds + "bg" + s + ".jpg", 92);
  }

  auto screen = [&](const std::string& name, int w, int h) {
    if (!fullSizeScreens) w = h = 2;
    return SaveBmp(Surface(w, h, ScreenColour(name)), gui + name + ".bmp");
  };
  for (int i = 1; i <= 6; ++i) {
    const std::string n = std::to_string(i);
    ok = ok && screen("mainmenuhighlight" + n, 558, 44) && screen("gamemenuhighlight" + n, 164, 44) &&
         screen("optionshigh" + n, 264, 26);
  }
  for (const ScreenPicture& p : kScreens) ok = ok && screen(p.name, p.width, p.height);
  return ok;
}

}  // namespace presentation::synthetic
