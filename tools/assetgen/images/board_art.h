#pragma once
// The board's pictures: cubes, spheres, blocks, their masks, the floors of the seven sceneries
// and the editor's trapdoor marker.
#include "tools/assetgen/images/outputs.h"
#include "tools/assetgen/images/raster.h"

namespace art {

inline constexpr int kCell = 31;

struct Shade {
  Rgba base, light, dark;
};
// Base, light and dark tone of colour code 1 .. 6 (index 0 .. 5).
Shade CubeShade(int index);

// The colour-blind marker of colour index 0 .. 5, centred at c with about radius r.
Sdf ColourBlindShape(int index, Pt c, float r);

// Where a 31 x 31 cell drawing goes: origin and scale (for enlarged cubes on screens and icons).
struct Place {
  float ox = 0, oy = 0, k = 1;
  Sdf operator()(Sdf s) const;
  Pt operator()(Pt p) const;
  Box Bounds() const;
};

// The cube of colour index 0 .. 5 with arrow 0 (none) or 1 left, 2 right, 3 up, 4 down, and
// optionally its colour-blind marker; the sphere of radius r (in cell pixels).
void DrawCube(Image& img, const Place& at, int colour, int arrow, bool colourBlindMark);
void DrawSphere(Image& img, const Place& at, int colour, float r, bool colourBlindMark);

// Lights the band of the given width inside a shape's outline from the top left.
void Bevel(Image& img, const Sdf& s, float width, Rgba light, Rgba dark, float strength, Box bounds = {});

// Adds every board picture (and data/tools/trapblock.bmp) to out.
void MakeBoardArt(OutputSet& out);

// Splits a picture drawn on an opaque canvas into the game's sprite and mask pair: where the
// shape covers at least half a pixel the sprite keeps the picture (lifted off pure black) and
// the mask is black; elsewhere the sprite is black and the mask white.
void SplitSprite(const Image& picture, const Gray& shape, Image& sprite, Image& mask);

}  // namespace art
