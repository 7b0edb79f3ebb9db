#pragma once
// A small raster library for the picture generator: float RGBA images, coverage maps, shapes
// given as signed distance functions (anti-aliased by their distance), gradients and noise.
// Everything is deterministic: noise is a hash of the coordinates and a seed.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

struct Rgba {
  float r = 0, g = 0, b = 0, a = 1;
};

// #RRGGBB with an optional alpha.
Rgba Hex(std::uint32_t rgb, float alpha = 1.0f);
Rgba Mix(const Rgba& a, const Rgba& b, float t);
Rgba WithAlpha(Rgba c, float alpha);
Rgba Scale(Rgba c, float k);  // multiplies the colour channels, keeps alpha
float Clamp01(float v);
float Smoothstep(float e0, float e1, float x);

struct Pt {
  float x = 0, y = 0;
};

struct Box {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // half open
};

// A single-channel float map: coverage, masks, height fields.
class Gray {
 public:
  Gray() = default;
  Gray(int w, int h, float v = 0);
  int width() const { return w_; }
  int height() const { return h_; }
  float& at(int x, int y) { return v_[static_cast<std::size_t>(y) * w_ + x]; }
  float at(int x, int y) const { return v_[static_cast<std::size_t>(y) * w_ + x]; }
  float Sample(int x, int y) const;  // clamped to the edge
  std::vector<float>& values() { return v_; }
  const std::vector<float>& values() const { return v_; }

 private:
  int w_ = 0, h_ = 0;
  std::vector<float> v_;
};

// Box blur applied three times (close to a Gaussian of the given radius).
Gray Blur(const Gray& src, int radius);
// Maximum over a disc of the given radius (grows a mask, used for outlines).
Gray Dilate(const Gray& src, float radius);
Gray Shift(const Gray& src, int dx, int dy);

using Sdf = std::function<float(float, float)>;
using Paint = std::function<Rgba(float, float)>;

class Image {
 public:
  Image() = default;
  Image(int w, int h, Rgba fill = Rgba{0, 0, 0, 1});
  int width() const { return w_; }
  int height() const { return h_; }
  Rgba& at(int x, int y) { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  const Rgba& at(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  void Fill(const Rgba& c);
  // Source-over of c with its alpha times coverage.
  void Blend(int x, int y, const Rgba& c, float coverage = 1.0f);
  Image Crop(int x, int y, int w, int h) const;
  void Paste(const Image& src, int x, int y);              // plain copy
  void Draw(const Image& src, int x, int y, float opacity = 1.0f);  // source-over
  // Draws src scaled by an integer factor (nearest neighbour), for contact sheets.
  void PasteScaled(const Image& src, int x, int y, int factor);

 private:
  int w_ = 0, h_ = 0;
  std::vector<Rgba> px_;
};

// ---- shapes (signed distance: negative inside, in pixels) ----
Sdf Circle(Pt c, float r);
Sdf Ellipse(Pt c, float rx, float ry);  // approximate, good for small radii ratios
Sdf RoundRect(float x0, float y0, float x1, float y1, float r);
Sdf Polygon(std::vector<Pt> pts);
Sdf Capsule(Pt a, Pt b, float r);  // thick line with round caps
Sdf Polyline(std::vector<Pt> pts, float r);
Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Grow(Sdf a, float r);            // r > 0 grows, r < 0 shrinks
Sdf Ring(Sdf a, float halfWidth);    // stroke centred on the outline
Sdf Translate(Sdf a, float dx, float dy);

// Regular polygon and star outlines (first vertex straight up unless rotated).
std::vector<Pt> RegularPolygon(Pt c, float r, int n, float rotation = 0);
std::vector<Pt> Star(Pt c, float rOuter, float rInner, int points, float rotation = 0);

// Coverage of a shape from its distance (one pixel of anti-aliasing).
float Coverage(float d);

// Fills a shape with a paint; bounds limit the work (whole image when empty).
void FillShape(Image& img, const Sdf& shape, const Paint& paint, Box bounds = {});
void FillShape(Image& img, const Sdf& shape, const Rgba& colour, Box bounds = {});
// Coverage map of a shape on a canvas of the given size.
Gray Rasterize(const Sdf& shape, int w, int h);
// Paints through a coverage map placed at (ox, oy).
void FillMask(Image& img, const Gray& mask, int ox, int oy, const Paint& paint, float opacity = 1);
void FillMask(Image& img, const Gray& mask, int ox, int oy, const Rgba& colour, float opacity = 1);

// ---- paints ----
struct Stop {
  float t;
  Rgba c;
};
Paint Solid(Rgba c);
Paint Linear(Pt p0, Pt p1, std::vector<Stop> stops);
Paint Radial(Pt c, float r, std::vector<Stop> stops);
Rgba Gradient(const std::vector<Stop>& stops, float t);

// ---- noise ----
float Hash01(int x, int y, std::uint32_t seed);
float ValueNoise(float x, float y, std::uint32_t seed);  // 0..1, smooth
float Fbm(float x, float y, std::uint32_t seed, int octaves = 4);
// A small deterministic random generator for scattering details.
class Rng {
 public:
  explicit Rng(std::uint32_t seed) : s_(seed * 2654435761u + 12345u) {}
  std::uint32_t Next();
  float Uniform(float lo = 0, float hi = 1);
  int Int(int lo, int hi);  // inclusive

 private:
  std::uint32_t s_;
};

// ---- conversion to 8-bit ----
struct Rgb8 {
  std::uint8_t r, g, b;
};
Rgb8 ToRgb8(const Rgba& c);  // alpha ignored (images are opaque when written)

}  // namespace art
