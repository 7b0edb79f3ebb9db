#include "engine/solver.h"

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/simulation.h"

namespace engine {
namespace {

Board Level(std::vector<std::string> rows) {
  std::array<std::string, kBoardSize> all;
  for (std::size_t i = 0; i < rows.size() && i < all.size(); ++i) all[i] = rows[i];
  return LoadBoardFromRows(all);
}

// Plays the moves with the engine's own slide; true when every move was allowed and the last
// one came to rest on a solved board (the game's win test after a completed move).
bool Replays(Board board, const std::vector<SolverMove>& moves) {
  if (moves.empty()) return false;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const SolverMove& m = moves[i];
    if (!CanPush(board, m.x, m.y, m.direction)) return false;
    const MoveOutcome out = SlideCube(board, m.x, m.y, m.direction);
    const bool won = !out.crushed && IsSolved(board);
    if (won != (i + 1 == moves.size())) return false;  // no earlier win, a win at the end
  }
  return true;
}

struct Case {
  const char* name;
  std::vector<std::string> rows;
  SolveStatus status;
  int moves;  // shortest solution when Solved
};

// Small levels whose answers were worked out by hand; each one leans on one rule.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"slide to the wall onto the sphere", {"XXXXX", "XR.rX", "XXXXX"}, SolveStatus::Solved, 1},
      {"board edge stops a cube", {"r..R"}, SolveStatus::Solved, 1},
      // R slides over its sphere and stops in front of L; nothing ever stops it on the sphere.
      {"spheres do not stop a cube", {"XXXXXXX", "XR.r.LX", "XXXXXXX"}, SolveStatus::Unsolvable, 0},
      // B first, so that R stops against it on its sphere.
      {"another cube is a stopper", {"XXXXXXX", "XR..r.X", "XXXXX.X", "XXXXXBX", "XXXXXXX"},
       SolveStatus::Solved, 2},
      {"two colours, each to its own sphere",
       {"XXXXXXX", "XR..rXX", "XB..bXX", "XXXXXXX"}, SolveStatus::Solved, 2},
      {"a wrong colour on a sphere is no win", {"XXXXX", "XB.rX", "XXXXX"}, SolveStatus::Unsolvable, 0},
      {"equal cubes are interchangeable",
       {"XXXXXXX", "XR...rX", "XR...rX", "XXXXXXX"}, SolveStatus::Solved, 2},
      // The first push breaks the block and stops in front of it; the second runs on.
      {"cracked block breaks and stops the cube", {"XXXXXX", "XR.xrX", "XXXXXX"}, SolveStatus::Solved, 2},
      {"a cracked block next to a cube cannot be pushed into", {"XXXXX", "XRxrX", "XXXXX"},
       SolveStatus::Unsolvable, 0},
      {"crush block destroys the cube", {"XXXXXXX", "XR.C.rX", "XXXXXXX"}, SolveStatus::Unsolvable, 0},
      // The black cube blocks the corridor until it is thrown onto the crush block.
      {"crushing a spare cube clears the way",
       {"XXXXXXX", "XR.L.rX", "XXX.XXX", "XXXCXXX", "XXXXXXX"}, SolveStatus::Solved, 2},
      {"a crushed move is never a win", {"XXXXX", "XXRCX", "XXXXX"}, SolveStatus::Unsolvable, 0},
      {"a level without spheres is won by any resting move", {"XXXXX", "XR..X", "XXXXX"},
       SolveStatus::Solved, 1},
      // Without the trapdoor the cube would run back to the far wall; the closed trapdoor stops
      // it below the sphere.
      {"trapdoor closes behind the cube",
       {"XXXXXXXX", "XXXXXrXX", "X.R.T..X", "XXXXXXXX"}, SolveStatus::Solved, 3},
      {"too few cubes", {"XXXXXXX", "XR.r.rX", "XXXXXXX"}, SolveStatus::Unsolvable, 0},
      {"a sphere no cube can reach", {"XXXXXXX", "XR..XrX", "X...XXX", "XXXXXXX"},
       SolveStatus::Unsolvable, 0},
      // Both cubes must cross the trapdoor to reach their spheres, but it lets only one across.
      {"a trapdoor that must be crossed twice", {"XXXXXXXXX", "XRBT..rbX", "XXXXXXXXX"},
       SolveStatus::Unsolvable, 0},
  };
  return cases;
}

