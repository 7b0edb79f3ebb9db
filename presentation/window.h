#pragma once
// The game's one window over SDL2: a fixed 640 x 480 frame, presented through a streaming
// texture (software rendering is fine, never vsync) and shown at a whole-number scale, pixel
// for pixel; our own input events, in frame pixels, delivered to the screen on top; modal
// screens as nested loops on the one window thread; and the music timer.
//
// Nothing here knows the game's screens: a screen is anything that implements ScreenView.
// The main screen fills the frame; every modal screen is centred over it, the latest on top.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "presentation/display_mode.h"
#include "presentation/input.h"
#include "presentation/loop_tasks.h"
#include "presentation/surface.h"
#include "presentation/window_style.h"

struct SDL_Window;

namespace presentation {

inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;
inline constexpr int kMaxScale = 4;

// Where the frame lands in a window (or output) of the given size: at a whole-number scale of
// at most `scale`, centred, in an ordinary window; as large as fits with its proportions kept
// in full screen.
struct FrameViewport {
  int x = 0, y = 0, w = kFrameWidth, h = kFrameHeight;
  friend bool operator==(const FrameViewport&, const FrameViewport&) = default;
};
FrameViewport ViewportFor(int outputWidth, int outputHeight, int scale, bool fullScreen);
// The frame pixel under a window pixel (outside the picture too, for a held button).
void WindowToFrame(const FrameViewport& viewport, int& x, int& y);
// The largest scale 1 .. kMaxScale whose window fits in percent % of an area (at least 1).
int FittingScale(int areaWidth, int areaHeight, int percent);
// The default scale (80 % of the usable area) of a display, for a window of the game that is
// made before the main window exists; SDL's video must be up. 1 when SDL cannot tell.
int DefaultScaleOfDisplay(int displayIndex = 0);

// What the window needs of a screen.
class ScreenView {
 public:
  virtual ~ScreenView() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws the screen's current picture into the frame with its top left at (x, y).
  virtual void DrawInto(Surface& frame, int x, int y) const = 0;
  // One input event in the screen's own pixels.
  virtual void HandleInput(const InputEvent& event) = 0;
  // The window has (re)appeared: bring the picture up to date.
  virtual void Paint() = 0;
  // A modal screen's loop ends when this turns true.
  virtual bool Closed() const = 0;
  // True once after the picture changed, so the window presents a new frame.
  virtual bool TakeRepaintRequest() = 0;
};

// Runs one screen modally: returns when the screen has closed (or the program is quitting).
class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  virtual void RunModal(ScreenView& screen) = 0;
};

// Window events that are not input for a screen. All arrive on the window thread.
class WindowListener {
 public:
  virtual ~WindowListener() = default;
  virtual void OnMusicTimer() = 0;    // tmrMusic, every 1000 ms while enabled
  virtual void OnMinimized() = 0;
  virtual void OnRestored() = 0;
  virtual void OnCloseRequest() = 0;  // the close box, or any request to close the window
  // The player changed the window's scale (Ctrl+Plus, Ctrl+Minus).
  virtual void OnScaleChanged(int /*scale*/) {}
};

struct WindowOptions {
  std::string title = "Frostlide";
  std::string iconPath;    // PNG or BMP; no icon when missing
  std::string cursorPath;  // 32 x 32 pointer picture; the system pointer when missing
  int cursorHotX = 0;
  int cursorHotY = 0;
  std::uint32_t timerIntervalMs = 1000;
};

class Window : public ModalRunner, public StyledWindow, public DisplayWindow, public LoopPoster {
 public:
  // Opens the hidden window, its renderer and texture; nullptr (and error) when SDL cannot.
  static std::unique_ptr<Window> Create(const WindowOptions& options, std::string* error = nullptr);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  void SetMainScreen(ScreenView* screen) { main_ = screen; }
  void SetListener(WindowListener* listener) { listener_ = listener; }

  // Shows the window centred on the desktop and presents the first frame.
  void Show();
  bool Shown() const { return shown_; }
  bool Minimized() const;

  // Composes the frame from the main screen and the open modal screens and presents it now.
  // It handles no input, so events that arrive meanwhile wait in the queue in their order.
  void PresentNow();
  // Puts picture into the frame at (x, y) and presents at once, updating only that part of the
  // texture (a glide frame changes only the board). With a modal screen open the whole frame
  // is composed instead, so nothing is drawn over it.
  void PresentRegion(const Surface& picture, int x, int y);
  // The frame as last composed.
  const Surface& frame() const { return frame_; }
  // The pixels the renderer holds after the last present (exact with the software renderer).
  bool ReadRenderedFrame(Surface& out);

