#include "presentation/board_renderer.h"

#include "presentation/image.h"

namespace presentation {

using engine::CellKind;
using engine::kBoardPixels;
using engine::kBoardSize;
using engine::kCellPixels;
using engine::RasterOp;
using engine::SpriteId;

namespace {
constexpr int kTrapdoorAlpha = 110;
constexpr std::uint32_t kTrapdoorKey = Rgb(0, 0, 0);
constexpr int kFadeStepMs = 20;
constexpr int kFadeLastAlpha = 120;
constexpr int kFadeAlphaStep = 15;

int CellOrigin(int n) { return (n - 1) * kCellPixels; }
}  // namespace

BoardRenderer::BoardRenderer(SpriteStore& store, engine::Clock& clock, const bool* fadeEffect,
                             const bool* suppressFade, BoardScreen* screen)
    : store_(store),
      clock_(clock),
      fadeEffect_(fadeEffect),
      suppressFade_(suppressFade),
      screen_(screen),
      cubeBox_(kBoardPixels, kBoardPixels) {}

void BoardRenderer::Show() {
  ++presents_;
  if (screen_) screen_->ShowBoard(cubeBox_);
}

void BoardRenderer::Masked(Surface& dst, int px, int py, SpriteId mask, SpriteId sprite) {
  BitBlt(dst, px, py, kCellPixels, kCellPixels, store_.Get(mask), 0, 0, RasterOp::SrcAnd);
  BitBlt(dst, px, py, kCellPixels, kCellPixels, store_.Get(sprite), 0, 0, RasterOp::SrcPaint);
}

void BoardRenderer::LoadBackground(int scenery) {
  Surface& bg = picbg();
  bg = Surface(kBoardPixels, kBoardPixels);
  // Used at its stored size: a smaller picture leaves black floor, a larger one is cut.
  if (auto picture = store_.LoadPicture("data/backgrounds/bg" + std::to_string(scenery) + ".jpg"))
    BitBlt(bg, 0, 0, kBoardPixels, kBoardPixels, *picture, 0, 0, RasterOp::SrcCopy);
  Surface& buffer = boardBuffer();
  if (buffer.width() != kBoardPixels || buffer.height() != kBoardPixels)
    buffer = Surface(kBoardPixels, kBoardPixels);
  BitBlt(buffer, 0, 0, kBoardPixels, kBoardPixels, bg, 0, 0, RasterOp::SrcCopy);
}

void BoardRenderer::LoadBlockSet(int scenery) { store_.LoadBlockSet(scenery); }

void BoardRenderer::DrawLevel(const engine::Board& board) {
  Surface& buffer = boardBuffer();
  for (int y = 1; y <= kBoardSize; ++y) {
    for (int x = 1; x <= kBoardSize; ++x) {
      const engine::Cell& cell = board.at(x, y);
      const int px = CellOrigin(x), py = CellOrigin(y);
      switch (cell.kind) {
        case CellKind::Cube:
          // A freshly drawn level shows no arrows, whatever the cell says.
          Masked(buffer, px, py, engine::CubeMask, engine::CubeSprite(0, cell.cubeColor));
          break;
        case CellKind::Sphere:
          Masked(buffer, px, py, engine::SphereMask, engine::SphereSprite(cell.sphereColor));
          DrawBackgroundSprite(x, y, engine::SphereMask, RasterOp::SrcAnd);
          DrawBackgroundSprite(x, y, engine::SphereSprite(cell.sphereColor), RasterOp::SrcPaint);
          break;
        case CellKind::Block:
          Masked(buffer, px, py, engine::BlockMask, engine::BlockSprite);
          break;
        case CellKind::CrackedBlock:
          Masked(buffer, px, py, engine::BlockMask, engine::CrackedBlockSprite);
          break;
        case CellKind::CrushBlock:
          Masked(buffer, px, py, engine::BlockMask, engine::CrushBlockSprite);
          break;
        case CellKind::Trapdoor:
          DrawTrapdoor(x, y, engine::BlockSprite, engine::BoardSurface::BoardBuffer, false);
          DrawTrapdoor(x, y, engine::BlockSprite, engine::BoardSurface::PicBg, false);
          break;
        default:
          break;  // the floor shows
      }
    }
  }
  const bool suppressed = suppressFade_ != nullptr && *suppressFade_;
  PresentBoard(!suppressed);
}

void BoardRenderer::PresentBoard(bool fade) {
  const Surface& buffer = boardBuffer();
  if (fade && fadeEffect_ != nullptr && *fadeEffect_) {
    for (int alpha = 0; alpha <= kFadeLastAlpha; alpha += kFadeAlphaStep) {
      const std::uint32_t t0 = clock_.TickCount();
      // Each step blends onto what the last one left, so the old board dissolves.
      AlphaBlend(cubeBox_, 0, 0, kBoardPixels, kBoardPixels, buffer, 0, 0, alpha, 0, false);
      Show();
      if (clock_.TickCount() - t0 < static_cast<std::uint32_t>(kFadeStepMs)) {
        // No input is handled meanwhile; polling with 1 ms naps keeps the step length without
        // spinning a core.
        while (clock_.TickCount() - t0 <= static_cast<std::uint32_t>(kFadeStepMs)) clock_.Sleep(1);
      }
    }
  }
  BitBlt(cubeBox_, 0, 0, kBoardPixels, kBoardPixels, buffer, 0, 0, RasterOp::SrcCopy);
  Show();
}

void BoardRenderer::DrawBoardSprite(int x, int y, SpriteId sprite, RasterOp op,
                                    bool pixelCoordinates, bool deferPresent, bool masked) {
  const int px = pixelCoordinates ? x : CellOrigin(x);
  const int py = pixelCoordinates ? y : CellOrigin(y);
  Surface& buffer = boardBuffer();
  if (masked) {
    // Only cube sprites are drawn masked, and they all share the cube mask.
    Masked(buffer, px, py, engine::CubeMask, sprite);
  } else {
    BitBlt(buffer, px, py, kCellPixels, kCellPixels, store_.Get(sprite), 0, 0, op);
  }
  if (!deferPresent) PresentBoard(false);
}

void BoardRenderer::DrawBackgroundSprite(int x, int y, SpriteId sprite, RasterOp op) {
  BitBlt(picbg(), CellOrigin(x), CellOrigin(y), kCellPixels, kCellPixels, store_.Get(sprite), 0, 0, op);
}

void BoardRenderer::DrawTrapdoor(int x, int y, SpriteId sprite, engine::BoardSurface target,
                                 bool restoreFirst) {
  const int px = CellOrigin(x), py = CellOrigin(y);
  if (restoreFirst)
    BitBlt(boardBuffer(), px, py, kCellPixels, kCellPixels, picbg(), px, py, RasterOp::SrcPaint);
  Surface& dst = target == engine::BoardSurface::PicBg ? picbg() : boardBuffer();
  AlphaBlend(dst, px, py, kCellPixels, kCellPixels, store_.Get(sprite), 0, 0, kTrapdoorAlpha,
             kTrapdoorKey, true);
}

void BoardRenderer::DrawCubeLayer(const engine::Board& board) {
  Surface& buffer = boardBuffer();
  for (int y = 1; y <= kBoardSize; ++y) {
    for (int x = 1; x <= kBoardSize; ++x) {
      const engine::Cell& cell = board.at(x, y);
      const int px = CellOrigin(x), py = CellOrigin(y);
      if (cell.kind == CellKind::Cube) {
        Masked(buffer, px, py, engine::CubeMask, engine::CubeSprite(cell.arrow, cell.cubeColor));
      } else if (cell.kind == CellKind::CubeOnSphere) {
        // The sphere goes over the cube, which never shows an arrow there.
        Masked(buffer, px, py, engine::CubeMask, engine::CubeSprite(0, cell.cubeColor));
        Masked(buffer, px, py, engine::SphereMask, engine::SphereSprite(cell.sphereColor));
      }
    }
  }
}

void BoardRenderer::RestoreFromBackground(int px, int py, int width, int height) {
  BitBlt(boardBuffer(), px, py, width, height, picbg(), px, py, RasterOp::SrcCopy);
}

void PngBoardScreen::ShowBoard(const Surface& cubeBox) {
  last_ = cubeBox;
  ++frames_;
}

bool PngBoardScreen::Write(const std::string& path) const { return SavePng(last_, path); }

}  // namespace presentation