TEST(Solver, FindsShortestSolutionsInEveryMode) {
  SolverOptions modes[] = {SolverOptions{}, SolverOptions::Plain(), SolverOptions{}};
  modes[2].astar = false;  // breadth-first with the symmetry and pruning
  for (const Case& c : Cases()) {
    const Board board = Level(c.rows);
    for (SolverOptions opt : modes) {
      opt.verifyStates = true;
      SCOPED_TRACE(std::string(c.name) + (opt.astar ? " astar" : " bfs") + (opt.symmetry ? "" : " plain"));
      const SolveResult r = Solve(board, opt);
      EXPECT_EQ(r.status, c.status);
      EXPECT_EQ(r.verifyMismatches, 0u);
      EXPECT_GE(r.statesVisited, 1u);
      if (c.status == SolveStatus::Solved) {
        EXPECT_EQ(static_cast<int>(r.moves.size()), c.moves) << FormatMoves(r.moves);
        EXPECT_TRUE(Replays(board, r.moves)) << FormatMoves(r.moves);
      } else {
        EXPECT_TRUE(r.moves.empty());
      }
    }
  }
}

TEST(Solver, TheTrapdoorIsWhatMakesThoseLevelsSolvableOrNot) {
  // The same corridor with open floor instead of the trapdoor: both cubes get across.
  const Board open = Level({"XXXXXXXXX", "XRB...rbX", "XXXXXXXXX"});
  const SolveResult twice = Solve(open);
  ASSERT_EQ(twice.status, SolveStatus::Solved);
  EXPECT_EQ(twice.moves.size(), 2u);
  EXPECT_TRUE(Replays(open, twice.moves));
  // And without the trapdoor that stops it, the single crossing level cannot be won.
  EXPECT_EQ(Solve(Level({"XXXXXXXX", "XXXXXrXX", "X.R....X", "XXXXXXXX"})).status, SolveStatus::Unsolvable);
}

TEST(Solver, PruningDropsHopelessStatesBeforeSearching) {
  // Too few cubes and unreachable spheres are seen at the start, without a single expansion.
  for (const char* name : {"too few cubes", "a sphere no cube can reach"}) {
    for (const Case& c : Cases()) {
      if (std::string(c.name) != name) continue;
      const SolveResult pruned = Solve(Level(c.rows));
      EXPECT_EQ(pruned.statesExpanded, 0u) << name;
      const SolveResult plain = Solve(Level(c.rows), SolverOptions::Plain());
      EXPECT_GT(plain.statesExpanded, 0u) << name;
    }
  }
}

TEST(Solver, SymmetryAndBoundShrinkTheSearch) {
  // Three red cubes in a small room: interchangeable cubes and the bound both pay off.
  const Board board = Level({"XXXXXXXX", "XR..X.rX", "X.R...rX", "X..r..RX", "X.X....X", "XXXXXXXX"});
  const SolveResult fast = Solve(board);
  const SolveResult plain = Solve(board, SolverOptions::Plain());
  ASSERT_EQ(fast.status, SolveStatus::Solved);
  ASSERT_EQ(plain.status, SolveStatus::Solved);
  EXPECT_EQ(fast.moves.size(), plain.moves.size());
  EXPECT_EQ(fast.moves.size(), 7u);
  EXPECT_LT(fast.statesVisited * 3, plain.statesVisited);
}

