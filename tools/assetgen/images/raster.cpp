#include "tools/assetgen/images/raster.h"

#include <algorithm>
#include <cmath>

namespace art {

Rgba Hex(std::uint32_t rgb, float alpha) {
  return Rgba{static_cast<float>((rgb >> 16) & 255) / 255.0f,
              static_cast<float>((rgb >> 8) & 255) / 255.0f, static_cast<float>(rgb & 255) / 255.0f,
              alpha};
}

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
  return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
              a.a + (b.a - a.a) * t};
}

Rgba WithAlpha(Rgba c, float alpha) {
  c.a = alpha;
  return c;
}

Rgba Scale(Rgba c, float k) {
  return Rgba{c.r * k, c.g * k, c.b * k, c.a};
}

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float Smoothstep(float e0, float e1, float x) {
  float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// ---------------------------------------------------------------- Gray

Gray::Gray(int w, int h, float v) : w_(w), h_(h), v_(static_cast<std::size_t>(w) * h, v) {}

float Gray::Sample(int x, int y) const {
  x = std::clamp(x, 0, w_ - 1);
  y = std::clamp(y, 0, h_ - 1);
  return at(x, y);
}

namespace {

void BoxPass(const Gray& src, Gray& dst, int r, bool horizontal) {
  const int w = src.width(), h = src.height();
  const float inv = 1.0f / static_cast<float>(2 * r + 1);
  if (horizontal) {
    for (int y = 0; y < h; ++y) {
      float acc = 0;
      for (int i = -r; i <= r; ++i) acc += src.Sample(i, y);
      for (int x = 0; x < w; ++x) {
        dst.at(x, y) = acc * inv;
        acc += src.Sample(x + r + 1, y) - src.Sample(x - r, y);
      }
    }
  } else {
    for (int x = 0; x < w; ++x) {
      float acc = 0;
      for (int i = -r; i <= r; ++i) acc += src.Sample(x, i);
      for (int y = 0; y < h; ++y) {
        dst.at(x, y) = acc * inv;
        acc += src.Sample(x, y + r + 1) - src.Sample(x, y - r);
      }
    }
  }
}

}  // namespace

Gray Blur(const Gray& src, int radius) {
  if (radius <= 0) return src;
  Gray a = src, b(src.width(), src.height());
  const int r = std::max(1, radius / 2);
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(a, b, r, true);
    BoxPass(b, a, r, false);
  }
  return a;
}

Gray Dilate(const Gray& src, float radius) {
  Gray out(src.width(), src.height());
  const int r = static_cast<int>(std::ceil(radius));
  for (int y = 0; y < src.height(); ++y) {
    for (int x = 0; x < src.width(); ++x) {
      float m = 0;
      for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
          const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
          const float wgt = Clamp01(radius + 0.5f - d);
          if (wgt <= 0) continue;
          const int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height()) continue;
          m = std::max(m, src.at(sx, sy) * wgt);
        }
      }
      out.at(x, y) = m;
    }
  }
  return out;
}

Gray Shift(const Gray& src, int dx, int dy) {
  Gray out(src.width(), src.height());
  for (int y = 0; y < src.height(); ++y) {
    for (int x = 0; x < src.width(); ++x) {
      const int sx = x - dx, sy = y - dy;
      if (sx >= 0 && sy >= 0 && sx < src.width() && sy < src.height()) out.at(x, y) = src.at(sx, sy);
    }
  }
  return out;
}

// ---------------------------------------------------------------- Image

Image::Image(int w, int h, Rgba fill) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, fill) {}

void Image::Fill(const Rgba& c) { std::fill(px_.begin(), px_.end(), c); }

void Image::Blend(int x, int y, const Rgba& c, float coverage) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  const float a = Clamp01(c.a * coverage);
  if (a <= 0) return;
  Rgba& d = at(x, y);
  const float outA = a + d.a * (1 - a);
  if (outA <= 0) {
    d = Rgba{0, 0, 0, 0};
    return;
  }
  d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
  d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
  d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
  d.a = outA;
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      const int sx = x + xx, sy = y + yy;
      if (sx >= 0 && sy >= 0 && sx < w_ && sy < h_) out.at(xx, yy) = at(sx, sy);
    }
  return out;
}

