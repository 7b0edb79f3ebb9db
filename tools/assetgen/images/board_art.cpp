#include "tools/assetgen/images/board_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace art {

namespace {

constexpr float kMinLevel = 10.0f / 255.0f;  // darkest tone allowed inside an opaque sprite
const Pt kLightDir{-0.6f, -0.8f};              // towards the light: top left
const Rgba kOutlineNavy = Hex(0x0B1B29);

const Shade kShades[6] = {
    {Hex(0xD64541), Hex(0xF08A7E), Hex(0x8E2320)},  // red
    {Hex(0x2F7FD1), Hex(0x7DB8F0), Hex(0x1B4C85)},  // blue
    {Hex(0x3FA34D), Hex(0x8ED88F), Hex(0x22632A)},  // green
    {Hex(0x8E55C9), Hex(0xC39BEF), Hex(0x552C80)},  // violet
    {Hex(0x2B2F36), Hex(0x6B7380), Hex(0x111317)},  // black
    {Hex(0xF28C28), Hex(0xFFC07A), Hex(0xA85810)},  // orange
};

// Outward normal of a shape from its distance field.
Pt Normal(const Sdf& s, float x, float y) {
  const float e = 0.5f;
  const float gx = s(x + e, y) - s(x - e, y);
  const float gy = s(x, y + e) - s(x, y - e);
  const float len = std::hypot(gx, gy);
  if (len < 1e-6f) return Pt{0, 0};
  return Pt{gx / len, gy / len};
}

float Facing(const Sdf& s, float x, float y) {
  const Pt n = Normal(s, x, y);
  return n.x * kLightDir.x + n.y * kLightDir.y;
}

}  // namespace

void Bevel(Image& img, const Sdf& s, float width, Rgba light, Rgba dark, float strength, Box b) {
  if (b.x1 <= b.x0 || b.y1 <= b.y0) b = Box{0, 0, img.width(), img.height()};
  b.x0 = std::max(b.x0, 0);
  b.y0 = std::max(b.y0, 0);
  b.x1 = std::min(b.x1, img.width());
  b.y1 = std::min(b.y1, img.height());
  for (int y = b.y0; y < b.y1; ++y)
    for (int x = b.x0; x < b.x1; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float d = s(px, py);
      if (d > 0.5f || d < -width) continue;
      const float depth = 1.0f - Clamp01(-d / width);
      const float f = Facing(s, px, py);
      const float k = strength * depth * std::fabs(f) * Coverage(d);
      img.Blend(x, y, f > 0 ? light : dark, k);
    }
}

namespace {

Rgba Lift(Rgba c) {
  c.r = std::max(c.r, kMinLevel);
  c.g = std::max(c.g, kMinLevel);
  c.b = std::max(c.b, kMinLevel);
  c.a = 1;
  return c;
}

// Lightness noise multiplied into a region.
void Grain(Image& img, const Sdf& region, std::uint32_t seed, float amount, float fx, float fy) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      if (region(px, py) > 0.5f) continue;
      const float n = Fbm(px * fx, py * fy, seed, 3) - 0.5f;
      img.at(x, y) = Scale(img.at(x, y), 1.0f + n * amount);
    }
}

// ------------------------------------------------------------------ cubes

Sdf CubeOutline() { return RoundRect(1, 1, 30, 30, 5.5f); }

Image CubePicture(int colour) {
  Image img(kCell, kCell, Hex(0x000000));
  DrawCube(img, Place{0, 0, 1}, colour, 0, false);
  return img;
}

// Arrow pointing left near the left edge; the other directions are mirror images of it.
std::vector<Pt> LeftArrow() {
  return {{4.5f, 15.5f}, {12.5f, 8.0f}, {12.5f, 12.5f}, {19.5f, 12.5f},
          {19.5f, 18.5f}, {12.5f, 18.5f}, {12.5f, 23.0f}};
}

Pt Orient(Pt p, int dir) {  // 1 left, 2 right, 3 up, 4 down
  switch (dir) {
    case 2: return {31.0f - p.x, p.y};
    case 3: return {p.y, p.x};
    case 4: return {p.y, 31.0f - p.x};
    default: return p;
  }
}

void DrawMarker(Image& img, const Sdf& shape, float k = 1, Box b = {}) {
  FillShape(img, Grow(shape, 1.4f * k), WithAlpha(kOutlineNavy, 0.95f), b);
  FillShape(img, shape, Hex(0xFFFFFF), b);
}

// ------------------------------------------------------------------ spheres

Image SpherePicture(int colour, float r) {
  Image img(kCell, kCell, Hex(0x000000));
  DrawSphere(img, Place{0, 0, 1}, colour, r, false);
  return img;
}

// ------------------------------------------------------------------ blocks

Sdf BlockOutline() { return RoundRect(0, 0, 31, 31, 3.5f); }

using BlockPainter = std::function<void(Image&)>;

void SteelBlock(Image& img) {
  const Sdf all = BlockOutline();
  FillShape(img, all, Linear({0, 0}, {31, 31}, {{0, Hex(0xA9B8C6)}, {1, Hex(0x6F8193)}}));
  Grain(img, all, 11, 0.18f, 0.12f, 1.4f);  // brushed metal
  const Sdf plate = RoundRect(5, 5, 26, 26, 2);
  FillShape(img, plate, WithAlpha(Hex(0x5E7184), 0.35f));
  Bevel(img, plate, 1.6f, Hex(0x2E3B48), Hex(0xDDE7F0), 0.7f);  // recessed: inverted light
  Bevel(img, all, 3.0f, Hex(0xF2F7FB), Hex(0x26323E), 0.9f);
  for (Pt p : {Pt{3.0f, 3.0f}, Pt{28.0f, 3.0f}, Pt{3.0f, 28.0f}, Pt{28.0f, 28.0f}}) {
    FillShape(img, Circle(p, 1.5f), Hex(0x3D4A57));
    FillShape(img, Circle({p.x - 0.4f, p.y - 0.4f}, 0.8f), Hex(0xE6EEF5));
  }
  // Frost creeping in from the top edge and the corners.
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float n = Fbm(px * 0.35f, py * 0.35f, 17, 3);
      const float edge = std::max(0.0f, 1.0f - std::min({px, py, 31 - px}) / 9.0f);
      const float f = Smoothstep(0.55f, 0.75f, n * 0.6f + edge * 0.55f);
      img.Blend(x, y, Hex(0xF4FAFF), f * 0.8f);
    }
}

