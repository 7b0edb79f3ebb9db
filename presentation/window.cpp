#include "presentation/window.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <limits>

#include "presentation/loaded_libraries.h"

namespace presentation {

struct Window::Sdl {
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  SDL_Cursor* cursor = nullptr;
  bool minimized = false;
};

namespace {
// Fixed single border, title bar, system menu and minimise button; no maximise, no sizing.
constexpr std::uint32_t kMainWindowStyle =
    style_bits::Caption | style_bits::SysMenu | style_bits::MinimizeBox;

SDL_Surface* LoadPicture(const std::string& path) {
  if (path.empty()) return nullptr;
  return IMG_Load(path.c_str());
}

int FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int>(q);
}
}  // namespace

FrameViewport ViewportFor(int ow, int oh, int scale, bool fullScreen) {
  FrameViewport v;
  if (ow <= 0 || oh <= 0) return v;
  if (fullScreen) {
    // Proportions kept: the full height, or the full width where the desktop is taller.
    if (static_cast<long long>(ow) * kFrameHeight >= static_cast<long long>(oh) * kFrameWidth) {
      v.h = oh;
      v.w = static_cast<int>(static_cast<long long>(oh) * kFrameWidth / kFrameHeight);
    } else {
      v.w = ow;
      v.h = static_cast<int>(static_cast<long long>(ow) * kFrameHeight / kFrameWidth);
    }
  } else {
    // A window the desktop made smaller than asked shows the largest whole scale that fits.
    const int fits = std::min(ow / kFrameWidth, oh / kFrameHeight);
    const int s = std::clamp(std::min(fits, scale), 1, kMaxScale);
    v.w = kFrameWidth * s;
    v.h = kFrameHeight * s;
  }
  v.x = (ow - v.w) / 2;
  v.y = (oh - v.h) / 2;
  return v;
}

void WindowToFrame(const FrameViewport& v, int& x, int& y) {
  if (v.w <= 0 || v.h <= 0) return;
  x = FloorDiv(static_cast<long long>(x - v.x) * kFrameWidth, v.w);
  y = FloorDiv(static_cast<long long>(y - v.y) * kFrameHeight, v.h);
}

int FittingScale(int areaWidth, int areaHeight, int percent) {
  int best = 1;
  for (int s = 2; s <= kMaxScale; ++s) {
    const bool fits = static_cast<long long>(kFrameWidth) * s * 100 <= static_cast<long long>(areaWidth) * percent &&
                      static_cast<long long>(kFrameHeight) * s * 100 <= static_cast<long long>(areaHeight) * percent;
    if (fits) best = s;
  }
  return best;
}

std::unique_ptr<Window> Window::Create(const WindowOptions& options, std::string* error) {
  auto fail = [&](const char* what) -> std::unique_ptr<Window> {
    if (error) *error = std::string(what) + ": " + SDL_GetError();
    return nullptr;
  };
  // A poll must see every queued event: no end-of-cycle marker that makes it report an empty
  // queue while events wait behind the marker.
  SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return fail("SDL video");
  std::unique_ptr<Window> w(new Window());
  w->sdl_ = std::make_unique<Sdl>();
  w->timerInterval_ = options.timerIntervalMs;
  w->style_ = kMainWindowStyle;
  w->window_ = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                kFrameWidth, kFrameHeight, SDL_WINDOW_HIDDEN);
  if (!w->window_) return fail("window");
  // A present must never wait for the display's refresh: a glide frame is 8 ms.
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  // Crisp pixels at every whole scale; the texture takes the hint when it is made.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  w->sdl_->renderer = SDL_CreateRenderer(w->window_, -1, 0);
  if (!w->sdl_->renderer) w->sdl_->renderer = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_SOFTWARE);
  KeepLoadedLibrariesMapped();  // the renderer's driver, for the leak check of sanitized builds
  if (!w->sdl_->renderer) return fail("renderer");
  // The frame keeps its 640 x 480 pixels in any window size: Blit places it in the window and
  // the pointer is mapped back to frame pixels here (WindowToFrame), never by SDL.
  w->sdl_->texture = SDL_CreateTexture(w->sdl_->renderer, SDL_PIXELFORMAT_RGB888,
                                       SDL_TEXTUREACCESS_STREAMING, kFrameWidth, kFrameHeight);
  if (!w->sdl_->texture) return fail("texture");

  if (SDL_Surface* icon = LoadPicture(options.iconPath)) {
    SDL_SetWindowIcon(w->window_, icon);
    SDL_FreeSurface(icon);
  }
  if (SDL_Surface* pointer = LoadPicture(options.cursorPath)) {
    w->sdl_->cursor = SDL_CreateColorCursor(pointer, options.cursorHotX, options.cursorHotY);
    SDL_FreeSurface(pointer);
    if (w->sdl_->cursor) SDL_SetCursor(w->sdl_->cursor);
  }
  SDL_StopTextInput();
  w->wakeEvent_ = SDL_RegisterEvents(1);
  w->nextTick_ = SDL_GetTicks() + w->timerInterval_;
  return w;
}

