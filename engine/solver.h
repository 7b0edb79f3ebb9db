#pragma once
// Shortest-solution search for one level. Every move the search tries goes through the move
// engine's own drawing-free slide (the code the game's MoveCube runs), so the solver and the
// game can never disagree about where a cube ends up.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/board.h"

namespace engine {

enum class SolveStatus {
  Solved,         // moves holds a shortest solution
  Unsolvable,     // every reachable state was looked at: no move sequence wins
  NoSolutionWithinBound,  // every state up to maxMoves moves was looked at, none wins
  GaveUp,         // the state or memory limit was reached first
};

struct SolverMove {
  int x = 0;  // the pushed cube's cell before the move, 1 .. 15
  int y = 0;
  Direction direction = Direction::None;
  friend bool operator==(const SolverMove&, const SolverMove&) = default;
};

struct SolverOptions {
  // Informed search: A* on an admissible and consistent bound (spheres still to be covered,
  // each needing its own cube of its colour and at least as many straight runs as the walls
  // demand). Off: breadth-first search.
  bool astar = true;
  // Cubes of one colour are interchangeable: a state keeps each colour's positions sorted.
  bool symmetry = true;
  // Drop states that can no longer be won (a colour short of cubes, a sphere no cube of its
  // colour can reach any more).
  bool pruning = true;
  // Longest solution looked for; longer ones are reported as NoSolutionWithinBound.
  int maxMoves = 250;
  // Search limits; whichever is reached first ends the search with GaveUp.
  std::size_t maxStates = 8'000'000;
  std::size_t maxMemoryBytes = std::size_t{1} << 30;
  // Cross-checks every incrementally built state against a full reading of the board (slow;
  // for tests).
  bool verifyStates = false;
  // Another thread sets this to stop the search at once (a level change, a new edit); the
  // search then ends with GaveUp and `cancelled` set. Looked at between expansions.
  const std::atomic<bool>* cancel = nullptr;

  // Breadth-first, cubes kept apart by identity, nothing pruned: the yardstick.
  static SolverOptions Plain() {
    SolverOptions o;
    o.astar = false;
    o.symmetry = false;
    o.pruning = false;
    return o;
  }
};

struct SolveResult {
  SolveStatus status = SolveStatus::GaveUp;
  std::vector<SolverMove> moves;  // only when Solved
  std::size_t statesVisited = 0;  // distinct states stored
  std::size_t statesExpanded = 0;
  double seconds = 0.0;
  std::size_t verifyMismatches = 0;  // with verifyStates: states the incremental update got wrong
  bool cancelled = false;  // GaveUp because options.cancel was set
};

// Searches a shortest winning move sequence from the board as it stands. Moves are the pushes
// board input allows (the neighbour lies on the board and is Empty, Sphere or Trapdoor); a
// sequence wins when its last move leaves the cube at rest and every sphere covered by a cube
// of its colour. A level that starts solved still needs one such move.
SolveResult Solve(const Board& start, const SolverOptions& options = {});

// "3,4,r 7,7,u": the form frostlide-cli play reads.
std::string FormatMoves(const std::vector<SolverMove>& moves);
// Parses that form; false (and moves untouched) on any malformed entry.
bool ParseMoves(const std::string& text, std::vector<SolverMove>& moves);

}  // namespace engine
