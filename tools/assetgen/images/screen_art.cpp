#include "tools/assetgen/images/screen_art.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/assetgen/images/board_art.h"
#include "tools/assetgen/images/contact.h"
#include "tools/assetgen/images/how_to_play_art.h"
#include "tools/assetgen/images/ui_kit.h"

namespace art {

namespace {

const std::string kGui = "data/sprites/gui/";

bool SamePixel(const Rgba& a, const Rgba& b) {
  const Rgb8 p = ToRgb8(a), q = ToRgb8(b);
  return p.r == q.r && p.g == q.g && p.b == q.b;
}

// Cuts variant pictures out of full renders and checks that each one differs from the plain
// screen only inside its rectangle (otherwise the copy would show a seam) and that it differs
// at all (otherwise the highlight would be invisible).
class Cutter {
 public:
  Cutter(OutputSet& out, std::vector<std::string>& errors) : out_(out), errors_(errors) {}

  void Cut(const std::string& name, const Image& base, const Image& variant, const Rect& r) {
    bool inside = false, outside = false;
    for (int y = 0; y < base.height(); ++y)
      for (int x = 0; x < base.width(); ++x) {
        if (SamePixel(base.at(x, y), variant.at(x, y))) continue;
        const bool in = x >= r.x && x < r.x1() && y >= r.y && y < r.y1();
        (in ? inside : outside) = true;
      }
    if (outside) errors_.push_back(name + ": the changed state reaches outside its rectangle");
    if (!inside) errors_.push_back(name + ": the changed state shows no difference");
    out_.Add(kGui + name, variant.Crop(r.x, r.y, r.w, r.h));
  }

