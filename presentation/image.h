#pragma once
// Loading the game's pictures (Windows bitmaps, JPEG) into our surfaces, and writing surfaces
// out as PNG (screenshots, the render command, tests) or BMP (synthetic test art).
#include <cstddef>
#include <optional>
#include <string>

#include "presentation/surface.h"

namespace presentation {

// Largest picture we accept, so a damaged header cannot make us hold an absurd bitmap.
inline constexpr int kMaxImageSide = 8192;

// Makes sure SDL_image can decode JPEG. Cheap to call again; LoadImage calls it itself.
bool InitImageLoading();

// Decodes the file at path (BMP or JPEG, by content) into a surface of our pixel format
// (0x00RRGGBB). The path is used as given (callers resolve letter case). Nothing on failure.
std::optional<Surface> LoadImage(const std::string& path);
std::optional<Surface> DecodeImage(const void* data, std::size_t size);

// Encodes the surface; false for an empty surface or when the encoder fails.
bool EncodePng(const Surface& surface, std::string& out);
bool EncodeBmp(const Surface& surface, std::string& out);
// quality 1..100.
bool EncodeJpg(const Surface& surface, std::string& out, int quality = 90);

// Writes the surface as a PNG file (atomically: a failed write leaves the old file alone).
bool SavePng(const Surface& surface, const std::string& path);
bool SaveBmp(const Surface& surface, const std::string& path);
bool SaveJpg(const Surface& surface, const std::string& path, int quality = 90);

}  // namespace presentation
