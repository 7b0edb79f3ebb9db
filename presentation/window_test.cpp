// The window layer: input translation, the window-style words, the full-screen switch, the
// modal loops and frame composition under SDL's dummy video driver, and the message text.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "presentation/display_mode.h"
#include "presentation/input.h"
#include "presentation/message_box.h"
#include "presentation/text.h"
#include "presentation/window.h"
#include "presentation/window_style.h"

namespace presentation {
namespace {

// --- Input translation -------------------------------------------------------------------------

SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym, Uint16 mod = KMOD_NONE,
                   SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  e.key.keysym.scancode = scancode;
  return e;
}

TEST(Input, KeyCodesIgnoreCaseAndShift) {
  struct Case {
    SDL_Keycode sym;
    int code;
  } cases[] = {{SDLK_a, 65}, {SDLK_u, 85}, {SDLK_z, 90}, {SDLK_0, 48}, {SDLK_9, 57},
               {SDLK_ESCAPE, 27}, {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_SPACE, 32},
               {SDLK_LEFT, 37}, {SDLK_DOWN, 40}, {SDLK_F1, 112}, {SDLK_AUDIOPLAY, 0}};
  for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromSdl(c.sym), c.code) << SDL_GetKeyName(c.sym);

  auto shifted = TranslateSdlEvent(KeyEvent(SDL_KEYUP, SDLK_r, KMOD_LSHIFT));
  ASSERT_TRUE(shifted);
  EXPECT_EQ(shifted->type, InputType::KeyUp);
  EXPECT_EQ(shifted->key, 'R');
  EXPECT_TRUE(shifted->shift);
  EXPECT_FALSE(TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY)));
}

// "Any key" (the credits, the how-to-play page) means every key of the keyboard: modifiers,
// punctuation and the keys of a layout whose letters are not Latin arrive with a code too.
TEST(Input, EveryKeyOfTheKeyboardHasACode) {
  struct Case {
    SDL_Keycode sym;
    SDL_Scancode scancode;
    int code;
  } cases[] = {
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},   {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16},
      {SDLK_LCTRL, SDL_SCANCODE_LCTRL, 17},     {SDLK_RALT, SDL_SCANCODE_RALT, 18},
      {SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, 20}, {SDLK_INSERT, SDL_SCANCODE_INSERT, 45},
      {SDLK_PERIOD, SDL_SCANCODE_PERIOD, 190},  {SDLK_MINUS, SDL_SCANCODE_MINUS, 189},
      {SDLK_COMMA, SDL_SCANCODE_COMMA, 188},    {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 107},
      {SDLK_F13, SDL_SCANCODE_F13, 124},
      // A Cyrillic layout: the letters keep the codes of the keys they sit on.
      {0x0433, SDL_SCANCODE_U, 'U'},            {0x043d, SDL_SCANCODE_Y, 'Y'},
      // A German layout's own letter, on the key of the semicolon.
      {0x00f6, SDL_SCANCODE_SEMICOLON, 186},
  };
  for (const Case& c : cases) {
    auto down = TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, c.sym, KMOD_NONE, c.scancode));
    ASSERT_TRUE(down) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(down->type, InputType::KeyDown);
    EXPECT_EQ(down->key, c.code) << SDL_GetScancodeName(c.scancode);
  }
}

TEST(Input, MouseEventsKeepPixelsAndButtons) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 120;
  e.button.y = 77;
  auto down = TranslateSdlEvent(e);
  ASSERT_TRUE(down);
  EXPECT_EQ(down->type, InputType::MouseDown);
  EXPECT_EQ(down->button, buttons::Right);
  EXPECT_EQ(down->x, 120);
  EXPECT_EQ(down->y, 77);

  e = SDL_Event{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = 5;
  e.motion.y = 6;
  e.motion.state = SDL_BUTTON_LMASK;
  auto move = TranslateSdlEvent(e);
  ASSERT_TRUE(move);
  EXPECT_EQ(move->type, InputType::MouseMove);
  EXPECT_EQ(move->button, buttons::Left);

  e = SDL_Event{};
  e.type = SDL_MOUSEBUTTONUP;
  e.button.button = SDL_BUTTON_X1;
  EXPECT_FALSE(TranslateSdlEvent(e));
}