 private:
  OutputSet& out_;
  std::vector<std::string>& errors_;
};

// ------------------------------------------------------------------ main menu

struct MenuItem {
  const char* label;
  int hotTop, hotBottom;  // inclusive
};

const MenuItem kMainItems[6] = {{"Play", 166, 204},         {"Custom levels", 212, 250}, {"Options", 254, 296},
                                {"Web page", 299, 340},     {"Level editor", 344, 384},  {"Exit", 386, 424}};
// The hot columns are "more than 85 and less than 410".
constexpr int kMainHotLeft = 86, kMainHotRight = 409;

Rect MainHighlightRect(int item) { return Rect{80, 161 + 44 * (item - 1), 558, 44}; }

Rect MainLabelArea(int item) {
  const MenuItem& m = kMainItems[item - 1];
  return Intersection(Span(kMainHotLeft, m.hotTop, kMainHotRight, m.hotBottom), MainHighlightRect(item));
}

void MenuCubes(Image& img) {
  // A little heap of cubes on the snow, right of the menu.
  struct Placed {
    float x, y, k;
    int colour, arrow;
  };
  const Placed cubes[] = {{452, 352, 2.0f, 1, 0}, {516, 352, 2.0f, 0, 2}, {484, 290, 2.0f, 2, 0}, {580, 376, 1.3f, 5, 0}};
  for (const Placed& c : cubes) {
    const float s = 31 * c.k;
    FillShape(img, Ellipse({c.x + s * 0.55f, c.y + s - 2}, s * 0.55f, 5), Rgba{0.05f, 0.12f, 0.2f, 0.35f});
  }
  for (const Placed& c : cubes) DrawCube(img, Place{c.x, c.y, c.k}, c.colour, c.arrow, false);
  DrawSphere(img, Place{414, 396, 1.2f}, 3, 8.0f, false);
  // Snow settled on top of the cubes.
  for (const Placed& c : cubes) {
    const float s = 31 * c.k;
    const float top = c.y + 1.5f * c.k;
    FillShape(img, Intersect(RoundRect(c.x + 3 * c.k, top - 2, c.x + s - 4 * c.k, top + 3.5f * c.k, 2.5f * c.k),
                             [=](float x, float y) { return y - (top + 1.5f * c.k + 1.2f * std::sin(x * 0.4f)); }),
              Hex(0xF4FAFF));
  }
}

Image MainMenu(TextRenderer& tr, int highlight) {
  Image img(640, 480);
  WinterBackdrop(img, 1000, true);
  MenuCubes(img);
  Wordmark(img, tr, 320, 78, 92);
  TextStyle sub = LabelStyle();
  sub.fill = Solid(ui::kFrost);
  DrawLabel(img, tr, "a winter puzzle of sliding cubes", 14, 320, 141, Align::Center, sub);
  FrostPanel(img, Rect{80, 157, 336, 273}, 14, 0.86f);
  for (int i = 1; i <= 6; ++i) {
    const Rect area = MainLabelArea(i);
    if (i == highlight) Plaque(img, Rect{area.x + 6, area.y + 2, area.w - 12, area.h - 4}, MainHighlightRect(i).Inset(1), 10);
    DrawLabel(img, tr, kMainItems[i - 1].label, 22, area.cx(), area.cy(), Align::Center, LabelStyle());
  }
  TextStyle small = LabelStyle();
  small.fill = Solid(WithAlpha(Hex(0x3F6E92), 1));
  small.outline = 0;
  small.shadowColour = Rgba{0, 0, 0, 0};
  DrawLabel(img, tr, "v1.0", 11, 628, 468, Align::Right, small);
  return img;
}

Image Credits(TextRenderer& tr) {
  Image img(640, 480);
  WinterBackdrop(img, 1100, true);
  TextStyle gold = LabelStyle();
  gold.fill = Linear({0, 20}, {0, 52}, {{0, Hex(0xFFF3C4)}, {1, ui::kGold}});
  gold.glowRadius = 6;
  gold.glowColour = WithAlpha(Hex(0xF0C24B), 0.35f);
  DrawLabel(img, tr, "Congratulations!", 34, 320, 38, Align::Center, gold);
  TextStyle frost = LabelStyle();
  frost.fill = Solid(ui::kFrost);
  DrawLabel(img, tr, "You have solved the last level of this pack.", 16, 320, 74, Align::Center, frost);
  Wordmark(img, tr, 320, 138, 84);
  FrostPanel(img, Rect{120, 194, 400, 274}, 14, 0.92f);
  struct Line {
    const char* role;
    const char* who;
  };
  const Line lines[] = {{"Game design and programming", "The Frostlide team"},
                        {"Pictures", "Drawn by our own generator, pixel by pixel"},
                        {"Music and sound", "Composed and synthesised for Frostlide"},
                        {"Levels", "Built and tested with Mapwright"},
                        {"Type", "Open Sans"}};
  float y = 218;
  for (const Line& l : lines) {
    TextStyle role = LabelStyle();
    role.fill = Solid(ui::kIce);
    DrawLabel(img, tr, l.role, 12, 320, y, Align::Center, role);
    DrawLabel(img, tr, l.who, 15, 320, y + 17, Align::Center, LabelStyle());
    y += 38;
  }
  DrawLabel(img, tr, "Thank you for playing!", 20, 320, 420, Align::Center, gold);
  DrawLabel(img, tr, "Click or press any key to continue", 12, 320, 448, Align::Center, frost);
  return img;
}

// ------------------------------------------------------------------ game screen

const MenuItem kGameItems[6] = {{"Undo", 136, 164},        {"Restart", 188, 220}, {"Next level", 234, 262},
                                {"Select level", 276, 306}, {"Options", 320, 352}, {"Exit to menu", 368, 396}};
const int kGameHighlightY[6] = {122, 176, 220, 264, 308, 352};

// The status panel and its hint button (the game reads the same places from game_screen.h).
const Rect kGameStatusPanel{5, 34, 158, 76};
const Rect kGameHintButton{104, 84, 52, 22};

Rect GameHighlightRect(int item) { return Rect{2, kGameHighlightY[item - 1], 164, 44}; }
Rect GameDisabledRect(int item) { return Rect{0, kGameHighlightY[item - 1], 164, 44}; }
Rect GameLabelArea(int item) {
  const MenuItem& m = kGameItems[item - 1];
  // The hot columns are "more than 0 and less than 168".
  return Intersection(Span(1, m.hotTop, 167, m.hotBottom), GameHighlightRect(item));
}

Image GameScreen(TextRenderer& tr, int highlight, bool undoOff, bool nextOff) {
  Image img(640, 480);
  // The column: night glass with falling snow and a drift at the bottom.
  Image column(168, 480);
  WinterBackdrop(column, 1200, false);
  for (int x = 0; x < 168; ++x) {
    const float fx = static_cast<float>(x);
    const float top = 446.0f - 9.0f * Fbm(fx * 0.02f, 0.5f, 1201, 3) - 6.0f * std::sin(fx * 0.025f);
    for (int y = static_cast<int>(top) - 1; y < 480; ++y) {
      const float fy = static_cast<float>(y);
      column.Blend(x, y, Mix(Hex(0xEAF4FB), Hex(0x8FB3D0), Clamp01((fy - top) / 30.0f) * 0.6f), Clamp01(fy - top + 0.5f));
    }
  }
  img.Paste(column, 0, 0);
  // A small wordmark leaves room for the status panel above the items: the level, moves, par
  // and best are written into its well at run time, beside the hint button.
  Wordmark(img, tr, 84, 18, 21);
  FrostPanel(img, kGameStatusPanel, 8, 0.8f);
  Well(img, Rect{kGameStatusPanel.x + 5, kGameStatusPanel.y + 4, kGameStatusPanel.w - 10, 22}, 5);
  DrawButton(img, tr, kGameHintButton, "Hint", 12, ButtonState::Normal, kGameHintButton.Inset(-1));
  // Below the items, the drift carries the notices (solved, no way to win); a few flakes only.
  Snowflake(img, {22, 462}, 5, WithAlpha(ui::kFrost, 0.7f), 1.0f);
  Snowflake(img, {146, 464}, 4, WithAlpha(ui::kFrost, 0.6f), 1.0f);
  // The area behind the board stays plain; a thin frame shows around it.
  FillShape(img, RoundRect(168, 0, 640, 480, 0), Hex(0x0A1B2A));
  FillShape(img, RoundRect(168, 7, 633, 472, 0), ui::kNight);
  FillShape(img, Ring(RoundRect(167, 6, 634, 473, 0), 0.5f), WithAlpha(ui::kFrost, 0.55f));
  FillShape(img, RoundRect(166, 0, 168, 480, 0), WithAlpha(Hex(0x2B5A7E), 1));
  FillShape(img, RoundRect(168, 7, 633, 472, 0), ui::kNight);
  FrostPanel(img, Rect{5, 114, 158, 292}, 10, 0.8f);
  for (int i = 1; i <= 6; ++i) {
    const Rect area = GameLabelArea(i);
    if (i == highlight) Plaque(img, Rect{area.x + 4, area.y + 1, area.w - 8, area.h - 2}, GameHighlightRect(i).Inset(1), 9);
    const bool off = (i == 1 && undoOff) || (i == 3 && nextOff);
    DrawLabel(img, tr, kGameItems[i - 1].label, 17, area.cx(), area.cy(), Align::Center, off ? DisabledStyle() : LabelStyle());
  }
  return img;
}

// ------------------------------------------------------------------ message box

// Drawn buttons sit inside both the picture the game copies and the area that reacts.
const Rect kYesSprite{45, 100, 73, 39}, kNoSprite{213, 100, 73, 39}, kCloseSprite{115, 100, 73, 39};
const Rect kYesButton = Span(50, 102, 94, 128);      // hot: x 46 .. 99
const Rect kNoButton = Span(213, 102, 257, 128);     // hot: x 208 .. 257
const Rect kCloseButton = Span(117, 102, 185, 128);  // hot: x 111 .. 189

// Button states: -1 not drawn, 0 normal, 1 highlighted.
Image MessageBox(TextRenderer& tr, int yes, int no, int close) {
  Image img(304, 140);
  WindowFrame(img, "Frostlide", 26, tr);
  // A calm band for the message line at (10, 40).
  FillShape(img, RoundRect(6, 33, 298, 68, 5), WithAlpha(Hex(0x081725), 0.45f));
  FillShape(img, Ring(RoundRect(6, 33, 298, 68, 5), 0.5f), WithAlpha(ui::kFrost, 0.18f));
  auto state = [](int v) { return v == 1 ? ButtonState::Hot : ButtonState::Normal; };
  if (yes >= 0) DrawButton(img, tr, kYesButton, "Yes", 14, state(yes), kYesSprite.Inset(1));
  if (no >= 0) DrawButton(img, tr, kNoButton, "No", 14, state(no), kNoSprite.Inset(1));
  if (close >= 0) DrawButton(img, tr, kCloseButton, "OK", 14, state(close), kCloseSprite.Inset(1));
  return img;
}

// ------------------------------------------------------------------ options

struct OptionRow {
  const char* label;
  int boxY;               // where the game draws the check box (x = 30)
  int hotTop, hotBottom;  // inclusive ("more than a, less than b")
  int highlightY;
};
const OptionRow kOptionRows[6] = {{"Sound", 29, 22, 45, 21},          {"Music", 66, 55, 84, 58},
                                  {"Animation", 103, 92, 119, 95},    {"Fade effect", 140, 129, 157, 132},
                                  {"Colour-blind mode", 199, 188, 214, 191}, {"Full screen", 235, 226, 252, 227}};
Rect OptionHighlightRect(int row) { return Rect{20, kOptionRows[row - 1].highlightY, 264, 26}; }
const Rect kOptionCloseRect{134, 273, 36, 36};

void RoundCloseButton(Image& img, ButtonState state) {
  const Pt c{152, 291};
  const float r = 14.5f;
  const Rect clip = kOptionCloseRect.Inset(1);
  const Box cb = clip.ToBox();
  if (state == ButtonState::Hot) {
    Image layer = img.Crop(clip.x, clip.y, clip.w, clip.h);
    for (int y = 0; y < clip.h; ++y)
      for (int x = 0; x < clip.w; ++x) {
        const float d = std::hypot(static_cast<float>(clip.x + x) + 0.5f - c.x, static_cast<float>(clip.y + y) + 0.5f - c.y) - r;
        const float room = std::min({static_cast<float>(x), static_cast<float>(y), static_cast<float>(clip.w - 1 - x),
                                     static_cast<float>(clip.h - 1 - y)});
        if (d > 0) layer.Blend(x, y, ui::kIce, std::exp(-d * 0.6f) * 0.7f * Clamp01(room / 2.0f));
      }
    img.Paste(layer, clip.x, clip.y);
    FillShape(img, Circle(c, r), Linear({0, c.y - r}, {0, c.y + r}, {{0, Hex(0xB5F3FF)}, {0.5f, ui::kIce}, {1, Hex(0x1F8CBD)}}), cb);
    FillShape(img, Ring(Circle(c, r - 0.5f), 0.6f), Hex(0xE6FBFF), cb);
  } else {
    FillShape(img, Circle({c.x, c.y + 1.5f}, r), WithAlpha(Hex(0x02080E), 0.5f), cb);
    FillShape(img, Circle(c, r), Linear({0, c.y - r}, {0, c.y + r}, {{0, Hex(0x3474A0)}, {0.5f, Hex(0x245A82)}, {1, Hex(0x17415F)}}), cb);
    FillShape(img, Ring(Circle(c, r - 0.5f), 0.5f), WithAlpha(ui::kFrost, 0.8f), cb);
  }
  FillShape(img, Intersect(Ring(Circle(c, r - 2.0f), 0.5f), [c](float, float y) { return y - (c.y - 4); }),
            WithAlpha(Hex(0xFFFFFF), 0.35f), cb);
  const Sdf cross = Union(Capsule({c.x - 5, c.y - 5}, {c.x + 5, c.y + 5}, 1.6f), Capsule({c.x - 5, c.y + 5}, {c.x + 5, c.y - 5}, 1.6f));
  FillShape(img, Grow(cross, 1.0f), WithAlpha(ui::kInk, 0.9f), cb);
  FillShape(img, cross, Hex(0xFFFFFF), cb);
}

Image Options(TextRenderer& tr, int highlight) {
  Image img(304, 313);
  WindowFrame(img, "Options", 18, tr);
  // The gap between the play options and the display options.
  FillShape(img, Capsule({36, 172.5f}, {268, 172.5f}, 0.6f),
            Linear({36, 0}, {268, 0}, {{0, WithAlpha(ui::kFrost, 0)}, {0.5f, WithAlpha(ui::kFrost, 0.7f)}, {1, WithAlpha(ui::kFrost, 0)}}));
  FillShape(img, Circle({152, 172.5f}, 8), Hex(0x12304A));
  Snowflake(img, {152, 172.5f}, 6, ui::kFrost, 1.2f);
  for (int i = 1; i <= 6; ++i) {
    const OptionRow& row = kOptionRows[i - 1];
    const Rect hot = Span(21, row.hotTop, 284, row.hotBottom);
    const Rect area = Intersection(hot, OptionHighlightRect(i));
    if (i == highlight) Plaque(img, Rect{area.x + 2, area.y + 1, area.w - 4, area.h - 2}, OptionHighlightRect(i).Inset(1), 7);
    // The check box itself is drawn by the game; leave a socket for it.
    FillShape(img, RoundRect(28, static_cast<float>(row.boxY) - 2, 43, static_cast<float>(row.boxY) + 13, 2.5f),
              WithAlpha(ui::kInk, 0.45f));
    DrawLabel(img, tr, row.label, 15, 52, static_cast<float>(row.boxY) + 5.5f, Align::Left, LabelStyle());
  }
  RoundCloseButton(img, highlight == 7 ? ButtonState::Hot : ButtonState::Normal);
  return img;
}

Image CheckBox(bool checked) {
  Image img(11, 11, ui::kInk);
  const Sdf inner = RoundRect(1, 1, 10, 10, 0.5f);
  if (checked) {
    FillShape(img, inner, Linear({0, 1}, {0, 10}, {{0, Hex(0x9FEFFF)}, {1, Hex(0x2AA3D0)}}));
    const Sdf tick = Polyline({{2.6f, 5.6f}, {4.6f, 7.8f}, {8.6f, 2.8f}}, 0.85f);
    FillShape(img, Grow(tick, 0.8f), WithAlpha(ui::kInk, 0.85f));
    FillShape(img, tick, Hex(0xFFFFFF));
  } else {
    FillShape(img, inner, Linear({0, 1}, {0, 10}, {{0, Hex(0x0A1826)}, {1, Hex(0x1C405E)}}));
  }
  FillShape(img, Ring(RoundRect(0.5f, 0.5f, 10.5f, 10.5f, 0.5f), 0.5f), ui::kFrost);
  return img;
}

// ------------------------------------------------------------------ level select

enum class TileState { Open, Locked, Solved, Hovered };

Rect TileRect(int n) {
  const int k = (n - 1) % 10, r = (n - 1) / 10;
  return Rect{18 + 27 * k, 30 + 27 * r, 23, 23};
}

const Rect kCancelHighlight{108, 317, 85, 31};
const Rect kCancelButton = Span(111, 319, 190, 340);  // hot: x 109 .. 192, y 315 .. 342

void DrawLock(Image& img, float x, float y, Rgba colour) {
  FillShape(img, Ring(RoundRect(x + 1.2f, y, x + 4.8f, y + 5.0f, 1.8f), 0.6f), colour);
  FillShape(img, RoundRect(x, y + 2.8f, x + 6, y + 7.3f, 1), colour);
  FillShape(img, Circle({x + 3.0f, y + 4.9f}, 0.7f), ui::kInk);
}

void DrawTile(Image& img, TextRenderer& tr, int n, TileState state) {
  const Rect r = TileRect(n);
  const float x0 = static_cast<float>(r.x), y0 = static_cast<float>(r.y);
  const Sdf tile = RoundRect(x0 + 1, y0 + 1, x0 + 22, y0 + 22, 4);
  const Box b = r.ToBox();
  const std::string label = std::to_string(n);
  const int size = n >= 100 ? 9 : 11;
  float cx = r.cx(), cy = r.cy();
  switch (state) {
    case TileState::Open:
      FillShape(img, tile, Linear({0, y0}, {0, y0 + 23}, {{0, Hex(0xF4FBFF)}, {1, Hex(0xB4D9EE)}}), b);
      Bevel(img, tile, 2, Hex(0xFFFFFF), Hex(0x6E9BBE), 0.6f, b);
      FillShape(img, Ring(tile, 0.5f), Hex(0x5E8FB5), b);
      DrawLabel(img, tr, label, size, cx, cy, Align::Center, DarkStyle(ui::kNight));
      break;
    case TileState::Locked:
      FillShape(img, tile, Linear({0, y0}, {0, y0 + 23}, {{0, Hex(0x21405B)}, {1, Hex(0x152C40)}}), b);
      FillShape(img, Ring(tile, 0.5f), Hex(0x2F5676), b);
      DrawLabel(img, tr, label, size, cx - 1.0f, cy + 3, Align::Center, DarkStyle(Hex(0x6D879D)));
      DrawLock(img, x0 + 14.5f, y0 + 2.0f, Hex(0x8FA8BD));
      break;
    case TileState::Solved:
      FillShape(img, tile, Linear({0, y0}, {0, y0 + 23}, {{0, Hex(0xFFFBEA)}, {1, Hex(0xC9E4F0)}}), b);
      FillShape(img, Ring(Grow(tile, -0.8f), 1.0f), Linear({0, y0}, {0, y0 + 23}, {{0, Hex(0xFFE38A)}, {1, Hex(0xC98E16)}}), b);
      DrawLabel(img, tr, label, size, cx - 1.0f, cy + 3, Align::Center, DarkStyle(ui::kNight));
      DrawTick(img, x0 + 14.0f, y0 + 3.0f, Hex(0x3FA34D));
      break;
    case TileState::Hovered: {
      Image layer = img.Crop(r.x, r.y, r.w, r.h);
      for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) {
          const float d = tile(x0 + static_cast<float>(x) + 0.5f, y0 + static_cast<float>(y) + 0.5f);
          if (d > 0) layer.Blend(x, y, ui::kIce, std::exp(-d * 0.8f) * 0.9f);
        }
      img.Paste(layer, r.x, r.y);
      FillShape(img, tile, Linear({0, y0}, {0, y0 + 23}, {{0, Hex(0xD8FBFF)}, {0.5f, Hex(0x7DE6FB)}, {1, Hex(0x33BDE6)}}), b);
      FillShape(img, Ring(tile, 0.6f), Hex(0xFFFFFF), b);
      DrawLabel(img, tr, label, size, cx, cy, Align::Center, DarkStyle(ui::kInk));
      break;
    }
  }
}

Image LevelSelect(TextRenderer& tr, bool cancelHot, int tilesState) {
  Image img(304, 349);
  WindowFrame(img, "Select level", 22, tr);
  Well(img, Rect{12, 25, 280, 277}, 6);
  for (int n = 1; n <= 100; ++n) {  // empty sockets: what shows where no tile is drawn
    const Rect r = TileRect(n);
    const float x0 = static_cast<float>(r.x), y0 = static_cast<float>(r.y);
    FillShape(img, RoundRect(x0 + 1.5f, y0 + 1.5f, x0 + 21.5f, y0 + 21.5f, 4), WithAlpha(Hex(0x2A5878), 0.22f), r.ToBox());
    FillShape(img, Ring(RoundRect(x0 + 1.5f, y0 + 1.5f, x0 + 21.5f, y0 + 21.5f, 4), 0.5f), WithAlpha(ui::kFrost, 0.14f), r.ToBox());
  }
  if (tilesState >= 0)
    for (int n = 1; n <= 100; ++n) DrawTile(img, tr, n, static_cast<TileState>(tilesState));
  DrawButton(img, tr, kCancelButton, "Cancel", 14, cancelHot ? ButtonState::Hot : ButtonState::Normal, kCancelHighlight.Inset(1));
  return img;
}

// ------------------------------------------------------------------ custom packs

const Rect kCustomHighlight[3] = {{5, 140, 56, 39}, {77, 140, 85, 39}, {178, 140, 85, 39}};
// Inside both the highlight picture and the hot columns (7 .. 61, 81 .. 159, 186 .. 263).
const Rect kCustomButtons[3] = {Span(9, 143, 58, 169), Span(83, 143, 157, 169), Span(188, 143, 260, 169)};
const char* const kCustomLabels[3] = {"Play", "Import", "Close"};

Image CustomPacks(TextRenderer& tr, int highlight) {
  Image img(268, 180);
  WindowFrame(img, "", 0, tr);
  // The pack list (a list control at (10, 12), 249 x 128) sits in this well.
  Well(img, Rect{9, 11, 251, 130}, 3);
  for (int i = 1; i <= 3; ++i)
    DrawButton(img, tr, kCustomButtons[i - 1], kCustomLabels[i - 1], 14, i == highlight ? ButtonState::Hot : ButtonState::Normal,
               kCustomHighlight[i - 1].Inset(1));
  return img;
}

}  // namespace

