// The options panel's picture: background, one row's (or the close button's) highlight and
// the six check boxes.
#include <string>

#include "shell/options_screen.h"
#include "shell/settings.h"

namespace shell {

namespace {
constexpr int kCheckX = 30;
constexpr int kCheckSize = 11;
constexpr int kCheckY[6] = {29, 66, 103, 140, 199, 235};
constexpr int kHighlightY[6] = {21, 58, 95, 132, 191, 227};
}  // namespace

void OptionsScreen::ComposeOptions() {
  CopySprite(s_.sprites.surfaces().optionsSurface, 0, 0, s_.sprites.FindSprite("options"), kWidth, kHeight);
  PresentOptions();
}

void OptionsScreen::PresentOptions() {
  DrawOptionChecks();
  CopySprite(picture(), 0, 0, &s_.sprites.surfaces().optionsSurface, kWidth, kHeight);
  Invalidate();
}

void OptionsScreen::DrawOptionChecks() {
  const Settings& o = s_.settings;
  const bool ticked[6] = {o.soundEnabled, o.musicEnabled,      o.animationLevel == 2,
                          o.fadeEffect,   s_.colorBlindOption, s_.display.fullScreen()};
  const Surface* on = s_.sprites.FindSprite("optionscheckboxchecked");
  const Surface* off = s_.sprites.FindSprite("optionscheckboxunchecked");
  for (int row = 0; row < 6; ++row)
    CopySprite(s_.sprites.surfaces().optionsSurface, kCheckX, kCheckY[row], ticked[row] ? on : off, kCheckSize,
               kCheckSize);
}

void OptionsScreen::HighlightOptions(int item) {
  Surface& surface = s_.sprites.surfaces().optionsSurface;
  CopySprite(surface, 0, 0, s_.sprites.FindSprite("options"), kWidth, kHeight);
  if (item >= 1 && item <= 6) {
    CopySprite(surface, 20, kHighlightY[item - 1], s_.sprites.FindSprite("optionshigh" + std::to_string(item)), 264,
               26);
  } else if (item == kCloseItem) {
    CopySprite(surface, 134, 273, s_.sprites.FindSprite("optionshigh7"), 36, 36);
  }
  DrawOptionChecks();
  s_.sound.PlaySoundEffect("btnhover");
  PresentOptions();
  optionsHover_ = item;
}

}  // namespace shell
