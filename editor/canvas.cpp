#include "editor/canvas.h"

#include <QPainter>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <array>

#include "editor/editor_ui.h"
#include "editor/functions.h"
#include "platform/paths.h"

namespace mapwright {

namespace {

struct SpriteFile {
  char cell;
  const char* base;  // below appFolder, without ending
};

constexpr std::array<SpriteFile, 6> kCubes{{{'L', "data/sprites/cubes/blackcube"},
                                            {'B', "data/sprites/cubes/bluecube"},
                                            {'W', "data/sprites/cubes/violetcube"},
                                            {'G', "data/sprites/cubes/greencube"},
                                            {'R', "data/sprites/cubes/redcube"},
                                            {'H', "data/sprites/cubes/orangecube"}}};
constexpr std::array<SpriteFile, 6> kSpheres{{{'l', "data/sprites/spheres/blacksphere"},
                                              {'b', "data/sprites/spheres/bluesphere"},
                                              {'w', "data/sprites/spheres/violetsphere"},
                                              {'g', "data/sprites/spheres/greensphere"},
                                              {'r', "data/sprites/spheres/redsphere"},
                                              {'h', "data/sprites/spheres/orangesphere"}}};
constexpr std::array<SpriteFile, 4> kBlocks{{{'X', "data/sprites/blocks/block0.bmp"},
                                             {'x', "data/sprites/blocks/block0chapped.bmp"},
                                             {'C', "data/sprites/blocks/crushblock.bmp"},
                                             {'T', "data/tools/trapblock.bmp"}}};

// Clips a w x h rectangle at (x, y) of dst and (sx, sy) of src to both images.
bool Clip(const QImage& dst, int& x, int& y, const QImage& src, int& sx, int& sy, int& w,
          int& h) {
  if (x < 0) { sx -= x; w += x; x = 0; }
  if (y < 0) { sy -= y; h += y; y = 0; }
  if (sx < 0) { x -= sx; w += sx; sx = 0; }
  if (sy < 0) { y -= sy; h += sy; sy = 0; }
  w = std::min({w, dst.width() - x, src.width() - sx});
  h = std::min({h, dst.height() - y, src.height() - sy});
  return w > 0 && h > 0;
}

enum class Op { Copy, And, Or };

void Blit(QImage& dst, int x, int y, const QImage& src, int sx, int sy, int w, int h, Op op) {
  if (dst.isNull() || src.isNull() || !Clip(dst, x, y, src, sx, sy, w, h)) return;
  for (int j = 0; j < h; ++j) {
    auto* d = reinterpret_cast<QRgb*>(dst.scanLine(y + j)) + x;
    const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(sy + j)) + sx;
    for (int i = 0; i < w; ++i) {
      // The top byte stays opaque in every mode, as on the screen.
      switch (op) {
        case Op::Copy: d[i] = s[i] | 0xFF000000u; break;
        case Op::And: d[i] = (d[i] & s[i]) | 0xFF000000u; break;
        case Op::Or: d[i] = d[i] | s[i] | 0xFF000000u; break;
      }
    }
  }
}

}  // namespace

bool IsCubeChar(char c) {
  return c == 'L' || c == 'B' || c == 'W' || c == 'G' || c == 'R' || c == 'H';
}
bool IsSphereChar(char c) {
  return c == 'l' || c == 'b' || c == 'w' || c == 'g' || c == 'r' || c == 'h';
}

int Canvas::CellFromPixel(int p) {
  if (p < CellOrigin(0) || p > CellOrigin(kGridSize - 1) + kCellSize - 1) return -1;
  const int i = (p - 1) / kPitch;
  return p <= CellOrigin(i) + kCellSize - 1 ? i : -1;
}

std::uint32_t Canvas::BlendPixel(std::uint32_t destination, std::uint32_t source, int alpha) {
  if (alpha <= 0) return destination;
  if (alpha >= 255) return source;
  const auto a = static_cast<std::uint32_t>(alpha);
  auto mix = [&](int shift) {
    const std::uint32_t s = (source >> shift) & 0xFFu;
    const std::uint32_t d = (destination >> shift) & 0xFFu;
    return s * a + d * (255u - a);
  };
  // The lowest channel is rounded to nearest; the two upper ones are computed on their bit
  // fields and cut to the field, which drops their fraction.
  const std::uint32_t low = (mix(0) + 127u) / 255u;
  const std::uint32_t mid = mix(8) / 255u;
  const std::uint32_t high = mix(16) / 255u;
  return (destination & 0xFF000000u) | (high << 16) | (mid << 8) | low;
}