void Image::Paste(const Image& src, int x, int y) {
  for (int yy = 0; yy < src.height(); ++yy)
    for (int xx = 0; xx < src.width(); ++xx) {
      const int dx = x + xx, dy = y + yy;
      if (dx >= 0 && dy >= 0 && dx < w_ && dy < h_) at(dx, dy) = src.at(xx, yy);
    }
}

void Image::Draw(const Image& src, int x, int y, float opacity) {
  for (int yy = 0; yy < src.height(); ++yy)
    for (int xx = 0; xx < src.width(); ++xx) Blend(x + xx, y + yy, src.at(xx, yy), opacity);
}

void Image::PasteScaled(const Image& src, int x, int y, int factor) {
  for (int yy = 0; yy < src.height() * factor; ++yy)
    for (int xx = 0; xx < src.width() * factor; ++xx) {
      const int dx = x + xx, dy = y + yy;
      if (dx >= 0 && dy >= 0 && dx < w_ && dy < h_) at(dx, dy) = src.at(xx / factor, yy / factor);
    }
}

// ---------------------------------------------------------------- shapes

Sdf Circle(Pt c, float r) {
  return [=](float x, float y) { return std::hypot(x - c.x, y - c.y) - r; };
}

Sdf Ellipse(Pt c, float rx, float ry) {
  return [=](float x, float y) {
    const float nx = (x - c.x) / rx, ny = (y - c.y) / ry;
    const float k = std::sqrt(nx * nx + ny * ny);
    if (k < 1e-6f) return -std::min(rx, ry);
    // First-order distance: the implicit value divided by its gradient length.
    const float gx = nx / rx, gy = ny / ry;
    const float g = std::sqrt(gx * gx + gy * gy) / k;
    return (k - 1) / std::max(g, 1e-6f);
  };
}

Sdf RoundRect(float x0, float y0, float x1, float y1, float r) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
  return [=](float x, float y) {
    const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0f) - r;
  };
}

Sdf Polygon(std::vector<Pt> v) {
  return [v = std::move(v)](float x, float y) {
    float d = 1e30f;
    bool inside = false;
    const std::size_t n = v.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const Pt a = v[j], b = v[i];
      const float ex = b.x - a.x, ey = b.y - a.y;
      const float wx = x - a.x, wy = y - a.y;
      const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey + 1e-12f), 0.0f, 1.0f);
      d = std::min(d, std::hypot(wx - ex * t, wy - ey * t));
      if (((a.y > y) != (b.y > y)) && (x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x))
        inside = !inside;
    }
    return inside ? -d : d;
  };
}

Sdf Capsule(Pt a, Pt b, float r) {
  return [=](float x, float y) {
    const float ex = b.x - a.x, ey = b.y - a.y;
    const float wx = x - a.x, wy = y - a.y;
    const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey + 1e-12f), 0.0f, 1.0f);
    return std::hypot(wx - ex * t, wy - ey * t) - r;
  };
}

Sdf Polyline(std::vector<Pt> pts, float r) {
  return [pts = std::move(pts), r](float x, float y) {
    float d = 1e30f;
    for (std::size_t i = 1; i < pts.size(); ++i) {
      const Pt a = pts[i - 1], b = pts[i];
      const float ex = b.x - a.x, ey = b.y - a.y;
      const float wx = x - a.x, wy = y - a.y;
      const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey + 1e-12f), 0.0f, 1.0f);
      d = std::min(d, std::hypot(wx - ex * t, wy - ey * t));
    }
    return d - r;
  };
}

