// The mouse pointer and the program icons, drawn from vectors at every size so small icons
// stay crisp.
#include <cmath>
#include <string>

#include "tools/assetgen/images/board_art.h"
#include "tools/assetgen/images/screen_art.h"
#include "tools/assetgen/images/ui_kit.h"

namespace art {

namespace {

Image Cursor() {
  Image img(32, 32, Rgba{0, 0, 0, 0});
  const float t = static_cast<float>(kCursorHotX) + 0.5f;
  const Sdf arrow = Polygon({{t, t}, {t, 24}, {8, 19}, {12, 28}, {16, 26.2f}, {12, 17.5f}, {19.5f, 17.5f}});
  // Soft shadow first, then the navy outline, then the frosted body.
  Gray shadow = Blur(Rasterize(Translate(Grow(arrow, 1.2f), 1.5f, 1.5f), 32, 32), 2);
  FillMask(img, shadow, 0, 0, Rgba{0.01f, 0.04f, 0.08f, 0.45f});
  FillShape(img, Grow(arrow, 1.3f), ui::kInk);
  FillShape(img, arrow, Linear({2, 2}, {14, 26}, {{0, Hex(0xFFFFFF)}, {0.6f, Hex(0xE6F5FC)}, {1, ui::kFrost}}));
  FillShape(img, Intersect(Ring(Grow(arrow, -1.2f), 0.45f), [](float x, float) { return x - 5.0f; }),
            WithAlpha(ui::kIce, 0.8f));
  return img;
}

Image FrostlideIcon(int size) {
  const float s = static_cast<float>(size);
  Image img(size, size, Rgba{0, 0, 0, 0});
  const float k = s / 31.0f * 0.96f;
  const float off = (s - 31.0f * k) / 2.0f;
  DrawCube(img, Place{off, off, k}, 1, 0, false);
  const Pt c{s / 2, s / 2 + s * 0.02f};
  const float r = s * 0.27f, w = std::max(1.0f, s * 0.055f);
  if (size >= 24) Snowflake(img, c, r + w * 0.6f, WithAlpha(Hex(0x10375F), 0.9f), w + std::max(1.0f, s / 64) * 2);
  Snowflake(img, c, r, Hex(0xFFFFFF), w);
  return img;
}

Image MapwrightIcon(int size) {
  const float s = static_cast<float>(size);
  const float u = s / 32.0f;
  Image img(size, size, Rgba{0, 0, 0, 0});
  // A sheet of level grid.
  const Sdf sheet = RoundRect(1.5f * u, 1.5f * u, 30.5f * u, 30.5f * u, 4 * u);
  FillShape(img, sheet, ui::kInk);
  FillShape(img, Grow(sheet, -1.0f * std::max(1.0f, u)), Linear({0, 0}, {s, s}, {{0, Hex(0xEAF6FD)}, {1, Hex(0x9CCBE6)}}));
  if (size >= 24)
    for (int i = 1; i < 4; ++i) {
      const float p = (1.5f + 29.0f * static_cast<float>(i) / 4.0f) * u;
      FillShape(img, Intersect(Capsule({p, 3 * u}, {p, 29 * u}, 0.35f * u + 0.2f), sheet), WithAlpha(Hex(0x4E86AD), 0.8f));
      FillShape(img, Intersect(Capsule({3 * u, p}, {29 * u, p}, 0.35f * u + 0.2f), sheet), WithAlpha(Hex(0x4E86AD), 0.8f));
    }
  // One cube painted into the top-left cell.
  DrawCube(img, Place{3.0f * u, 3.0f * u, 7.0f * u / 31.0f * 1.55f}, 0, 0, false);
  // A pencil across the sheet, tip at the lower left.
  const Pt a{9 * u, 23 * u}, b{27 * u, 5 * u};
  const float dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
  const Pt n{-dy / len * 3.2f * u, dx / len * 3.2f * u};
  const Pt d{dx / len, dy / len};
  const Pt tip{a.x - d.x * 6 * u, a.y - d.y * 6 * u};
  const Sdf body = Polygon({{a.x + n.x, a.y + n.y}, {b.x + n.x, b.y + n.y}, {b.x - n.x, b.y - n.y}, {a.x - n.x, a.y - n.y}});
  const Sdf cone = Polygon({{a.x + n.x, a.y + n.y}, {a.x - n.x, a.y - n.y}, tip});
  FillShape(img, Grow(Union(body, cone), std::max(1.0f, 1.1f * u)), ui::kInk);
  FillShape(img, body, Linear({a.x + n.x, a.y + n.y}, {a.x - n.x, a.y - n.y}, {{0, Hex(0xFFC07A)}, {0.5f, Hex(0xF28C28)}, {1, Hex(0xA85810)}}));
  FillShape(img, cone, Hex(0xF3D9B5));
  FillShape(img, Polygon({{tip.x + d.x * 2.2f * u + n.x * 0.35f, tip.y + d.y * 2.2f * u + n.y * 0.35f},
                          {tip.x + d.x * 2.2f * u - n.x * 0.35f, tip.y + d.y * 2.2f * u - n.y * 0.35f}, tip}),
            Hex(0x23303C));
  const Pt band0{b.x - d.x * 4 * u, b.y - d.y * 4 * u};
  FillShape(img, Polygon({{band0.x + n.x, band0.y + n.y}, {b.x + n.x, b.y + n.y}, {b.x - n.x, b.y - n.y}, {band0.x - n.x, band0.y - n.y}}),
            Linear({band0.x + n.x, band0.y + n.y}, {band0.x - n.x, band0.y - n.y}, {{0, Hex(0xE9F1F7)}, {1, Hex(0x7D8C99)}}));
  return img;
}

}  // namespace

void MakeIcons(OutputSet& out) {
  out.Add("data/sprites/gui/cursor.png", Cursor(), FileKind::PngAlpha);
  out.Add("data/sprites/gui/icon.png", FrostlideIcon(256), FileKind::PngAlpha);
  out.Add("data/sprites/gui/icon32.png", FrostlideIcon(32), FileKind::PngAlpha);
  Image icon32 = FrostlideIcon(32);
  // The bitmap form has no alpha: put it on the night colour.
  Image flat(32, 32, ui::kNight);
  flat.Draw(icon32, 0, 0);
  out.Add("data/sprites/gui/icon32.bmp", flat);
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string dir = "data/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/";
    out.Add(dir + "frostlide.png", FrostlideIcon(size), FileKind::PngAlpha);
    out.Add(dir + "mapwright.png", MapwrightIcon(size), FileKind::PngAlpha);
  }
}

}  // namespace art
