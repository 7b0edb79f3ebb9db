#include "presentation/message_box.h"

#include <cstdlib>

#include <SDL.h>

#include "presentation/text.h"
#include "presentation/window.h"

namespace presentation {

namespace {
Uint32 IconFlags(engine::MessageIcon icon) {
  switch (icon) {
    case engine::MessageIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case engine::MessageIcon::Warning: return SDL_MESSAGEBOX_WARNING;
    // SDL has no question mark; the information icon is the nearest.
    case engine::MessageIcon::Question:
    case engine::MessageIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
    case engine::MessageIcon::None: return 0;
  }
  return 0;
}
}  // namespace

SdlMessageBox::SdlMessageBox(std::string title, PlatformBox platform)
    : title_(std::move(title)), platform_(platform ? std::move(platform) : PlatformBox(&ShowWithSdl)) {}

SdlMessageBox::~SdlMessageBox() {
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::optional<bool> SdlMessageBox::ShowWithSdl(const std::string& title, const std::string& text,
                                               engine::MessageIcon icon, bool yesNo, SDL_Window* parent) {
  // Our texts are 8-bit; paths on disk are usually UTF-8 already.
  const std::string shown = ToDisplayUtf8(text);
  SDL_MessageBoxButtonData yesNoButtons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  SDL_MessageBoxButtonData okButton[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"},
  };
  SDL_MessageBoxData data{};
  data.flags = IconFlags(icon) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.window = parent;
  data.title = title.c_str();
  data.message = shown.c_str();
  data.numbuttons = yesNo ? 2 : 1;
  data.buttons = yesNo ? yesNoButtons : okButton;
#if defined(__unix__) && !defined(__APPLE__)
  // Without a display the desktop's box helper (zenity) cannot open, exits as if No had been
  // pressed, and SDL reports that as an answer: no display means no desktop box.
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((x11 == nullptr || *x11 == '\0') && (wayland == nullptr || *wayland == '\0')) return std::nullopt;
#endif
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return std::nullopt;
  // -1: closed without a button, which is No.
  return pressed == 1;
}

std::optional<bool> SdlMessageBox::Show(const std::string& text, engine::MessageIcon icon, bool yesNo) {
  if (std::optional<bool> answer = platform_(title_, text, icon, yesNo, parent_)) return answer;
  return ShowDrawn(text, icon, yesNo);
}

std::optional<bool> SdlMessageBox::ShowDrawn(const std::string& text, engine::MessageIcon icon, bool yesNo) {
  DrawnMessageBox box(title_, text, icon, yesNo, art_);
  if (runner_) {
    runner_->RunModal(box);
    // A loop that ended because the program is quitting gave no answer.
    if (!box.Closed()) return std::nullopt;
    return box.answer();
  }
  // Before the main window is on the screen the box has a window of its own; SDL's video stays
  // up between boxes, so keys already queued for the next question are kept.
  if (!videoStarted_) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return std::nullopt;
    videoStarted_ = true;
  }
  if (!box.RunInOwnWindow()) return std::nullopt;
  return box.answer();
}

}  // namespace presentation