Window::~Window() {
  tasks_.Clear();
  if (sdl_) {
    if (sdl_->cursor) SDL_FreeCursor(sdl_->cursor);
    if (sdl_->texture) SDL_DestroyTexture(sdl_->texture);
    if (sdl_->renderer) SDL_DestroyRenderer(sdl_->renderer);
  }
  if (window_) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
}

void Window::Show() {
  if (main_) main_->Paint();
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  SDL_ShowWindow(window_);
  shown_ = true;
  PresentNow();
}

bool Window::Minimized() const {
  return sdl_->minimized || (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

void Window::ScreenOrigin(const ScreenView& s, int& x, int& y) const {
  if (&s == main_) {
    x = y = 0;
    return;
  }
  x = (kFrameWidth - s.Width()) / 2;
  y = (kFrameHeight - s.Height()) / 2;
}

void Window::PresentNow() {
  if (main_) main_->DrawInto(frame_, 0, 0);
  for (ScreenView* s : modals_) {
    int x = 0, y = 0;
    ScreenOrigin(*s, x, y);
    s->DrawInto(frame_, x, y);
  }
  if (!shown_) return;
  SDL_UpdateTexture(sdl_->texture, nullptr, frame_.pixels().data(), kFrameWidth * 4);
  Blit();
}

FrameViewport Window::Viewport() const {
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  return ViewportFor(w, h, scale_, desktopFullScreen_);
}

void Window::Blit() {
  int ow = 0, oh = 0;
  SDL_GetRendererOutputSize(sdl_->renderer, &ow, &oh);
  const FrameViewport v = ViewportFor(ow, oh, scale_, desktopFullScreen_);
  // Whole scales stay crisp; a full screen of another shape is smoothed, as it always was.
  const bool nearest = v.w % kFrameWidth == 0 && v.h % kFrameHeight == 0;
  if (nearest != nearest_) {
    SDL_SetTextureScaleMode(sdl_->texture, nearest ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    nearest_ = nearest;
  }
  SDL_SetRenderDrawColor(sdl_->renderer, 0, 0, 0, 255);
  SDL_RenderClear(sdl_->renderer);
  const SDL_Rect dst{v.x, v.y, v.w, v.h};
  SDL_RenderCopy(sdl_->renderer, sdl_->texture, nullptr, &dst);
  SDL_RenderPresent(sdl_->renderer);
}

void Window::PresentRegion(const Surface& picture, int x, int y) {
  // Anything else that changed since the last frame goes out with this one.
  const bool others = main_ && main_->TakeRepaintRequest();
  if (!modals_.empty() || !shown_ || others) {
    PresentNow();
    return;
  }
  BitBlt(frame_, x, y, picture.width(), picture.height(), picture, 0, 0, RasterOp::SrcCopy);
  SDL_Rect r{x, y, picture.width(), picture.height()};
  SDL_Rect all{0, 0, kFrameWidth, kFrameHeight};
  SDL_Rect clipped{};
  if (!SDL_IntersectRect(&r, &all, &clipped)) return;
  const std::uint32_t* first = frame_.row(clipped.y) + clipped.x;
  SDL_UpdateTexture(sdl_->texture, &clipped, first, kFrameWidth * 4);
  Blit();
}

bool Window::ReadRenderedFrame(Surface& out) {
  SDL_UpdateTexture(sdl_->texture, nullptr, frame_.pixels().data(), kFrameWidth * 4);
  int ow = 0, oh = 0;
  SDL_GetRendererOutputSize(sdl_->renderer, &ow, &oh);
  const FrameViewport v = ViewportFor(ow, oh, scale_, desktopFullScreen_);
  SDL_SetRenderDrawColor(sdl_->renderer, 0, 0, 0, 255);
  SDL_RenderClear(sdl_->renderer);
  const SDL_Rect dst{v.x, v.y, v.w, v.h};
  SDL_RenderCopy(sdl_->renderer, sdl_->texture, nullptr, &dst);
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(sdl_->renderer, &w, &h);
  if (w <= 0 || h <= 0) return false;
  out = Surface(w, h);
  return SDL_RenderReadPixels(sdl_->renderer, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels().data(), w * 4) == 0;
}

void Window::PresentIfRequested() {
  bool repaint = false;
  if (main_ && main_->TakeRepaintRequest()) repaint = true;
  for (ScreenView* s : modals_)
    if (s->TakeRepaintRequest()) repaint = true;
  if (repaint) PresentNow();
}

void Window::RunModal(ScreenView& screen) {
  if (quit_ || screen.Closed()) return;
  // A modal screen needs a window to appear in (a message during start-up).
  if (!shown_) Show();
  modals_.push_back(&screen);
  screen.Paint();
  screen.TakeRepaintRequest();
  PresentNow();
  LoopUntil(&screen);
  // Screens open in nested loops, so the one that ends is the one on top.
  modals_.erase(std::remove(modals_.begin(), modals_.end(), &screen), modals_.end());
  if (capture_ == &screen) {
    capture_ = nullptr;
    heldButtons_ = 0;
  }
  // Keys still down on the screen that closed are released into nothing (see DeliverInput);
  // the address may be reused by a later screen, so the entries stay marked as "gone".
  for (auto& [key, owner] : keyOwner_)
    if (owner == &screen) owner = nullptr;
  PresentNow();
}

void Window::Run() { LoopUntil(nullptr); }

void Window::LoopUntil(const ScreenView* modal) {
  while (!quit_ && !(modal && modal->Closed())) WaitAndHandleOne();
}

void Window::HandlePendingEvents() {
  SDL_Event e;
  while (!quit_ && SDL_PollEvent(&e)) {
    HandleSdlEvent(&e);
    PresentIfRequested();
  }
  TickTimerIfDue();
  RunTasks();
  PresentIfRequested();
}

bool Window::WaitAndHandleOne() {
  SDL_Event e;
  int got = 0;
  const std::uint32_t now = SDL_GetTicks();
  // Wake for whichever comes first: an event, the music timer, a task posted for later.
  std::int32_t wait = tasks_.MsUntilNext(now);
  if (timerEnabled_) {
    const auto left = std::max<std::int32_t>(0, static_cast<std::int32_t>(nextTick_ - now));
    wait = wait < 0 ? left : std::min(wait, left);
  }
  if (wait < 0) {
    got = SDL_WaitEvent(&e);
  } else {
    got = wait > 0 ? SDL_WaitEventTimeout(&e, wait) : SDL_PollEvent(&e);
  }
  if (got) HandleSdlEvent(&e);
  TickTimerIfDue();
  RunTasks();
  PresentIfRequested();
  return got != 0;
}

void Window::Post(std::function<void()> task) {
  tasks_.Push(std::move(task));
  // Wakes a loop that waits for events; the task runs whether or not this event gets through.
  SDL_Event wake{};
  wake.type = wakeEvent_;
  SDL_PushEvent(&wake);
}

void Window::PostAfter(std::uint32_t delayMs, std::function<void()> task) {
  tasks_.Defer(SDL_GetTicks() + delayMs, std::move(task));
}

void Window::RunTasks() {
  if (quit_) return;
  tasks_.RunReady(SDL_GetTicks());
}

void Window::EnableTimer(bool on) {
  if (on && !timerEnabled_) nextTick_ = SDL_GetTicks() + timerInterval_;
  timerEnabled_ = on;
}

void Window::TickTimerIfDue() {
  if (!timerEnabled_) return;
  const std::uint32_t now = SDL_GetTicks();
  if (static_cast<std::int32_t>(now - nextTick_) < 0) return;
  // A tick that came late (a long move) is not made up for: one tick, then the usual pace.
  nextTick_ = now + timerInterval_;
  if (listener_) listener_->OnMusicTimer();
}

void Window::HandleSdlEvent(const void* raw) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
  switch (e.type) {
    case SDL_QUIT:
      // A modal screen disables the main window, close box included.
      if (modals_.empty() && listener_) listener_->OnCloseRequest();
      return;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
          if (!sdl_->minimized) {
            sdl_->minimized = true;
            if (listener_) listener_->OnMinimized();
          }
          break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
          if (sdl_->minimized) {
            sdl_->minimized = false;
            if (listener_) listener_->OnRestored();
          }
          PresentNow();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          PresentNow();
          break;
        default:
          break;
      }
      return;
    case SDL_KEYDOWN:
      if (e.key.keysym.mod & KMOD_CTRL) {
        const SDL_Keycode k = e.key.keysym.sym;
        const int step = (k == SDLK_PLUS || k == SDLK_EQUALS || k == SDLK_KP_PLUS) ? 1
                         : (k == SDLK_MINUS || k == SDLK_KP_MINUS)                  ? -1
                                                                                    : 0;
        if (step != 0) {
          // The window's own key: no screen sees the press, nor its release.
          if (auto input = TranslateSdlEvent(e)) keyOwner_[input->key] = nullptr;
          StepScale(step);
          return;
        }
      }
      break;
    default:
      break;
  }
  auto input = TranslateSdlEvent(e);
  if (!input) return;
  if (input->type != InputType::KeyDown && input->type != InputType::KeyUp) WindowToFrame(Viewport(), input->x, input->y);
  DeliverInput(*input);
}

void Window::DeliverInput(InputEvent ev) {
  ScreenView* top = modals_.empty() ? main_ : modals_.back();
  if (!top) return;
  if (ev.type == InputType::KeyDown) {
    keyOwner_[ev.key] = top;
    top->HandleInput(ev);
    return;
  }
  if (ev.type == InputType::KeyUp) {
    const auto owner = keyOwner_.find(ev.key);
    const bool elsewhere = owner != keyOwner_.end() && owner->second != top;
    if (owner != keyOwner_.end()) keyOwner_.erase(owner);
    if (!elsewhere) top->HandleInput(ev);
    return;
  }
  int ox = 0, oy = 0;
  ScreenOrigin(*top, ox, oy);
  const bool inside = ev.x >= ox && ev.x < ox + top->Width() && ev.y >= oy && ev.y < oy + top->Height();
  const bool captured = capture_ == top;
  switch (ev.type) {
    case InputType::MouseDown:
      if (!inside && !captured) return;
      if (heldButtons_ == 0) capture_ = top;
      heldButtons_ |= ev.button;
      break;
    case InputType::MouseUp:
      heldButtons_ &= ~ev.button;
      if (heldButtons_ == 0) capture_ = nullptr;
      if (!inside && !captured) return;
      break;
    default:
      if (!inside && !captured) return;
      break;
  }
  ev.x -= ox;
  ev.y -= oy;
  top->HandleInput(ev);
}

namespace {
SDL_Rect UsableBounds(int index) {
  SDL_Rect r{0, 0, kFrameWidth, kFrameHeight};
  if (SDL_GetDisplayUsableBounds(index, &r) != 0 || r.w <= 0 || r.h <= 0) {
    if (SDL_GetDisplayBounds(index, &r) != 0) r = SDL_Rect{0, 0, kFrameWidth, kFrameHeight};
  }
  return r;
}
}  // namespace

int DefaultScaleOfDisplay(int displayIndex) {
  const SDL_Rect r = UsableBounds(displayIndex);
  return FittingScale(r.w, r.h, 80);
}

void Window::UsableArea(int& x, int& y, int& w, int& h) const {
  int index = SDL_GetWindowDisplayIndex(window_);
  if (index < 0) index = 0;
  const SDL_Rect r = UsableBounds(index);
  x = r.x;
  y = r.y;
  w = r.w;
  h = r.h;
}

int Window::DefaultScale() const {
  int x = 0, y = 0, w = 0, h = 0;
  UsableArea(x, y, w, h);
  return FittingScale(w, h, 80);
}

int Window::LargestScale() const {
  int x = 0, y = 0, w = 0, h = 0;
  UsableArea(x, y, w, h);
  return FittingScale(w, h, 100);
}

void Window::SetScale(int scale) {
  scale = std::clamp(scale, 1, kMaxScale);
  if (scale == scale_) return;
  scale_ = scale;
  const int w = kFrameWidth * scale, h = kFrameHeight * scale;
  if (desktopFullScreen_) {
    // The ordinary window to come back to grows or shrinks around its centre.
    windowedX_ += (windowedW_ - w) / 2;
    windowedY_ += (windowedH_ - h) / 2;
    windowedW_ = w;
    windowedH_ = h;
    if (shown_) PresentNow();
    return;
  }
  int x = 0, y = 0, oldW = 0, oldH = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &oldW, &oldH);
  SDL_SetWindowSize(window_, w, h);
  if (shown_) {
    // Same centre as before, but never pushed off the desktop's usable area.
    int ax = 0, ay = 0, aw = 0, ah = 0;
    UsableArea(ax, ay, aw, ah);
    int nx = x + (oldW - w) / 2, ny = y + (oldH - h) / 2;
    nx = std::max(ax, std::min(nx, ax + aw - w));
    ny = std::max(ay, std::min(ny, ay + ah - h));
    SDL_SetWindowPosition(window_, nx, ny);
    PresentNow();
  }
}