// --- Window style ------------------------------------------------------------------------------

class FakeStyledWindow : public StyledWindow {
 public:
  std::uintptr_t Handle() const override { return 42; }
  std::uint32_t GetStyle() const override { return style; }
  void SetStyle(std::uint32_t s) override {
    style = s;
    log.push_back("style " + std::to_string(s));
  }
  std::uint32_t GetExStyle() const override { return exStyle; }
  void SetExStyle(std::uint32_t s) override { exStyle = s; }
  void RedrawFrame() override { log.push_back("redraw"); }
  void SetTopMost(bool on) override {
    exStyle = on ? (exStyle | style_bits::ExTopMost) : (exStyle & ~style_bits::ExTopMost);
  }
  void SetClientDrag(bool on) override { log.push_back(on ? "drag on" : "drag off"); }
  void ShowWindowMenu(int x, int y) override { log.push_back("menu " + std::to_string(x) + "," + std::to_string(y)); }

  std::uint32_t style = style_bits::Caption | style_bits::SysMenu | style_bits::MinimizeBox;
  std::uint32_t exStyle = 0;
  std::vector<std::string> log;
};

TEST(WindowStyle, TitlebarTakesBothCaptionBitsAndGivesThemBack) {
  FakeStyledWindow w;
  WindowStyle s;
  s.SetClient(&w);
  EXPECT_EQ(s.hWnd(), 42u);
  ASSERT_TRUE(s.Titlebar());
  s.SetTitlebar(false);
  EXPECT_EQ(w.style & style_bits::Caption, 0u);
  EXPECT_FALSE(s.Titlebar());
  EXPECT_TRUE(s.ControlBox());
  s.SetTitlebar(true);
  EXPECT_EQ(w.style & style_bits::Caption, style_bits::Caption);
  // Either bit alone still counts as a title bar.
  w.style = style_bits::Border;
  EXPECT_TRUE(s.Titlebar());
}

TEST(WindowStyle, WritingTheSameValueRewritesTheWordAndRedraws) {
  FakeStyledWindow w;
  WindowStyle s;
  s.SetClient(&w);
  const std::uint32_t before = w.style;
  s.SetSizable(false);
  EXPECT_EQ(w.style, before);
  EXPECT_EQ(w.log, (std::vector<std::string>{"style " + std::to_string(before), "redraw"}));
}

TEST(WindowStyle, ExtendedBitsTopMostMenuAndNoClient) {
  FakeStyledWindow w;
  WindowStyle s;
  s.SetClient(&w);
  s.SetToolWindow(true);
  s.SetWhatsThisButton(true);
  EXPECT_TRUE(s.ToolWindow());
  EXPECT_TRUE(s.WhatsThisButton());
  s.SetTopMost(true);
  EXPECT_TRUE(s.TopMost());
  s.SetTopMost(false);
  EXPECT_FALSE(s.TopMost());

  s.OnClientMouseUp(2, 10, 20);  // AutoSysMenu off
  s.SetAutoSysMenu(true);
  s.OnClientMouseUp(1, 10, 20);
  s.OnClientMouseUp(2, 10, 20);
  EXPECT_EQ(w.log.back(), "menu 10,20");
  s.SetAutoDrag(true);
  EXPECT_EQ(w.log.back(), "drag on");

  WindowStyle none;
  none.SetClient(nullptr);
  EXPECT_EQ(none.hWnd(), 0u);
  none.SetTitlebar(false);
  EXPECT_FALSE(none.Titlebar());
}

// --- Display mode ------------------------------------------------------------------------------

