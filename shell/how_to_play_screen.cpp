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

void HowToPlayScreen::OnKeyDown(int, bool) { Close(); }

}  // namespace shell
