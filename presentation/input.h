#pragma once
// Our own input events. SDL events are translated once, here, into these; screens never see
// an SDL event. Coordinates are pixels of the picture box the event falls in; key codes are
// virtual-key-like, so letter case and the Shift key do not matter ('A'..'Z' = 65..90).
#include <cstdint>
#include <optional>

union SDL_Event;

namespace presentation {

namespace keys {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
// '0'..'9' are 48..57, 'A'..'Z' are 65..90 whatever the case typed.
constexpr int Letter(char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
inline constexpr int F1 = 112;
}  // namespace keys

// Mouse buttons as bit values (left 1, right 2, middle 4), as the screens' handlers expect.
namespace buttons {
inline constexpr int None = 0;
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}  // namespace buttons

enum class InputType { MouseMove, MouseDown, MouseUp, KeyDown, KeyUp };

struct InputEvent {
  InputType type = InputType::MouseMove;
  int x = 0;       // pixels, relative to whatever receives the event
  int y = 0;
  int button = 0;  // MouseDown/MouseUp: the button; MouseMove: the buttons held
  int key = 0;     // KeyDown/KeyUp: virtual-key-like code
  bool shift = false;

  static InputEvent Move(int x, int y, int held = 0) { return {InputType::MouseMove, x, y, held, 0, false}; }
  static InputEvent Down(int x, int y, int button = buttons::Left) { return {InputType::MouseDown, x, y, button, 0, false}; }
  static InputEvent Up(int x, int y, int button = buttons::Left) { return {InputType::MouseUp, x, y, button, 0, false}; }
  static InputEvent KeyPress(int key, bool shift = false) { return {InputType::KeyDown, 0, 0, 0, key, shift}; }
  static InputEvent KeyRelease(int key, bool shift = false) { return {InputType::KeyUp, 0, 0, 0, key, shift}; }
};

// The virtual-key-like code of an SDL key code; 0 for keys the game has no code for.
int VirtualKeyFromSdl(std::int32_t sdlKeycode);
// The code of the key at an SDL scancode (its place on a US keyboard); 0 when it has none.
int VirtualKeyFromScancode(int sdlScancode);

// Translates one SDL mouse or keyboard event. Mouse coordinates are those SDL reports, which
// are frame pixels once the renderer has a logical size; the window then offsets them into the
// picture box they fall in. A key whose SDL key code has no code is known by its scancode.
// Returns nothing for other events and for keys without a code either way.
std::optional<InputEvent> TranslateSdlEvent(const SDL_Event& event);

}  // namespace presentation