void Window::StepScale(int delta) {
  const int before = scale_;
  int to = scale_ + delta;
  // Growing stops at the largest window the desktop holds; shrinking always works.
  if (delta > 0) to = std::min(to, std::max(scale_, LargestScale()));
  SetScale(to);
  if (scale_ != before && listener_) listener_->OnScaleChanged(scale_);
}

std::uintptr_t Window::Handle() const { return window_ ? SDL_GetWindowID(window_) : 0; }

void Window::ApplyCaptionAndBorders() {
  if (desktopFullScreen_) return;  // the full-screen window has no frame whatever the words say
  SDL_SetWindowBordered(window_, (style_ & style_bits::Caption) ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowResizable(window_, (style_ & style_bits::ThickFrame) ? SDL_TRUE : SDL_FALSE);
}

void Window::SetStyle(std::uint32_t style) {
  style_ = style;
  ApplyCaptionAndBorders();
}

void Window::SetExStyle(std::uint32_t exStyle) {
  // The top-most bit is read only; it changes through SetTopMost.
  exStyle_ = (exStyle & ~style_bits::ExTopMost) | (exStyle_ & style_bits::ExTopMost);
}

void Window::RedrawFrame() {
  if (shown_) PresentNow();
}

void Window::SetTopMost(bool on) {
  SDL_SetWindowAlwaysOnTop(window_, on ? SDL_TRUE : SDL_FALSE);
  exStyle_ = on ? (exStyle_ | style_bits::ExTopMost) : (exStyle_ & ~style_bits::ExTopMost);
}

namespace {
SDL_HitTestResult DragEverywhere(SDL_Window*, const SDL_Point*, void*) { return SDL_HITTEST_DRAGGABLE; }
}  // namespace

void Window::SetClientDrag(bool on) {
  clientDrag_ = on;
  SDL_SetWindowHitTest(window_, on ? DragEverywhere : nullptr, nullptr);
}

void Window::ShowWindowMenu(int, int) {
  // SDL offers no window menu of its own; the desktop's (Alt+Space) still works.
}

DisplayModeInfo Window::DesktopMode() const {
  SDL_DisplayMode m{};
  int index = SDL_GetWindowDisplayIndex(window_);
  if (index < 0) index = 0;
  if (SDL_GetDesktopDisplayMode(index, &m) != 0) return {};
  auto clamp16 = [](int v) {
    return static_cast<std::int16_t>(std::clamp(v, 0, static_cast<int>(std::numeric_limits<std::int16_t>::max())));
  };
  return {clamp16(m.w), clamp16(m.h), clamp16(static_cast<int>(SDL_BYTESPERPIXEL(m.format)) * 8),
          clamp16(m.refresh_rate)};
}

void Window::SetDesktopFullScreen(bool on) {
  if (on == desktopFullScreen_) return;
  if (on) {
    SDL_GetWindowPosition(window_, &windowedX_, &windowedY_);
    SDL_GetWindowSize(window_, &windowedW_, &windowedH_);
    // Cover the desktop by hand as well: without a window manager nobody else resizes it.
    SDL_Rect bounds{};
    int index = SDL_GetWindowDisplayIndex(window_);
    if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &bounds) == 0) {
      SDL_SetWindowBordered(window_, SDL_FALSE);
      SDL_SetWindowPosition(window_, bounds.x, bounds.y);
      SDL_SetWindowSize(window_, bounds.w, bounds.h);
    }
  }
  SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  desktopFullScreen_ = on;
  if (!on) {
    // What was asked for meanwhile is the place and size the window comes back to.
    SDL_SetWindowSize(window_, windowedW_, windowedH_);
    SDL_SetWindowPosition(window_, windowedX_, windowedY_);
  }
  ApplyCaptionAndBorders();
  if (shown_) PresentNow();
}

