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

// Adds every board picture (and data/tools/trapblock.bmp) to out.
void MakeBoardArt(OutputSet& out);

// Splits a picture drawn on an opaque canvas into the game's sprite and mask pair: where the
// shape covers at least half a pixel the sprite keeps the picture (lifted off pure black) and
// the mask is black; elsewhere the sprite is black and the mask white.
void SplitSprite(const Image& picture, const Gray& shape, Image& sprite, Image& mask);

}  // namespace art
