// The level select panel's picture: background, one number tile per level of the pack in its
// solved, locked or open form (the current level's place left as the background shows it),
// the hovered tile and the Cancel highlight.
#include <algorithm>

#include "shell/level_select_screen.h"

namespace shell {

namespace {
constexpr int kTile = 23;

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
  } else if (n == kCancelItem) {
    CopySprite(surface, 108, 317, s_.sprites.FindSprite("selectlevelcancelhigh"), 85, 31);
  }
  s_.sound.PlaySoundEffect("btnhover");
  PresentLevelSelect();
  levelSelectHover_ = n;
}

}  // namespace shell