void LakeIceBlock(Image& img) {
  const Sdf all = BlockOutline();
  FillShape(img, all, Linear({0, 0}, {10, 31}, {{0, Hex(0x6BAEE2)}, {1, Hex(0x2A5F98)}}));
  Grain(img, all, 21, 0.22f, 0.2f, 0.2f);
  // A slanted sheen through the ice and a few trapped bubbles.
  FillShape(img, Intersect(Capsule({4, 27}, {27, 4}, 3.0f), all), Rgba{1, 1, 1, 0.14f});
  FillShape(img, Intersect(Capsule({11, 29}, {29, 11}, 1.2f), all), Rgba{1, 1, 1, 0.12f});
  Rng rng(23);
  for (int i = 0; i < 5; ++i) {
    const Pt p{rng.Uniform(7, 24), rng.Uniform(8, 24)};
    const float r = rng.Uniform(0.8f, 1.7f);
    FillShape(img, Ring(Circle(p, r), 0.35f), Rgba{0.9f, 0.97f, 1, 0.65f});
    FillShape(img, Circle({p.x - r * 0.35f, p.y - r * 0.35f}, 0.45f), Rgba{1, 1, 1, 0.8f});
  }
  FillShape(img, Polyline({{6, 10}, {10, 13}, {13, 12}, {17, 16}}, 0.3f), Rgba{0.95f, 1, 1, 0.45f});
  Bevel(img, all, 3.0f, Hex(0xE8F7FF), Hex(0x163F6B), 0.95f);
}

void GraniteBlock(Image& img) {
  const Sdf all = BlockOutline();
  FillShape(img, all, Linear({0, 0}, {31, 31}, {{0, Hex(0x8A94A0)}, {1, Hex(0x5B6571)}}));
  Grain(img, all, 31, 0.35f, 0.3f, 0.3f);
  Rng rng(37);
  for (int i = 0; i < 70; ++i) {  // speckles of feldspar and mica
    const int x = rng.Int(1, 29), y = rng.Int(1, 29);
    const float t = rng.Uniform();
    img.Blend(x, y, t < 0.5f ? Hex(0x3A414B) : (t < 0.8f ? Hex(0xB9C2CC) : Hex(0xE9D9CB)), 0.75f);
  }
  Bevel(img, all, 3.0f, Hex(0xE3E9EF), Hex(0x2A3038), 0.9f);
  // A cap of snow on the top with a soft lower edge.
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float line = 6.5f - 0.05f * (px - 15.5f) * (px - 15.5f) * 0.12f + 2.0f * (Fbm(px * 0.35f, 3, 41, 2) - 0.5f);
      const float f = Clamp01(line - py + 0.5f) * Coverage(all(px, py));
      if (f <= 0) continue;
      const float shade = Clamp01((line - py) / line);
      img.Blend(x, y, Mix(Hex(0xC9DCEE), Hex(0xFFFFFF), shade), f);
    }
}

void SnowBrickBlock(Image& img) {
  const Sdf all = BlockOutline();
  FillShape(img, all, Hex(0x8AA7C2));  // mortar
  struct Brick {
    float x0, y0, x1, y1;
  };
  const Brick bricks[] = {{1, 1, 15, 10}, {16, 1, 30, 10}, {-6, 11, 8, 20}, {9, 11, 22, 20},
                          {23, 11, 37, 20}, {1, 21, 15, 30}, {16, 21, 30, 30}};
  int i = 0;
  for (const Brick& b : bricks) {
    const Sdf brick = Intersect(RoundRect(b.x0, b.y0, b.x1, b.y1, 1.6f), Grow(all, -1));
    const float tint = (Hash01(i, 3, 51) - 0.5f) * 0.06f;
    FillShape(img, brick, Linear({0, b.y0}, {0, b.y1}, {{0, Scale(Hex(0xFBFDFF), 1 + tint)},
                                                        {1, Scale(Hex(0xD3E2F0), 1 + tint)}}));
    Bevel(img, brick, 1.6f, Hex(0xFFFFFF), Hex(0x7E9BB8), 0.55f);
    ++i;
  }
  Grain(img, all, 53, 0.08f, 0.6f, 0.6f);
  Bevel(img, all, 2.5f, Hex(0xFFFFFF), Hex(0x3F5F7E), 0.8f);
}

