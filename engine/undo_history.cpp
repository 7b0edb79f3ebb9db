#include "engine/undo_history.h"

#include "engine/game.h"

namespace engine {

UndoRecord MakeUndoRecord(const MoveOutcome& outcome, const TrapList& trapsBefore) {
  UndoRecord r;
  r.fromX = static_cast<std::int16_t>(outcome.fromX);
  r.fromY = static_cast<std::int16_t>(outcome.fromY);
  r.toX = static_cast<std::int16_t>(outcome.toX);
  r.toY = static_cast<std::int16_t>(outcome.toY);
  r.cubeColor = outcome.cubeColor;
  r.brokenDirection = outcome.crushed ? Direction::None : outcome.brokenDirection;
  r.traps = trapsBefore;
  return r;
}

void UndoRing::Push(const UndoRecord& r) {
  pos_ = pos_ == kUndoDepth ? 1 : pos_ + 1;
  records_[Index(pos_)] = r;
}

void UndoRing::Reset() {
  for (UndoRecord& r : records_) {
    r.fromX = 0;
    r.toX = 0;
    r.toY = 0;
    r.brokenDirection = Direction::None;
  }
}

void UndoRing::DropNewest() {
  if (pos_ == 0) return;
  UndoRecord& r = records_[Index(pos_)];
  r.fromX = 0;
  r.fromY = 0;
  r.toX = 0;
  r.toY = 0;
  pos_ = pos_ - 1 == 0 ? kUndoDepth : pos_ - 1;
}

namespace {

// The undo's drawing, in the order the board is repainted.
struct GameUndoEffects {
  BoardPainter& painter;
  void CubeBackOnClosedTrapdoor(int x, int y, CubeColor color) {
    // The cell still shows the closed block, whose corners would peek out around the rounded
    // cube; the open trapdoor under it comes back from picbg first.
    RestoreCell(x, y);
    painter.DrawBoardSprite(x, y, CubeSprite(0, color), RasterOp::SrcPaint, false, true, true);
  }
  void SphereUncovered(int x, int y, CubeColor sphereColor) {
    RestoreCell(x, y);
    painter.DrawBoardSprite(x, y, SphereMask, RasterOp::SrcAnd, false, true, false);
    painter.DrawBoardSprite(x, y, SphereSprite(sphereColor), RasterOp::SrcPaint, false, true, false);
  }
  void CellEmptied(int x, int y) { RestoreCell(x, y); }
  void TrapdoorUncovered(int x, int y) {
    painter.DrawTrapdoor(x, y, BlockSprite, BoardSurface::BoardBuffer, true);
  }
  void CrackedBlockRestored(int x, int y) {
    painter.DrawBoardSprite(x, y, BlockMask, RasterOp::SrcAnd, false, true, false);
    painter.DrawBoardSprite(x, y, CrackedBlockSprite, RasterOp::SrcPaint, false, true, false);
  }
  void TrapdoorReopened(int x, int y) { RestoreCell(x, y); }
  void RestoreCell(int x, int y) {
    painter.RestoreFromBackground((x - 1) * kCellPixels, (y - 1) * kCellPixels, kCellPixels, kCellPixels);
  }
};

}  // namespace

void Game::RecordMove(int fromX, int fromY, int toX, int toY, Direction brokenDirection,
                      CubeColor cubeColor, const TrapList& traps) {
  UndoRecord r;
  r.fromX = static_cast<std::int16_t>(fromX);
  r.fromY = static_cast<std::int16_t>(fromY);
  r.toX = static_cast<std::int16_t>(toX);
  r.toY = static_cast<std::int16_t>(toY);
  r.brokenDirection = brokenDirection;
  r.cubeColor = cubeColor;
  r.traps = traps;
  undo_.Push(r);
  UpdateUndoIndicator();
}

void Game::UndoMove() {
  if (!undo_.Available()) return;
  GameUndoEffects fx{painter_};
  RevertMoveWith(state_.board, undo_.Newest(), fx);
  painter_.DrawCubeLayer(state_.board);
  undo_.DropNewest();
  if (state_.moves > 0) --state_.moves;
  UpdateUndoIndicator();
  painter_.PresentBoard(false);
  host_.PositionChanged();
}

void Game::ResetUndoHistory() { undo_.Reset(); }

void Game::UpdateUndoIndicator() {
  const bool available = undo_.Available();
  if (state_.undoAvailable == available) return;
  state_.undoAvailable = available;
  host_.RedrawGameMenu();
}

}  // namespace engine
