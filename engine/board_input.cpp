#include "engine/board_input.h"

#include <cmath>

#include "engine/cube_movement.h"
#include "engine/game.h"

namespace engine {

int PointedCell(double coordinate) {
  if (std::isnan(coordinate)) return 1;
  const double cell = std::floor((coordinate + kCellPixels) / kCellPixels);
  if (cell < 1.0) return 1;
  if (cell > kBoardSize) return kBoardSize;
  return static_cast<int>(cell);
}

int InCellOffset(double coordinate) {
  if (!std::isfinite(coordinate)) return 0;
  // Far outside the board the offset no longer matters; keep the arithmetic in range.
  if (coordinate < -1e6) coordinate = -1e6;
  if (coordinate > 1e6) coordinate = 1e6;
  const long rounded = std::lrint(coordinate + kCellPixels);
  long m = rounded % kCellPixels;
  if (m < 0) m += kCellPixels;
  return static_cast<int>(m);
}

Direction PointedZone(int mx, int my) {
  const bool middleY = my >= 5 && my <= 25;
  const bool middleX = mx >= 5 && mx <= 25;
  if (mx <= 7 && middleY) return Direction::Left;
  if (mx >= 24 && middleY) return Direction::Right;
  if (middleX && my <= 9) return Direction::Up;
  if (middleX && my >= 21) return Direction::Down;
  return Direction::None;
}

Direction ArrowFor(const Board& board, int x, int y, Direction zone) {
  if (zone != Direction::None && CanPush(board, x, y, zone)) return zone;
  for (const Direction d : {Direction::Left, Direction::Right, Direction::Up, Direction::Down}) {
    if (CanPush(board, x, y, d)) return d;
  }
  return Direction::None;
}

int GameMenuItemForKey(int keyCode) {
  switch (keyCode) {
    case 85: return 1;  // U: Undo
    case 82: return 2;  // R: Restart
    case 83: return 3;  // S: Next level
    case 76: return 4;  // L: Select level
    case 79: return 5;  // O: Options
    case 27: return 6;  // Esc: Exit to menu
    default: return 0;
  }
}

void Game::MouseMove(double x, double y) {
  host_.ClearGameMenuHighlight();
  const int cx = PointedCell(x);
  const int cy = PointedCell(y);
  if (!IsCubeKind(state_.board.at(cx, cy).kind)) {
    HideArrows();
    return;
  }
  const Direction zone = PointedZone(InCellOffset(x), InCellOffset(y));
  // In the middle of the cube or a corner the arrows stay as they are.
  if (zone == Direction::None) return;
  const Direction arrow = ArrowFor(state_.board, cx, cy, zone);
  if (arrow == Direction::None) {
    HideArrows();
    return;
  }
  ShowArrow(cx, cy, arrow);
}

bool Game::ShowArrow(int x, int y, Direction d) {
  if (!CanPush(state_.board, x, y, d)) return false;
  const int a = static_cast<int>(d);
  if (state_.board.at(x, y).arrow == a) return true;
  HideArrows();
  Cell& cube = state_.board.at(x, y);
  cube.arrow = a;
  painter_.DrawBoardSprite(x, y, CubeSprite(a, cube.cubeColor), RasterOp::SrcPaint, false, false, true);
  return true;
}

void Game::HideArrows() {
  for (int y = 1; y <= kBoardSize; ++y) {
    for (int x = 1; x <= kBoardSize; ++x) {
      Cell& c = state_.board.at(x, y);
      if (c.arrow == 0) continue;
      if (c.kind == CellKind::Cube || c.kind == CellKind::CubeOnTrapdoor) {
        c.arrow = 0;
        painter_.DrawBoardSprite(x, y, CubeSprite(0, c.cubeColor), RasterOp::SrcPaint, false, false, true);
      } else if (c.kind == CellKind::CubeOnSphere) {
        c.arrow = 0;
        painter_.DrawBoardSprite(x, y, CubeMask, RasterOp::SrcAnd, false, true, false);
        painter_.DrawBoardSprite(x, y, CubeSprite(0, c.cubeColor), RasterOp::SrcPaint, false, true, false);
        painter_.DrawBoardSprite(x, y, SphereMask, RasterOp::SrcAnd, false, true, false);
        painter_.DrawBoardSprite(x, y, SphereSprite(c.sphereColor), RasterOp::SrcPaint, false, true, false);
        painter_.PresentBoard(false);
      }
    }
  }
}

void Game::Click() {
  for (int y = 1; y <= kBoardSize; ++y) {
    for (int x = 1; x <= kBoardSize; ++x) {
      const Cell& c = state_.board.at(x, y);
      if (!IsCubeKind(c.kind) || c.arrow == 0) continue;
      // Only the first cube showing an arrow is considered.
      const int a = c.arrow;
      if (IsDirection(a) && CanPush(state_.board, x, y, static_cast<Direction>(a))) {
        MoveCube(x, y, static_cast<Direction>(a));
      }
      return;
    }
  }
}

void Game::KeyUp(int keyCode) {
  if (host_.MainMenuVisible()) return;
  const int item = GameMenuItemForKey(keyCode);
  if (item != 0) host_.RunGameMenuCommand(item);
}

void Game::Paint() {
  painter_.DrawCubeLayer(state_.board);
  painter_.PresentBoard(false);
}

}  // namespace engine