void GlacierIceBlock(Image& img) {
  const Sdf all = BlockOutline();
  FillShape(img, all, Linear({0, 0}, {31, 31}, {{0, Hex(0xC4F3FA)}, {0.5f, Hex(0x7FD3E8)}, {1, Hex(0x3F9FC4)}}));
  for (int y = 0; y < 31; ++y)  // compressed layers of old snow
    for (int x = 0; x < 31; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float band = std::sin((py + 3.0f * Fbm(px * 0.15f, py * 0.05f, 61, 3)) * 0.9f);
      if (band > 0.75f) img.Blend(x, y, Hex(0xFFFFFF), (band - 0.75f) * 1.2f);
      if (band < -0.85f) img.Blend(x, y, Hex(0x2C86AA), (-band - 0.85f) * 2.0f);
    }
  FillShape(img, Intersect(Capsule({3, 22}, {22, 3}, 2.2f), all), Rgba{1, 1, 1, 0.22f});
  Bevel(img, all, 3.0f, Hex(0xFFFFFF), Hex(0x1B5F80), 0.95f);
  for (Pt p : {Pt{8.5f, 7.5f}, Pt{22.5f, 19.5f}}) {
    FillShape(img, Capsule({p.x - 2.5f, p.y}, {p.x + 2.5f, p.y}, 0.35f), Rgba{1, 1, 1, 0.9f});
    FillShape(img, Capsule({p.x, p.y - 2.5f}, {p.x, p.y + 2.5f}, 0.35f), Rgba{1, 1, 1, 0.9f});
  }
}

void CrystalBlock(Image& img) {
  const Sdf all = BlockOutline();
  FillShape(img, all, Hex(0x5CC9C4));
  // Facets around an off-centre apex, each lit by its slope.
  const Pt apex{13.5f, 12.5f};
  const Pt rim[] = {{0, 0}, {15, -1}, {32, 0}, {32, 17}, {32, 32}, {14, 32}, {-1, 32}, {-1, 14}};
  const Rgba tones[] = {Hex(0xD9FFFA), Hex(0xB5F5EE), Hex(0x8BE2DC), Hex(0x4FB7B4),
                        Hex(0x2F8E90), Hex(0x3FA3A3), Hex(0x7ED6D2), Hex(0xB9F7F1)};
  for (int i = 0; i < 8; ++i) {
    const Pt a = rim[i], b = rim[(i + 1) % 8];
    FillShape(img, Intersect(Polygon({apex, a, b}), all), tones[i]);
  }
  for (const Pt& p : rim)
    FillShape(img, Intersect(Capsule(apex, p, 0.4f), all), Rgba{0.92f, 1, 1, 0.75f});
  FillShape(img, Circle({apex.x - 0.5f, apex.y - 0.5f}, 1.2f), Rgba{1, 1, 1, 0.9f});
  Bevel(img, all, 2.5f, Hex(0xFFFFFF), Hex(0x135457), 0.85f);
}

void ObsidianBlock(Image& img) {
  const Sdf all = BlockOutline();
  FillShape(img, all, Linear({0, 0}, {31, 31}, {{0, Hex(0x47405F)}, {0.45f, Hex(0x221E30)}, {1, Hex(0x121019)}}));
  // Volcanic glass breaks in smooth shells: a few facets with their own sheen.
  FillShape(img, Intersect(Polygon({{0, 0}, {19, 0}, {9, 12}, {0, 17}}), all), WithAlpha(Hex(0x6A5E92), 0.45f));
  FillShape(img, Intersect(Polygon({{31, 14}, {31, 31}, {16, 31}, {22, 22}}), all), WithAlpha(Hex(0x0C0B12), 0.55f));
  FillShape(img, Intersect(Polyline({{19, 0}, {9, 12}, {0, 17}}, 0.5f), all), WithAlpha(Hex(0xC9B8FF), 0.55f));
  FillShape(img, Intersect(Polyline({{31, 14}, {22, 22}, {16, 31}}, 0.45f), all), WithAlpha(Hex(0x3DDC97), 0.45f));
  // Aurora light caught in the glass.
  FillShape(img, Ellipse({9.0f, 6.5f}, 5.0f, 1.6f), WithAlpha(Hex(0xA8FFD6), 0.35f));
  FillShape(img, Circle({6.5f, 5.5f}, 1.1f), Rgba{0.92f, 1, 0.96f, 0.9f});
  Bevel(img, all, 2.5f, Hex(0xB6A6F0), Hex(0x0A0A0E), 0.85f);
}

const BlockPainter kBlockPainters[7] = {SteelBlock,      LakeIceBlock, GraniteBlock, SnowBrickBlock,
                                        GlacierIceBlock, CrystalBlock, ObsidianBlock};

// Darkest tone of each block set, used for its cracks.
const Rgba kCrackTones[7] = {Hex(0x1E2833), Hex(0x0F2A4A), Hex(0x1F242B), Hex(0x3C5874),
                             Hex(0x1B5F80), Hex(0x0F4446), Hex(0x0A0A0E)};
const Rgba kCrackLights[7] = {Hex(0xE3ECF4), Hex(0xD6EEFF), Hex(0xD5DCE3), Hex(0xFFFFFF),
                              Hex(0xFFFFFF), Hex(0xE6FFFC), Hex(0x9C86E8)};

void CrackBranch(std::vector<std::vector<Pt>>& out, Rng& rng, Pt p, float angle, float length, int depth) {
  std::vector<Pt> line{p};
  float travelled = 0;
  while (travelled < length) {
    const float step = rng.Uniform(2.5f, 4.0f);
    angle += rng.Uniform(-0.55f, 0.55f);
    p = {p.x + std::cos(angle) * step, p.y + std::sin(angle) * step};
    line.push_back(p);
    travelled += step;
    if (depth > 0 && rng.Uniform() < 0.3f)
      CrackBranch(out, rng, p, angle + (rng.Uniform() < 0.5f ? -1.0f : 1.0f) * rng.Uniform(0.6f, 1.1f),
                  length * 0.45f, depth - 1);
  }
  out.push_back(std::move(line));
}

