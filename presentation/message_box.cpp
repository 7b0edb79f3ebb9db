#include "presentation/message_box.h"

#include <SDL.h>

#include "presentation/text.h"

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

bool SdlMessageBox::Show(const std::string& text, engine::MessageIcon icon, bool yesNo) {
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
  data.window = parent_;
  data.title = title_.c_str();
  data.message = shown.c_str();
  data.numbuttons = yesNo ? 2 : 1;
  data.buttons = yesNo ? yesNoButtons : okButton;
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return false;
  return pressed == 1;
}

}  // namespace presentation
