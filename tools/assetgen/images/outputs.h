#pragma once
// The set of pictures one run produces, keyed by their path below the program folder, so later
// pictures (the how-to-play page, the icons) can reuse earlier ones and everything is written in
// one place at the end.
#include <string>
#include <vector>

#include "tools/assetgen/images/raster.h"

namespace art {

enum class FileKind { Bmp, Jpg, Png, PngAlpha };

struct OutputFile {
  std::string path;  // relative, with '/' separators, e.g. "data/sprites/cubes/redcube.bmp"
  Image image;
  FileKind kind;
};

class OutputSet {
 public:
  void Add(const std::string& path, Image image, FileKind kind = FileKind::Bmp);
  // The picture stored under path; aborts the run when it is missing (a generator bug).
  const Image& Get(const std::string& path) const;
  const std::vector<OutputFile>& files() const { return files_; }

 private:
  std::vector<OutputFile> files_;
};

// The board's colour names in the order of their codes 1 .. 6.
inline const char* const kColourNames[6] = {"red", "blue", "green", "violet", "black", "orange"};

}  // namespace art
