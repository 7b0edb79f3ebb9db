#include "tools/assetgen/images/outputs.h"

#include <cstdio>
#include <cstdlib>

namespace art {

void OutputSet::Add(const std::string& path, Image image, FileKind kind) {
  for (auto& f : files_) {
    if (f.path == path) {
      f.image = std::move(image);
      f.kind = kind;
      return;
    }
  }
  files_.push_back(OutputFile{path, std::move(image), kind});
}

const Image& OutputSet::Get(const std::string& path) const {
  for (const auto& f : files_)
    if (f.path == path) return f.image;
  std::fprintf(stderr, "assetgen_images: internal error, %s was not generated\n", path.c_str());
  std::abort();
}

}  // namespace art
