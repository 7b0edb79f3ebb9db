#include "tools/assetgen/images/ui_kit.h"

#include "tools/assetgen/images/board_art.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

namespace art {

Rect Span(int x0, int y0, int x1, int y1) { return Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1}; }

Rect Intersection(const Rect& a, const Rect& b) {
  const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.x1(), b.x1()), y1 = std::min(a.y1(), b.y1());
  return Rect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

TextStyle LabelStyle() {
  TextStyle s;
  s.fill = Solid(Hex(0xFFFFFF));
  s.outline = 1.0f;
  s.outlineColour = WithAlpha(ui::kInk, 0.95f);
  s.shadowDx = 0;
  s.shadowDy = 2;
  s.shadowBlur = 2;
  s.shadowColour = Rgba{0.01f, 0.04f, 0.08f, 0.55f};
  return s;
}

TextStyle DisabledStyle() {
  TextStyle s;
  s.fill = Solid(Hex(0x6F8599));
  s.outline = 1.0f;
  s.outlineColour = WithAlpha(ui::kInk, 0.8f);
  return s;
}

TextStyle DarkStyle(Rgba ink) {
  TextStyle s;
  s.fill = Solid(ink);
  return s;
}

// ------------------------------------------------------------------ backdrop

void Snowflake(Image& img, Pt c, float r, Rgba colour, float width) {
  const Box b{static_cast<int>(c.x - r) - 2, static_cast<int>(c.y - r) - 2, static_cast<int>(c.x + r) + 3,
              static_cast<int>(c.y + r) + 3};
  Sdf shape = Circle(c, width * 1.2f);
  for (int i = 0; i < 6; ++i) {
    const float a = static_cast<float>(i) * 1.0471976f - 1.5707963f;
    const Pt dir{std::cos(a), std::sin(a)};
    const Pt tip{c.x + dir.x * r, c.y + dir.y * r};
    shape = Union(shape, Capsule(c, tip, width / 2));
    for (float at : {0.45f, 0.7f}) {
      const Pt base{c.x + dir.x * r * at, c.y + dir.y * r * at};
      const float len = r * (at < 0.5f ? 0.32f : 0.22f);
      for (float side : {-1.0f, 1.0f}) {
        const float ba = a + side * 0.785f;
        shape = Union(shape, Capsule(base, {base.x + std::cos(ba) * len, base.y + std::sin(ba) * len}, width / 2.4f));
      }
    }
  }
  FillShape(img, shape, colour, b);
}

void Snowfall(Image& img, std::uint32_t seed, int count, Box area) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const Pt p{rng.Uniform(static_cast<float>(area.x0), static_cast<float>(area.x1)),
               rng.Uniform(static_cast<float>(area.y0), static_cast<float>(area.y1))};
    const float near = rng.Uniform();
    const float r = near > 0.96f ? rng.Uniform(1.8f, 2.6f) : rng.Uniform(0.5f, 1.3f);
    const float a = near > 0.96f ? 0.45f : rng.Uniform(0.35f, 0.85f);
    const Box b{static_cast<int>(p.x) - 4, static_cast<int>(p.y) - 4, static_cast<int>(p.x) + 5, static_cast<int>(p.y) + 5};
    FillShape(img, Circle(p, r + 1.2f), Radial(p, r + 1.2f, {{0, Rgba{1, 1, 1, a}}, {0.6f, Rgba{1, 1, 1, a * 0.7f}}, {1, Rgba{1, 1, 1, 0}}}), b);
  }
}