  void RunModal(ScreenView& screen) override;
  int ModalDepth() const { return static_cast<int>(modals_.size()); }

  // The main loop: handles events until RequestQuit.
  void Run();
  // Makes Run and every open modal loop return.
  void RequestQuit() { quit_ = true; }
  bool QuitRequested() const { return quit_; }
  // Handles the events that are already queued, without waiting (tests, start-up).
  void HandlePendingEvents();

  // The frame's scale in the ordinary window, 1 .. kMaxScale. Setting it resizes the window
  // around its centre (kept on the desktop); in full screen it is the size to come back to.
  int Scale() const { return scale_; }
  void SetScale(int scale);
  // The largest scale whose window fits in 80 % of the desktop's usable area, and in all of it.
  int DefaultScale() const;
  int LargestScale() const;
  // Ctrl+Plus / Ctrl+Minus: one step up (never past LargestScale) or down; tells the listener.
  void StepScale(int delta);
  // Where the frame is drawn in the window now.
  FrameViewport Viewport() const;

  // LoopPoster: tasks run between events, in the main loop and in every modal loop.
  void Post(std::function<void()> task) override;
  void PostAfter(std::uint32_t delayMs, std::function<void()> task) override;

  void EnableTimer(bool on);
  bool TimerEnabled() const { return timerEnabled_; }

  // StyledWindow
  std::uintptr_t Handle() const override;
  std::uint32_t GetStyle() const override { return style_; }
  void SetStyle(std::uint32_t style) override;
  std::uint32_t GetExStyle() const override { return exStyle_; }
  void SetExStyle(std::uint32_t exStyle) override;
  void RedrawFrame() override;
  void SetTopMost(bool on) override;
  void SetClientDrag(bool on) override;
  void ShowWindowMenu(int x, int y) override;

  // DisplayWindow
  DisplayModeInfo DesktopMode() const override;
  void SetDesktopFullScreen(bool on) override;
  void GetPosition(int& x, int& y) const override;
  void SetPosition(int x, int y) override;
  void GetSize(int& width, int& height) const override;
  void SetSize(int width, int height) override;
  void ScreenSize(int& width, int& height) const override;
  bool DesktopFullScreen() const { return desktopFullScreen_; }

  SDL_Window* sdlWindow() const { return window_; }

 private:
  Window() = default;
  struct Sdl;
  void LoopUntil(const ScreenView* modal);
  bool WaitAndHandleOne();
  void HandleSdlEvent(const void* sdlEvent);
  void DeliverInput(InputEvent event);
  void TickTimerIfDue();
  void RunTasks();
  void PresentIfRequested();
  void ScreenOrigin(const ScreenView& s, int& x, int& y) const;
  void ApplyCaptionAndBorders();
  void UsableArea(int& x, int& y, int& w, int& h) const;
  // Clears the window and copies the texture into the frame's viewport, then presents.
  void Blit();

  SDL_Window* window_ = nullptr;
  std::unique_ptr<Sdl> sdl_;
  Surface frame_{kFrameWidth, kFrameHeight};
  ScreenView* main_ = nullptr;
  std::vector<ScreenView*> modals_;
  WindowListener* listener_ = nullptr;
  bool shown_ = false;
  bool quit_ = false;
  bool timerEnabled_ = true;
  std::uint32_t timerInterval_ = 1000;
  std::uint32_t nextTick_ = 0;
  bool desktopFullScreen_ = false;
  int windowedX_ = 0, windowedY_ = 0, windowedW_ = kFrameWidth, windowedH_ = kFrameHeight;
  bool clientDrag_ = false;
  int scale_ = 1;
  bool nearest_ = true;  // the texture's current scaling filter
  // The screen that took a mouse press keeps the pointer until every button is up.
  const ScreenView* capture_ = nullptr;
  int heldButtons_ = 0;
  // Which screen got each key that is down: a release goes only to that screen, so the key
  // that closed a box does not act again on the screen under it.
  std::map<int, const ScreenView*> keyOwner_;
  std::uint32_t style_ = 0;
  std::uint32_t exStyle_ = 0;
  LoopTasks tasks_;
  std::uint32_t wakeEvent_ = 0;  // the SDL user event that Post pushes
};

}  // namespace presentation
