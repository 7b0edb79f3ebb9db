// The how-to-play page's picture and its OK highlight.
#include "shell/how_to_play_screen.h"

namespace shell {

void HowToPlayScreen::ComposeHowToPlay() {
  CopySprite(s_.sprites.surfaces().howToPlaySurface, 0, 0, s_.sprites.FindSprite("howtoplay"), kWidth, kHeight);
  PresentHowToPlay();
}

void HowToPlayScreen::PresentHowToPlay() {
  CopySprite(picture(), 0, 0, &s_.sprites.surfaces().howToPlaySurface, kWidth, kHeight);
  Invalidate();
}

void HowToPlayScreen::HighlightHowToPlay() {
  CopySprite(s_.sprites.surfaces().howToPlaySurface, 232, 396, s_.sprites.FindSprite("howtoplayhigh1"), 40, 30);
  s_.sound.PlaySoundEffect("btnhover");
  PresentHowToPlay();
}

}  // namespace shell