void WinterBackdrop(Image& img, std::uint32_t seed, bool mountains) {
  const int w = img.width(), h = img.height();
  const float fh = static_cast<float>(h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      Rgba c = Gradient({{0, Hex(0x061120)}, {0.45f, ui::kNight}, {0.8f, ui::kNight2}, {1, Hex(0x1F4B6C)}}, fy / fh);
      // A faint aurora curtain across the upper sky.
      const float wave = fy / fh * 6.0f - 1.2f - 0.9f * std::sin(fx * 0.011f + 0.7f) - Fbm(fx * 0.006f, 0.5f, seed + 3, 3);
      const float curtain = std::exp(-wave * wave * 2.0f) * (0.4f + 0.6f * Fbm(fx * 0.04f, fy * 0.004f, seed + 5, 3));
      c = Mix(c, Hex(0x2FBF9B), curtain * 0.22f);
      c = Mix(c, Hex(0x6E58C8), std::exp(-(wave + 0.9f) * (wave + 0.9f) * 2.5f) * 0.10f);
      img.at(x, y) = c;
    }
  Rng rng(seed + 11);
  for (int i = 0; i < w * h / 900; ++i) {  // stars
    const int x = rng.Int(0, w - 1), y = rng.Int(0, static_cast<int>(fh * 0.7f));
    const float bright = rng.Uniform(0.25f, 1.0f);
    img.Blend(x, y, Hex(0xE8F4FF), bright);
    if (bright > 0.93f) {
      for (int d = 1; d <= 2; ++d) {
        const float a = bright * (d == 1 ? 0.5f : 0.2f);
        img.Blend(x - d, y, Hex(0xCFE8FF), a);
        img.Blend(x + d, y, Hex(0xCFE8FF), a);
        img.Blend(x, y - d, Hex(0xCFE8FF), a);
        img.Blend(x, y + d, Hex(0xCFE8FF), a);
      }
    }
  }
  if (mountains) {
    // Two ranges of snowy peaks, the far one hazier.
    struct Range {
      float base, height, freq;
      std::uint32_t seed;
      Rgba rock, snow;
    };
    const Range ranges[2] = {
        {fh * 0.78f, fh * 0.30f, 0.011f, seed + 21, Hex(0x244B6C), Hex(0x9DBFD9)},
        {fh * 0.90f, fh * 0.24f, 0.016f, seed + 23, Hex(0x15324D), Hex(0xD2E7F4)},
    };
    for (const Range& r : ranges) {
      auto height = [&](float fx) {
        return 1.0f - std::fabs(2.0f * Fbm(fx * r.freq, 0.3f, r.seed, 3) - 1.0f);
      };
      for (int x = 0; x < w; ++x) {
        const float fx = static_cast<float>(x);
        const float top = r.base - r.height * height(fx);
        const float slope = height(fx + 1) - height(fx - 1);  // > 0: the ground rises to the right
        // Snow lies on the upper part of each slope; the face turned to the light is brighter.
        const float hh = height(fx);
        const float snowDepth = r.height * (0.05f + 0.38f * hh * hh) * (0.7f + 0.6f * Fbm(fx * 0.03f, 7.0f, r.seed + 1, 3));
        const float lit = Clamp01(0.5f + slope * 12.0f);
        const Rgba snow = Mix(Mix(r.snow, Hex(0x5F86A8), 0.3f), Mix(r.snow, Hex(0xFFFFFF), 0.35f), lit);
        const Rgba rock = Mix(r.rock, Mix(r.rock, Hex(0x5F86A8), 0.2f), lit);
        for (int y = std::max(0, static_cast<int>(top) - 1); y < h; ++y) {
          const float fy = static_cast<float>(y);
          const float cov = Clamp01(fy - top + 0.5f);
          if (cov <= 0) continue;
          const float into = fy - top;
          const float jag = 7.0f * (Fbm(fx * 0.06f, 3.0f, r.seed + 2, 3) - 0.5f) + 0.0f * fy;
          Rgba c = into < snowDepth + jag ? snow : rock;
          c = Mix(c, Hex(0x0E2233), Clamp01(into / (fh - top)) * 0.45f);
          img.Blend(x, y, c, cov);
        }
      }
    }
    // The snow field in front.
    for (int x = 0; x < w; ++x) {
      const float fx = static_cast<float>(x);
      const float top = fh * 0.9f - 10.0f * Fbm(fx * 0.008f, 1.5f, seed + 31, 3);
      for (int y = std::max(0, static_cast<int>(top) - 1); y < h; ++y) {
        const float fy = static_cast<float>(y);
        const float cov = Clamp01(fy - top + 0.5f);
        const Rgba c = Mix(Hex(0xEAF4FB), Hex(0x9FC0DA), Clamp01((fy - top) / 40.0f) * 0.7f +
                                                        0.25f * (Fbm(fx * 0.03f, fy * 0.1f, seed + 33, 3) - 0.5f));
        img.Blend(x, y, c, cov);
      }
    }
  }
  Snowfall(img, seed + 41, w * h / 1400, Box{0, 0, w, h});
}

