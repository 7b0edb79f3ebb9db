#pragma once
// Encoders for the files the game reads: 24-bit Windows bitmaps (our own writer), JPEG and PNG
// (through SDL2_image, encoded in memory), and the one place that puts bytes on disk.
#include <string>

#include "tools/assetgen/images/raster.h"

namespace art {

// Uncompressed 24-bit bitmap, bottom-up rows padded to four bytes.
std::string EncodeBmp(const Image& img);
std::string EncodePng(const Image& img, bool withAlpha);
std::string EncodeJpg(const Image& img, int quality);

// Writes the whole file (creating its folder), replacing any old one in one step.
bool WriteFile(const std::string& path, const std::string& bytes);

}  // namespace art
