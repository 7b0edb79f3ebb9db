// The level select panel's picture: background, one number tile per level of the pack in its
// solved, locked or open form (the current level's place left as the background shows it),
// the hovered tile and the Cancel highlight.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "shell/level_select_screen.h"

namespace shell {

namespace {
constexpr int kTile = 23;

// A small gold star with a dark rim in the tile's top left corner (the tick keeps the right):
// solved in par or better.
void DrawParStar(Surface& dst, int n) {
  int x = 0, y = 0;
  LevelSelectScreen::CellOrigin(n, x, y);
  constexpr double kPi = 3.14159265358979323846;
  const double cx = x + 5.0, cy = y + 5.0;
  double px[10], py[10];
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? 5.2 : 2.3;
    const double a = -kPi / 2 + i * kPi / 5;
    px[i] = cx + r * std::cos(a);
    py[i] = cy + r * std::sin(a);
  }
  auto inside = [&](double qx, double qy) {
    bool in = false;
    for (int i = 0, j = 9; i < 10; j = i++) {
      if ((py[i] > qy) != (py[j] > qy) && qx < (px[j] - px[i]) * (qy - py[i]) / (py[j] - py[i]) + px[i]) in = !in;
    }
    return in;
  };
  auto mix = [](std::uint32_t from, std::uint32_t to, double a) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const double f = (from >> shift) & 0xFF, t = (to >> shift) & 0xFF;
      out |= static_cast<std::uint32_t>(std::lround(f + (t - f) * a)) << shift;
    }
    return out;
  };
  for (int qy = static_cast<int>(cy) - 7; qy <= static_cast<int>(cy) + 7; ++qy) {
    for (int qx = static_cast<int>(cx) - 7; qx <= static_cast<int>(cx) + 7; ++qx) {
      if (qx < 0 || qy < 0 || qx >= dst.width() || qy >= dst.height()) continue;
      // 4 x 4 samples: the star's cover, and the cover of the star grown by a pixel (the rim).
      int body = 0, rim = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          const double fx = qx + (sx + 0.5) / 4, fy = qy + (sy + 0.5) / 4;
          if (inside(fx, fy)) ++body;
          else if (inside(fx - 1, fy) || inside(fx + 1, fy) || inside(fx, fy - 1) || inside(fx, fy + 1)) ++rim;
        }
      }
      std::uint32_t c = dst.pixel(qx, qy);
      c = mix(c, 0x3A2A05, rim / 16.0 * 0.9);
      // Lit from the top left, as every picture of the game.
      const std::uint32_t gold = qy < cy - 1 ? 0xFFE27A : 0xF0B92E;
      c = mix(c, gold, body / 16.0);
      dst.setPixel(qx, qy, c);
    }
  }
}

void CopyTile(Surface& dst, const Surface* sheet, int n) {
  if (!sheet || sheet->empty()) return;
  int x = 0, y = 0, sx = 0, sy = 0;
  LevelSelectScreen::CellOrigin(n, x, y);
  LevelSelectScreen::TileOrigin(n, sx, sy);
  presentation::BitBlt(dst, x, y, kTile, kTile, *sheet, sx, sy, presentation::RasterOp::SrcCopy);
}
}  // namespace

void LevelSelectScreen::ComposeLevelSelect() {
  Surface& surface = s_.sprites.surfaces().levelSelectSurface;
  CopySprite(surface, 0, 0, s_.sprites.FindSprite("selectlevel"), kWidth, kHeight);
  const engine::GameState& st = s_.game.state();
  const Surface* won = s_.sprites.FindSprite("selectlevelnumberswon");
  const Surface* locked = s_.sprites.FindSprite("selectlevelnumbersdisabled");
  const Surface* open = s_.sprites.FindSprite("selectlevelnumbers");
  const int last = std::min(100, st.numberOfLevels);
  for (int n = 1; n <= last; ++n) {
    if (n == st.currentLevel) continue;
    const Surface* sheet = s_.game.IsLevelSolved(n) ? won : s_.game.IsLevelLocked(n) ? locked : open;
    CopyTile(surface, sheet, n);
    if (s_.game.SolvedInPar(n)) DrawParStar(surface, n);
  }
  PresentLevelSelect();
}

void LevelSelectScreen::PresentLevelSelect() {
  CopySprite(picture(), 0, 0, &s_.sprites.surfaces().levelSelectSurface, kWidth, kHeight);
  Invalidate();
}

void LevelSelectScreen::HighlightLevelSelect(int n) {
  Surface& surface = s_.sprites.surfaces().levelSelectSurface;
  if (n >= 1 && n <= 100) {
    ComposeLevelSelect();
    const engine::GameState& st = s_.game.state();
    if (s_.game.IsLevelLocked(n) || n > st.numberOfLevels || n == st.currentLevel) {
      levelSelectHover_ = 0;
      return;
    }
    CopyTile(surface, s_.sprites.FindSprite("selectlevelnumbersselected"), n);
    if (s_.game.SolvedInPar(n)) DrawParStar(surface, n);
  } else if (n == kCancelItem) {
    CopySprite(surface, 108, 317, s_.sprites.FindSprite("selectlevelcancelhigh"), 85, 31);
  }
  s_.sound.PlaySoundEffect("btnhover");
  PresentLevelSelect();
  levelSelectHover_ = n;
}

}  // namespace shell