void Crack(Image& img, int set) {
  Rng rng(700 + static_cast<std::uint32_t>(set));
  const Pt impact{rng.Uniform(17, 21), rng.Uniform(10, 14)};
  std::vector<std::vector<Pt>> lines;
  const float base = rng.Uniform(0, 1.0f);
  for (int k = 0; k < 4; ++k)
    CrackBranch(lines, rng, impact, base + static_cast<float>(k) * 1.57f + rng.Uniform(-0.3f, 0.3f),
                rng.Uniform(11, 18), 1);
  const Sdf inside = Grow(BlockOutline(), -1.5f);
  for (const auto& l : lines) {
    std::vector<Pt> lit;
    for (const Pt& p : l) lit.push_back({p.x + 0.9f, p.y + 0.9f});
    FillShape(img, Intersect(Polyline(lit, 0.45f), inside), WithAlpha(kCrackLights[set], 0.55f));
  }
  for (const auto& l : lines)
    FillShape(img, Intersect(Polyline(l, 0.65f), inside), WithAlpha(kCrackTones[set], 0.95f));
  // A small crater where the blow landed and a chipped corner.
  FillShape(img, Polygon(RegularPolygon(impact, 2.2f, 5, 0.4f)), WithAlpha(kCrackTones[set], 0.9f));
  const Sdf chip = Intersect(Polygon({{31, 22}, {31, 31}, {21, 31}, {25, 27}, {27, 26}}), BlockOutline());
  FillShape(img, chip, WithAlpha(kCrackTones[set], 0.55f));
  FillShape(img, Intersect(Polyline({{21, 31}, {25, 27}, {27, 26}, {31, 22}}, 0.5f), BlockOutline()),
            WithAlpha(kCrackLights[set], 0.6f));
}

void CrushBlock(Image& img) {
  const Sdf all = BlockOutline();
  // Hazard stripes around the rim.
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      const bool yellow = ((x + y) / 4) % 2 == 0;
      img.at(x, y) = yellow ? Hex(0xF2C12E) : Hex(0x1C1D21);
    }
  Bevel(img, all, 2.0f, Hex(0xFFFFFF), Hex(0x000000), 0.6f);
  const Sdf pit = RoundRect(5, 5, 26, 26, 2.5f);
  FillShape(img, Grow(pit, 0.8f), Hex(0x101216));
  FillShape(img, pit, Radial({15.5f, 15.5f}, 15, {{0, Hex(0x2A2F37)}, {1, Hex(0x15181D)}}));
  // A toothed grinding wheel.
  const Pt c{15.5f, 15.5f};
  std::vector<Pt> saw;
  for (int i = 0; i < 12; ++i) {
    const float a0 = static_cast<float>(i) * 6.2831853f / 12;
    const float a1 = a0 + 6.2831853f / 12 * 0.55f;
    saw.push_back({c.x + 6.3f * std::cos(a0), c.y + 6.3f * std::sin(a0)});
    saw.push_back({c.x + 9.6f * std::cos(a1), c.y + 9.6f * std::sin(a1)});
  }
  const Sdf wheel = Polygon(saw);
  FillShape(img, Translate(wheel, 0.8f, 0.8f), Rgba{0.02f, 0.02f, 0.03f, 0.7f});
  FillShape(img, wheel, Linear({6, 6}, {25, 25}, {{0, Hex(0xD5DDE5)}, {0.5f, Hex(0x8C98A5)}, {1, Hex(0x4B5560)}}));
  Bevel(img, wheel, 1.3f, Hex(0xFFFFFF), Hex(0x262B31), 0.6f);
  FillShape(img, Circle(c, 4.3f), Hex(0x2B3037));
  FillShape(img, Ring(Circle(c, 4.3f), 0.5f), Hex(0x9AA4AE));
  FillShape(img, Circle(c, 1.8f), Hex(0xC9302C));
  FillShape(img, Circle({c.x - 0.6f, c.y - 0.6f}, 0.6f), Hex(0xFFB0A8));
}

void TrapdoorMarker(Image& img) {
  // Drawn over the whole cell: the editor blends it onto the floor without a colour key.
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      const bool light = ((x - y + 62) / 4) % 2 == 0;
      img.at(x, y) = light ? Hex(0x8FE6FA) : Hex(0x0E2233);
    }
  const Sdf frame = Ring(RoundRect(1.5f, 1.5f, 29.5f, 29.5f, 2.5f), 1.4f);
  FillShape(img, frame, Hex(0xFFFFFF));
  FillShape(img, Capsule({8, 15.5f}, {23, 15.5f}, 1.6f), Hex(0xFFFFFF));  // the hatch's handle
  FillShape(img, Capsule({8, 15.5f}, {23, 15.5f}, 0.6f), Hex(0x0E2233));
}

// ------------------------------------------------------------------ floors

struct Floor {
  std::function<Rgba(float x, float y, int tx, int ty)> pixel;
  std::function<void(Image&)> details;
  float seamDark;   // how dark the seam between tiles is
  float edgeLight;  // highlight on the top and left edge of each tile
};

float TileJitter(int tx, int ty, std::uint32_t seed) { return Hash01(tx, ty, seed) - 0.5f; }

