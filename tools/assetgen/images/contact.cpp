#include "tools/assetgen/images/contact.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/images/board_art.h"

namespace art {

namespace {

std::uint8_t Byte(float v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255)); }
float Float(std::uint8_t v) { return static_cast<float>(v) / 255.0f; }

void CopyRect(Image& dst, int x, int y, const Image& src) { dst.Paste(src, x, y); }

}  // namespace

void DrawMasked(Image& dst, int x, int y, const Image& sprite, const Image& mask) {
  for (int yy = 0; yy < sprite.height(); ++yy)
    for (int xx = 0; xx < sprite.width(); ++xx) {
      const int dx = x + xx, dy = y + yy;
      if (dx < 0 || dy < 0 || dx >= dst.width() || dy >= dst.height()) continue;
      Rgba& d = dst.at(dx, dy);
      const Rgba& m = mask.at(xx, yy);
      const Rgba& s = sprite.at(xx, yy);
      d.r = Float(static_cast<std::uint8_t>((Byte(d.r) & Byte(m.r)) | Byte(s.r)));
      d.g = Float(static_cast<std::uint8_t>((Byte(d.g) & Byte(m.g)) | Byte(s.g)));
      d.b = Float(static_cast<std::uint8_t>((Byte(d.b) & Byte(m.b)) | Byte(s.b)));
    }
}

void DrawTrapdoorBlend(Image& dst, int x, int y, const Image& block) {
  for (int yy = 0; yy < block.height(); ++yy)
    for (int xx = 0; xx < block.width(); ++xx) {
      const Rgb8 s = ToRgb8(block.at(xx, yy));
      if (s.r == 0 && s.g == 0 && s.b == 0) continue;
      const int dx = x + xx, dy = y + yy;
      if (dx < 0 || dy < 0 || dx >= dst.width() || dy >= dst.height()) continue;
      dst.at(dx, dy) = Mix(dst.at(dx, dy), block.at(xx, yy), 110.0f / 255.0f);
    }
}

Image SampleBoard(const OutputSet& out, int scenery, bool colourBlind) {
  // A small level with every kind of cell: walls, cracked walls, a crusher, a trapdoor, cubes
  // with and without arrows, spheres and cubes standing on spheres.
  static const char* const kRows[15] = {
      "XXXXXXXXXXXXXXX", "X.............X", "X.R..b...x....X", "X...XX....C...X",
      "X.B.......T...X", "X......L.......X", "X..g....w..H..X", "X...x.........X",
      "X.1.2.3.4.5.6.X", "X.............X", "X..G.r...V....X", "X.....XXX.....X",
      "X.o..........X", "X....l....h...X", "XXXXXXXXXXXXXXX"};
  const std::string s = std::to_string(scenery);
  Image board = out.Get("data/backgrounds/bg" + s + ".jpg");
  const Image& block = out.Get("data/sprites/blocks/block" + s + ".bmp");
  const Image& cracked = out.Get("data/sprites/blocks/block" + s + "chapped.bmp");
  const Image& crush = out.Get("data/sprites/blocks/crushblock.bmp");
  const Image& blockMask = out.Get("data/sprites/blocks/blockmask.bmp");
  const Image& cubeMask = out.Get("data/sprites/cubes/cubemask.bmp");
  const std::string cb = colourBlind ? "colorblind" : "";
  const Image& sphereMask = out.Get("data/sprites/spheres/spheremask" + cb + ".bmp");
  auto cube = [&](int c, const std::string& arrow) -> const Image& {
    const std::string suffix = arrow.empty() ? cb : arrow;
    return out.Get("data/sprites/cubes/" + std::string(kColourNames[c]) + "cube" + suffix + ".bmp");
  };
  auto sphere = [&](int c) -> const Image& {
    return out.Get("data/sprites/spheres/" + std::string(kColourNames[c]) + "sphere" + cb + ".bmp");
  };
  const std::string cubeChars = "RBGVLH", sphereChars = "rbgvlh";
  const char* const arrows[6] = {"left", "top", "right", "bottom", "", ""};
  for (int y = 0; y < 15; ++y) {
    const std::string row = kRows[y];
    for (int x = 0; x < 15 && x < static_cast<int>(row.size()); ++x) {
      const char ch = row[static_cast<std::size_t>(x)];
      const int px = x * kCell, py = y * kCell;
      if (ch == 'X') DrawMasked(board, px, py, block, blockMask);
      if (ch == 'x') DrawMasked(board, px, py, cracked, blockMask);
      if (ch == 'C') DrawMasked(board, px, py, crush, blockMask);
      if (ch == 'T') DrawTrapdoorBlend(board, px, py, block);
      if (auto i = cubeChars.find(ch); i != std::string::npos)
        DrawMasked(board, px, py, cube(static_cast<int>(i), i < 4 ? arrows[i] : ""), cubeMask);
      if (auto i = sphereChars.find(ch); i != std::string::npos)
        DrawMasked(board, px, py, sphere(static_cast<int>(i)), sphereMask);
      if (ch >= '1' && ch <= '6') {  // cube on a sphere: cube first, the sphere on top
        const int c = ch - '1';
        DrawMasked(board, px, py, cube(c, ""), cubeMask);
        DrawMasked(board, px, py, sphere((c + (x % 2)) % 6), sphereMask);
      }
    }
  }
  return board;
}

std::vector<Sheet> ContactSheets(const OutputSet& out) {
  std::vector<Sheet> sheets;
  // Sprites, four times their size, on a mid grey so black transparency shows as black.
  {
    const int f = 4, step = kCell * f + 8;
    std::vector<const OutputFile*> sprites;
    for (const auto& file : out.files())
      if (file.image.width() == kCell && file.image.height() == kCell) sprites.push_back(&file);
    const int cols = 10;
    const int rows = static_cast<int>((sprites.size() + cols - 1) / cols);
    Image img(cols * step + 8, rows * step + 8, Hex(0x777777));
    for (std::size_t i = 0; i < sprites.size(); ++i)
      img.PasteScaled(sprites[i]->image, 8 + static_cast<int>(i % cols) * step,
                      8 + static_cast<int>(i / cols) * step, f);
    sheets.push_back({"sprites", img});
  }
  for (int s = 0; s < 7; ++s) {
    Image img(465 * 2, 465);
    img.Paste(SampleBoard(out, s, false), 0, 0);
    img.Paste(SampleBoard(out, s, true), 465, 0);
    sheets.push_back({"board" + std::to_string(s), img});
  }
  // Everything else at its own size, packed in rows.
  {
    const int width = 1300;
    int x = 8, y = 8, rowH = 0;
    std::vector<std::pair<const OutputFile*, Pt>> placed;
    for (const auto& file : out.files()) {
      const Image& im = file.image;
      if (im.width() == kCell || file.path.find("backgrounds") != std::string::npos ||
          file.path.find("icons/") != std::string::npos)
        continue;
      if (x + im.width() > width) {
        x = 8;
        y += rowH + 8;
        rowH = 0;
      }
      placed.push_back({&file, Pt{static_cast<float>(x), static_cast<float>(y)}});
      x += im.width() + 8;
      rowH = std::max(rowH, im.height());
    }
    Image img(width, y + rowH + 8, Hex(0xFF00FF));
    for (auto& [file, p] : placed) CopyRect(img, static_cast<int>(p.x), static_cast<int>(p.y), file->image);
    if (!placed.empty()) sheets.push_back({"screens", img});
  }
  return sheets;
}

}  // namespace art
