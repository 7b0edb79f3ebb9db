#include "editor/level_verdict.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/cell_codes.h"
#include "engine/level_loader.h"

namespace mapwright {

namespace {

std::string MoveCount(std::size_t n) {
  return std::to_string(n) + (n == 1 ? " move" : " moves");
}

}  // namespace

std::string VerdictText(const Verdict& verdict) {
  switch (verdict.kind) {
    case Verdict::Kind::Solvable: return "Solvable in " + MoveCount(verdict.moves.size());
    case Verdict::Kind::Unsolvable: return "Cannot be solved";
    case Verdict::Kind::Undecided:
      return "Not decided (gave up after " + std::to_string(verdict.positions) + " positions)";
    case Verdict::Kind::Pending: break;
  }
  return "Checking...";
}

std::string ListSuffix(const Verdict& verdict) {
  switch (verdict.kind) {
    case Verdict::Kind::Solvable: return " - " + MoveCount(verdict.moves.size());
    case Verdict::Kind::Unsolvable: return " - no solution";
    case Verdict::Kind::Undecided: return " - ?";
    case Verdict::Kind::Pending: break;
  }
  return " - ...";
}

bool HasEnoughCubes(const LevelGrid& level) {
  static constexpr std::array<std::pair<char, char>, 6> kColours{
      {{'L', 'l'}, {'B', 'b'}, {'W', 'w'}, {'G', 'g'}, {'R', 'r'}, {'H', 'h'}}};
  for (const auto& [cube, sphere] : kColours)
    if (std::count(level.begin(), level.end(), cube) < std::count(level.begin(), level.end(), sphere))
      return false;
  return true;
}

engine::Board BoardFromLevel(const LevelGrid& level) {
  engine::Board board;
  engine::ClearCells(board);
  for (int row = 0; row < kGridSize; ++row)
    for (int col = 0; col < kGridSize; ++col)
      board.at(col + 1, row + 1) = engine::CellFromChar(level[CellIndex(col, row)]);
  return board;
}

Verdict EngineLevelSolver::Solve(const LevelGrid& level, const std::atomic<bool>& cancel) {
  Verdict v;
  if (!HasEnoughCubes(level)) {
    v.kind = Verdict::Kind::Unsolvable;
    return v;
  }
  engine::SolverOptions options;
  options.maxStates = maxPositions_;
  options.maxMemoryBytes = kMaxMemoryBytes;
  options.cancel = &cancel;
  engine::SolveResult r = engine::Solve(BoardFromLevel(level), options);
  v.positions = r.statesVisited;
  switch (r.status) {
    case engine::SolveStatus::Solved:
      v.kind = Verdict::Kind::Solvable;
      v.moves = std::move(r.moves);
      break;
    case engine::SolveStatus::Unsolvable: v.kind = Verdict::Kind::Unsolvable; break;
    // Longer than the longest solution looked for is not a proof of none.
    case engine::SolveStatus::NoSolutionWithinBound:
    case engine::SolveStatus::GaveUp: v.kind = Verdict::Kind::Undecided; break;
  }
  return v;
}

}  // namespace mapwright