// ------------------------------------------------------------------ panels

void FrostPanel(Image& img, const Rect& r, float radius, float opacity) {
  const float x0 = static_cast<float>(r.x), y0 = static_cast<float>(r.y);
  const float x1 = static_cast<float>(r.x1()), y1 = static_cast<float>(r.y1());
  const Sdf outer = RoundRect(x0, y0, x1, y1, radius);
  const Box b = r.Inset(-2).ToBox();
  FillShape(img, outer, Linear({0, y0}, {0, y1}, {{0, WithAlpha(Hex(0x1C4766), opacity)},
                                                  {1, WithAlpha(Hex(0x0C1E2E), opacity)}}), b);
  // Rime: frost growing in from the rim, thicker at the top.
  for (int y = b.y0; y < b.y1; ++y)
    for (int x = b.x0; x < b.x1; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float d = outer(px, py);
      if (d > 0.5f || d < -12) continue;
      const float edge = Clamp01(1.0f + d / (py - y0 < 12 ? 9.0f : 5.0f));
      const float n = Fbm(px * 0.22f, py * 0.22f, 901, 3);
      const float f = Smoothstep(0.55f, 0.85f, n * 0.7f + edge * 0.45f);
      img.Blend(x, y, Hex(0xE4F4FC), f * 0.55f * Coverage(d));
    }
  FillShape(img, Ring(Grow(outer, -0.5f), 0.5f), WithAlpha(ui::kInk, 0.9f), b);
  FillShape(img, Ring(Grow(outer, -1.5f), 0.5f), WithAlpha(ui::kFrost, 0.75f), b);
  FillShape(img, Intersect(Ring(Grow(outer, -2.5f), 0.5f), [y0](float, float y) { return y - (y0 + 14); }),
            WithAlpha(Hex(0xFFFFFF), 0.25f), b);
}

void WindowFrame(Image& img, const std::string& title, int titleHeight, TextRenderer& tr) {
  const int w = img.width(), h = img.height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      Rgba c = Gradient({{0, Hex(0x1A4363)}, {1, Hex(0x0C1D2D)}}, fy / static_cast<float>(h));
      c = Scale(c, 1.0f + 0.06f * (Fbm(fx * 0.02f, fy * 0.02f, 911, 3) - 0.5f));
      img.at(x, y) = c;
    }
  if (titleHeight > 0) {
    const float th = static_cast<float>(titleHeight);
    FillShape(img, RoundRect(2, 2, static_cast<float>(w - 2), th, 0),
              Linear({0, 2}, {0, th}, {{0, Hex(0x2A5F87)}, {1, Hex(0x17405E)}}));
    FillShape(img, Capsule({4, th + 0.5f}, {static_cast<float>(w) - 4, th + 0.5f}, 0.5f), WithAlpha(ui::kFrost, 0.45f));
    FillShape(img, Capsule({4, th + 1.5f}, {static_cast<float>(w) - 4, th + 1.5f}, 0.5f), WithAlpha(ui::kInk, 0.6f));
    Snowflake(img, {14, th / 2 + 1}, th * 0.28f, WithAlpha(ui::kFrost, 0.9f), 1.2f);
    Snowflake(img, {static_cast<float>(w) - 14, th / 2 + 1}, th * 0.28f, WithAlpha(ui::kFrost, 0.9f), 1.2f);
    TextStyle s = LabelStyle();
    s.fill = Linear({0, 2}, {0, th}, {{0, Hex(0xFFFFFF)}, {1, ui::kFrost}});
    DrawLabel(img, tr, title, std::max(11, titleHeight * 11 / 20), static_cast<float>(w) / 2, th / 2 + 1, Align::Center, s);
  }
  // Rim of the window and frost in its corners.
  const Sdf outer = RoundRect(0, 0, static_cast<float>(w), static_cast<float>(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float d = -outer(px, py);
      if (d > 14) continue;
      const float n = Fbm(px * 0.25f, py * 0.25f, 913, 3);
      const float f = Smoothstep(0.6f, 0.9f, n * 0.75f + (1.0f - d / 14.0f) * 0.4f);
      img.Blend(x, y, Hex(0xE4F4FC), f * 0.5f);
    }
  FillShape(img, Ring(Grow(outer, -0.5f), 0.5f), ui::kInk);
  FillShape(img, Ring(Grow(outer, -1.5f), 0.5f), WithAlpha(ui::kFrost, 0.8f));
}

