#pragma once
// Whether a level can be solved, and in how many moves: the verdict the editor shows under the
// canvas and beside each list entry. The search is the game's own solver, run on the very move
// code the game plays with, behind a small interface so tests can put a stand-in in its place.
#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "editor/level_grid.h"
#include "engine/board.h"
#include "engine/solver.h"

namespace mapwright {

struct Verdict {
  enum class Kind {
    Pending,     // not looked at yet, or being looked at
    Solvable,    // moves holds a shortest solution
    Unsolvable,  // proved: no move sequence wins (or a colour is short of cubes)
    Undecided,   // the search gave up at its bounds
  };
  Kind kind = Kind::Pending;
  std::vector<engine::SolverMove> moves;
  std::size_t positions = 0;  // positions looked at (Undecided: before giving up)
  friend bool operator==(const Verdict&, const Verdict&) = default;
};

// "Solvable in 12 moves", "Solvable in 1 move", "Cannot be solved", "Checking...",
// "Not decided (gave up after 3000000 positions)".
std::string VerdictText(const Verdict& verdict);
// What follows a list entry's label: " - 12 moves", " - 1 move", " - no solution", " - ?"
// (undecided), " - ..." (still being looked at).
std::string ListSuffix(const Verdict& verdict);

// True when every colour has at least as many cubes as spheres (the check Save makes).
bool HasEnoughCubes(const LevelGrid& level);

// The game's board of a level: cell (x, y) from column x - 1 of row y - 1.
engine::Board BoardFromLevel(const LevelGrid& level);

// Decides one level. Runs on a worker thread; must return soon after cancel turns true (the
// verdict is then thrown away).
class LevelSolver {
 public:
  virtual ~LevelSolver() = default;
  virtual Verdict Solve(const LevelGrid& level, const std::atomic<bool>& cancel) = 0;
};

// The game's solver with bounds that suit an editor running beside other programs: a few
// million positions and a few hundred megabytes at most.
class EngineLevelSolver final : public LevelSolver {
 public:
  static constexpr std::size_t kMaxPositions = 3'000'000;
  static constexpr std::size_t kMaxMemoryBytes = std::size_t{384} << 20;
  explicit EngineLevelSolver(std::size_t maxPositions = kMaxPositions) : maxPositions_(maxPositions) {}
  Verdict Solve(const LevelGrid& level, const std::atomic<bool>& cancel) override;

 private:
  std::size_t maxPositions_;
};

}  // namespace mapwright
