#pragma once
// Contact sheets for looking at the generated pictures (never installed): the board sprites
// enlarged, sample boards of every scenery composed the way the game composes them, and the
// screens.
#include <string>
#include <vector>

#include "tools/assetgen/images/outputs.h"

namespace art {

struct Sheet {
  std::string name;
  Image image;
};

std::vector<Sheet> ContactSheets(const OutputSet& out);

// A 465 x 465 board of scenery s drawn with the game's raster operations (mask AND, sprite
// OR, trapdoors blended at 110/255 with black as the key); also used on the how-to-play page.
Image SampleBoard(const OutputSet& out, int scenery, bool colourBlind);

// One cell's worth of the game's drawing onto dst at (x, y).
void DrawMasked(Image& dst, int x, int y, const Image& sprite, const Image& mask);
void DrawTrapdoorBlend(Image& dst, int x, int y, const Image& block);

}  // namespace art
