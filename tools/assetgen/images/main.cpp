// Generates every picture the game and the editor load, into the program folder given on the
// command line. Deterministic: the same sources always give the same files.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tools/assetgen/images/board_art.h"
#include "tools/assetgen/images/contact.h"
#include "tools/assetgen/images/image_io.h"
#include "tools/assetgen/images/outputs.h"

namespace {

std::string Encode(const art::OutputFile& f) {
  switch (f.kind) {
    case art::FileKind::Bmp: return art::EncodeBmp(f.image);
    case art::FileKind::Jpg: return art::EncodeJpg(f.image, 93);
    case art::FileKind::Png: return art::EncodePng(f.image, false);
    case art::FileKind::PngAlpha: return art::EncodePng(f.image, true);
  }
  return {};
}

int Usage() {
  std::fprintf(stderr, "usage: assetgen_images --out <program folder> [--contact <folder>]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir, contactDir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      outDir = argv[++i];
    } else if (std::strcmp(argv[i], "--contact") == 0 && i + 1 < argc) {
      contactDir = argv[++i];
    } else {
      return Usage();
    }
  }
  if (outDir.empty()) return Usage();
  IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);

  art::OutputSet out;
  art::MakeBoardArt(out);

  int failures = 0;
  for (const auto& f : out.files()) {
    const std::string path = outDir + "/" + f.path;
    if (!art::WriteFile(path, Encode(f))) {
      std::fprintf(stderr, "assetgen_images: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  if (!contactDir.empty()) {
    for (const auto& sheet : art::ContactSheets(out)) {
      const std::string path = contactDir + "/contact_" + sheet.name + ".png";
      if (!art::WriteFile(path, art::EncodePng(sheet.image, false))) ++failures;
    }
  }
  IMG_Quit();
  return failures == 0 ? 0 : 1;
}