class FakeDisplay : public DisplayWindow {
 public:
  DisplayModeInfo DesktopMode() const override { return desktop; }
  void SetDesktopFullScreen(bool on) override {
    full = on;
    log.push_back(on ? "full" : "windowed");
  }
  void GetPosition(int& px, int& py) const override { px = x; py = y; }
  void SetPosition(int px, int py) override { x = px; y = py; log.push_back("at " + std::to_string(px) + "," + std::to_string(py)); }
  void GetSize(int& w, int& h) const override { w = width; h = height; }
  void SetSize(int w, int h) override { width = w; height = h; log.push_back("size " + std::to_string(w) + "x" + std::to_string(h)); }
  void ScreenSize(int& w, int& h) const override { w = desktop.width; h = desktop.height; }

  DisplayModeInfo desktop{1280, 1024, 32, 75};
  bool full = false;
  int x = 320, y = 272, width = 640, height = 480;
  std::vector<std::string> log;
};

TEST(DisplayMode, FullScreenAndBackKeepDepthRateAndPlace) {
  FakeDisplay d;
  FakeStyledWindow w;
  WindowStyle style;
  style.SetClient(&w);
  DisplayMode mode(d, style);
  mode.SaveDisplayMode();
  mode.RecordWindowSize(640, 480);
  EXPECT_EQ(mode.saved(), (DisplayModeInfo{1280, 1024, 32, 75}));

  mode.SetFullScreen(true);
  EXPECT_TRUE(mode.fullScreen());
  EXPECT_TRUE(d.full);
  EXPECT_EQ(mode.requested(), (DisplayModeInfo{640, 480, 32, 75}));
  EXPECT_FALSE(style.Titlebar());
  EXPECT_FALSE(style.Sizable());

  mode.SetFullScreen(false);
  EXPECT_FALSE(mode.fullScreen());
  EXPECT_FALSE(d.full);
  EXPECT_EQ(mode.requested(), (DisplayModeInfo{1280, 1024, 32, 75}));
  EXPECT_TRUE(style.Titlebar());
  EXPECT_EQ(d.x, (1280 - 640) / 2);
  EXPECT_EQ(d.y, (1024 - 480) / 2);
  EXPECT_EQ(d.width, 640);
  EXPECT_EQ(d.height, 480);
}

TEST(DisplayMode, RestoreLeavesFullScreen) {
  FakeDisplay d;
  WindowStyle style;
  DisplayMode mode(d, style);
  mode.SaveDisplayMode();
  mode.SetFullScreen(true);
  mode.RestoreDisplayMode();
  EXPECT_FALSE(d.full);
  EXPECT_EQ(d.log.back(), "windowed");
}

// --- The SDL window under the dummy driver ---------------------------------------------------

class TestScreen : public ScreenView {
 public:
  TestScreen(int w, int h, std::uint32_t colour) : w_(w), h_(h), colour_(colour) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  void DrawInto(Surface& frame, int x, int y) const override {
    Surface s(w_, h_, colour_);
    BitBlt(frame, x, y, w_, h_, s, 0, 0, RasterOp::SrcCopy);
  }
  void HandleInput(const InputEvent& e) override {
    events.push_back(e);
    if (onInput) onInput(e);
  }
  void Paint() override { ++paints; }
  bool Closed() const override { return closed; }
  bool TakeRepaintRequest() override { return std::exchange(repaint, false); }

  std::vector<InputEvent> events;
  std::function<void(const InputEvent&)> onInput;
  bool closed = false;
  bool repaint = false;
  int paints = 0;

 private:
  int w_, h_;
  std::uint32_t colour_;
};

class RecordingListener : public WindowListener {
 public:
  void OnMusicTimer() override {
    ++ticks;
    if (onTick) onTick();
  }
  void OnMinimized() override { ++minimized; }
  void OnRestored() override { ++restored; }
  void OnCloseRequest() override { ++closes; }
  int ticks = 0, minimized = 0, restored = 0, closes = 0;
  std::function<void()> onTick;
};

