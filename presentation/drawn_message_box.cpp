#include "presentation/drawn_message_box.h"

#include <SDL.h>

#include <algorithm>

#include "platform/paths.h"
#include "presentation/builtin_font.h"
#include "presentation/image.h"
#include "presentation/loaded_libraries.h"
#include "presentation/text.h"

namespace presentation {

namespace {

constexpr int kFontPoints = 12;
constexpr int kLetterScale = 2;  // the built-in letters at twice their size
constexpr int kTextTop = 40;     // where the game's box writes its line
constexpr int kTextRight = 294;
constexpr int kIconTextX = 40;
constexpr int kButtonW = 73;
constexpr int kButtonH = 39;
// The first band row that repeats when the box grows: inside the message band, below its
// rounded top corners.
constexpr int kStretchRow = 50;

// The interface colours of the game's pictures.
constexpr std::uint32_t kNight = Rgb(0x0E, 0x22, 0x33);
constexpr std::uint32_t kNightLight = Rgb(0x16, 0x3A, 0x55);
constexpr std::uint32_t kBand = Rgb(0x0A, 0x1B, 0x2A);
constexpr std::uint32_t kFrost = Rgb(0xBF, 0xE3, 0xF5);
constexpr std::uint32_t kIce = Rgb(0x5C, 0xD6, 0xF5);
constexpr std::uint32_t kWhite = Rgb(0xFF, 0xFF, 0xFF);
constexpr std::uint32_t kOutline = Rgb(0x08, 0x17, 0x25);

void FillRect(Surface& s, int x, int y, int w, int h, std::uint32_t c) {
  for (int row = std::max(0, y); row < std::min(s.height(), y + h); ++row)
    for (int col = std::max(0, x); col < std::min(s.width(), x + w); ++col) s.row(row)[col] = c;
}

void FrameRect(Surface& s, int x, int y, int w, int h, std::uint32_t c) {
  FillRect(s, x, y, w, 1, c);
  FillRect(s, x, y + h - 1, w, 1, c);
  FillRect(s, x, y, 1, h, c);
  FillRect(s, x + w - 1, y, 1, h, c);
}

void FillDisc(Surface& s, int cx, int cy, int r, std::uint32_t c) {
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx)
      if (dx * dx + dy * dy <= r * r + r) {
        const int x = cx + dx, y = cy + dy;
        if (x >= 0 && y >= 0 && x < s.width() && y < s.height()) s.row(y)[x] = c;
      }
}

std::optional<Surface> LoadGuiPicture(const std::string& appPath, const char* name, int w, int h) {
  if (appPath.empty()) return std::nullopt;
  std::optional<Surface> s = LoadImage(platform::ResolvePath(appPath + "data/sprites/gui/" + name + ".bmp"));
  // A picture of another size is not the one the layout was made for.
  if (!s || s->width() != w || s->height() != h) return std::nullopt;
  return s;
}

// What the icon says, drawn as a round badge left of the text.
struct IconLook {
  std::uint32_t colour;
  const char* sign;
};
std::optional<IconLook> LookOf(engine::MessageIcon icon) {
  switch (icon) {
    case engine::MessageIcon::Error: return IconLook{Rgb(0xD6, 0x45, 0x41), "x"};
    case engine::MessageIcon::Warning: return IconLook{Rgb(0xF2, 0x8C, 0x28), "!"};
    case engine::MessageIcon::Question: return IconLook{Rgb(0x2F, 0x7F, 0xD1), "?"};
    case engine::MessageIcon::Information: return IconLook{Rgb(0x2F, 0x7F, 0xD1), "i"};
    case engine::MessageIcon::None: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

DrawnMessageBox::DrawnMessageBox(std::string title, const std::string& text, engine::MessageIcon icon, bool yesNo,
                                 const DrawnBoxArt& art)
    : title_(std::move(title)), icon_(icon), yesNo_(yesNo) {
  for (const std::string& path : art.fonts) {
    if (path.empty()) continue;
    font_ = TextRenderer::Open(path, kFontPoints);
    if (font_) break;
  }
  frame_ = LoadGuiPicture(art.appPath, "msg", kWidth, kBaseHeight);
  yes_ = LoadGuiPicture(art.appPath, "msgyes", kButtonW, kButtonH);
  yesHigh_ = LoadGuiPicture(art.appPath, "msgyeshigh", kButtonW, kButtonH);
  no_ = LoadGuiPicture(art.appPath, "msgno", kButtonW, kButtonH);
  noHigh_ = LoadGuiPicture(art.appPath, "msgnohigh", kButtonW, kButtonH);
  close_ = LoadGuiPicture(art.appPath, "msgclose", kButtonW, kButtonH);
  closeHigh_ = LoadGuiPicture(art.appPath, "msgclosehigh", kButtonW, kButtonH);

  textX_ = LookOf(icon_) ? kIconTextX : 10;
  lines_ = WrapText(text, kTextRight - textX_, [this](const std::string& s) { return TextWidth(s); });
  // The box grows by whole lines up to what fits over the main window; the rest is cut, with
  // a mark that there is more.
  const int maxLines = 1 + (kMaxHeight - kBaseHeight) / lineHeight();
  if (static_cast<int>(lines_.size()) > maxLines) {
    lines_.resize(static_cast<std::size_t>(maxLines));
    std::string& last = lines_.back();
    while (!last.empty() && TextWidth(last + " ...") > kTextRight - textX_) last.pop_back();
    last += " ...";
  }
  const int extra = (static_cast<int>(lines_.size()) - 1) * lineHeight();
  picture_ = Surface(kWidth, kBaseHeight + extra);
  Compose();
}

DrawnMessageBox::~DrawnMessageBox() = default;

int DrawnMessageBox::lineHeight() const {
  if (!font_) return kBuiltinGlyphHeight * kLetterScale + 2;
  int w = 0, h = 0;
  font_->Measure("Ag", w, h);
  return h > 0 ? h : 17;
}

int DrawnMessageBox::TextWidth(const std::string& s) const {
  if (!font_) return BuiltinTextWidth(s, kLetterScale);
  int w = 0, h = 0;
  font_->Measure(s, w, h);
  return w;
}

void DrawnMessageBox::DrawLetters(Surface& target, int x, int y, const std::string& s, std::uint32_t colour) const {
  if (font_) {
    font_->DrawText(target, x, y, s, colour);
  } else {
    // A dark copy one pixel down and right keeps the letters apart from any background.
    DrawBuiltinText(target, x + 1, y + 1, s, kOutline, kLetterScale);
    DrawBuiltinText(target, x, y, s, colour, kLetterScale);
  }
}

void DrawnMessageBox::DrawBackground() {
  const int h = picture_.height();
  if (frame_) {
    // The game's picture, its message band stretched by repeating one of its rows.
    const int extra = h - kBaseHeight;
    BitBlt(picture_, 0, 0, kWidth, kStretchRow, *frame_, 0, 0, RasterOp::SrcCopy);
    for (int i = 0; i < extra; ++i)
      BitBlt(picture_, 0, kStretchRow + i, kWidth, 1, *frame_, 0, kStretchRow, RasterOp::SrcCopy);
    BitBlt(picture_, 0, kStretchRow + extra, kWidth, kBaseHeight - kStretchRow, *frame_, 0, kStretchRow,
           RasterOp::SrcCopy);
    return;
  }
  // A plain frame in the same colours: title strip, border, message band.
  FillRect(picture_, 0, 0, kWidth, h, kNight);
  FillRect(picture_, 0, 0, kWidth, 26, kNightLight);
  FrameRect(picture_, 0, 0, kWidth, h, kFrost);
  FillRect(picture_, 1, 26, kWidth - 2, 1, kFrost);
  FillRect(picture_, 6, 33, kWidth - 12, h - kBaseHeight + 35, kBand);
  DrawLetters(picture_, 10, font_ ? 4 : 5, title_, kWhite);
}

void DrawnMessageBox::DrawButton(int x, int y, int button, const char* label, const std::optional<Surface>& normal,
                                 const std::optional<Surface>& high) {
  const bool hot = hover_ == button;
  const std::optional<Surface>& picture = hot && high ? high : normal;
  if (picture && (!hot || high)) {
    BitBlt(picture_, x, y, kButtonW, kButtonH, *picture, 0, 0, RasterOp::SrcCopy);
    return;
  }
  FillRect(picture_, x + 4, y + 2, kButtonW - 8, kButtonH - 12, hot ? Rgb(0x2B, 0x5A, 0x7E) : kNightLight);
  FrameRect(picture_, x + 4, y + 2, kButtonW - 8, kButtonH - 12, hot ? kIce : kFrost);
  const int w = TextWidth(label);
  DrawLetters(picture_, x + (kButtonW - w) / 2, y + 2 + (kButtonH - 12 - lineHeight()) / 2 + 1, label, kWhite);
}

void DrawnMessageBox::DrawIcon() {
  const std::optional<IconLook> look = LookOf(icon_);
  if (!look) return;
  const int cx = 22, cy = kTextTop + lineHeight() / 2;
  FillDisc(picture_, cx, cy, 12, kOutline);
  FillDisc(picture_, cx, cy, 11, look->colour);
  const int w = TextWidth(look->sign);
  DrawLetters(picture_, cx - w / 2, cy - lineHeight() / 2, look->sign, kWhite);
}

void DrawnMessageBox::Compose() {
  DrawBackground();
  const int buttonY = picture_.height() - kBaseHeight + 100;
  if (yesNo_) {
    DrawButton(45, buttonY, 1, "Yes", yes_, yesHigh_);
    DrawButton(213, buttonY, 2, "No", no_, noHigh_);
  } else {
    DrawButton(115, buttonY, 1, "OK", close_, closeHigh_);
  }
  DrawIcon();
  for (std::size_t i = 0; i < lines_.size(); ++i)
    DrawLetters(picture_, textX_, kTextTop + static_cast<int>(i) * lineHeight(), lines_[i], kWhite);
  repaint_ = true;
}

int DrawnMessageBox::ButtonAt(int x, int y) const {
  // The game's box's areas, kept at the same distance from the bottom edge.
  const int top = picture_.height() - kBaseHeight + 101, bottom = top + 28;
  if (y < top || y > bottom) return 0;
  if (yesNo_) {
    if (x >= 46 && x <= 99) return 1;
    if (x >= 208 && x <= 257) return 2;
    return 0;
  }
  return x >= 111 && x <= 189 ? 1 : 0;
}

void DrawnMessageBox::Answer(int button) {
  answer_ = button == 1;
  closed_ = true;
}

void DrawnMessageBox::HandleInput(const InputEvent& e) {
  if (closed_) return;
  switch (e.type) {
    case InputType::MouseMove: {
      const int over = ButtonAt(e.x, e.y);
      if (over != hover_) {
        hover_ = over;
        Compose();
      }
      break;
    }
    case InputType::MouseDown:
      if (e.button == buttons::Left) pressed_ = ButtonAt(e.x, e.y);
      break;
    case InputType::MouseUp:
      if (e.button == buttons::Left) {
        const int over = ButtonAt(e.x, e.y);
        if (over != 0 && over == pressed_) Answer(over);
        pressed_ = 0;
      }
      break;
    case InputType::KeyDown:
      if (e.key == keys::Enter) Answer(1);
      else if (e.key == keys::Escape) Answer(yesNo_ ? 2 : 1);
      else if (yesNo_ && e.key == keys::Letter('Y')) Answer(1);
      else if (yesNo_ && e.key == keys::Letter('N')) Answer(2);
      break;
    case InputType::KeyUp:
      break;
  }
}

void DrawnMessageBox::DrawInto(Surface& frame, int x, int y) const {
  BitBlt(frame, x, y, picture_.width(), picture_.height(), picture_, 0, 0, RasterOp::SrcCopy);
}

void DrawnMessageBox::Paint() { repaint_ = true; }

bool DrawnMessageBox::TakeRepaintRequest() {
  const bool r = repaint_;
  repaint_ = false;
  return r;
}

bool DrawnMessageBox::RunInOwnWindow() {
  SDL_Window* window = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Width(),
                                        Height(), SDL_WINDOW_SHOWN);
  if (!window) return false;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  KeepLoadedLibrariesMapped();
  SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                                      Width(), Height())
                                  : nullptr;
  if (!texture) {
    if (renderer) SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return false;
  }
  // On top and with the keyboard: on a bare X server there is no window manager to give it.
  SDL_RaiseWindow(window);
  SDL_SetWindowInputFocus(window);
  const Uint32 id = SDL_GetWindowID(window);
  bool quitAfter = false;
  repaint_ = true;
  while (!closed_) {
    if (TakeRepaintRequest()) {
      SDL_UpdateTexture(texture, nullptr, picture_.row(0), picture_.width() * 4);
      SDL_RenderClear(renderer);
      SDL_RenderCopy(renderer, texture, nullptr, nullptr);
      SDL_RenderPresent(renderer);
    }
    SDL_Event e;
    if (!SDL_WaitEvent(&e)) break;
    if (e.type == SDL_QUIT) {
      // The program is asked to end: the box counts as closed, and the request goes on.
      quitAfter = true;
      HandleInput(InputEvent::KeyPress(keys::Escape));
      break;
    }
    if (e.type == SDL_WINDOWEVENT && e.window.windowID == id) {
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) HandleInput(InputEvent::KeyPress(keys::Escape));
      else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) repaint_ = true;
      continue;
    }
    // A held key repeating must not answer the next box as well.
    if (e.type == SDL_KEYDOWN && e.key.repeat) continue;
    const bool mouse = e.type == SDL_MOUSEMOTION || e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP;
    if (mouse && e.motion.windowID != id) continue;
    if (std::optional<InputEvent> input = TranslateSdlEvent(e)) HandleInput(*input);
  }
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  if (quitAfter) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
  return closed_;
}

}  // namespace presentation
