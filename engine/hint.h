#pragma once
// The next move toward a win from any position, as the game's hint and frostlide-cli hint give
// it: the first move of a shortest solution, found with bounds that keep the answer quick.
#include <atomic>
#include <cstddef>
#include <optional>
#include <vector>

#include "engine/board.h"
#include "engine/solver.h"

namespace engine {

enum class HintKind {
  Move,        // move is the first step of a shortest win, movesToWin long
  NoWayToWin,  // the search proved that no sequence of moves wins from here
  NotFound,    // the search gave up (bounds reached, or cancelled) before it knew
  Nothing,     // the position is already won or holds no sphere: there is nothing to hint
};

struct Hint {
  HintKind kind = HintKind::NotFound;
  SolverMove move;
  int movesToWin = 0;
  bool cancelled = false;  // NotFound because the search was cancelled
};

// The bounds of a hint or par search: a few hundred thousand states, well inside the memory a
// game may take.
SolverOptions HintSearchOptions(const std::atomic<bool>* cancel = nullptr);

// What a solver result says as a hint.
Hint HintFromResult(const SolveResult& result);

// The hint for board: Nothing when it is already won, otherwise the bounded search's answer.
Hint FindHint(const Board& board, const std::atomic<bool>* cancel = nullptr);

// A level's stored shortest solution answers at once for every position along it: when
// position is the level's start after the line's first k moves, the hint is move k + 1, with
// the rest of the line to win. Nothing when position is not on the line (or the line does not
// win the level).
std::optional<Hint> HintAlongLine(const Board& levelStart, const std::vector<SolverMove>& line, const Board& position);

// HintAlongLine when it knows, otherwise FindHint.
Hint FindHintWithLine(const Board& levelStart, const std::vector<SolverMove>& line, const Board& position,
                      const std::atomic<bool>* cancel = nullptr);

}  // namespace engine