void PushButton(Uint32 type, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = x;
  e.button.y = y;
  e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  SDL_PushEvent(&e);
}
void PushKey(Uint32 type, SDL_Keycode sym) {
  SDL_Event e = KeyEvent(type, sym);
  SDL_PushEvent(&e);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowOptions o;
    o.timerIntervalMs = 10;
    std::string error;
    window = Window::Create(o, &error);
    ASSERT_TRUE(window) << error;
    window->SetMainScreen(&main);
    window->SetListener(&listener);
    window->Show();
  }
  TestScreen main{640, 480, 0x112233};
  RecordingListener listener;
  std::unique_ptr<Window> window;
};

TEST_F(WindowTest, ModalScreenIsCentredAndGetsItsOwnPixels) {
  TestScreen box(304, 140, 0xABCDEF);
  bool sawFrame = false;
  box.onInput = [&](const InputEvent& e) {
    if (e.type == InputType::KeyDown && e.key == keys::Escape) box.closed = true;
    // While the box is open the frame shows it centred over the main screen.
    const Surface& f = window->frame();
    sawFrame = f.pixel(168, 170) == 0xABCDEF && f.pixel(167, 170) == 0x112233 &&
               f.pixel(471, 309) == 0xABCDEF && f.pixel(472, 310) == 0x112233;
  };
  // Queued before the loop starts: handled inside it, in order.
  PushButton(SDL_MOUSEBUTTONDOWN, 5, 5);      // outside the box: the main window is disabled
  PushButton(SDL_MOUSEBUTTONDOWN, 168, 170);  // (0, 0) of the box
  PushButton(SDL_MOUSEBUTTONUP, 400, 200);
  PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  window->RunModal(box);
  EXPECT_TRUE(box.closed);
  EXPECT_TRUE(main.events.empty());
  ASSERT_EQ(box.events.size(), 3u);
  EXPECT_EQ(box.events[0].type, InputType::MouseDown);
  EXPECT_EQ(box.events[0].x, 0);
  EXPECT_EQ(box.events[0].y, 0);
  // The release outside still reaches the box that took the press.
  EXPECT_EQ(box.events[1].type, InputType::MouseUp);
  EXPECT_EQ(box.events[1].x, 400 - 168);
  EXPECT_EQ(box.events[2].key, keys::Escape);
  EXPECT_EQ(window->ModalDepth(), 0);
  EXPECT_TRUE(sawFrame);
  EXPECT_EQ(window->frame().pixel(320, 240), 0x112233u);
}

TEST_F(WindowTest, TheReleaseOfAKeyThatClosedABoxDoesNotReachTheScreenBelow) {
  TestScreen box(100, 100, 0);
  box.onInput = [&](const InputEvent& e) {
    if (e.type == InputType::KeyDown && e.key == keys::Escape) box.closed = true;
  };
  PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  window->RunModal(box);
  PushKey(SDL_KEYUP, SDLK_ESCAPE);
  PushKey(SDL_KEYDOWN, SDLK_u);
  PushKey(SDL_KEYUP, SDLK_u);
  window->HandlePendingEvents();
  ASSERT_EQ(main.events.size(), 2u);
  EXPECT_EQ(main.events[0].type, InputType::KeyDown);
  EXPECT_EQ(main.events[0].key, 'U');
  EXPECT_EQ(main.events[1].type, InputType::KeyUp);
  // A release without its press (the press came before the window had the keyboard) arrives.
  PushKey(SDL_KEYUP, SDLK_r);
  window->HandlePendingEvents();
  ASSERT_EQ(main.events.size(), 3u);
  EXPECT_EQ(main.events[2].key, 'R');
}

