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
    // Keys that no screen binds still count where any key does (the credits, how to play).
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 17;
    case SDLK_LALT:
    case SDLK_RALT: return 18;
    case SDLK_PAUSE: return 19;
    case SDLK_CAPSLOCK: return 20;
    case SDLK_PRINTSCREEN: return 44;
    case SDLK_INSERT: return 45;
    case SDLK_LGUI: return 91;
    case SDLK_RGUI: return 92;
    case SDLK_APPLICATION: return 93;
    case SDLK_KP_MULTIPLY: return 106;
    case SDLK_KP_PLUS: return 107;
    case SDLK_KP_MINUS: return 109;
    case SDLK_KP_PERIOD: return 110;
    case SDLK_KP_DIVIDE: return 111;
    case SDLK_NUMLOCKCLEAR: return 144;
    case SDLK_SCROLLLOCK: return 145;
    case SDLK_SEMICOLON: return 186;
    case SDLK_EQUALS: return 187;
    case SDLK_COMMA: return 188;
    case SDLK_MINUS: return 189;
    case SDLK_PERIOD: return 190;
    case SDLK_SLASH: return 191;
    case SDLK_BACKQUOTE: return 192;
    case SDLK_LEFTBRACKET: return 219;
    case SDLK_BACKSLASH: return 220;
    case SDLK_RIGHTBRACKET: return 221;
    case SDLK_QUOTE: return 222;
    default: break;
  }
  if (k >= SDLK_F13 && k <= SDLK_F24) return 124 + (k - SDLK_F13);
  return 0;
}

int VirtualKeyFromScancode(int sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  switch (sc) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH: return 220;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_NONUSBACKSLASH: return 226;
    default: return VirtualKeyFromSdl(SDL_SCANCODE_TO_KEYCODE(sc));
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
      // A layout whose keys give no Latin letter or known sign (Cyrillic, Greek, a German
      // umlaut): the key's place on the keyboard gives the code, as a virtual-key code would.
      int code = VirtualKeyFromSdl(e.key.keysym.sym);
      if (code == 0) code = VirtualKeyFromScancode(e.key.keysym.scancode);
      if (code == 0) return std::nullopt;
      const bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
      return e.type == SDL_KEYDOWN ? InputEvent::KeyPress(code, shift) : InputEvent::KeyRelease(code, shift);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace presentation
