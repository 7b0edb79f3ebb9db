// Generates every picture the game and the editor load, into the program folder given on the
// command line. Deterministic: the same sources always give the same files.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/assetgen/images/board_art.h"
#include "tools/assetgen/images/contact.h"
#include "tools/assetgen/images/image_io.h"
#include "tools/assetgen/images/outputs.h"
#include "tools/assetgen/images/screen_art.h"
#include "tools/assetgen/images/text.h"

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

  art::TextRenderer text;
  if (!text.ok()) {
    std::fprintf(stderr, "assetgen_images: no usable font (Open Sans Bold or DejaVu Sans Bold)\n");
    return 1;
  }
  art::OutputSet out;
  std::vector<std::string> errors;
  art::MakeBoardArt(out);
  art::MakeIcons(out);
  art::MakeScreenArt(out, text, errors);

  int failures = 0;
  for (const auto& e : errors) {
    std::fprintf(stderr, "assetgen_images: %s\n", e.c_str());
    ++failures;
  }
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