TEST_F(WindowTest, NestedModalsEndInOrderAndTheTimerTicksInside) {
  TestScreen outer(200, 100, 0x010101);
  TestScreen inner(100, 50, 0x020202);
  listener.onTick = [&] {
    if (window->ModalDepth() == 1 && listener.ticks == 1) window->RunModal(inner);
    if (window->ModalDepth() == 2 && listener.ticks >= 3) inner.closed = true;
    if (window->ModalDepth() == 1 && listener.ticks >= 4) outer.closed = true;
  };
  window->RunModal(outer);
  EXPECT_TRUE(inner.closed);
  EXPECT_TRUE(outer.closed);
  EXPECT_GE(listener.ticks, 4);
  EXPECT_EQ(window->ModalDepth(), 0);
}

TEST_F(WindowTest, CloseRequestReachesTheListenerOnlyWithoutAModal) {
  TestScreen box(100, 100, 0);
  listener.onTick = [&] {
    if (listener.ticks == 1) {
      SDL_Event q{};
      q.type = SDL_QUIT;
      SDL_PushEvent(&q);
    } else if (listener.ticks >= 3) {
      box.closed = true;
    }
  };
  window->RunModal(box);
  EXPECT_EQ(listener.closes, 0);

  SDL_Event q{};
  q.type = SDL_QUIT;
  SDL_PushEvent(&q);
  window->HandlePendingEvents();
  EXPECT_EQ(listener.closes, 1);
}

TEST_F(WindowTest, RenderedFrameEqualsTheComposedFrame) {
  window->PresentNow();
  Surface shown;
  ASSERT_TRUE(window->ReadRenderedFrame(shown));
  ASSERT_EQ(shown.width(), 640);
  ASSERT_EQ(shown.height(), 480);
  EXPECT_EQ(shown.pixel(0, 0), 0x112233u);
  EXPECT_EQ(shown.pixel(639, 479), 0x112233u);

  // A glide frame: only the board's part changes, on screen as in the frame.
  main.repaint = false;
  window->PresentRegion(Surface(465, 465, 0xABCDEF), 168, 7);
  ASSERT_TRUE(window->ReadRenderedFrame(shown));
  for (const auto& [x, y, c] : {std::tuple{168, 7, 0xABCDEFu}, std::tuple{632, 471, 0xABCDEFu},
                                std::tuple{167, 7, 0x112233u}, std::tuple{633, 471, 0x112233u},
                                std::tuple{168, 6, 0x112233u}, std::tuple{168, 472, 0x112233u}}) {
    EXPECT_EQ(window->frame().pixel(x, y), c) << x << "," << y;
    EXPECT_EQ(shown.pixel(x, y), c) << x << "," << y;
  }
  // When the rest of the frame changed as well, the whole frame goes out.
  main.repaint = true;
  window->PresentRegion(Surface(465, 465, 0xABCDEF), 168, 7);
  EXPECT_EQ(window->frame().pixel(168, 7), 0x112233u);
}

TEST_F(WindowTest, QuitEndsRunAndEveryModalLoop) {
  TestScreen box(100, 100, 0);
  listener.onTick = [&] { window->RequestQuit(); };
  window->RunModal(box);
  EXPECT_FALSE(box.closed);
  EXPECT_TRUE(window->QuitRequested());
  window->Run();  // returns at once
}

