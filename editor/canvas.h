#pragma once
// The drawing of the level canvas: a 481 x 481 back buffer with the grid, the ground tiles cut
// from the first background, the game's sprites drawn through their masks, the faint trapdoor
// marker and the red hover frame.
#include <QImage>
#include <cstdint>
#include <map>
#include <string>

#include "editor/level_grid.h"

namespace mapwright {

class EditorUi;

struct CellPos {
  int col = -1;
  int row = -1;
  bool none() const { return col < 0 || row < 0; }
  bool operator==(const CellPos&) const = default;
};

class Canvas {
 public:
  static constexpr int kCellSize = 31;
  static constexpr int kPitch = 32;
  // The drawing area; the control around it adds a 2-pixel border on each side.
  static constexpr int kArea = 481;
  static constexpr int kBorder = 2;
  static constexpr int kControlSize = kArea + 2 * kBorder;
  static constexpr QRgb kGridColour = qRgb(64, 64, 64);
  static constexpr QRgb kHoverColour = qRgb(255, 0, 0);
  static constexpr int kTrapdoorAlpha = 100;

  static constexpr int CellOrigin(int i) { return i * kPitch + 1; }
  // The column (or row) under pixel p, or -1 on a grid line or outside.
  static int CellFromPixel(int p);
  static std::uint32_t BlendPixel(std::uint32_t destination, std::uint32_t source, int alpha);
  static void AlphaBlendRect(QImage& destination, int x, int y, int width, int height,
                             const QImage& source, int sourceX, int sourceY, int alpha);

  // "base.bmp", or "basecolorblind.bmp" in colour-blind mode.
  static std::string SpriteFileName(const std::string& base, bool blindMode);

  void CreateBackBuffer();
  // Loads the background, sprites and masks below appFolder. Returns "" when every file was
  // found, else the path of the first missing one (nothing after it is loaded).
  std::string LoadGraphics(const std::string& appFolder, bool blindMode, EditorUi* ui);
  void ReleaseGraphics();

  void DrawGrid();
  void DrawBackground();
  void DrawTile(int col, int row);
  void DrawCell(int col, int row, char cell);
  void DrawLevel(const LevelGrid& level);
  void DrawMaskedSprite(const QImage& sprite, const QImage& mask, int col, int row);
  void DrawBlendedSprite(const QImage& sprite, int col, int row);
  // A cell of a level being played: its ground (a sphere, trapdoor or block character, or '.'),
  // and a cube letter on it ('\0' for none) showing arrow 1 .. 4 (left, right, up, down; 0 none).
  void DrawPlayCell(int col, int row, char ground, char cube, int arrow);
  void DrawCellFrame(int col, int row, QRgb colour);
  void ClearHoverFrame();
  void SetHoverCell(CellPos cell) { hoverCell_ = cell; }
  CellPos hoverCell() const { return hoverCell_; }

  const QImage& backBuffer() const { return backBuffer_; }
  // The sprite of a cell character, or null when it has none ('.', unknown characters).
  const QImage* Sprite(char cell) const;
  const QImage& background() const { return background_; }
  const QImage* MaskFor(char cell) const;

 private:
  QImage LoadGraphicFile(const std::string& path, bool& missing);

  QImage backBuffer_;
  QImage background_;
  QImage sphereMask_;
  QImage cubeMask_;
  QImage blockMask_;
  std::map<char, QImage> sprites_;
  // The game's cubes with an arrow, by cube letter and arrow 1 .. 4. They only show a solution
  // being played, so a missing one is drawn as the plain cube with an arrow painted on it.
  std::map<std::pair<char, int>, QImage> arrowSprites_;
  CellPos hoverCell_;
};

bool IsCubeChar(char c);
bool IsSphereChar(char c);

}  // namespace mapwright
