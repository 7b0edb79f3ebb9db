#include "engine/hint.h"

#include "engine/cube_movement.h"
#include "engine/game_rules.h"
#include "engine/records.h"

namespace engine {

SolverOptions HintSearchOptions(const std::atomic<bool>* cancel) {
  SolverOptions o;
  o.maxStates = 1'500'000;
  o.maxMemoryBytes = std::size_t{256} << 20;
  o.cancel = cancel;
  return o;
}

Hint HintFromResult(const SolveResult& result) {
  Hint h;
  switch (result.status) {
    case SolveStatus::Solved:
      if (result.moves.empty()) break;
      h.kind = HintKind::Move;
      h.move = result.moves.front();
      h.movesToWin = static_cast<int>(result.moves.size());
      break;
    case SolveStatus::Unsolvable:
      h.kind = HintKind::NoWayToWin;
      break;
    case SolveStatus::NoSolutionWithinBound:
    case SolveStatus::GaveUp:
      break;
  }
  h.cancelled = result.cancelled;
  return h;
}

Hint FindHint(const Board& board, const std::atomic<bool>* cancel) {
  if (IsSolved(board)) return Hint{HintKind::Nothing, {}, 0, false};
  // The count test answers at once where a colour is already short of cubes.
  if (!IsWinnable(board)) return Hint{HintKind::NoWayToWin, {}, 0, false};
  return HintFromResult(Solve(board, HintSearchOptions(cancel)));
}

std::optional<Hint> HintAlongLine(const Board& levelStart, const std::vector<SolverMove>& line, const Board& position) {
  if (IsSolved(position) || !LineWins(levelStart, line)) return std::nullopt;
  Board b = levelStart;
  for (std::size_t k = 0; k < line.size(); ++k) {
    const SolverMove& m = line[k];
    if (SamePosition(b, position)) {
      if (!CanPush(b, m.x, m.y, m.direction)) return std::nullopt;
      return Hint{HintKind::Move, m, static_cast<int>(line.size() - k), false};
    }
    if (!CanPush(b, m.x, m.y, m.direction)) return std::nullopt;
    SlideCube(b, m.x, m.y, m.direction);
    // A line that wins before its end is not a shortest one.
    if (IsSolved(b) && k + 1 < line.size()) return std::nullopt;
  }
  return std::nullopt;
}

Hint FindHintWithLine(const Board& levelStart, const std::vector<SolverMove>& line, const Board& position,
                      const std::atomic<bool>* cancel) {
  if (auto h = HintAlongLine(levelStart, line, position)) return *h;
  return FindHint(position, cancel);
}

}  // namespace engine