TEST_F(WindowTest, StyleWordsAndFullScreenReachTheWindow) {
  WindowStyle style;
  style.SetClient(window.get());
  EXPECT_TRUE(style.Titlebar());
  EXPECT_TRUE(style.MinButton());
  EXPECT_FALSE(style.MaxButton());
  EXPECT_FALSE(style.Sizable());
  DisplayMode mode(*window, style);
  mode.SaveDisplayMode();
  EXPECT_GT(mode.saved().width, 0);
  mode.SetFullScreen(true);
  EXPECT_TRUE(window->DesktopFullScreen());
  EXPECT_FALSE(style.Titlebar());
  mode.SetFullScreen(false);
  EXPECT_FALSE(window->DesktopFullScreen());
  EXPECT_TRUE(style.Titlebar());
  int w = 0, h = 0;
  window->GetSize(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
}

// --- Scale -------------------------------------------------------------------------------------

TEST(WindowScale, DefaultIsTheLargestThatFitsInFourFifthsOfTheDesktop) {
  struct Case {
    int w, h, percent, scale;
  } cases[] = {
      {2560, 1440, 80, 2},  // 1280 x 960 fits in 2048 x 1152; 1920 x 1440 does not
      {3840, 2160, 80, 3},  // 4K: 1920 x 1440 in 3072 x 1728
      {7680, 4320, 80, 4},  // never past 4
      {1920, 1080, 80, 1},  // 1280 x 960 is taller than 864
      {1024, 768, 80, 1},   {640, 480, 80, 1}, {320, 200, 80, 1},  // at least 1
      {1280, 960, 100, 2},  {1279, 960, 100, 1},  // all of the area: exact fits count
      {0, 0, 80, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(FittingScale(c.w, c.h, c.percent), c.scale) << c.w << "x" << c.h;
}

TEST(WindowScale, PointerPixelsMapBackToTheFrame) {
  struct Case {
    int ow, oh, scale;
    bool full;
    FrameViewport viewport;
    int wx, wy, fx, fy;  // window pixel -> frame pixel
  } cases[] = {
      {640, 480, 1, false, {0, 0, 640, 480}, 639, 479, 639, 479},
      {1280, 960, 2, false, {0, 0, 1280, 960}, 1, 1, 0, 0},
      {1280, 960, 2, false, {0, 0, 1280, 960}, 2, 959, 1, 479},
      {1920, 1440, 3, false, {0, 0, 1920, 1440}, 1916, 5, 638, 1},
      // A window smaller than asked shows the largest whole scale that fits, centred.
      {1000, 800, 2, false, {180, 160, 640, 480}, 180, 160, 0, 0},
      // Outside the picture (a held button) the frame pixels go on past the edges.
      {1280, 960, 2, false, {0, 0, 1280, 960}, -1, 2000, -1, 1000},
      // Full screen keeps the proportions: bars left and right on a wide desktop.
      {2560, 1440, 1, true, {320, 0, 1920, 1440}, 320, 1439, 0, 479},
      {2560, 1440, 1, true, {320, 0, 1920, 1440}, 319, 0, -1, 0},
      {1280, 1024, 1, true, {0, 32, 1280, 960}, 1279, 32, 639, 0},
  };
  for (const Case& c : cases) {
    const FrameViewport v = ViewportFor(c.ow, c.oh, c.scale, c.full);
    EXPECT_EQ(v, c.viewport) << c.ow << "x" << c.oh;
    int x = c.wx, y = c.wy;
    WindowToFrame(v, x, y);
    EXPECT_EQ(x, c.fx) << c.ow << "x" << c.oh << " at " << c.wx << "," << c.wy;
    EXPECT_EQ(y, c.fy) << c.ow << "x" << c.oh << " at " << c.wx << "," << c.wy;
  }
}

// A frame whose every pixel tells its place, so a scaled picture shows where each pixel went.
class PatternScreen : public TestScreen {
 public:
  PatternScreen() : TestScreen(640, 480, 0) {}
  void DrawInto(Surface& frame, int x, int y) const override {
    for (int py = 0; py < 480; ++py)
      for (int px = 0; px < 640; ++px) frame.setPixel(x + px, y + py, static_cast<std::uint32_t>(px << 12 | py));
  }
};

class ScaledWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window->SetMainScreen(&pattern);
  }
  void PushMouse(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
      e.motion.windowID = SDL_GetWindowID(window->sdlWindow());
      e.motion.x = x;
      e.motion.y = y;
    } else {
      e.button.windowID = SDL_GetWindowID(window->sdlWindow());
      e.button.button = SDL_BUTTON_LEFT;
      e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      e.button.x = x;
      e.button.y = y;
    }
    SDL_PushEvent(&e);
  }
  PatternScreen pattern;
};