Sdf Union(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf Intersect(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf Subtract(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf Grow(Sdf a, float r) {
  return [=](float x, float y) { return a(x, y) - r; };
}
Sdf Ring(Sdf a, float halfWidth) {
  return [=](float x, float y) { return std::fabs(a(x, y)) - halfWidth; };
}
Sdf Translate(Sdf a, float dx, float dy) {
  return [=](float x, float y) { return a(x - dx, y - dy); };
}

std::vector<Pt> RegularPolygon(Pt c, float r, int n, float rotation) {
  std::vector<Pt> out;
  for (int i = 0; i < n; ++i) {
    const float a = rotation + static_cast<float>(i) * 6.2831853f / static_cast<float>(n) - 1.5707963f;
    out.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return out;
}

std::vector<Pt> Star(Pt c, float rOuter, float rInner, int points, float rotation) {
  std::vector<Pt> out;
  for (int i = 0; i < points * 2; ++i) {
    const float r = (i % 2 == 0) ? rOuter : rInner;
    const float a = rotation + static_cast<float>(i) * 3.14159265f / static_cast<float>(points) - 1.5707963f;
    out.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return out;
}

float Coverage(float d) { return Clamp01(0.5f - d); }

void FillShape(Image& img, const Sdf& shape, const Paint& paint, Box b) {
  if (b.x1 <= b.x0 || b.y1 <= b.y0) b = Box{0, 0, img.width(), img.height()};
  b.x0 = std::max(b.x0, 0);
  b.y0 = std::max(b.y0, 0);
  b.x1 = std::min(b.x1, img.width());
  b.y1 = std::min(b.y1, img.height());
  for (int y = b.y0; y < b.y1; ++y)
    for (int x = b.x0; x < b.x1; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float cov = Coverage(shape(px, py));
      if (cov > 0) img.Blend(x, y, paint(px, py), cov);
    }
}

void FillShape(Image& img, const Sdf& shape, const Rgba& colour, Box bounds) {
  FillShape(img, shape, Solid(colour), bounds);
}

Gray Rasterize(const Sdf& shape, int w, int h) {
  Gray g(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      g.at(x, y) = Coverage(shape(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
  return g;
}

void FillMask(Image& img, const Gray& mask, int ox, int oy, const Paint& paint, float opacity) {
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x) {
      const float m = mask.at(x, y) * opacity;
      if (m <= 0) continue;
      const int dx = ox + x, dy = oy + y;
      img.Blend(dx, dy, paint(static_cast<float>(dx) + 0.5f, static_cast<float>(dy) + 0.5f), m);
    }
}

void FillMask(Image& img, const Gray& mask, int ox, int oy, const Rgba& colour, float opacity) {
  FillMask(img, mask, ox, oy, Solid(colour), opacity);
}

// ---------------------------------------------------------------- paints

Paint Solid(Rgba c) {
  return [c](float, float) { return c; };
}

Rgba Gradient(const std::vector<Stop>& stops, float t) {
  if (stops.empty()) return Rgba{};
  if (t <= stops.front().t) return stops.front().c;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].t) {
      const float span = stops[i].t - stops[i - 1].t;
      return Mix(stops[i - 1].c, stops[i].c, span > 0 ? (t - stops[i - 1].t) / span : 1);
    }
  }
  return stops.back().c;
}

Paint Linear(Pt p0, Pt p1, std::vector<Stop> stops) {
  const float ex = p1.x - p0.x, ey = p1.y - p0.y;
  const float len2 = ex * ex + ey * ey;
  return [=, stops = std::move(stops)](float x, float y) {
    const float t = ((x - p0.x) * ex + (y - p0.y) * ey) / len2;
    return Gradient(stops, t);
  };
}

Paint Radial(Pt c, float r, std::vector<Stop> stops) {
  return [=, stops = std::move(stops)](float x, float y) {
    return Gradient(stops, std::hypot(x - c.x, y - c.y) / r);
  };
}

// ---------------------------------------------------------------- noise

float Hash01(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float ValueNoise(float x, float y, std::uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const float a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
  const float c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, std::uint32_t seed, int octaves) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u);
    norm += amp;
    x *= 2.03f;
    y *= 2.03f;
    amp *= 0.5f;
  }
  return sum / norm;
}

std::uint32_t Rng::Next() {
  s_ ^= s_ << 13;
  s_ ^= s_ >> 17;
  s_ ^= s_ << 5;
  return s_;
}

float Rng::Uniform(float lo, float hi) {
  return lo + (hi - lo) * static_cast<float>(Next() & 0xFFFFFF) / static_cast<float>(0x1000000);
}

int Rng::Int(int lo, int hi) {
  return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
}

Rgb8 ToRgb8(const Rgba& c) {
  auto q = [](float v) {
    return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0f));
  };
  return Rgb8{q(c.r), q(c.g), q(c.b)};
}

}  // namespace art