void Well(Image& img, const Rect& r, float radius) {
  const float x0 = static_cast<float>(r.x), y0 = static_cast<float>(r.y);
  const Sdf s = RoundRect(x0, y0, static_cast<float>(r.x1()), static_cast<float>(r.y1()), radius);
  const Box b = r.Inset(-2).ToBox();
  FillShape(img, s, WithAlpha(Hex(0x07131F), 0.55f), b);
  // Sunken: the shadow falls on the top and left inner edges.
  Bevel(img, s, 3.0f, WithAlpha(Hex(0x02080E), 1), WithAlpha(ui::kFrost, 1), 0.45f, b);
  FillShape(img, Ring(s, 0.5f), WithAlpha(ui::kFrost, 0.35f), b);
}

void Plaque(Image& img, const Rect& p, const Rect& clip, float radius) {
  const Box cb = clip.ToBox();
  const float x0 = static_cast<float>(p.x), y0 = static_cast<float>(p.y);
  const float x1 = static_cast<float>(p.x1()), y1 = static_cast<float>(p.y1());
  const Sdf shape = RoundRect(x0, y0, x1, y1, radius);
  // Glow around the plaque, faded out before the edge of clip.
  Image glowLayer = img.Crop(clip.x, clip.y, clip.w, clip.h);
  for (int y = 0; y < clip.h; ++y)
    for (int x = 0; x < clip.w; ++x) {
      const float px = static_cast<float>(clip.x + x) + 0.5f, py = static_cast<float>(clip.y + y) + 0.5f;
      const float d = shape(px, py);
      if (d <= 0) continue;
      const float edgeRoom = std::min({static_cast<float>(x), static_cast<float>(y), static_cast<float>(clip.w - 1 - x),
                                       static_cast<float>(clip.h - 1 - y)});
      const float fade = Clamp01(edgeRoom / 2.0f);
      glowLayer.Blend(x, y, ui::kIce, std::exp(-d * 0.55f) * 0.55f * fade);
    }
  img.Paste(glowLayer, clip.x, clip.y);
  FillShape(img, shape, Linear({0, y0}, {0, y1}, {{0, WithAlpha(Hex(0xA5F0FF), 0.80f)},
                                                  {0.5f, WithAlpha(ui::kIce, 0.62f)},
                                                  {1, WithAlpha(Hex(0x1E8FBF), 0.75f)}}), cb);
  FillShape(img, Ring(Grow(shape, -0.5f), 0.6f), WithAlpha(Hex(0xCFF7FF), 0.95f), cb);
  FillShape(img, Intersect(Ring(Grow(shape, -2.0f), 0.5f), [y0, y1](float, float y) { return y - (y0 + (y1 - y0) * 0.4f); }),
            WithAlpha(Hex(0xFFFFFF), 0.35f), cb);
  // Two small glints on the rim.
  for (Pt g : {Pt{x0 + radius + 3, y0 + 1}, Pt{x1 - radius - 6, y1 - 1}}) {
    FillShape(img, Capsule({g.x - 3, g.y}, {g.x + 3, g.y}, 0.5f), WithAlpha(Hex(0xFFFFFF), 0.9f), cb);
    FillShape(img, Capsule({g.x, g.y - 1.5f}, {g.x, g.y + 1.5f}, 0.4f), WithAlpha(Hex(0xFFFFFF), 0.7f), cb);
  }
}

