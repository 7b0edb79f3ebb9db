#pragma once
// The pieces of levelgen that tests and the benchmark share: a level as 15 rows of pack
// characters, its grading by the solver, and the pack/solutions files as we write them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/records.h"
#include "engine/solver.h"

namespace levelgen {

using Rows = std::array<std::string, engine::kBoardSize>;

engine::Board BoardFromRows(const Rows& rows);

// What the solver and a replay of its answer say about a level.
struct Grade {
  engine::SolveStatus status = engine::SolveStatus::GaveUp;
  int moves = 0;                 // shortest solution
  std::size_t states = 0;        // states the informed search stored
  std::vector<engine::SolverMove> solution;
  // Events along that solution.
  int breaks = 0;                // cracked blocks broken
  int trapsClosed = 0;           // trapdoors closed
  int crushes = 0;               // cubes destroyed
  int cubeStops = 0;             // moves that end against another cube
  int cubesMoved = 0;            // distinct cubes pushed at least once (by start cell chains)
};

Grade GradeLevel(const Rows& rows, std::size_t maxStates);

// How a simple player fares on a level. At every step it takes, among the legal pushes, one
// that lowers the solver's lower bound (engine::LowerBoundEstimator) if there is one, otherwise
// any legal push, each choice at random; it gives up after 3 x minimumMoves pushes, or as soon
// as the level can provably no longer be won, or when no push is left. Try t plays with the
// seed seed + t, so the answer is the same on every run.
struct NoviceResult {
  int tries = 0;
  int wins = 0;
  double share() const { return tries > 0 ? static_cast<double>(wins) / tries : 0.0; }
};
NoviceResult MeasureNovice(const Rows& rows, int minimumMoves, int tries = 200, std::uint64_t seed = 1);

// Pack text exactly as the editor writes it: CR LF, header, 17 lines per level.
std::string FormatPack(const std::string& title, const std::string& author, const std::string& comment,
                       const std::vector<Rows>& levels);

// The solutions file is read by the game too (par); its form lives with the records.
using engine::FormatSolutions;
using engine::ParseSolutions;

// The levels of a pack file, read the way the game reads them. False when the pack cannot
// be opened or its header is damaged.
bool ReadPackLevels(const std::string& path, std::vector<Rows>& levels, std::string* title = nullptr);

}  // namespace levelgen