Floor SteelFloor() {
  Floor f;
  f.pixel = [](float x, float y, int tx, int ty) {
    const float brushed = Fbm(x * 0.08f, y * 1.1f, 101, 3) - 0.5f;
    const float cloud = Fbm(x * 0.02f, y * 0.02f, 103, 3) - 0.5f;
    Rgba c = Mix(Hex(0x3E4B58), Hex(0x5B6B7B), 0.5f + cloud * 0.8f + TileJitter(tx, ty, 105) * 0.5f);
    c = Scale(c, 1 + brushed * 0.16f);
    // Frost speckles gathered in patches.
    const float frost = Smoothstep(0.64f, 0.82f, Fbm(x * 0.12f, y * 0.12f, 107, 4));
    return Mix(c, Hex(0xC9DDEB), frost * 0.22f);
  };
  f.details = [](Image& img) {  // a tread of small diamonds on every plate
    for (int ty = 0; ty < 15; ++ty)
      for (int tx = 0; tx < 15; ++tx)
        for (int k = 0; k < 2; ++k) {
          const float cx = static_cast<float>(tx * 31) + (k == 0 ? 10.5f : 20.5f);
          const float cy = static_cast<float>(ty * 31) + (k == 0 ? 10.5f : 20.5f);
          const Sdf d = Polygon({{cx - 2.5f, cy + 2.5f}, {cx + 2.5f, cy - 2.5f}, {cx + 3.3f, cy - 1.7f}, {cx - 1.7f, cy + 3.3f}});
          FillShape(img, Translate(d, 0.8f, 0.8f), Rgba{0.1f, 0.13f, 0.17f, 0.45f},
                    Box{static_cast<int>(cx) - 5, static_cast<int>(cy) - 5, static_cast<int>(cx) + 6, static_cast<int>(cy) + 6});
          FillShape(img, d, Rgba{0.75f, 0.83f, 0.9f, 0.35f},
                    Box{static_cast<int>(cx) - 5, static_cast<int>(cy) - 5, static_cast<int>(cx) + 6, static_cast<int>(cy) + 6});
        }
  };
  f.seamDark = 0.55f;
  f.edgeLight = 0.22f;
  return f;
}

Floor LakeFloor() {
  Floor f;
  f.pixel = [](float x, float y, int tx, int ty) {
    const float n = Fbm(x * 0.012f, y * 0.012f, 201, 4);
    const float fine = Fbm(x * 0.15f, y * 0.15f, 203, 2) - 0.5f;
    Rgba c = Gradient({{0, Hex(0x7FB4D8)}, {0.5f, Hex(0xA5D0EA)}, {1, Hex(0xCBE7F6)}}, n + TileJitter(tx, ty, 205) * 0.35f);
    return Scale(c, 1 + fine * 0.05f);
  };
  f.details = [](Image& img) {
    Rng rng(207);
    // Long white fractures in the lake ice.
    for (int k = 0; k < 7; ++k) {
      std::vector<Pt> line;
      Pt p{rng.Uniform(0, 465), rng.Uniform(0, 465)};
      float a = rng.Uniform(0, 6.28f);
      for (int s = 0; s < 12; ++s) {
        line.push_back(p);
        a += rng.Uniform(-0.4f, 0.4f);
        p = {p.x + std::cos(a) * 14, p.y + std::sin(a) * 14};
      }
      FillShape(img, Polyline(line, 0.45f), Rgba{0.95f, 0.99f, 1, 0.45f});
      std::vector<Pt> shadow;
      for (const Pt& q : line) shadow.push_back({q.x + 1, q.y + 1});
      FillShape(img, Polyline(shadow, 0.4f), Rgba{0.25f, 0.45f, 0.62f, 0.25f});
    }
    // Bubbles trapped in the ice, a few per tile.
    for (int ty = 0; ty < 15; ++ty)
      for (int tx = 0; tx < 15; ++tx) {
        const int count = rng.Int(0, 3);
        for (int i = 0; i < count; ++i) {
          const Pt p{static_cast<float>(tx * 31) + rng.Uniform(5, 25), static_cast<float>(ty * 31) + rng.Uniform(5, 25)};
          const float r = rng.Uniform(0.8f, 2.4f);
          const Box b{static_cast<int>(p.x) - 4, static_cast<int>(p.y) - 4, static_cast<int>(p.x) + 5, static_cast<int>(p.y) + 5};
          FillShape(img, Circle(p, r), Rgba{0.55f, 0.75f, 0.88f, 0.25f}, b);
          FillShape(img, Ring(Circle(p, r), 0.35f), Rgba{1, 1, 1, 0.7f}, b);
          FillShape(img, Circle({p.x - r * 0.4f, p.y - r * 0.4f}, 0.5f), Rgba{1, 1, 1, 0.9f}, b);
        }
      }
  };
  f.seamDark = 0.30f;
  f.edgeLight = 0.35f;
  return f;
}

Floor SnowFloor() {
  Floor f;
  f.pixel = [](float x, float y, int tx, int ty) {
    const float drift = Fbm(x * 0.015f + 3, y * 0.03f, 301, 4);
    const float fine = Fbm(x * 0.3f, y * 0.3f, 303, 2) - 0.5f;
    Rgba c = Gradient({{0, Hex(0xAFC8E0)}, {0.45f, Hex(0xD9E7F3)}, {1, Hex(0xF7FBFF)}},
                      drift + TileJitter(tx, ty, 305) * 0.3f);
    return Scale(c, 1 + fine * 0.05f);
  };
  f.details = [](Image& img) {
    Rng rng(307);
    for (int i = 0; i < 900; ++i) {  // sparkle in the snow
      const int x = rng.Int(0, 464), y = rng.Int(0, 464);
      img.Blend(x, y, Hex(0xFFFFFF), rng.Uniform(0.5f, 1.0f));
      if (rng.Uniform() < 0.08f) {
        img.Blend(x - 1, y, Hex(0xFFFFFF), 0.5f);
        img.Blend(x + 1, y, Hex(0xFFFFFF), 0.5f);
        img.Blend(x, y - 1, Hex(0xFFFFFF), 0.5f);
        img.Blend(x, y + 1, Hex(0xFFFFFF), 0.5f);
      }
    }
  };
  f.seamDark = 0.22f;
  f.edgeLight = 0.5f;
  return f;
}

