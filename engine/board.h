#pragma once
// The board and its codes. Cells are addressed (x, y), 1 .. 15, (1, 1) top left; row 0 and
// column 0 exist in the array but are never played and stay zero.
#include <array>
#include <cstdint>
#include <string>

namespace engine {

enum class CellKind : std::int32_t {
  None = 0,  // only row 0 and column 0
  Cube = 1,
  Sphere = 2,
  Block = 3,
  Empty = 4,
  CubeOnSphere = 5,
  CrackedBlock = 6,
  CrushBlock = 7,
  Trapdoor = 8,
  CubeOnTrapdoor = 9,
};

enum class CubeColor : std::int32_t {
  None = 0,
  Red = 1,
  Blue = 2,
  Green = 3,
  Violet = 4,
  Black = 5,
  Orange = 6,
};
inline constexpr int kColorCount = 6;

enum class Direction : std::int32_t {
  None = 0,
  Left = 1,
  Right = 2,
  Up = 3,
  Down = 4,
};

struct Cell {
  CellKind kind = CellKind::None;
  CubeColor sphereColor = CubeColor::None;
  std::int32_t arrow = 0;  // 0 none, otherwise a Direction code
  CubeColor cubeColor = CubeColor::None;

  friend bool operator==(const Cell&, const Cell&) = default;
};

inline constexpr int kBoardSize = 15;
inline constexpr int kCellPixels = 31;
inline constexpr int kBoardPixels = kBoardSize * kCellPixels;  // 465

struct Board {
  std::array<std::array<Cell, kBoardSize + 1>, kBoardSize + 1> cells{};  // [x][y]

  Cell& at(int x, int y) { return cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]; }
  const Cell& at(int x, int y) const {
    return cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
  }
  friend bool operator==(const Board&, const Board&) = default;
};

inline bool IsCubeKind(CellKind k) {
  return k == CellKind::Cube || k == CellKind::CubeOnSphere || k == CellKind::CubeOnTrapdoor;
}
// A cube may be pushed into (and slides over) these.
inline bool IsPassable(CellKind k) {
  return k == CellKind::Empty || k == CellKind::Sphere || k == CellKind::Trapdoor;
}

}  // namespace engine
