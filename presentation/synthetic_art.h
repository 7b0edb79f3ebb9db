#pragma once
// Small pictures with exactly known pixels in the layout of the game's data folder, so tests
// and benchmarks can run the real loaders and renderer without the generated art.
//
// Board pictures are 31 x 31: a sprite is black on a one-pixel ring (cubes, blocks) or outside
// a centred square (spheres), and one flat colour inside; each mask is black exactly where its
// sprite is opaque and white elsewhere. Blocks cover the cube's shape, as the real art does,
// so a crush block drawn over a cube leaves nothing of it. Screen pictures have their
// documented sizes and one flat colour each. Backgrounds are a JPEG checkerboard.
#include <cstdint>
#include <string>

namespace presentation::synthetic {

inline constexpr std::uint32_t kWhite = 0xFFFFFFu;

// Interior colour of each picture.
std::uint32_t CubeColour(int arrow, int colour, bool colorBlind);
std::uint32_t SphereColour(int colour, bool colorBlind);
std::uint32_t BlockColour(int scenery);
std::uint32_t CrackedBlockColour(int scenery);
std::uint32_t CrushBlockColour();
std::uint32_t ScreenColour(const std::string& name);

// Opaque parts, in cell pixels 0..30.
bool CubeOpaque(int px, int py);
bool SphereOpaque(int px, int py, bool colorBlind);
bool BlockOpaque(int px, int py);

// Writes every sprite, every screen picture and bg0..bg6.jpg below root/data/. root ends in
// '/'. fullSizeScreens false writes the screen pictures as 2 x 2 (faster, for tests that only
// draw the board). False when a file could not be written.
bool WriteSyntheticArt(const std::string& root, bool fullSizeScreens = true);

}  // namespace presentation::synthetic
