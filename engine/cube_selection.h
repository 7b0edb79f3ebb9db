#pragma once
// Choosing a cube from the keyboard: which cube the first press picks and where an arrow key
// leads from the cube picked now. Pure board arithmetic; the game screen keeps the choice.
#include <optional>

#include "engine/board.h"

namespace engine {

struct CellPos {
  int x = 0, y = 0;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

// The cube nearest the board's centre cell (8, 8); ties go to the first in reading order.
// Nothing on a board without cubes.
std::optional<CellPos> CubeNearestCentre(const Board& board);

// The nearest cube in direction d from (x, y): among the cubes lying further that way, the one
// with the least distance along d plus twice the distance across it (a cube in the same row or
// column wins over a closer one off to the side); ties go to the smaller sideways distance,
// then to reading order. Nothing when no cube lies that way.
std::optional<CellPos> NearestCubeToward(const Board& board, int x, int y, Direction d);

}  // namespace engine