Floor GlacierFloor() {
  Floor f;
  f.pixel = [](float x, float y, int tx, int ty) {
    const float strata = Fbm(x * 0.006f, y * 0.05f, 401, 4);
    const float deep = Fbm(x * 0.02f, y * 0.02f, 403, 3);
    Rgba c = Gradient({{0, Hex(0x125F6E)}, {0.5f, Hex(0x2A93A3)}, {1, Hex(0x5CC9CF)}},
                      strata * 0.8f + deep * 0.3f - 0.05f + TileJitter(tx, ty, 405) * 0.3f);
    const float streak = Smoothstep(0.6f, 0.8f, Fbm(x * 0.01f, y * 0.12f, 407, 3));
    return Mix(c, Hex(0xBFF3F2), streak * 0.35f);
  };
  f.details = [](Image& img) {
    Rng rng(409);
    for (int i = 0; i < 260; ++i) {  // flecks of air frozen deep in the ice
      const Pt p{rng.Uniform(0, 465), rng.Uniform(0, 465)};
      FillShape(img, Capsule(p, {p.x + rng.Uniform(1, 4), p.y}, 0.4f), Rgba{0.85f, 1, 1, rng.Uniform(0.2f, 0.5f)},
                Box{static_cast<int>(p.x) - 2, static_cast<int>(p.y) - 2, static_cast<int>(p.x) + 7, static_cast<int>(p.y) + 3});
    }
  };
  f.seamDark = 0.45f;
  f.edgeLight = 0.25f;
  return f;
}

Floor PolarNightFloor() {
  Floor f;
  f.pixel = [](float x, float y, int tx, int ty) {
    const float n = Fbm(x * 0.01f, y * 0.01f, 501, 4);
    const float fine = Fbm(x * 0.2f, y * 0.2f, 503, 2) - 0.5f;
    Rgba c = Gradient({{0, Hex(0x0C1B2B)}, {0.5f, Hex(0x16304A)}, {1, Hex(0x22466A)}}, n + TileJitter(tx, ty, 505) * 0.35f);
    return Scale(c, 1 + fine * 0.08f);
  };
  f.details = [](Image& img) {
    Rng rng(507);
    for (int i = 0; i < 320; ++i) {  // starlight reflected in the ice
      const Pt p{rng.Uniform(0, 465), rng.Uniform(0, 465)};
      const float big = rng.Uniform();
      const Box b{static_cast<int>(p.x) - 6, static_cast<int>(p.y) - 6, static_cast<int>(p.x) + 7, static_cast<int>(p.y) + 7};
      FillShape(img, Circle(p, 2.5f), Radial(p, 2.5f, {{0, Rgba{0.75f, 0.88f, 1, 0.35f}}, {1, Rgba{0.75f, 0.88f, 1, 0}}}), b);
      FillShape(img, Circle(p, big > 0.85f ? 0.8f : 0.5f), Rgba{0.92f, 0.97f, 1, 0.9f}, b);
      if (big > 0.9f) {
        FillShape(img, Capsule({p.x - 4, p.y}, {p.x + 4, p.y}, 0.3f), Rgba{0.85f, 0.93f, 1, 0.55f}, b);
        FillShape(img, Capsule({p.x, p.y - 4}, {p.x, p.y + 4}, 0.3f), Rgba{0.85f, 0.93f, 1, 0.55f}, b);
      }
    }
  };
  f.seamDark = 0.6f;
  f.edgeLight = 0.16f;
  return f;
}

Floor IceCaveFloor() {
  Floor f;
  f.pixel = [](float x, float y, int tx, int ty) {
    const float n = Fbm(x * 0.015f, y * 0.015f, 601, 4);
    Rgba c = Gradient({{0, Hex(0x123F46)}, {0.5f, Hex(0x1E5E66)}, {1, Hex(0x2D7E84)}}, n + TileJitter(tx, ty, 603) * 0.35f);
    // Crystal veins: the ridges of a noise field.
    const float v = 1.0f - std::fabs(2.0f * Fbm(x * 0.025f, y * 0.025f, 605, 4) - 1.0f);
    const float vein = Smoothstep(0.93f, 0.99f, v);
    const float v2 = 1.0f - std::fabs(2.0f * Fbm(x * 0.06f + 7, y * 0.06f, 607, 3) - 1.0f);
    const float fineVein = Smoothstep(0.93f, 0.99f, v2);
    c = Mix(c, Hex(0x7FF0E8), vein * 0.45f);
    return Mix(c, Hex(0x56CFCB), fineVein * 0.2f);
  };
  f.details = [](Image&) {};
  f.seamDark = 0.5f;
  f.edgeLight = 0.2f;
  return f;
}

Floor AuroraFloor() {
  Floor f;
  f.pixel = [](float x, float y, int tx, int ty) {
    const float n = Fbm(x * 0.012f, y * 0.012f, 701, 4);
    Rgba c = Gradient({{0, Hex(0x0D1522)}, {1, Hex(0x1C2A3E)}}, n + TileJitter(tx, ty, 703) * 0.4f);
    // Curtains of the aurora mirrored in the polished floor.
    const float wave = y * 0.009f + 0.6f * std::sin(x * 0.009f + 1.0f) + 1.2f * Fbm(x * 0.006f, y * 0.006f, 705, 3);
    const float green = std::pow(Clamp01(std::sin(wave * 2.4f)), 2.0f);
    const float violet = std::pow(Clamp01(std::sin(wave * 2.4f + 2.6f)), 2.0f);
    const float fade = 0.35f + 0.65f * Fbm(x * 0.02f, y * 0.003f, 707, 3);
    c = Mix(c, Hex(0x2FBF86), green * 0.38f * fade);
    return Mix(c, Hex(0x7B55D6), violet * 0.34f * fade);
  };
  f.details = [](Image& img) {
    Rng rng(709);
    for (int i = 0; i < 160; ++i) {
      const int x = rng.Int(0, 464), y = rng.Int(0, 464);
      img.Blend(x, y, Hex(0xE6FFF4), rng.Uniform(0.4f, 0.8f));
    }
  };
  f.seamDark = 0.55f;
  f.edgeLight = 0.16f;
  return f;
}