// Cells of the board (31 pixels from (168, 7)), clicked at the same spot of the cell at every
// scale: the screen gets the frame pixel it would get at scale 1.
TEST_F(ScaledWindowTest, AClickLandsOnTheSameFramePixelAtEveryScale) {
  const std::pair<int, int> spots[] = {{168, 7}, {168 + 30, 7 + 30}, {168 + 7 * 31 + 15, 7 + 7 * 31 + 3}, {632, 471}, {0, 0}, {639, 479}};
  for (int scale = 1; scale <= kMaxScale; ++scale) {
    window->SetScale(scale);
    EXPECT_EQ(window->Scale(), scale);
    int w = 0, h = 0;
    SDL_GetWindowSize(window->sdlWindow(), &w, &h);
    EXPECT_EQ(w, 640 * scale);
    EXPECT_EQ(h, 480 * scale);
    for (const auto& [fx, fy] : spots) {
      pattern.events.clear();
      // Any window pixel of the scaled frame pixel: its last one here.
      PushMouse(SDL_MOUSEMOTION, fx * scale + scale - 1, fy * scale + scale - 1);
      PushMouse(SDL_MOUSEBUTTONDOWN, fx * scale, fy * scale + scale - 1);
      PushMouse(SDL_MOUSEBUTTONUP, fx * scale + scale - 1, fy * scale);
      window->HandlePendingEvents();
      ASSERT_EQ(pattern.events.size(), 3u) << "scale " << scale;
      for (const InputEvent& e : pattern.events) {
        EXPECT_EQ(e.x, fx) << "scale " << scale;
        EXPECT_EQ(e.y, fy) << "scale " << scale;
      }
    }
  }
}

TEST_F(ScaledWindowTest, EveryFramePixelIsAWholeSquareOnScreen) {
  window->SetScale(3);
  Surface shown;
  ASSERT_TRUE(window->ReadRenderedFrame(shown));
  ASSERT_EQ(shown.width(), 1920);
  ASSERT_EQ(shown.height(), 1440);
  for (const auto& [fx, fy] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{0, 1}, std::pair{321, 123}, std::pair{639, 479}})
    for (int dy = 0; dy < 3; ++dy)
      for (int dx = 0; dx < 3; ++dx)
        ASSERT_EQ(shown.pixel(fx * 3 + dx, fy * 3 + dy), static_cast<std::uint32_t>(fx << 12 | fy)) << fx << "," << fy;
}

TEST_F(ScaledWindowTest, CtrlMinusAndPlusAreTheWindowsOwnKeys) {
  struct ScaleListener : RecordingListener {
    void OnScaleChanged(int s) override { told.push_back(s); }
    std::vector<int> told;
  } scaleListener;
  window->SetListener(&scaleListener);
  // A window made before this one (a message at start-up) finds the same default.
  EXPECT_EQ(DefaultScaleOfDisplay(0), window->DefaultScale());
  window->SetScale(3);
  auto push = [](Uint32 type, SDL_Keycode sym, Uint16 mod) {
    SDL_Event e = KeyEvent(type, sym, mod);
    SDL_PushEvent(&e);
  };
  for (SDL_Keycode minus : {SDLK_MINUS, SDLK_KP_MINUS}) {
    push(SDL_KEYDOWN, minus, KMOD_LCTRL);
    push(SDL_KEYUP, minus, KMOD_LCTRL);
  }
  window->HandlePendingEvents();
  EXPECT_EQ(window->Scale(), 1);
  EXPECT_EQ(scaleListener.told, (std::vector<int>{2, 1}));
  // Down at 1 and up past what the desktop holds (the dummy desktop takes 640 x 480 once)
  // change nothing and tell nobody.
  push(SDL_KEYDOWN, SDLK_MINUS, KMOD_RCTRL);
  push(SDL_KEYDOWN, SDLK_EQUALS, KMOD_LCTRL);
  push(SDL_KEYDOWN, SDLK_PLUS, KMOD_LCTRL | KMOD_LSHIFT);
  window->HandlePendingEvents();
  EXPECT_EQ(window->Scale(), std::min(2, window->LargestScale()));
  EXPECT_EQ(scaleListener.told.size(), window->LargestScale() >= 2 ? 3u : 2u);
  // None of these reached the screen; a minus without Ctrl does.
  EXPECT_TRUE(pattern.events.empty());
  push(SDL_KEYDOWN, SDLK_MINUS, KMOD_NONE);
  window->HandlePendingEvents();
  ASSERT_EQ(pattern.events.size(), 1u);
  EXPECT_EQ(pattern.events[0].key, 189);
  window->SetListener(&listener);
}