void MakeScreenArt(OutputSet& out, TextRenderer& tr, std::vector<std::string>& errors) {
  Cutter cut(out, errors);

  const Image menu = MainMenu(tr, 0);
  out.Add(kGui + "mainmenu.bmp", menu);
  for (int i = 1; i <= 6; ++i)
    cut.Cut("mainmenuhighlight" + std::to_string(i) + ".bmp", menu, MainMenu(tr, i), MainHighlightRect(i));
  out.Add(kGui + "credits.bmp", Credits(tr));

  const Image game = GameScreen(tr, 0, false, false);
  out.Add(kGui + "gamemenu.bmp", game);
  for (int i = 1; i <= 6; ++i)
    cut.Cut("gamemenuhighlight" + std::to_string(i) + ".bmp", game, GameScreen(tr, i, false, false), GameHighlightRect(i));
  cut.Cut("gamemenudisabled1.bmp", game, GameScreen(tr, 0, true, false), GameDisabledRect(1));
  cut.Cut("gamemenudisabled3.bmp", game, GameScreen(tr, 0, false, true), GameDisabledRect(3));

  const Image msg = MessageBox(tr, -1, -1, -1);
  out.Add(kGui + "msg.bmp", msg);
  cut.Cut("msgyes.bmp", msg, MessageBox(tr, 0, -1, -1), kYesSprite);
  cut.Cut("msgyeshigh.bmp", msg, MessageBox(tr, 1, -1, -1), kYesSprite);
  cut.Cut("msgno.bmp", msg, MessageBox(tr, -1, 0, -1), kNoSprite);
  cut.Cut("msgnohigh.bmp", msg, MessageBox(tr, -1, 1, -1), kNoSprite);
  cut.Cut("msgclose.bmp", msg, MessageBox(tr, -1, -1, 0), kCloseSprite);
  cut.Cut("msgclosehigh.bmp", msg, MessageBox(tr, -1, -1, 1), kCloseSprite);

  const Image options = Options(tr, 0);
  out.Add(kGui + "options.bmp", options);
  for (int i = 1; i <= 6; ++i)
    cut.Cut("optionshigh" + std::to_string(i) + ".bmp", options, Options(tr, i), OptionHighlightRect(i));
  cut.Cut("optionshigh7.bmp", options, Options(tr, 7), kOptionCloseRect);
  out.Add(kGui + "optionscheckboxchecked.bmp", CheckBox(true));
  out.Add(kGui + "optionscheckboxunchecked.bmp", CheckBox(false));

  const Image select = LevelSelect(tr, false, -1);
  out.Add(kGui + "selectlevel.bmp", select);
  cut.Cut("selectlevelcancelhigh.bmp", select, LevelSelect(tr, true, -1), kCancelHighlight);
  const char* const sheets[4] = {"selectlevelnumbers.bmp", "selectlevelnumbersdisabled.bmp", "selectlevelnumberswon.bmp",
                                 "selectlevelnumbersselected.bmp"};
  for (int state = 0; state < 4; ++state) {
    // Each tile is cut from the panel with every tile drawn, at the place the game puts it.
    const Image full = LevelSelect(tr, false, state);
    Image sheet(230, 230);
    for (int n = 1; n <= 100; ++n) {
      const Rect r = TileRect(n);
      sheet.Paste(full.Crop(r.x, r.y, r.w, r.h), ((n - 1) % 10) * 23, ((n - 1) / 10) * 23);
    }
    for (int y = 0; y < full.height(); ++y)
      for (int x = 0; x < full.width(); ++x) {
        if (SamePixel(full.at(x, y), select.at(x, y))) continue;
        const int dx = x - 18, dy = y - 30;
        const bool onTile = dx >= 0 && dy >= 0 && dx % 27 < 23 && dy % 27 < 23 && dx < 270 && dy < 270;
        if (!onTile) {
          errors.push_back(std::string(sheets[state]) + ": a tile reaches outside its square");
          y = full.height();
          break;
        }
      }
    out.Add(kGui + sheets[state], sheet);
  }

  const Image custom = CustomPacks(tr, 0);
  out.Add(kGui + "playcustom.bmp", custom);
  cut.Cut("playcustomhigh1.bmp", custom, CustomPacks(tr, 1), kCustomHighlight[0]);
  cut.Cut("playcustomhigh2.bmp", custom, CustomPacks(tr, 2), kCustomHighlight[1]);
  cut.Cut("playcustomhigh3.bmp", custom, CustomPacks(tr, 3), kCustomHighlight[2]);

  const Image how = HowToPlayPage(tr, out, false);
  out.Add(kGui + "howtoplay.bmp", how);
  cut.Cut("howtoplayhigh1.bmp", how, HowToPlayPage(tr, out, true), kHowOkHighlight);
}

}  // namespace art