void Canvas::AlphaBlendRect(QImage& destination, int x, int y, int width, int height,
                            const QImage& source, int sourceX, int sourceY, int alpha) {
  if (alpha == 0 || width == 0 || height == 0) return;
  if (destination.isNull() || source.isNull()) return;
  if (!Clip(destination, x, y, source, sourceX, sourceY, width, height)) return;
  for (int j = 0; j < height; ++j) {
    auto* d = reinterpret_cast<QRgb*>(destination.scanLine(y + j)) + x;
    const auto* s = reinterpret_cast<const QRgb*>(source.constScanLine(sourceY + j)) + sourceX;
    for (int i = 0; i < width; ++i) d[i] = BlendPixel(d[i], s[i], alpha);
  }
}

std::string Canvas::SpriteFileName(const std::string& base, bool blindMode) {
  return base + (blindMode ? "colorblind.bmp" : ".bmp");
}

void Canvas::CreateBackBuffer() {
  backBuffer_ = QImage(kArea, kArea, QImage::Format_RGB32);
  backBuffer_.fill(qRgb(0, 0, 0));
}

QImage Canvas::LoadGraphicFile(const std::string& path, bool& missing) {
  if (!FileFound(path)) {
    missing = true;
    return {};
  }
  QImage image;
  // A damaged picture leaves its surface empty; the editor goes on without it.
  if (!image.load(QString::fromStdString(platform::ResolvePath(path)))) return {};
  return image.convertToFormat(QImage::Format_RGB32);
}

std::string Canvas::LoadGraphics(const std::string& appFolder, bool blindMode, EditorUi* ui) {
  ReleaseGraphics();
  bool missing = false;
  std::string failed;
  auto load = [&](const std::string& relative) -> QImage {
    if (missing) return {};
    const std::string path = appFolder + relative;
    QImage image = LoadGraphicFile(path, missing);
    if (missing) failed = path;
    return image;
  };
  auto pump = [&] {
    if (ui != nullptr) ui->PumpPendingInput();
  };

  if (ui != nullptr) ui->SetBusyPointer(true);
  background_ = load("data/backgrounds/bg0.jpg");
  pump();
  for (const auto& f : kCubes) sprites_[f.cell] = load(SpriteFileName(f.base, blindMode));
  pump();
  for (const auto& f : kSpheres) sprites_[f.cell] = load(SpriteFileName(f.base, blindMode));
  pump();
  sphereMask_ = load(SpriteFileName("data/sprites/spheres/spheremask", blindMode));
  cubeMask_ = load("data/sprites/cubes/cubemask.bmp");
  blockMask_ = load("data/sprites/blocks/blockmask.bmp");
  pump();
  for (const auto& f : kBlocks) sprites_[f.cell] = load(f.base);
  pump();
  if (!missing) {
    static constexpr std::array<const char*, 4> kArrowEndings{"left", "right", "top", "bottom"};
    for (const auto& f : kCubes)
      for (int arrow = 1; arrow <= 4; ++arrow) {
        const std::string path = appFolder + f.base + kArrowEndings[static_cast<std::size_t>(arrow - 1)] + ".bmp";
        bool absent = false;
        QImage image = LoadGraphicFile(path, absent);
        if (!image.isNull()) arrowSprites_[{f.cell, arrow}] = std::move(image);
      }
  }
  if (ui != nullptr) ui->SetBusyPointer(false);
  return failed;
}

void Canvas::ReleaseGraphics() {
  background_ = QImage();
  sphereMask_ = QImage();
  cubeMask_ = QImage();
  blockMask_ = QImage();
  sprites_.clear();
  arrowSprites_.clear();
}

void Canvas::DrawGrid() {
  if (backBuffer_.isNull()) return;
  for (int line = 0; line <= kGridSize; ++line) {
    const int at = line * kPitch;
    for (int p = 0; p < kArea; ++p) {
      backBuffer_.setPixel(at, p, kGridColour);
      backBuffer_.setPixel(p, at, kGridColour);
    }
  }
}

void Canvas::DrawTile(int col, int row) {
  Blit(backBuffer_, CellOrigin(col), CellOrigin(row), background_, col * kCellSize,
       row * kCellSize, kCellSize, kCellSize, Op::Copy);
}

void Canvas::DrawBackground() {
  for (int row = 0; row < kGridSize; ++row)
    for (int col = 0; col < kGridSize; ++col) DrawTile(col, row);
}

