#pragma once
// Shortest-solution search for one level. Every move the search tries goes through the move
// engine's own drawing-free slide (the code the game's MoveCube runs), so the solver and the
// game can never disagree about where a cube ends up.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
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
  // A*: among states of one estimated length, expand the one closest to a win (smallest bound)
  // first, and stop at a winning state as soon as it is generated on the shortest level still
  // open. Changes which shortest solution is found, never its length.
  bool deepestFirst = true;
  // The bound lets a cube stop only where something may stop it (a wall, a trapdoor, a cracked
  // block, a cell some cube may rest on); off: anywhere along a straight run. Both admissible.
  bool stopAware = true;
  // A*: a state's successors are stored only once the search reaches their estimated length;
  // until then the state itself waits in the queue at the next such length (far fewer states
  // kept, a few states expanded more than once).
  bool partialExpansion = true;
  // The successors of a state are looked up together, their index slots fetched ahead; a slot
  // keeps part of its key's hash, so a stored key is read only where that part matches.
  bool batchedLookups = true;
  // Successors of a state reuse its bound for the colours the push left alone.
  bool incrementalBound = true;
  // Threads that expand states side by side once a search has grown past its first few
  // thousand states (batched informed search only; 1: this thread alone; never more than the
  // processor's cores). The result does not depend on their timing.
  int threads = 2;

  // Breadth-first, cubes kept apart by identity, nothing pruned: the yardstick.
  static SolverOptions Plain() {
    SolverOptions o;
    o.astar = false;
    o.symmetry = false;
    o.pruning = false;
    return o;
  }
  // The informed search as it was first built (plain A* order, every bound worked out in full):
  // kept for comparison in the benchmark.
  static SolverOptions Classic() {
    SolverOptions o;
    o.deepestFirst = false;
    o.incrementalBound = false;
    o.stopAware = false;
    o.batchedLookups = false;
    o.partialExpansion = false;
    o.threads = 1;
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

// A lower bound on the pushes still needed to win from `board`: the bound the informed search
// orders by (each sphere needs its own cube of its colour, and that cube at least as many
// straight runs as the walls demand). 0 exactly when every sphere is covered by its colour (a
// board without spheres included). kCannotWin when the board provably cannot be won any more:
// a colour short of cubes, or a sphere no cube of its colour can reach.
inline constexpr int kCannotWin = std::numeric_limits<int>::max();
int MovesLowerBound(const Board& board);

// The same bound for many boards of one level: set up once from the level's start position, it
// answers for any board reached from there by pushes (cracked blocks broken, trapdoors closed,
// cubes crushed), far cheaper than MovesLowerBound on each.
class LowerBoundEstimator {
 public:
  explicit LowerBoundEstimator(const Board& start);
  ~LowerBoundEstimator();
  LowerBoundEstimator(const LowerBoundEstimator&) = delete;
  LowerBoundEstimator& operator=(const LowerBoundEstimator&) = delete;
  int Estimate(const Board& board);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// "3,4,r 7,7,u": the form frostlide-cli play reads.
std::string FormatMoves(const std::vector<SolverMove>& moves);
// Parses that form; false (and moves untouched) on any malformed entry.
bool ParseMoves(const std::string& text, std::vector<SolverMove>& moves);

}  // namespace engine