Image MakeFloor(const Floor& f) {
  constexpr int kSize = 15 * kCell;
  Image img(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const int tx = x / kCell, ty = y / kCell;
      img.at(x, y) = f.pixel(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, tx, ty);
    }
  f.details(img);
  // Every tile is a slab: a highlight on its top and left edges, a shadow on the bottom and right
  // and a dark seam, so the 31-pixel cells read on the board.
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const int lx = x % kCell, ly = y % kCell;
      Rgba& c = img.at(x, y);
      const float slope = 1.0f + 0.05f * (0.5f - static_cast<float>(lx + ly) / 60.0f);
      c = Scale(c, slope);
      if (lx == kCell - 1 || ly == kCell - 1) {
        c = Mix(c, Hex(0x050B12), f.seamDark);
      } else if (lx == 0 || ly == 0) {
        c = Mix(c, Hex(0xFFFFFF), f.edgeLight);
      } else if (lx == kCell - 2 || ly == kCell - 2) {
        c = Mix(c, Hex(0x050B12), f.seamDark * 0.35f);
      } else if (lx == 1 || ly == 1) {
        c = Mix(c, Hex(0xFFFFFF), f.edgeLight * 0.4f);
      }
    }
  return img;
}

Image MaskImage(const Gray& shape) {
  Image sprite, mask;
  SplitSprite(Image(shape.width(), shape.height(), Hex(0xFFFFFF)), shape, sprite, mask);
  return mask;
}

}  // namespace

Sdf Place::operator()(Sdf s) const {
  const Place p = *this;
  return [s, p](float x, float y) { return s((x - p.ox) / p.k, (y - p.oy) / p.k) * p.k; };
}

Pt Place::operator()(Pt q) const { return Pt{ox + q.x * k, oy + q.y * k}; }

Box Place::Bounds() const {
  return Box{static_cast<int>(std::floor(ox)) - 1, static_cast<int>(std::floor(oy)) - 1,
             static_cast<int>(std::ceil(ox + 31 * k)) + 1, static_cast<int>(std::ceil(oy + 31 * k)) + 1};
}

void DrawCube(Image& img, const Place& at, int colour, int arrow, bool colourBlindMark) {
  const Shade& s = kShades[colour];
  const Box b = at.Bounds();
  const float k = at.k;
  const Sdf outer = at(CubeOutline());
  FillShape(img, outer, Mix(s.dark, Hex(0x05080C), 0.35f), b);
  const Sdf body = Grow(outer, -1.0f * k);
  FillShape(img, body, s.base, b);
  Bevel(img, body, 3.5f * k, s.light, Mix(s.dark, Hex(0x000000), 0.25f), 0.95f, b);
  // The raised face, lit from the top left.
  const Sdf face = at(RoundRect(4.5f, 4.5f, 26.5f, 26.5f, 3.5f));
  FillShape(img, face, Linear(at(Pt{5, 5}), at(Pt{26, 26}), {{0, Mix(s.base, s.light, 0.30f)}, {0.55f, s.base},
                                                         {1, Mix(s.base, s.dark, 0.30f)}}), b);
  FillShape(img, Ring(face, 0.45f * k), WithAlpha(Mix(s.dark, s.base, 0.3f), 0.35f), b);
  // Glossy highlight across the upper face and a small specular spot.
  const Sdf gloss = Intersect(at(Ellipse({14.0f, 9.0f}, 10.5f, 5.0f)), face);
  FillShape(img, gloss, Linear(at(Pt{0, 4}), at(Pt{0, 14}), {{0, Rgba{1, 1, 1, 0.55f}}, {1, Rgba{1, 1, 1, 0.0f}}}), b);
  FillShape(img, at(Circle({7.2f, 7.2f}, 1.3f)), Rgba{1, 1, 1, 0.85f}, b);
  if (arrow > 0) {
    std::vector<Pt> pts;
    for (Pt p : LeftArrow()) pts.push_back(at(Orient(p, arrow)));
    DrawMarker(img, Polygon(pts), k, b);
  }
  if (colourBlindMark) DrawMarker(img, at(ColourBlindShape(colour, {15.5f, 15.5f}, 7.0f)), k, b);
}

void DrawSphere(Image& img, const Place& at, int colour, float r, bool colourBlindMark) {
  const Shade& s = kShades[colour];
  const Box b = at.Bounds();
  const Pt c = at(Pt{15.5f, 15.5f});
  r *= at.k;
  FillShape(img, Circle(c, r), Mix(s.dark, Hex(0x05080C), 0.4f), b);
  FillShape(img, Circle(c, r - 0.9f * at.k),
            Radial({c.x - r * 0.35f, c.y - r * 0.4f}, r * 1.45f,
                   {{0, Mix(s.light, Hex(0xFFFFFF), 0.25f)}, {0.35f, s.light}, {0.62f, s.base}, {1, s.dark}}), b);
  // Light bouncing back into the lower right rim.
  FillShape(img, Intersect(Ring(Circle(c, r - 2.2f * at.k), 0.8f * at.k), Circle({c.x + r * 0.5f, c.y + r * 0.5f}, r * 0.7f)),
            WithAlpha(s.light, 0.45f), b);
  FillShape(img, Ellipse({c.x - r * 0.32f, c.y - r * 0.42f}, r * 0.34f, r * 0.22f), Rgba{1, 1, 1, 0.9f}, b);
  FillShape(img, Circle({c.x + r * 0.05f, c.y - r * 0.62f}, 0.7f * at.k), Rgba{1, 1, 1, 0.6f}, b);
  if (colourBlindMark) {
    const float mr = r * 5.2f / 9.5f;
    FillShape(img, Grow(ColourBlindShape(colour, c, mr), 1.2f * at.k), WithAlpha(kOutlineNavy, 0.95f), b);
    FillShape(img, ColourBlindShape(colour, c, mr), Hex(0xFFFFFF), b);
  }
}