TEST(Solver, ReportsTheLimitsItRanInto) {
  const Board board = Level({"XXXXXXXX", "XR..X.rX", "X.R...rX", "X..r..RX", "X.X....X", "XXXXXXXX"});
  SolverOptions few;
  few.maxStates = 3;
  for (bool astar : {true, false}) {
    few.astar = astar;
    const SolveResult r = Solve(board, few);
    EXPECT_EQ(r.status, SolveStatus::GaveUp);
    EXPECT_LE(r.statesVisited, 3u);
    EXPECT_TRUE(r.moves.empty());
  }
  SolverOptions tiny;
  tiny.maxMemoryBytes = 64;  // not even room for the start
  EXPECT_EQ(Solve(board, tiny).status, SolveStatus::GaveUp);

  SolverOptions shallow;
  shallow.maxMoves = 6;  // the answer needs 7
  for (bool astar : {true, false}) {
    shallow.astar = astar;
    EXPECT_EQ(Solve(board, shallow).status, SolveStatus::NoSolutionWithinBound);
  }
  shallow.maxMoves = 7;
  EXPECT_EQ(Solve(board, shallow).status, SolveStatus::Solved);
}

TEST(Solver, CopesWithBoardsNoPackWouldHold) {
  // An empty board, a board full of cubes, and a cube with no colour: answers, no crash.
  EXPECT_EQ(Solve(Level({})).status, SolveStatus::Unsolvable);
  std::vector<std::string> full(kBoardSize, std::string(kBoardSize, 'R'));
  EXPECT_EQ(Solve(Level(full)).status, SolveStatus::Unsolvable);
  Board odd = Level({"XXXXX", "XR.rX", "XXXXX"});
  odd.at(2, 2).cubeColor = static_cast<CubeColor>(9);
  EXPECT_EQ(Solve(odd).status, SolveStatus::Unsolvable);
  EXPECT_EQ(Solve(odd, SolverOptions::Plain()).status, SolveStatus::Unsolvable);
}

TEST(SolverMoves, FormatAndParseRoundTrip) {
  const std::vector<SolverMove> moves = {{3, 4, Direction::Right}, {15, 1, Direction::Up},
                                         {1, 15, Direction::Left}, {7, 7, Direction::Down}};
  const std::string text = FormatMoves(moves);
  EXPECT_EQ(text, "3,4,r 15,1,u 1,15,l 7,7,d");
  std::vector<SolverMove> back;
  ASSERT_TRUE(ParseMoves("  " + text + "\r\n", back));
  EXPECT_EQ(back, moves);
  ASSERT_TRUE(ParseMoves("", back));
  EXPECT_TRUE(back.empty());
}

TEST(SolverMoves, RejectsMalformedEntriesAndKeepsTheList) {
  const std::vector<SolverMove> before = {{1, 1, Direction::Left}};
  for (const char* bad : {"3,4", "3,4,x", "0,4,l", "16,4,l", "3,,l", "a,4,l", "3,4,lr", "3,4,l 5",
                          "3;4;l", "003,4,l", "3,4,L"}) {
    std::vector<SolverMove> moves = before;
    EXPECT_FALSE(ParseMoves(bad, moves)) << bad;
    EXPECT_EQ(moves, before) << bad;
  }
}

TEST(Solver, ACancelledSearchStopsAtOnceAndSaysSo) {
  const Board board = Level({"XXXXXXXX", "XR..X.rX", "X.R...rX", "X..r..RX", "X.X....X", "XXXXXXXX"});
  std::atomic<bool> stop{true};
  for (SolverOptions options : {SolverOptions{}, SolverOptions::Plain()}) {
    options.cancel = &stop;
    const SolveResult r = Solve(board, options);
    EXPECT_EQ(r.status, SolveStatus::GaveUp);
    EXPECT_TRUE(r.cancelled);
    EXPECT_LE(r.statesExpanded, 1u);
  }
  // A flag that stays down changes nothing.
  std::atomic<bool> go{false};
  SolverOptions options;
  options.cancel = &go;
  const SolveResult r = Solve(board, options);
  EXPECT_EQ(r.status, SolveStatus::Solved);
  EXPECT_FALSE(r.cancelled);
}

}  // namespace
}  // namespace engine
