#include "engine/cube_selection.h"

#include <cstdlib>
#include <tuple>

namespace engine {

std::optional<CellPos> CubeNearestCentre(const Board& board) {
  constexpr int kCentre = (kBoardSize + 1) / 2;
  std::optional<CellPos> best;
  int bestDistance = 0;
  for (int y = 1; y <= kBoardSize; ++y) {
    for (int x = 1; x <= kBoardSize; ++x) {
      if (!IsCubeKind(board.at(x, y).kind)) continue;
      const int d = (x - kCentre) * (x - kCentre) + (y - kCentre) * (y - kCentre);
      if (!best || d < bestDistance) {
        best = CellPos{x, y};
        bestDistance = d;
      }
    }
  }
  return best;
}

std::optional<CellPos> NearestCubeToward(const Board& board, int x, int y, Direction d) {
  std::optional<CellPos> best;
  std::tuple<int, int> bestKey{0, 0};
  for (int cy = 1; cy <= kBoardSize; ++cy) {
    for (int cx = 1; cx <= kBoardSize; ++cx) {
      if (!IsCubeKind(board.at(cx, cy).kind)) continue;
      int along = 0, across = 0;
      switch (d) {
        case Direction::Left: along = x - cx; across = cy - y; break;
        case Direction::Right: along = cx - x; across = cy - y; break;
        case Direction::Up: along = y - cy; across = cx - x; break;
        case Direction::Down: along = cy - y; across = cx - x; break;
        default: return std::nullopt;
      }
      if (along <= 0) continue;
      const std::tuple<int, int> key{along + 2 * std::abs(across), std::abs(across)};
      // Reading order breaks the last ties: the first found keeps its place.
      if (!best || key < bestKey) {
        best = CellPos{cx, cy};
        bestKey = key;
      }
    }
  }
  return best;
}

}  // namespace engine
