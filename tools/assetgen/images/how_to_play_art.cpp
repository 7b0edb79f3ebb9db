#include "tools/assetgen/images/how_to_play_art.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetgen/images/board_art.h"
#include "tools/assetgen/images/contact.h"

namespace art {

namespace {

const Rect kHowOkButton = Span(238, 399, 269, 424);  // hot: x 237 .. 270, y 398 .. 429

struct Board {
  const OutputSet& out;
  const Image& floor;
  void Floor(Image& img, int x, int y, int cellX, int cellY) const {
    img.Paste(floor.Crop(cellX * kCell, cellY * kCell, kCell, kCell), x, y);
  }
  void Sprite(Image& img, int x, int y, const std::string& path, const std::string& maskPath) const {
    DrawMasked(img, x, y, out.Get(path), out.Get(maskPath));
  }
  void Cube(Image& img, int x, int y, int colour, const std::string& arrow) const {
    Sprite(img, x, y, "data/sprites/cubes/" + std::string(kColourNames[colour]) + "cube" + arrow + ".bmp",
           "data/sprites/cubes/cubemask.bmp");
  }
  void Sphere(Image& img, int x, int y, int colour) const {
    Sprite(img, x, y, "data/sprites/spheres/" + std::string(kColourNames[colour]) + "sphere.bmp",
           "data/sprites/spheres/spheremask.bmp");
  }
  void Block(Image& img, int x, int y, const std::string& name) const {
    Sprite(img, x, y, "data/sprites/blocks/" + name + ".bmp", "data/sprites/blocks/blockmask.bmp");
  }
};

void Card(Image& img, TextRenderer& tr, const Rect& r, const std::string& heading) {
  FrostPanel(img, r, 9, 0.9f);
  TextStyle h = LabelStyle();
  h.fill = Linear({0, static_cast<float>(r.y)}, {0, static_cast<float>(r.y) + 24}, {{0, Hex(0xFFFFFF)}, {1, ui::kIce}});
  DrawLabel(img, tr, heading, 14, static_cast<float>(r.x) + 12, static_cast<float>(r.y) + 15, Align::Left, h);
}

void Framed(Image& img, int x, int y, int w, int h) {
  FillShape(img, Ring(RoundRect(static_cast<float>(x) - 1.5f, static_cast<float>(y) - 1.5f, static_cast<float>(x + w) + 1.5f,
                                static_cast<float>(y + h) + 1.5f, 2), 0.6f),
            WithAlpha(ui::kFrost, 0.7f));
}

void SmallArrow(Image& img, Pt a, Pt b, Rgba colour) {
  const float dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
  const Pt d{dx / len, dy / len}, n{-d.y, d.x};
  const Sdf shaft = Capsule(a, {b.x - d.x * 5, b.y - d.y * 5}, 1.3f);
  const Sdf head = Polygon({b, {b.x - d.x * 7 + n.x * 5, b.y - d.y * 7 + n.y * 5}, {b.x - d.x * 7 - n.x * 5, b.y - d.y * 7 - n.y * 5}});
  FillShape(img, Grow(Union(shaft, head), 1.0f), WithAlpha(ui::kInk, 0.9f));
  FillShape(img, Union(shaft, head), colour);
}

void KeyCap(Image& img, TextRenderer& tr, const Rect& r, const std::string& key, int size) {
  const float x0 = static_cast<float>(r.x), y0 = static_cast<float>(r.y);
  const float x1 = static_cast<float>(r.x1()), y1 = static_cast<float>(r.y1());
  FillShape(img, RoundRect(x0, y0 + 2, x1, y1 + 2, 5), WithAlpha(Hex(0x02080E), 0.6f));
  FillShape(img, RoundRect(x0, y0, x1, y1, 5), Hex(0x8FB1C9));
  FillShape(img, RoundRect(x0 + 2, y0 + 1, x1 - 2, y1 - 4, 4), Linear({0, y0}, {0, y1}, {{0, Hex(0xFFFFFF)}, {1, Hex(0xD3E8F5)}}));
  DrawLabel(img, tr, key, size, (x0 + x1) / 2, (y0 + y1 - 3) / 2, Align::Center, DarkStyle(ui::kNight));
}


// The keyboard's selection frame around the cell at (x, y): ice-cyan rings between dark ones,
// white corner brackets and a wedge on each side the cube could go (here left and right).
void SelectionFrame(Image& img, int x, int y) {
  auto put = [&](int px, int py, Rgba c) {
    if (px >= 0 && py >= 0 && px < img.width() && py < img.height()) img.at(px, py) = c;
  };
  auto ring = [&](int d, Rgba c) {
    for (int i = -d; i <= kCell - 1 + d; ++i) {
      put(x + i, y - d, c);
      put(x + i, y + kCell - 1 + d, c);
      put(x - d, y + i, c);
      put(x + kCell - 1 + d, y + i, c);
    }
  };
  ring(3, ui::kNight);
  ring(2, ui::kIce);
  ring(1, ui::kIce);
  ring(0, ui::kNight);
  const int last = kCell - 1;
  for (int i = -2; i <= 5; ++i)
    for (int w = 1; w <= 2; ++w) {
      for (const auto& [cx, cy, sx, sy] : {std::array{0, 0, 1, 1}, std::array{last, 0, -1, 1},
                                           std::array{0, last, 1, -1}, std::array{last, last, -1, -1}}) {
        put(x + cx + sx * i, y + cy - sy * w, Hex(0xFFFFFF));
        put(x + cx - sx * w, y + cy + sy * i, Hex(0xFFFFFF));
      }
    }
  for (const int side : {-1, 1}) {
    const int edge = side < 0 ? x : x + last;
    for (int t = 0; t <= 8; ++t)
      for (int s = -7 * (8 - t) / 8; s <= 7 * (8 - t) / 8; ++s) put(edge + side * (4 + t), y + 15 + s, ui::kNight);
    for (int t = 0; t <= 6; ++t)
      for (int s = -5 * (6 - t) / 6; s <= 5 * (6 - t) / 6; ++s) put(edge + side * (5 + t), y + 15 + s, ui::kIce);
  }
}

}  // namespace

Image HowToPlayPage(TextRenderer& tr, const OutputSet& out, bool okHot) {
  Image img(503, 431);
  WindowFrame(img, "How to play", 30, tr);
  const Board board{out, out.Get("data/backgrounds/bg1.jpg")};
  TextStyle body = LabelStyle();
  body.shadowDy = 1;
  body.shadowBlur = 1;
  TextStyle note = body;
  note.fill = Solid(ui::kFrost);

  // 1: pointing and sliding.
  const Rect c1{10, 38, 237, 130};
  Card(img, tr, c1, "Slide the cubes");
  {
    const int x = c1.x + 22, y = c1.y + 34;
    for (int i = 0; i < 6; ++i) board.Floor(img, x + i * kCell, y, 3 + i, 4);
    board.Cube(img, x, y, 1, "right");
    for (int i = 1; i <= 3; ++i) {  // the glide, fading in
      Image ghost = img.Crop(x + i * kCell, y, kCell, kCell);
      board.Cube(ghost, 0, 0, 1, "");
      img.Draw(ghost, x + i * kCell, y, 0.18f * static_cast<float>(i));
    }
    board.Cube(img, x + 4 * kCell, y, 1, "");
    board.Block(img, x + 5 * kCell, y, "block1");
    Framed(img, x, y, 6 * kCell, kCell);
    img.Draw(out.Get("data/sprites/gui/cursor.png"), x + 25, y + 8);
    Paragraph(img, tr, "Point at a cube: arrows show where it can go. Click and it slides until something stops it.", 12,
              static_cast<float>(c1.x) + 14, static_cast<float>(y + kCell) + 12, 210, 16, body);
  }
  // 2: matching the colours.
  const Rect c2{256, 38, 237, 130};
  Card(img, tr, c2, "Match the colours");
  {
    const int x = c2.x + 22, y = c2.y + 34;
    for (int i = 0; i < 4; ++i) board.Floor(img, x + i * kCell, y, 6 + i, 8);
    board.Cube(img, x, y, 0, "right");
    board.Sphere(img, x + 3 * kCell, y, 0);
    Framed(img, x, y, 4 * kCell, kCell);
    SmallArrow(img, {static_cast<float>(x + 4 * kCell) + 8, static_cast<float>(y) + 15.5f},
               {static_cast<float>(x + 4 * kCell) + 30, static_cast<float>(y) + 15.5f}, Hex(0xFFFFFF));
    const int rx = x + 4 * kCell + 38;
    board.Floor(img, rx, y, 9, 8);
    board.Cube(img, rx, y, 0, "");
    board.Sphere(img, rx, y, 0);
    Framed(img, rx, y, kCell, kCell);
    DrawTick(img, static_cast<float>(rx + kCell) + 4, static_cast<float>(y) + 12, Hex(0x8ED88F));
    Paragraph(img, tr, "Cover every sphere with a cube of its own colour. When all are covered, the level is solved.", 12,
              static_cast<float>(c2.x) + 14, static_cast<float>(y + kCell) + 12, 210, 16, body);
  }
  // 3: the special blocks.
  const Rect c3{10, 174, 237, 216};
  Card(img, tr, c3, "Mind the blocks");
  {
    const int x = c3.x + 14;
    int y = c3.y + 30;
    board.Floor(img, x, y, 2, 2);
    board.Block(img, x, y, "block1chapped");
    Framed(img, x, y, kCell, kCell);
    Paragraph(img, tr, "Cracked blocks break when a cube runs into them.", 11, static_cast<float>(x + kCell) + 10,
              static_cast<float>(y) - 1, 168, 15, body);
    y += 44;
    board.Floor(img, x, y, 2, 3);
    board.Block(img, x, y, "crushblock");
    Framed(img, x, y, kCell, kCell);
    Paragraph(img, tr, "Crush blocks destroy every cube that slides onto them.", 11, static_cast<float>(x + kCell) + 10,
              static_cast<float>(y) - 1, 168, 15, body);
    y += 44;
    board.Floor(img, x, y, 2, 4);
    DrawTrapdoorBlend(img, x, y, out.Get("data/sprites/blocks/block1.bmp"));
    Framed(img, x, y, kCell, kCell);
    SmallArrow(img, {static_cast<float>(x + kCell) + 3, static_cast<float>(y) + 15.5f},
               {static_cast<float>(x + kCell) + 15, static_cast<float>(y) + 15.5f}, Hex(0xFFFFFF));
    board.Floor(img, x + kCell + 19, y, 3, 4);
    board.Block(img, x + kCell + 19, y, "block1");
    Framed(img, x + kCell + 19, y, kCell, kCell);
    Paragraph(img, tr, "A trapdoor lets one cube across, then closes.", 11, static_cast<float>(x + 2 * kCell) + 28,
              static_cast<float>(y) - 1, 124, 15, body);
    Paragraph(img, tr, "A move that makes the level unwinnable is offered for undo at once.", 10,
              static_cast<float>(c3.x) + 14, static_cast<float>(c3.y) + 168, 212, 13, note);
  }
  // 4: the keys.
  const Rect c4{256, 174, 237, 216};
  Card(img, tr, c4, "Keys");
  {
    // The keyboard's selection frame, as the game draws it, on a cube that can go left or right.
    // The neighbours show as far as the wedges reach into them.
    constexpr int kPeek = 12;
    const int x = c4.x + 14 + kPeek, y = c4.y + 38;
    img.Paste(board.floor.Crop(8 * kCell - kPeek, 5 * kCell, kPeek, kCell), x - kPeek, y);
    board.Floor(img, x, y, 8, 5);
    img.Paste(board.floor.Crop(9 * kCell, 5 * kCell, kPeek, kCell), x + kCell, y);
    board.Cube(img, x, y, 3, "left");
    SelectionFrame(img, x, y);
    Paragraph(img, tr, "Arrow keys pick a cube. Space or Enter, then an arrow, pushes it; so does Shift and an arrow.", 11,
              static_cast<float>(x + kCell + kPeek) + 8, static_cast<float>(c4.y) + 29, 150, 14, body);
    struct Entry {
      std::vector<std::string> caps;
      const char* text;
      int column;  // 0 left, 1 right
    } const entries[] = {
        {{"U"}, "undo", 0},          {{"R"}, "restart", 1},
        {{"S"}, "next level", 0},    {{"L"}, "select level", 1},
        {{"O"}, "options", 0},       {{"H"}, "a hint", 1},
        {{"Esc"}, "frame off, then the menu", 0},
        {{"Tab"}, "menu: Up, Down, Enter", 0},
        {{"F1"}, "this page", 0},
        {{"Ctrl", "+", "-"}, "window size", 0},
    };
    int row = 0;
    for (const Entry& e : entries) {
      // A right-hand entry shares the row of the entry before it.
      if (e.column == 0 && &e != &entries[0]) ++row;
      const int ry = c4.y + 94 + row * 16;
      int cx = c4.x + 14 + e.column * 104;
      for (const std::string& cap : e.caps) {
        const int w = cap.size() == 1 ? 15 : 10 + 6 * static_cast<int>(cap.size());
        KeyCap(img, tr, Rect{cx, ry, w, 15}, cap, 9);
        cx += w + 3;
      }
      DrawLabel(img, tr, e.text, 11, static_cast<float>(cx) + 3, static_cast<float>(ry) + 7, Align::Left, note);
    }
  }
  DrawButton(img, tr, kHowOkButton, "OK", 13, okHot ? ButtonState::Hot : ButtonState::Normal, kHowOkHighlight.Inset(1));
  return img;
}

}  // namespace art