// While the full-screen window covers the desktop, place and size are those of the ordinary
// window it will turn back into; the full-screen window itself keeps the desktop's size.
void Window::GetPosition(int& x, int& y) const {
  if (desktopFullScreen_) {
    x = windowedX_;
    y = windowedY_;
  } else {
    SDL_GetWindowPosition(window_, &x, &y);
  }
}
void Window::SetPosition(int x, int y) {
  if (desktopFullScreen_) {
    windowedX_ = x;
    windowedY_ = y;
  } else {
    SDL_SetWindowPosition(window_, x, y);
  }
}
void Window::GetSize(int& width, int& height) const {
  if (desktopFullScreen_) {
    width = windowedW_;
    height = windowedH_;
  } else {
    SDL_GetWindowSize(window_, &width, &height);
  }
}
void Window::SetSize(int width, int height) {
  if (desktopFullScreen_) {
    windowedW_ = width;
    windowedH_ = height;
  } else {
    SDL_SetWindowSize(window_, width, height);
  }
}

void Window::ScreenSize(int& width, int& height) const {
  SDL_DisplayMode m{};
  int index = SDL_GetWindowDisplayIndex(window_);
  if (index < 0) index = 0;
  if (SDL_GetDesktopDisplayMode(index, &m) != 0) {
    width = kFrameWidth;
    height = kFrameHeight;
    return;
  }
  width = m.w;
  height = m.h;
}

}  // namespace presentation
