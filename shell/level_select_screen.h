#pragma once
// frmSkipToLevel: the 10 x 10 grid of the current pack's levels and a Cancel button
// (picSelectLevel, 304 x 349). The in-game menu reads selectedLevel once it has closed.
#include <functional>

#include "shell/screen.h"
#include "shell/screens.h"

namespace shell {

class LevelSelectScreen final : public Screen {
 public:
  static constexpr int kWidth = 304;
  static constexpr int kHeight = 349;
  static constexpr int kCancelItem = 1000;

  // Load: nothing chosen yet (selectedLevel -1, so a close by any other means, such as the
  // program quitting, chooses nothing), no highlight, the grid composed.
  explicit LevelSelectScreen(AppServices& services);

  void OnMouseMove(int x, int y, int button) override;
  void OnClick() override;
  // Space, Escape, Enter and C close the screen without a choice: no level is chosen from the
  // press on, and the screen closes when that key is released. Arrow keys move the highlight
  // between the levels that can be chosen (Down past the last row reaches Cancel), and Enter
  // then plays the level they highlighted, or cancels on Cancel. A highlight the pointer made
  // leaves Enter as it was.
  void OnKeyDown(int key, bool shift) override;
  void OnKeyUp(int key, bool shift) override;
  void Paint() override { PresentLevelSelect(); }

  // Drawing (screen_drawing_level_select.cpp).
  void ComposeLevelSelect();
  void PresentLevelSelect();
  void HighlightLevelSelect(int n);

  void CancelLevelSelect();

  // The level whose cell lies under the pointer (1..100, whether the pack has it or not), 0 in
  // the gaps between cells and outside the grid.
  static int CellAt(int x, int y);
  static bool OverCancel(int x, int y);
  // Top left of level n's cell in the panel, and of its tile in a number sheet.
  static void CellOrigin(int n, int& x, int& y);
  static void TileOrigin(int n, int& x, int& y);
  // Where an arrow key leads from `from` (0 nothing, a level, kCancelItem); `from` itself when
  // it leads nowhere. open(n) says whether level n can be chosen.
  static int NextByKey(int from, int key, int numberOfLevels, const std::function<bool(int)>& open);

  int levelSelectHover() const { return levelSelectHover_; }
  int selectedLevel() const { return selectedLevel_; }

 private:
  AppServices& s_;
  int levelSelectHover_ = 0;
  int selectedLevel_ = -1;
  int closeKey_ = 0;
  bool keyHighlight_ = false;  // the arrow keys made the current highlight
};

}  // namespace shell
