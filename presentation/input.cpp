#include "presentation/input.h"

#include <SDL.h>

namespace presentation {

int VirtualKeyFromSdl(std::int32_t k) {
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 97 + (k - SDLK_KP_1);  // numpad 1..9
  if (k >= SDLK_F1 && k <= SDLK_F12) return keys::F1 + (k - SDLK_F1);
  switch (k) {
    case SDLK_KP_0: return 96;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return keys::Enter;
    case SDLK_ESCAPE: return keys::Escape;
    case SDLK_SPACE: return keys::Space;
    case SDLK_BACKSPACE: return keys::Backspace;
    case SDLK_TAB: return keys::Tab;
    case SDLK_LEFT: return keys::Left;
    case SDLK_UP: return keys::Up;
    case SDLK_RIGHT: return keys::Right;
    case SDLK_DOWN: return keys::Down;
    case SDLK_DELETE: return keys::Delete;
    case SDLK_HOME: return 36;
    case SDLK_END: return 35;
    case SDLK_PAGEUP: return 33;
    case SDLK_PAGEDOWN: return 34;
    default: return 0;
  }
}

namespace {
int ButtonFromSdl(std::uint8_t b) {
  switch (b) {
    case SDL_BUTTON_LEFT: return buttons::Left;
    case SDL_BUTTON_RIGHT: return buttons::Right;
    case SDL_BUTTON_MIDDLE: return buttons::Middle;
    default: return buttons::None;
  }
}
int HeldFromSdl(std::uint32_t state) {
  int held = 0;
  if (state & SDL_BUTTON_LMASK) held |= buttons::Left;
  if (state & SDL_BUTTON_RMASK) held |= buttons::Right;
  if (state & SDL_BUTTON_MMASK) held |= buttons::Middle;
  return held;
}
}  // namespace

std::optional<InputEvent> TranslateSdlEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_MOUSEMOTION:
      return InputEvent::Move(e.motion.x, e.motion.y, HeldFromSdl(e.motion.state));
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int b = ButtonFromSdl(e.button.button);
      if (b == buttons::None) return std::nullopt;
      return e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Down(e.button.x, e.button.y, b)
                                           : InputEvent::Up(e.button.x, e.button.y, b);
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int code = VirtualKeyFromSdl(e.key.keysym.sym);
      if (code == 0) return std::nullopt;
      const bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
      return e.type == SDL_KEYDOWN ? InputEvent::KeyPress(code, shift) : InputEvent::KeyRelease(code, shift);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace presentation
