#include "shell/options_screen.h"

#include <iterator>

#include "shell/settings.h"

namespace shell {

namespace {
// All bounds of the rows and the close button are exclusive; the table holds them inclusive.
constexpr HotArea kItems[] = {
    {7, 135, 276, 169, 299},  // the close button is tested first
    {1, 21, 22, 284, 45},   {2, 21, 55, 284, 84},   {3, 21, 92, 284, 119},
    {4, 21, 129, 284, 157}, {5, 21, 188, 284, 214}, {6, 21, 226, 284, 252},
};

const char* Flag(bool on) { return on ? "1" : "0"; }
}  // namespace

OptionsScreen::OptionsScreen(AppServices& services) : Screen(kWidth, kHeight), s_(services) {
  loadFullScreen_ = s_.display.fullScreen();
  loadColorBlind_ = s_.colorBlindOption;
  optionsHover_ = 0;
  ComposeOptions();
}

int OptionsScreen::ItemAt(int x, int y) {
  return shell::ItemAt(kItems, static_cast<int>(std::size(kItems)), x, y);
}

void OptionsScreen::OnMouseMove(int x, int y, int) {
  const int item = ItemAt(x, y);
  if (item != 0) {
    if (item != optionsHover_) HighlightOptions(item);
  } else if (optionsHover_ != 0) {
    optionsHover_ = 0;
    ComposeOptions();
  }
}

void OptionsScreen::OnClick() {
  if (optionsHover_ != 0) s_.sound.PlaySoundEffect("btnclick");
  Settings& o = s_.settings;
  switch (optionsHover_) {
    case 1: o.soundEnabled = !o.soundEnabled; break;
    case 2: o.musicEnabled = !o.musicEnabled; break;
    case 3:
      o.animationLevel = o.animationLevel == 2 ? 1 : 2;
      // The engine keeps its own copy of the level; a change shows with the next move.
      s_.game.settings().animationLevel = o.animationLevel;
      break;
    case 4: o.fadeEffect = !o.fadeEffect; break;
    case 5: s_.colorBlindOption = !s_.colorBlindOption; break;
    case 6: s_.display.setFullScreenFlag(!s_.display.fullScreen()); break;
    case kCloseItem: CloseOptions(); break;
    default: break;
  }
  SaveOptions();
  if (!Closed() && optionsHover_ != 0) {
    DrawOptionChecks();
    PresentOptions();
  }
}

void OptionsScreen::OnKeyDown(int key, bool) {
  switch (key) {
    case keys::Up:
    case keys::Left:
    case keys::Down:
    case keys::Right: {
      const bool back = key == keys::Up || key == keys::Left;
      const int item = optionsHover_ == 0 ? (back ? kCloseItem : 1) : (optionsHover_ - 1 + (back ? kCloseItem - 1 : 1)) % kCloseItem + 1;
      HighlightOptions(item);
      break;
    }
    case keys::Space:
      if (optionsHover_ != 0) OnClick();
      break;
    case keys::Enter:
    case keys::Escape:
      // As the close button: the sound, the display mode applied, every option written.
      optionsHover_ = kCloseItem;
      OnClick();
      break;
    default:
      break;
  }
}

void OptionsScreen::SaveOptions() {
  Settings& o = s_.settings;
  o.WriteSetting("Options", "Sound", Flag(o.soundEnabled));
  o.WriteSetting("Options", "Music", Flag(o.musicEnabled));
  // On: starts the track LastSong names unless the music timer already runs; off: stops the
  // music and the timer.
  s_.music.SetMusicEnabled(o.musicEnabled);
  o.WriteSetting("Options", "Animation", o.animationLevel == 2 ? "2" : "1");
  o.WriteSetting("Options", "FadeEffect", Flag(o.fadeEffect));
  o.WriteSetting("Options", "ColorBlind", Flag(s_.colorBlindOption));
  o.WriteSetting("Options", "FullScreen", Flag(s_.display.fullScreen()));
}

void OptionsScreen::CloseOptions() {
  if (s_.display.fullScreen() != loadFullScreen_) s_.display.SetFullScreen(s_.display.fullScreen());
  hidden_ = true;
  Invalidate();
  if (s_.colorBlindOption != loadColorBlind_) s_.prompt.ShowMessage("Please restart Frostlide.", false);
  Close();
}

void OptionsScreen::DrawInto(Surface& frame, int x, int y) const {
  if (!hidden_) Screen::DrawInto(frame, x, y);
}

}  // namespace shell
