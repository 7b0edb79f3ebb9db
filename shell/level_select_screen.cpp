#include "shell/level_select_screen.h"

#include <algorithm>
#include <cstdlib>

namespace shell {

namespace {
constexpr int kGridLeft = 18;
constexpr int kGridTop = 30;
constexpr int kPitch = 27;
constexpr int kCell = 23;  // a cell covers 24 pixels of each 27 counted from its edge (0..23)

// Column or row 1..10 under an offset from the grid's edge, 0 in a gap or outside.
int Band(int d) {
  if (d < 0) return 0;
  const int k = d / kPitch;
  if (k >= 10 || d - k * kPitch > kCell) return 0;
  return k + 1;
}
}  // namespace

LevelSelectScreen::LevelSelectScreen(AppServices& services) : Screen(kWidth, kHeight), s_(services) {
  levelSelectHover_ = 0;
  ComposeLevelSelect();
}

int LevelSelectScreen::CellAt(int x, int y) {
  const int column = Band(x - kGridLeft);
  const int row = Band(y - kGridTop);
  if (column == 0 || row == 0) return 0;
  return (row - 1) * 10 + column;
}

bool LevelSelectScreen::OverCancel(int x, int y) { return x > 108 && x < 193 && y > 314 && y < 343; }

void LevelSelectScreen::CellOrigin(int n, int& x, int& y) {
  x = kGridLeft + (n - 1) % 10 * kPitch;
  y = kGridTop + (n - 1) / 10 * kPitch;
}

void LevelSelectScreen::TileOrigin(int n, int& x, int& y) {
  x = (n - 1) % 10 * kCell;
  y = (n - 1) / 10 * kCell;
}

void LevelSelectScreen::OnMouseMove(int x, int y, int) {
  keyHighlight_ = false;
  if (OverCancel(x, y)) {
    if (levelSelectHover_ != kCancelItem) HighlightLevelSelect(kCancelItem);
    return;
  }
  const int n = CellAt(x, y);
  if (n == 0) {
    if (levelSelectHover_ != 0) {
      levelSelectHover_ = 0;
      ComposeLevelSelect();
    }
    return;
  }
  if (n != levelSelectHover_) HighlightLevelSelect(n);
}

void LevelSelectScreen::OnClick() {
  if (closeKey_ != 0) return;  // already cancelled by a key
  if (levelSelectHover_ >= 1 && levelSelectHover_ <= 100) {
    selectedLevel_ = levelSelectHover_;
    Close();
  } else if (levelSelectHover_ == kCancelItem) {
    CancelLevelSelect();
  }
}

int LevelSelectScreen::NextByKey(int from, int key, int n, const std::function<bool(int)>& open) {
  const int count = std::clamp(n, 0, 100);
  if (key == keys::Left || key == keys::Right) {
    if (from == kCancelItem) return from;
    const int step = key == keys::Right ? 1 : -1;
    for (int k = from == 0 ? (step > 0 ? 1 : count) : from + step; k >= 1 && k <= count; k += step)
      if (open(k)) return k;
    return from;
  }
  if (key != keys::Up && key != keys::Down) return from;
  const int down = key == keys::Down ? 1 : -1;
  if (from == kCancelItem && down > 0) return from;
  // The row to start from and the column to stay near.
  int row = 0, column = 5;
  if (from == kCancelItem) row = 11;
  else if (from >= 1 && from <= 100) row = (from - 1) / 10 + 1, column = (from - 1) % 10 + 1;
  else row = down > 0 ? 0 : 11;
  for (int r = row + down; r >= 1 && r <= 10; r += down) {
    int best = 0;
    for (int k = (r - 1) * 10 + 1; k <= r * 10 && k <= count; ++k) {
      const int c = (k - 1) % 10 + 1;
      if (open(k) && (best == 0 || std::abs(c - column) < std::abs((best - 1) % 10 + 1 - column))) best = k;
    }
    if (best != 0) return best;
  }
  return down > 0 ? kCancelItem : from;
}

void LevelSelectScreen::OnKeyDown(int key, bool) {
  if (closeKey_ != 0) return;
  if (key == keys::Left || key == keys::Right || key == keys::Up || key == keys::Down) {
    const engine::GameState& st = s_.game.state();
    const int to = NextByKey(levelSelectHover_, key, st.numberOfLevels,
                             [&](int k) { return !s_.game.IsLevelLocked(k) && k != st.currentLevel; });
    if (to != levelSelectHover_) HighlightLevelSelect(to);
    keyHighlight_ = levelSelectHover_ != 0;
    return;
  }
  if (key == keys::Enter && keyHighlight_ && levelSelectHover_ != 0) {
    // The highlighted level is played (or Cancel works) when Enter comes up again.
    if (levelSelectHover_ == kCancelItem) s_.sound.PlaySoundEffect("btnclick");
    selectedLevel_ = levelSelectHover_ == kCancelItem ? -1 : levelSelectHover_;
    closeKey_ = key;
    return;
  }
  if (key == keys::Space || key == keys::Escape || key == keys::Enter || key == keys::Letter('C')) {
    selectedLevel_ = -1;
    // The screen goes when the key comes up: closed at once, the release would reach the board
    // behind it, where releasing Escape asks to exit to the menu.
    closeKey_ = key;
  }
}

void LevelSelectScreen::OnKeyUp(int key, bool) {
  if (closeKey_ != 0 && key == closeKey_) Close();
}

void LevelSelectScreen::CancelLevelSelect() {
  s_.sound.PlaySoundEffect("btnclick");
  selectedLevel_ = -1;
  Close();
}

}  // namespace shell
