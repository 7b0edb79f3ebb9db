#pragma once
// The rules of a move, written once.
//
// SlideCubeWith() is the whole board change of a push: every step, the spheres covered and
// uncovered, the trapdoors closed behind the cube, the cracked block broken in front of it and
// the crush block that destroys it. The game's MoveCube (game.h) runs it with effects that
// animate, draw and play sounds at the right moments; SlideCube() runs the very same code with
// no effects at all, for a solver or any other pure simulation. Because both go through one
// template, a solver can never disagree with the game about where a cube ends up.
//
// The effects type needs these members (all called at the moment the game shows the event):
//   void Motion(int x, int y, Direction d, int arrow, CubeColor color);  // cube leaves (x, y)
//   void TrapdoorClosed(int x, int y);     // the cell is already a Block
//   void Crushed(int x, int y);            // the crush block at (x, y) destroyed the cube
//   void CrackedBroken(int x, int y);      // the cell is already Empty
#include <array>
#include <cstdint>

#include "engine/board.h"
#include "engine/cell_codes.h"

namespace engine {

// What a push did. With moved false the push was not allowed (CanPush) and the board is as it was.
struct MoveOutcome {
  bool moved = false;
  int fromX = 0, fromY = 0;
  // Where the cube came to rest, or the crush block that destroyed it.
  int toX = 0, toY = 0;
  CubeColor cubeColor = CubeColor::None;
  // Direction from (toX, toY) to the cracked block the move broke; None when none broke.
  Direction brokenDirection = Direction::None;
  bool crushed = false;
  // The cube rests on a sphere of its own colour (the "match" sound).
  bool matched = false;
  int steps = 0;  // cells travelled
  friend bool operator==(const MoveOutcome&, const MoveOutcome&) = default;
};

// True when (x, y) holds a cube and its neighbour in d lies on the board and is Empty, Sphere
// or Trapdoor: exactly the pushes board input lets the player make.
inline bool CanPush(const Board& board, int x, int y, Direction d) {
  if (!OnBoard(x, y) || !IsDirection(static_cast<int>(d))) return false;
  if (!IsCubeKind(board.at(x, y).kind) || AtEdge(x, y, d)) return false;
  const auto [nx, ny] = StepFrom(x, y, d);
  return IsPassable(board.at(nx, ny).kind);
}

// Effects that do nothing: the pure simulation.
struct NoMoveEffects {
  void Motion(int, int, Direction, int, CubeColor) {}
  void TrapdoorClosed(int, int) {}
  void Crushed(int, int) {}
  void CrackedBroken(int, int) {}
};

// One cell of a slide: moves the cube on (x, y) to its neighbour (nx, ny) in d. Returns true
// when the neighbour was a crush block, which destroyed the cube. Caller guarantees the
// neighbour is on the board and is Empty, Sphere, Trapdoor or CrushBlock.
template <class Effects>
bool StepCubeWith(Board& board, int x, int y, int nx, int ny, Direction d, Effects& fx) {
  Cell& from = board.at(x, y);
  Cell& to = board.at(nx, ny);
  const CubeColor color = from.cubeColor;
  const std::int32_t arrow = from.arrow;

  fx.Motion(x, y, d, arrow, color);

  // The sphere or open trapdoor under the cube shows again through the restore from the
  // background; a trapdoor that was left closes for good.
  if (from.kind == CellKind::CubeOnSphere) {
    from.kind = CellKind::Sphere;
  } else if (from.kind == CellKind::CubeOnTrapdoor) {
    from.kind = CellKind::Block;
    fx.TrapdoorClosed(x, y);
  }

  bool crushed = false;
  switch (to.kind) {
    case CellKind::Sphere:
      to.kind = CellKind::CubeOnSphere;
      to.cubeColor = color;
      break;
    case CellKind::Trapdoor:
      to.kind = CellKind::CubeOnTrapdoor;
      to.cubeColor = color;
      break;
    case CellKind::CrushBlock:
      fx.Crushed(nx, ny);
      crushed = true;
      break;
    default:
      to.kind = CellKind::Cube;
      to.cubeColor = color;
      break;
  }
  if (!crushed) to.arrow = arrow;
  if (from.kind == CellKind::Cube) from.kind = CellKind::Empty;
  return crushed;
}

template <class Effects>
bool StepCubeWith(Board& board, int x, int y, Direction d, Effects& fx) {
  const auto [nx, ny] = StepFrom(x, y, d);
  return StepCubeWith(board, x, y, nx, ny, d, fx);
}

// Cells from (x, y) to the board's edge in direction d.
inline int CellsToEdge(int x, int y, Direction d) {
  switch (d) {
    case Direction::Left: return x - 1;
    case Direction::Right: return kBoardSize - x;
    case Direction::Up: return y - 1;
    case Direction::Down: return kBoardSize - y;
    case Direction::None: break;
  }
  return 0;
}

// The whole slide of the cube on (x, y) in direction d, from the first step until it rests or
// is destroyed. The resting cube's arrow is cleared. Returns moved = false, changing nothing,
// when CanPush is false.
template <class Effects>
MoveOutcome SlideCubeWith(Board& board, int x, int y, Direction d, Effects& fx) {
  MoveOutcome out;
  if (!CanPush(board, x, y, d)) return out;
  out.moved = true;
  out.fromX = x;
  out.fromY = y;
  out.cubeColor = board.at(x, y).cubeColor;
  // The step is worked out once; the loop runs at most to the edge.
  const auto [nx0, ny0] = StepFrom(x, y, d);
  const int dx = nx0 - x, dy = ny0 - y;
  for (int room = CellsToEdge(x, y, d);;) {
    const bool crushed = StepCubeWith(board, x, y, x + dx, y + dy, d, fx);
    x += dx;
    y += dy;
    ++out.steps;
    --room;
    if (crushed) {
      out.crushed = true;
      break;
    }
    if (room <= 0) break;
    Cell& ahead = board.at(x + dx, y + dy);
    if (IsPassable(ahead.kind) || ahead.kind == CellKind::CrushBlock) continue;
    if (ahead.kind == CellKind::CrackedBlock) {
      ahead.kind = CellKind::Empty;
      fx.CrackedBroken(x + dx, y + dy);
      out.brokenDirection = d;
    }
    break;
  }
  out.toX = x;
  out.toY = y;
  if (!out.crushed) {
    Cell& rest = board.at(x, y);
    rest.arrow = 0;
    out.matched = rest.kind == CellKind::CubeOnSphere && rest.cubeColor == rest.sphereColor;
  }
  return out;
}

// The pure simulation of one push (no drawing, no sound, no undo record, no win handling).
inline MoveOutcome SlideCube(Board& board, int x, int y, Direction d) {
  NoMoveEffects none;
  return SlideCubeWith(board, x, y, d, none);
}

// The open trapdoors (kind Trapdoor) of a board, column by column (x outer, y inner), as the
// undo record keeps them.
struct TrapList {
  int count = 0;
  std::array<std::int16_t, kBoardSize * kBoardSize> x{};
  std::array<std::int16_t, kBoardSize * kBoardSize> y{};
};
TrapList RecordTrapdoors(const Board& board);

}  // namespace engine
