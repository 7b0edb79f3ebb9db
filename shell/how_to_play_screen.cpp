#include "shell/how_to_play_screen.h"

namespace shell {

HowToPlayScreen::HowToPlayScreen(AppServices& services) : Screen(kWidth, kHeight), s_(services) {
  ComposeHowToPlay();
}

void HowToPlayScreen::OnMouseMove(int x, int y, int) {
  const bool over = OverOk(x, y);
  if (over && !okHover_) {
    okHover_ = true;
    HighlightHowToPlay();
  } else if (!over && okHover_) {
    ComposeHowToPlay();
    okHover_ = false;
  }
}

void HowToPlayScreen::OnClick() {
  if (!okHover_) return;
  s_.sound.PlaySoundEffect("btnclick");
  Close();
}

// Any key closes the page, once it comes up again: the game has just started behind the page,
// and a release reaching the board would run its shortcut (S the next level, Escape the exit
// question, ...).
void HowToPlayScreen::OnKeyDown(int key, bool) {
  if (closeKey_ == 0) closeKey_ = key;
}

void HowToPlayScreen::OnKeyUp(int key, bool) {
  if (closeKey_ != 0 && key == closeKey_) Close();
}

}  // namespace shell
