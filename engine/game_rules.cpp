#include "engine/game_rules.h"

#include <array>

#include "engine/game.h"

namespace engine {

bool IsSolved(const Board& board) {
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      const Cell& c = board.at(x, y);
      if (c.kind == CellKind::Sphere) return false;
      if (c.kind == CellKind::CubeOnSphere && c.cubeColor != c.sphereColor) return false;
    }
  }
  return true;
}

bool IsWinnable(const Board& board) {
  std::array<int, kColorCount + 1> cubes{};
  std::array<int, kColorCount + 1> spheres{};
  auto slot = [](CubeColor color) -> std::size_t {
    const int c = static_cast<int>(color);
    return c >= 1 && c <= kColorCount ? static_cast<std::size_t>(c) : 0;
  };
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      const Cell& c = board.at(x, y);
      if (IsCubeKind(c.kind)) ++cubes[slot(c.cubeColor)];
      if (c.kind == CellKind::Sphere || c.kind == CellKind::CubeOnSphere) ++spheres[slot(c.sphereColor)];
    }
  }
  for (std::size_t color = 1; color <= kColorCount; ++color) {
    if (cubes[color] < spheres[color]) return false;
  }
  return true;
}

namespace {
bool HasSphere(CellKind k) { return k == CellKind::Sphere || k == CellKind::CubeOnSphere; }
}  // namespace

bool SamePosition(const Board& a, const Board& b) {
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      const Cell& p = a.at(x, y);
      const Cell& q = b.at(x, y);
      if (p.kind != q.kind) return false;
      if (IsCubeKind(p.kind) && p.cubeColor != q.cubeColor) return false;
      if (HasSphere(p.kind) && p.sphereColor != q.sphereColor) return false;
    }
  }
  return true;
}

void NormalizeBoard(Board& board) {
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      Cell& c = board.at(x, y);
      c.arrow = 0;
      if (!IsCubeKind(c.kind)) c.cubeColor = CubeColor::None;
      if (!HasSphere(c.kind)) c.sphereColor = CubeColor::None;
    }
  }
}

bool Game::IsWinnable() const { return engine::IsWinnable(state_.board); }

void Game::CheckWin() {
  if (!IsSolved(state_.board)) return;
  const int level = state_.currentLevel;
  const int moves = state_.moves;
  sound_.PlaySoundEffect("victory");
  SetSolved(state_.currentLevel, true);
  if (state_.currentLevel == state_.numberOfLevels) {
    // The last level ends the pack, whatever the state of the others.
    host_.ShowCredits();
  } else {
    LoadLevel(state_.currentLevel + 1);
    host_.FocusBoard();
  }
  SaveProgress();
  const bool newBest = RecordSolve(level, moves);
  host_.LevelSolved(level, moves, newBest);
}

void Game::UpdateMultiLevelFlag() {
  const bool multi = state_.numberOfLevels != 1;
  if (state_.multiLevelPack == multi) return;
  state_.multiLevelPack = multi;
  host_.RedrawGameMenu();
}

}  // namespace engine