Shade CubeShade(int index) { return kShades[index]; }

Sdf ColourBlindShape(int index, Pt c, float r) {
  switch (index) {
    case 0: return Circle(c, r * 0.8f);                                              // red
    case 1: return Polygon(RegularPolygon(c, r * 0.92f, 6, 0.5235988f));              // blue
    case 2: return Polygon(RegularPolygon({c.x, c.y + r * 0.06f}, r * 0.92f, 5));     // green
    case 3: return Polygon(Star({c.x, c.y + r * 0.08f}, r * 1.1f, r * 0.47f, 5));     // violet
    case 4: return RoundRect(c.x - r * 0.7f, c.y - r * 0.7f, c.x + r * 0.7f, c.y + r * 0.7f, 0.6f);  // black
    default: return Polygon(RegularPolygon({c.x, c.y + r * 0.22f}, r * 1.08f, 3));   // orange
  }
}

void SplitSprite(const Image& picture, const Gray& shape, Image& sprite, Image& mask) {
  sprite = Image(picture.width(), picture.height(), Rgba{0, 0, 0, 1});
  mask = Image(picture.width(), picture.height(), Rgba{1, 1, 1, 1});
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      if (shape.at(x, y) < 0.5f) continue;
      sprite.at(x, y) = Lift(picture.at(x, y));
      mask.at(x, y) = Rgba{0, 0, 0, 1};
    }
}

void MakeBoardArt(OutputSet& out) {
  const std::string cubes = "data/sprites/cubes/", spheres = "data/sprites/spheres/",
                    blocks = "data/sprites/blocks/";

  // Cubes: one outline for all thirty pictures, so the single cube mask fits each of them.
  const Gray cubeShape = Rasterize(CubeOutline(), kCell, kCell);
  out.Add(cubes + "cubemask.bmp", MaskImage(cubeShape));
  const char* const arrowNames[5] = {"", "left", "right", "top", "bottom"};
  for (int c = 0; c < 6; ++c) {
    const Image plain = CubePicture(c);
    Image sprite, mask;
    SplitSprite(plain, cubeShape, sprite, mask);
    out.Add(cubes + kColourNames[c] + "cube.bmp", sprite);
    for (int dir = 1; dir <= 4; ++dir) {
      Image withArrow = plain;
      DrawCube(withArrow, Place{0, 0, 1}, c, dir, false);
      SplitSprite(withArrow, cubeShape, sprite, mask);
      out.Add(cubes + kColourNames[c] + "cube" + arrowNames[dir] + ".bmp", sprite);
    }
    Image marked = plain;
    DrawCube(marked, Place{0, 0, 1}, c, 0, true);
    SplitSprite(marked, cubeShape, sprite, mask);
    out.Add(cubes + kColourNames[c] + "cubecolorblind.bmp", sprite);
  }

  // Spheres: small gems, so a cube standing on one stays visible around it. The colour-blind
  // spheres are a little larger to carry their marker and have a mask of their own.
  const float sphereR = 7.8f, blindR = 9.5f;
  const Gray sphereShape = Rasterize(Circle({15.5f, 15.5f}, sphereR), kCell, kCell);
  const Gray blindShape = Rasterize(Circle({15.5f, 15.5f}, blindR), kCell, kCell);
  out.Add(spheres + "spheremask.bmp", MaskImage(sphereShape));
  out.Add(spheres + "spheremaskcolorblind.bmp", MaskImage(blindShape));
  for (int c = 0; c < 6; ++c) {
    Image sprite, mask;
    SplitSprite(SpherePicture(c, sphereR), sphereShape, sprite, mask);
    out.Add(spheres + kColourNames[c] + "sphere.bmp", sprite);
    Image blind(kCell, kCell, Hex(0x000000));
    DrawSphere(blind, Place{0, 0, 1}, c, blindR, true);
    SplitSprite(blind, blindShape, sprite, mask);
    out.Add(spheres + kColourNames[c] + "spherecolorblind.bmp", sprite);
  }

  // Blocks: one outline for the walls, the cracked walls and the crush block.
  const Gray blockShape = Rasterize(BlockOutline(), kCell, kCell);
  out.Add(blocks + "blockmask.bmp", MaskImage(blockShape));
  for (int s = 0; s < 7; ++s) {
    Image wall(kCell, kCell, Hex(0x202428));
    kBlockPainters[s](wall);
    Image sprite, mask;
    SplitSprite(wall, blockShape, sprite, mask);
    out.Add(blocks + "block" + std::to_string(s) + ".bmp", sprite);
    Image cracked = wall;
    Crack(cracked, s);
    SplitSprite(cracked, blockShape, sprite, mask);
    out.Add(blocks + "block" + std::to_string(s) + "chapped.bmp", sprite);
  }
  {
    Image crush(kCell, kCell, Hex(0x202428));
    CrushBlock(crush);
    Image sprite, mask;
    SplitSprite(crush, blockShape, sprite, mask);
    out.Add(blocks + "crushblock.bmp", sprite);
  }
  {
    Image marker(kCell, kCell);
    TrapdoorMarker(marker);
    out.Add("data/tools/trapblock.bmp", marker);
  }

  const Floor floors[7] = {SteelFloor(),      LakeFloor(),    SnowFloor(),  GlacierFloor(),
                           PolarNightFloor(), IceCaveFloor(), AuroraFloor()};
  for (int s = 0; s < 7; ++s)
    out.Add("data/backgrounds/bg" + std::to_string(s) + ".jpg", MakeFloor(floors[s]), FileKind::Jpg);
}

}  // namespace art
