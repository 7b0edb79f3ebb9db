#include "presentation/display_mode.h"

namespace presentation {

void DisplayMode::SaveDisplayMode() { saved_ = window_.DesktopMode(); }

void DisplayMode::SetDisplayMode(std::int16_t width, std::int16_t height, std::int16_t bitsPerPixel,
                                 std::int16_t frequency) {
  requested_ = {width, height, bitsPerPixel, frequency};
  const bool desktop = width == saved_.width && height == saved_.height;
  window_.SetDesktopFullScreen(!desktop);
}

void DisplayMode::RestoreDisplayMode() {
  SetDisplayMode(saved_.width, saved_.height, saved_.bitsPerPixel, saved_.frequency);
}

void DisplayMode::SetFullScreen(bool on) {
  if (on) {
    SetDisplayMode(640, 480, saved_.bitsPerPixel, saved_.frequency);
    window_.SetPosition(0, 0);
    style_.SetSizable(false);
    style_.SetTitlebar(false);
    // The window's own size stays the recorded one (640 x 480 at scale 1), the size it comes
    // back to; the full-screen window scales the frame to the desktop.
    window_.SetSize(windowWidth_, windowHeight_);
    fullScreen_ = true;
    return;
  }
  RestoreDisplayMode();
  int sw = 0, sh = 0, w = 0, h = 0;
  window_.ScreenSize(sw, sh);
  window_.GetSize(w, h);
  window_.SetPosition((sw - w) / 2, (sh - h) / 2);
  window_.SetSize(windowWidth_, windowHeight_);
  style_.SetTitlebar(true);
  fullScreen_ = false;
}

}  // namespace presentation