void DrawButton(Image& img, TextRenderer& tr, const Rect& r, const std::string& label, int size,
                ButtonState state, const Rect& clip) {
  const float x0 = static_cast<float>(r.x), y0 = static_cast<float>(r.y);
  const float x1 = static_cast<float>(r.x1()), y1 = static_cast<float>(r.y1());
  const float radius = std::min(7.0f, static_cast<float>(r.h) / 2.0f);
  const Sdf shape = RoundRect(x0, y0, x1, y1, radius);
  const Box cb = clip.ToBox();
  if (state == ButtonState::Hot) {
    Plaque(img, r, clip, radius);
  } else {
    FillShape(img, Translate(shape, 0, 1.5f), WithAlpha(Hex(0x02080E), 0.5f), cb);
    FillShape(img, shape, Linear({0, y0}, {0, y1}, {{0, Hex(0x3474A0)}, {0.5f, Hex(0x245A82)}, {1, Hex(0x17415F)}}), cb);
    FillShape(img, Ring(Grow(shape, -0.5f), 0.5f), WithAlpha(ui::kFrost, 0.75f), cb);
    FillShape(img, Intersect(Ring(Grow(shape, -1.5f), 0.5f), [y0, y1](float, float y) { return y - (y0 + (y1 - y0) * 0.45f); }),
              WithAlpha(Hex(0xFFFFFF), 0.3f), cb);
  }
  DrawLabel(img, tr, label, size, r.cx(), r.cy(), Align::Center, LabelStyle());
}

// ------------------------------------------------------------------ wordmark

