#include "engine/cube_movement.h"

#include "engine/game.h"
#include "engine/game_rules.h"

namespace engine {

TrapList RecordTrapdoors(const Board& board) {
  TrapList list;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (board.at(x, y).kind != CellKind::Trapdoor) continue;
      const auto i = static_cast<std::size_t>(list.count++);
      list.x[i] = static_cast<std::int16_t>(x);
      list.y[i] = static_cast<std::int16_t>(y);
    }
  }
  return list;
}

namespace {

constexpr int kGlideStep = 4;           // pixels per frame
constexpr std::uint32_t kFrameMs = 8;   // shortest frame
constexpr int kTrailStrip = 7;          // the strip the cube uncovers in a frame (4 px + margin)

int CellOrigin(int cell) { return (cell - 1) * kCellPixels; }

// What the player sees and hears of a move, hooked into the shared rule code.
struct GameMoveEffects {
  BoardPainter& painter;
  SoundPlayer& sound;
  Clock& clock;
  bool animate;

  void Motion(int x, int y, Direction d, int arrow, CubeColor color) {
    const SpriteId sprite = CubeSprite(arrow, color);
    const auto [nx, ny] = StepFrom(x, y, d);
    if (!animate) {
      painter.DrawBoardSprite(CellOrigin(nx), CellOrigin(ny), sprite, RasterOp::SrcPaint, true, true, true);
      painter.RestoreFromBackground(CellOrigin(x), CellOrigin(y), kCellPixels, kCellPixels);
      return;
    }
    const bool horizontal = d == Direction::Left || d == Direction::Right;
    const bool backwards = d == Direction::Left || d == Direction::Up;
    const int rowOrigin = CellOrigin(y);
    const int columnOrigin = CellOrigin(x);
    int p = horizontal ? columnOrigin : rowOrigin;
    const int target = backwards ? p - kCellPixels : p + kCellPixels;
    while (p != target) {
      const std::uint32_t t0 = clock.TickCount();
      // The strip at the cube's trailing side, which this frame's advance uncovers.
      const int strip = backwards ? p + kCellPixels - kTrailStrip : p;
      if (horizontal) {
        painter.RestoreFromBackground(strip, rowOrigin, kTrailStrip, kCellPixels);
      } else {
        painter.RestoreFromBackground(columnOrigin, strip, kCellPixels, kTrailStrip);
      }
      p = backwards ? (p - kGlideStep < target ? target : p - kGlideStep)
                    : (p + kGlideStep > target ? target : p + kGlideStep);
      if (horizontal) {
        painter.DrawBoardSprite(p, rowOrigin, sprite, RasterOp::SrcPaint, true, false, true);
      } else {
        painter.DrawBoardSprite(columnOrigin, p, sprite, RasterOp::SrcPaint, true, false, true);
      }
      if (clock.TickCount() - t0 < kFrameMs) {
        const std::uint32_t passed = clock.TickCount() - t0;
        if (passed < kFrameMs) clock.Sleep(kFrameMs - passed);
      }
    }
  }

  void TrapdoorClosed(int x, int y) {
    sound.PlaySoundEffect("trapdoor");
    DrawBlockType(x, y, BlockSprite);
  }

  void Crushed(int x, int y) {
    sound.PlaySoundEffect("crush");
    DrawBlockType(x, y, CrushBlockSprite);
  }

  void CrackedBroken(int x, int y) {
    painter.RestoreFromBackground(CellOrigin(x), CellOrigin(y), kCellPixels, kCellPixels);
    sound.PlaySoundEffect("break");
  }

  void DrawBlockType(int x, int y, SpriteId sprite) {
    painter.DrawBoardSprite(x, y, BlockMask, RasterOp::SrcAnd, false, true, false);
    painter.DrawBoardSprite(x, y, sprite, RasterOp::SrcPaint, false, false, false);
  }
};

}  // namespace

void Game::RecordTrapdoors() { state_.traps = engine::RecordTrapdoors(state_.board); }

void Game::MoveCube(int x, int y, Direction d) {
  if (!CanPush(state_.board, x, y, d)) return;
  const bool wasWinnable = IsWinnable();
  RecordTrapdoors();
  sound_.PlaySoundEffect("click");

  GameMoveEffects fx{painter_, sound_, clock_, settings_.animationLevel != 1};
  const MoveOutcome out = SlideCubeWith(state_.board, x, y, d, fx);

  ++state_.moves;
  if (out.crushed) {
    RecordMove(out.fromX, out.fromY, out.toX, out.toY, Direction::None, out.cubeColor, state_.traps);
    painter_.PresentBoard(false);
    if (wasWinnable && !IsWinnable() && prompt_.ShowMessage("Oops! You can't win now! Undo?", true)) {
      UndoMove();
      return;
    }
    host_.PositionChanged();
    return;
  }

  painter_.DrawBoardSprite(out.toX, out.toY, CubeSprite(0, out.cubeColor), RasterOp::SrcPaint, false, false, true);
  RecordMove(out.fromX, out.fromY, out.toX, out.toY, out.brokenDirection, out.cubeColor, state_.traps);
  painter_.DrawCubeLayer(state_.board);
  painter_.PresentBoard(false);
  if (out.matched) sound_.PlaySoundEffect("match");
  // A win sets the next level up (or shows the credits), which the host hears of itself.
  if (!IsSolved(state_.board)) {
    host_.PositionChanged();
    return;
  }
  CheckWin();
}

}  // namespace engine