TEST_F(ScaledWindowTest, FullScreenComesBackToTheScaledWindow) {
  WindowStyle style;
  style.SetClient(window.get());
  DisplayMode mode(*window, style);
  mode.SaveDisplayMode();
  window->SetScale(2);
  mode.RecordWindowSize(1280, 960);
  mode.SetFullScreen(true);
  EXPECT_EQ(window->Scale(), 2);
  mode.SetFullScreen(false);
  int w = 0, h = 0;
  window->GetSize(w, h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 960);
  // A change made in full screen is the size it comes back to.
  mode.SetFullScreen(true);
  window->SetScale(1);
  mode.RecordWindowSize(640, 480);
  mode.SetFullScreen(false);
  window->GetSize(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
}

// --- Text and the platform box -----------------------------------------------------------------

TEST(Text, OneWhiteLineFromItsTopLeftCutAtTheEdge) {
  auto font = TextRenderer::Open(FROSTLIDE_TEST_FONT, 12);
  ASSERT_TRUE(font);
  Surface box(304, 140, 0);
  font->DrawText(box, 10, 40, "Next level is locked.", 0xFFFFFF);
  int lit = 0, white = 0;
  for (int y = 0; y < box.height(); ++y)
    for (int x = 0; x < box.width(); ++x) {
      const std::uint32_t p = box.pixel(x, y);
      if (p == 0) continue;
      ++lit;
      if (p == 0xFFFFFF) ++white;
      EXPECT_GE(x, 10);
      EXPECT_GE(y, 40);
      EXPECT_LT(y, 40 + 24);
      EXPECT_EQ((p >> 16) & 255, p & 255) << "grey levels only";
    }
  EXPECT_GT(lit, 100);
  EXPECT_GT(white, 20);

  int w = 0, h = 0;
  font->Measure("Next level is locked.", w, h);
  EXPECT_GT(w, 100);
  EXPECT_GE(h, 16);  // 12 points at 96 dpi

  // A line far wider than the box is cut, not wrapped: nothing below the line box.
  Surface narrow(304, 140, 0);
  font->DrawText(narrow, 10, 40, std::string(200, 'W'), 0xFFFFFF);
  bool rightEdge = false;
  for (int y = 40; y < 64; ++y) rightEdge = rightEdge || narrow.pixel(303, y) != 0 || narrow.pixel(302, y) != 0;
  EXPECT_TRUE(rightEdge);
  for (int x = 0; x < 304; ++x) EXPECT_EQ(narrow.pixel(x, 100), 0u);
}

TEST(Text, EightBitTextIsShownAsWindows1252) {
  EXPECT_EQ(ToDisplayUtf8("plain"), "plain");
  EXPECT_EQ(ToDisplayUtf8("caf\xc3\xa9"), "caf\xc3\xa9");
  EXPECT_EQ(ToDisplayUtf8("caf\xe9"), "caf\xc3\xa9");
}

TEST(SdlMessageBox, WithoutADisplayTheDesktopBoxGivesNoAnswer) {
  // The drawn box then stands in (drawn_message_box_test.cpp); the desktop's half must say it failed.
  EXPECT_EQ(SdlMessageBox::ShowWithSdl("Frostlide", "Would you like to play in a full screen mode?",
                                       engine::MessageIcon::Question, true, nullptr),
            std::nullopt);
}

}  // namespace
}  // namespace presentation
