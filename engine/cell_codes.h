#pragma once
// The pack characters of the cells and the board geometry every module shares.
#include <utility>

#include "engine/board.h"

namespace engine {

// The cell a pack character stands for (kind and colour; arrow 0). Every character that is not
// a cell character, and the "no character" of a short row, is Empty.
Cell CellFromChar(char c);

// Upper-case cube letter / lower-case sphere letter of a colour, '?' for no colour.
char CubeLetter(CubeColor color);
char SphereLetter(CubeColor color);

inline bool OnBoard(int x, int y) { return x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize; }

inline std::pair<int, int> StepFrom(int x, int y, Direction d) {
  switch (d) {
    case Direction::Left: return {x - 1, y};
    case Direction::Right: return {x + 1, y};
    case Direction::Up: return {x, y - 1};
    case Direction::Down: return {x, y + 1};
    case Direction::None: break;
  }
  return {x, y};
}

// True when (x, y) is the last cell before the board's edge in direction d, so nothing lies
// beyond it. Checked before any neighbour is looked at: row 0 and column 0 are never read.
inline bool AtEdge(int x, int y, Direction d) {
  switch (d) {
    case Direction::Left: return x <= 1;
    case Direction::Right: return x >= kBoardSize;
    case Direction::Up: return y <= 1;
    case Direction::Down: return y >= kBoardSize;
    case Direction::None: break;
  }
  return true;
}

inline bool IsDirection(int code) { return code >= 1 && code <= 4; }

}  // namespace engine
