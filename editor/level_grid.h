#pragma once
// One level as the editor holds it: 225 cell characters, row-major, row 0 at the top.
#include <array>
#include <cstddef>

namespace mapwright {

inline constexpr int kGridSize = 15;
inline constexpr int kCellCount = kGridSize * kGridSize;
// A cell read from a too-short row of a file holds no character; it shows as empty ground and
// is written back as nothing, so the file keeps its short row. A line break stands for it, as
// it is the one byte a row can never hold (every other byte, NUL included, is a character).
inline constexpr char kNoChar = '\n';
inline constexpr char kEmptyCell = '.';

using LevelGrid = std::array<char, kCellCount>;

inline constexpr int CellIndex(int col, int row) { return row * kGridSize + col; }

inline LevelGrid BlankLevel() {
  LevelGrid grid;
  grid.fill(kEmptyCell);
  return grid;
}

}  // namespace mapwright
