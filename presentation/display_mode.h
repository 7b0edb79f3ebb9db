#pragma once
// modChangeRes: full screen and back. Our desktops do not switch the display's resolution for a
// game; full screen is a borderless desktop-sized window that shows the 640 x 480 frame scaled
// with its aspect kept. The desktop's mode is still recorded at start-up and "restored" by
// leaving full screen, so callers keep the classic order of calls.
#include <cstdint>

#include "presentation/window_style.h"

namespace presentation {

struct DisplayModeInfo {
  std::int16_t width = 0;
  std::int16_t height = 0;
  std::int16_t bitsPerPixel = 0;
  std::int16_t frequency = 0;
  friend bool operator==(const DisplayModeInfo&, const DisplayModeInfo&) = default;
};

// The window calls the switch needs; the SDL window implements them, tests record them.
class DisplayWindow {
 public:
  virtual ~DisplayWindow() = default;
  virtual DisplayModeInfo DesktopMode() const = 0;
  // Desktop-sized borderless full screen (true) or the ordinary window (false).
  virtual void SetDesktopFullScreen(bool on) = 0;
  virtual void GetPosition(int& x, int& y) const = 0;
  virtual void SetPosition(int x, int y) = 0;
  virtual void GetSize(int& width, int& height) const = 0;
  virtual void SetSize(int width, int height) = 0;
  // The size of the desktop the window is on.
  virtual void ScreenSize(int& width, int& height) const = 0;
};

class DisplayMode {
 public:
  DisplayMode(DisplayWindow& window, WindowStyle& style) : window_(window), style_(style) {}

  // Records the desktop's mode; once per start, before any switch.
  void SaveDisplayMode();
  // Asks for a mode. Only the desktop's own mode can be shown, so any other request means the
  // scaled full-screen window; the result is not looked at.
  void SetDisplayMode(std::int16_t width, std::int16_t height, std::int16_t bitsPerPixel,
                      std::int16_t frequency);
  // Back to the recorded desktop mode (leaves the full-screen window).
  void RestoreDisplayMode();
  void SetFullScreen(bool on);

  // The main window's designed outer size, recorded by start-up before any switch.
  void RecordWindowSize(int width, int height) { windowWidth_ = width; windowHeight_ = height; }

  bool fullScreen() const { return fullScreen_; }
  // The options screen toggles the flag while it is open; SetFullScreen applies it on closing.
  void setFullScreenFlag(bool on) { fullScreen_ = on; }
  const DisplayModeInfo& saved() const { return saved_; }
  // The last mode asked for with SetDisplayMode.
  const DisplayModeInfo& requested() const { return requested_; }
  int windowWidth() const { return windowWidth_; }
  int windowHeight() const { return windowHeight_; }

 private:
  DisplayWindow& window_;
  WindowStyle& style_;
  DisplayModeInfo saved_;
  DisplayModeInfo requested_;
  bool fullScreen_ = false;
  int windowWidth_ = 640;
  int windowHeight_ = 480;
};

}  // namespace presentation