const QImage* Canvas::Sprite(char cell) const {
  auto it = sprites_.find(cell);
  return it == sprites_.end() ? nullptr : &it->second;
}

const QImage* Canvas::MaskFor(char cell) const {
  if (IsCubeChar(cell)) return &cubeMask_;
  if (IsSphereChar(cell)) return &sphereMask_;
  if (cell == 'X' || cell == 'x' || cell == 'C') return &blockMask_;
  return nullptr;
}

void Canvas::DrawMaskedSprite(const QImage& sprite, const QImage& mask, int col, int row) {
  DrawTile(col, row);
  const int x = CellOrigin(col);
  const int y = CellOrigin(row);
  Blit(backBuffer_, x, y, mask, 0, 0, kCellSize, kCellSize, Op::And);
  Blit(backBuffer_, x, y, sprite, 0, 0, kCellSize, kCellSize, Op::Or);
}

void Canvas::DrawBlendedSprite(const QImage& sprite, int col, int row) {
  DrawTile(col, row);
  AlphaBlendRect(backBuffer_, CellOrigin(col), CellOrigin(row), kCellSize, kCellSize, sprite, 0,
                 0, kTrapdoorAlpha);
}

void Canvas::DrawCell(int col, int row, char cell) {
  if (cell == 'T') {
    if (const QImage* s = Sprite(cell)) DrawBlendedSprite(*s, col, row);
    return;
  }
  const QImage* mask = MaskFor(cell);
  const QImage* sprite = Sprite(cell);
  if (mask != nullptr && sprite != nullptr) DrawMaskedSprite(*sprite, *mask, col, row);
}

void Canvas::DrawLevel(const LevelGrid& level) {
  DrawBackground();
  for (int row = 0; row < kGridSize; ++row)
    for (int col = 0; col < kGridSize; ++col) DrawCell(col, row, level[CellIndex(col, row)]);
}

void Canvas::DrawPlayCell(int col, int row, char ground, char cube, int arrow) {
  if (ground == kEmptyCell || Sprite(ground) == nullptr)
    DrawTile(col, row);
  else
    DrawCell(col, row, ground);
  if (cube == '\0') return;
  const QImage* sprite = Sprite(cube);
  auto it = arrowSprites_.find({cube, arrow});
  const bool drawn = it != arrowSprites_.end();
  if (drawn) sprite = &it->second;
  if (sprite == nullptr) return;
  const int x = CellOrigin(col);
  const int y = CellOrigin(row);
  // Over the ground, not over a fresh tile: a cube on a sphere keeps the sphere's rim.
  Blit(backBuffer_, x, y, cubeMask_, 0, 0, kCellSize, kCellSize, Op::And);
  Blit(backBuffer_, x, y, *sprite, 0, 0, kCellSize, kCellSize, Op::Or);
  if (drawn || arrow < 1 || arrow > 4) return;
  // A white arrow with a dark rim pointing the way the cube goes.
  QPainter p(&backBuffer_);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(x + kCellSize / 2.0, y + kCellSize / 2.0);
  static constexpr std::array<int, 4> kAngles{180, 0, 270, 90};  // left, right, up, down
  p.rotate(kAngles[static_cast<std::size_t>(arrow - 1)]);
  const QPolygonF head({QPointF(9, 0), QPointF(-3, -8), QPointF(-3, -3), QPointF(-9, -3),
                        QPointF(-9, 3), QPointF(-3, 3), QPointF(-3, 8)});
  p.setPen(QPen(QColor(20, 30, 45), 1.5));
  p.setBrush(QColor(250, 250, 245));
  p.drawPolygon(head);
}

void Canvas::DrawCellFrame(int col, int row, QRgb colour) {
  if (backBuffer_.isNull() || col < 0 || row < 0 || col >= kGridSize || row >= kGridSize) return;
  const int x = CellOrigin(col);
  const int y = CellOrigin(row);
  for (int p = -1; p <= kCellSize; ++p) {
    backBuffer_.setPixel(x + p, y - 1, colour);
    backBuffer_.setPixel(x + p, y + kCellSize, colour);
    backBuffer_.setPixel(x - 1, y + p, colour);
    backBuffer_.setPixel(x + kCellSize, y + p, colour);
  }
}

void Canvas::ClearHoverFrame() {
  if (hoverCell_.none()) return;
  DrawCellFrame(hoverCell_.col, hoverCell_.row, kGridColour);
  hoverCell_ = CellPos{};
}

}  // namespace mapwright