void Wordmark(Image& img, TextRenderer& tr, float cx, float cy, int size) {
  // Work in a window around the word so the effects stay cheap.
  const int width = tr.Width("Frostlide", size);
  const int pad = size / 3 + 8;
  const Rect win{static_cast<int>(cx) - width / 2 - pad, static_cast<int>(cy) - size / 2 - pad, width + 2 * pad, size + 2 * pad};
  Image layer = img.Crop(win.x, win.y, win.w, win.h);
  const float lx = cx - static_cast<float>(win.x), ly = cy - static_cast<float>(win.y);
  const Gray m = LabelMask(tr, win.w, win.h, "Frostlide", size, lx, ly, Align::Center);
  const float fs = static_cast<float>(size);
  const float cap = fs * 0.72f;

  FillMask(layer, Blur(m, std::max(2, size / 7)), 0, 0, WithAlpha(ui::kIce, 0.65f));
  const float line = std::max(1.5f, fs / 30.0f);
  const Gray body = Dilate(m, line);
  FillMask(layer, Blur(Shift(body, 0, std::max(1, size / 22)), std::max(1, size / 25)), 0, 0, Rgba{0.01f, 0.04f, 0.08f, 0.7f});
  FillMask(layer, body, 0, 0, Hex(0x0A2034));
  FillMask(layer, m, 0, 0, [&](float x, float y) {
    const float t = (y - (ly - cap * 0.55f)) / (cap * 1.1f);
    Rgba c = Gradient({{0, Hex(0xFFFFFF)}, {0.4f, Hex(0xE2F4FC)}, {0.7f, Hex(0x9FD9F1)}, {1, Hex(0x58B5DF)}}, t);
    const float frost = Smoothstep(0.58f, 0.75f, Fbm(x * 12.0f / fs, y * 12.0f / fs, 931, 3));
    c = Mix(c, Hex(0xFFFFFF), frost * 0.55f);
    // Fine diagonal ice striations.
    const float streak = std::sin((x + y * 0.6f) * 36.0f / fs + 3.0f * Fbm(x * 0.05f, y * 0.05f, 933, 2));
    return Mix(c, Hex(0xFFFFFF), Clamp01(streak - 0.85f) * 1.2f);
  });
  // Bevel inside the letters: lit rims on top, shade at the bottom.
  const int bev = std::max(1, size / 30);
  Gray top(win.w, win.h), bottom(win.w, win.h);
  const Gray down = Shift(m, 0, bev), up = Shift(m, 0, -bev);
  for (int y = 0; y < win.h; ++y)
    for (int x = 0; x < win.w; ++x) {
      top.at(x, y) = m.at(x, y) * (1.0f - down.at(x, y));
      bottom.at(x, y) = m.at(x, y) * (1.0f - up.at(x, y));
    }
  FillMask(layer, bottom, 0, 0, WithAlpha(Hex(0x2C7FB0), 0.6f));
  // Snow resting on the flat tops of the letters.
  const int depth = std::max(2, size / 16);
  const Gray above = Shift(m, 0, depth);
  Gray snow(win.w, win.h);
  for (int y = 0; y < win.h; ++y)
    for (int x = 0; x < win.w; ++x) {
      const float flatTop = m.at(x, y) * (1.0f - above.at(x, y));
      snow.at(x, y) = flatTop;
    }
  snow = Blur(snow, std::max(1, size / 30));
  Gray snowCap(win.w, win.h);
  for (int y = 0; y < win.h; ++y)
    for (int x = 0; x < win.w; ++x) {
      const float n = Fbm(static_cast<float>(x) * 8.0f / fs, static_cast<float>(y) * 8.0f / fs, 937, 2);
      snowCap.at(x, y) = Smoothstep(0.28f, 0.42f, snow.at(x, y) * (0.7f + 0.6f * n));
    }
  const Gray capShadow = Shift(snowCap, 0, 1);
  FillMask(layer, capShadow, 0, 0, WithAlpha(Hex(0x6DA9CF), 0.5f));
  FillMask(layer, snowCap, 0, 0, Hex(0xFFFFFF));
  FillMask(layer, top, 0, 0, WithAlpha(Hex(0xFFFFFF), 0.8f));
  // A few glints.
  Rng rng(939);
  for (int i = 0; i < 4; ++i) {
    const float gx = lx - static_cast<float>(width) / 2 + rng.Uniform(0.08f, 0.92f) * static_cast<float>(width);
    const float gy = ly - cap * rng.Uniform(0.1f, 0.45f);
    const float r = fs * rng.Uniform(0.07f, 0.12f);
    const Rgba c = WithAlpha(Hex(0xFFFFFF), 0.9f);
    FillShape(layer, Polygon({{gx, gy - r}, {gx + r * 0.15f, gy - r * 0.15f}, {gx + r, gy}, {gx + r * 0.15f, gy + r * 0.15f},
                              {gx, gy + r}, {gx - r * 0.15f, gy + r * 0.15f}, {gx - r, gy}, {gx - r * 0.15f, gy - r * 0.15f}}),
              c);
  }
  img.Paste(layer, win.x, win.y);
}

float Paragraph(Image& img, TextRenderer& tr, const std::string& text, int size, float x, float top,
                float maxWidth, float lineHeight, const TextStyle& style) {
  std::istringstream words(text);
  std::string word, line;
  std::vector<std::string> lines;
  while (words >> word) {
    const std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && static_cast<float>(tr.Width(candidate, size)) > maxWidth) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) lines.push_back(line);
  float y = top;
  for (const auto& l : lines) {
    DrawLabel(img, tr, l, size, x, y + lineHeight / 2, Align::Left, style);
    y += lineHeight;
  }
  return y;
}

void DrawTick(Image& img, float x, float y, Rgba colour) {
  const Sdf tick = Polyline({{x, y + 2.6f}, {x + 2.0f, y + 4.8f}, {x + 5.6f, y}}, 0.85f);
  FillShape(img, Grow(tick, 0.7f), WithAlpha(ui::kInk, 0.7f));
  FillShape(img, tick, colour);
}

}  // namespace art
