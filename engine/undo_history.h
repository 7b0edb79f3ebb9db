#pragma once
// The undo records and the board change that takes one move back, written once: the game's
// UndoMove (game.h) runs RevertMoveWith() with effects that redraw the cells, a solver can run
// RevertMove() with none. RevertMove(board, MakeUndoRecord(outcome, trapsBefore)) returns the
// position of the board before SlideCube (the fields readers must ignore, such as the colour
// left on an emptied cell, may differ; compare positions with SamePosition, game_rules.h).
//
// The effects type needs these members, called in the order the game draws:
//   void CubeBackOnClosedTrapdoor(int x, int y, CubeColor color);  // start cell reopened under it
//   void SphereUncovered(int x, int y, CubeColor sphereColor);
//   void CellEmptied(int x, int y);
//   void TrapdoorUncovered(int x, int y);       // end cell was a cube on an open trapdoor
//   void CrackedBlockRestored(int x, int y);
//   void TrapdoorReopened(int x, int y);        // every trapdoor open before the move
#include <array>
#include <cstdint>

#include "engine/board.h"
#include "engine/cube_movement.h"

namespace engine {

struct UndoRecord {
  std::int16_t fromX = 0, fromY = 0;  // fromX 0 marks an empty record
  std::int16_t toX = 0, toY = 0;
  CubeColor cubeColor = CubeColor::None;
  Direction brokenDirection = Direction::None;
  TrapList traps;  // open trapdoors at the start of the move
};

inline constexpr int kUndoDepth = 30;

UndoRecord MakeUndoRecord(const MoveOutcome& outcome, const TrapList& trapsBefore);

struct NoUndoEffects {
  void CubeBackOnClosedTrapdoor(int, int, CubeColor) {}
  void SphereUncovered(int, int, CubeColor) {}
  void CellEmptied(int, int) {}
  void TrapdoorUncovered(int, int) {}
  void CrackedBlockRestored(int, int) {}
  void TrapdoorReopened(int, int) {}
};

// Every arrow of the board back to 0, nothing drawn.
inline void ResetArrows(Board& board) {
  for (int x = 1; x <= kBoardSize; ++x)
    for (int y = 1; y <= kBoardSize; ++y) board.at(x, y).arrow = 0;
}

// Takes the move of record r back. The record must be the newest move made on this board (the
// game's ring guarantees it). Cells outside 1 .. 15 in a record are ignored.
template <class Effects>
void RevertMoveWith(Board& board, const UndoRecord& r, Effects& fx) {
  if (r.fromX == 0 || !OnBoard(r.fromX, r.fromY) || !OnBoard(r.toX, r.toY)) return;
  ResetArrows(board);

  // The start cell, judged by what the move left there.
  Cell& from = board.at(r.fromX, r.fromY);
  if (from.kind == CellKind::Sphere) {
    from.kind = CellKind::CubeOnSphere;
    from.cubeColor = r.cubeColor;
  } else if (from.kind == CellKind::Block) {
    // The cube stood on an open trapdoor, which closed when it left.
    from.kind = CellKind::CubeOnTrapdoor;
    from.cubeColor = r.cubeColor;
    fx.CubeBackOnClosedTrapdoor(r.fromX, r.fromY, r.cubeColor);
  } else {
    from.kind = CellKind::Cube;
    from.cubeColor = r.cubeColor;
  }

  // The end cell; a crush block keeps its place.
  Cell& to = board.at(r.toX, r.toY);
  if (to.kind == CellKind::CubeOnSphere) {
    to.kind = CellKind::Sphere;
    fx.SphereUncovered(r.toX, r.toY, to.sphereColor);
  } else if (to.kind == CellKind::Cube) {
    to.kind = CellKind::Empty;
    fx.CellEmptied(r.toX, r.toY);
  } else if (to.kind == CellKind::CubeOnTrapdoor) {
    to.kind = CellKind::Trapdoor;
    fx.TrapdoorUncovered(r.toX, r.toY);
  }

  if (r.brokenDirection != Direction::None && !AtEdge(r.toX, r.toY, r.brokenDirection)) {
    const auto [bx, by] = StepFrom(r.toX, r.toY, r.brokenDirection);
    board.at(bx, by).kind = CellKind::CrackedBlock;
    fx.CrackedBlockRestored(bx, by);
  }

  const int count = r.traps.count < 0 ? 0 : (r.traps.count > kBoardSize * kBoardSize ? kBoardSize * kBoardSize : r.traps.count);
  for (int i = 0; i < count; ++i) {
    const int tx = r.traps.x[static_cast<std::size_t>(i)];
    const int ty = r.traps.y[static_cast<std::size_t>(i)];
    if (!OnBoard(tx, ty)) continue;
    board.at(tx, ty).kind = CellKind::Trapdoor;
    fx.TrapdoorReopened(tx, ty);
  }
}

inline void RevertMove(Board& board, const UndoRecord& r) {
  NoUndoEffects none;
  RevertMoveWith(board, r, none);
}

// The ring of the 30 newest moves. Records are numbered 1 .. 30; pos is the newest, 0 before
// anything was recorded since start-up.
class UndoRing {
 public:
  // Advances the ring and overwrites the oldest record when it is full.
  void Push(const UndoRecord& r);
  // Empties every record; the position stays, so the ring continues where it was.
  void Reset();
  bool Available() const { return pos_ != 0 && records_[Index(pos_)].fromX != 0; }
  const UndoRecord& Newest() const { return records_[Index(pos_ == 0 ? 1 : pos_)]; }
  // Empties the newest record and steps back (from 1 to 30).
  void DropNewest();
  int pos() const { return pos_; }
  const UndoRecord& record(int i) const { return records_[Index(i)]; }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i - 1); }
  std::array<UndoRecord, kUndoDepth> records_{};
  int pos_ = 0;
};

}  // namespace engine
