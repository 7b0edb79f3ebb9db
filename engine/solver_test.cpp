#include "engine/solver.h"

#include <array>
#include <atomic>
#include <random>
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

// Small rooms filled at random (fixed seed) with cubes, spheres and the mechanics: enough
// positions for a plain breadth-first search to settle, and enough variety to catch a bound
// that overestimates or a shortcut that loses a shorter way.
std::vector<Board> RandomSmallLevels() {
  std::vector<Board> out;
  std::mt19937 rng(20261211);
  const std::string sets[] = {"Rr", "RBrb", "RRrr", "RBrbL", "RRBrrb"};
  const std::string mechanics = "xxTTC";
  for (int n = 0; n < 60; ++n) {
    std::vector<std::string> rows(7, std::string(8, 'X'));
    std::vector<std::pair<int, int>> free;
    for (int y = 1; y < 6; ++y)
      for (int x = 1; x < 7; ++x) {
        const bool wall = rng() % 6 == 0;
        rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = wall ? 'X' : '.';
        if (!wall) free.push_back({x, y});
      }
    std::shuffle(free.begin(), free.end(), rng);
    std::string pieces = sets[static_cast<std::size_t>(n) % std::size(sets)];
    for (std::size_t k = rng() % 3; k > 0; --k) pieces += mechanics[rng() % mechanics.size()];
    for (std::size_t k = 0; k < pieces.size() && k < free.size(); ++k)
      rows[static_cast<std::size_t>(free[k].second)][static_cast<std::size_t>(free[k].first)] = pieces[k];
    out.push_back(Level(rows));
  }
  return out;
}

// Every switch of the informed search on its own, the first configuration, and the default:
// each must find the same minimum as plain breadth-first search.
std::vector<std::pair<std::string, SolverOptions>> InformedConfigurations() {
  std::vector<std::pair<std::string, SolverOptions>> out = {{"default", SolverOptions{}},
                                                            {"classic", SolverOptions::Classic()}};
  const std::pair<const char*, bool SolverOptions::*> switches[] = {
      {"deepest first", &SolverOptions::deepestFirst}, {"stop aware", &SolverOptions::stopAware},
      {"incremental bound", &SolverOptions::incrementalBound}, {"batched lookups", &SolverOptions::batchedLookups},
      {"partial expansion", &SolverOptions::partialExpansion}};
  for (const auto& [name, member] : switches) {
    SolverOptions only = SolverOptions::Classic();
    only.*member = true;
    out.push_back({std::string("classic + ") + name, only});
    SolverOptions without;
    without.*member = false;
    out.push_back({std::string("default - ") + name, without});
  }
  SolverOptions bfs;
  bfs.astar = false;  // breadth-first with symmetry and pruning (and the stop-aware bound)
  out.push_back({"pruned bfs", bfs});
  return out;
}

TEST(Solver, EveryConfigurationFindsThePlainMinimumOnSmallLevels) {
  int decided = 0, solved = 0;
  for (const Board& board : RandomSmallLevels()) {
    SolverOptions plain = SolverOptions::Plain();
    plain.maxStates = 20000;
    const SolveResult yardstick = Solve(board, plain);
    if (yardstick.status == SolveStatus::GaveUp) continue;
    ++decided;
    solved += yardstick.status == SolveStatus::Solved;
    for (auto [name, options] : InformedConfigurations()) {
      // The state check is slow: on the two configurations that carry every shortcut or none.
      options.verifyStates = name == "default" || name == "classic";
      SCOPED_TRACE(name);
      const SolveResult r = Solve(board, options);
      EXPECT_EQ(r.verifyMismatches, 0u);
      ASSERT_EQ(r.status, yardstick.status);
      EXPECT_EQ(r.moves.size(), yardstick.moves.size());
      if (r.status == SolveStatus::Solved) {
        EXPECT_TRUE(Replays(board, r.moves)) << FormatMoves(r.moves);
      }
    }
  }
  // The sample must hold both answers in numbers, or it shows nothing.
  EXPECT_GE(decided, 30);
  EXPECT_GE(solved, 10);
  EXPECT_GE(decided - solved, 5);
}

TEST(SolverBound, NeverOverestimatesAndFallsByAtMostOneAPush) {
  for (const Board& start : RandomSmallLevels()) {
    const SolveResult r = Solve(start);
    if (r.status != SolveStatus::Solved) {
      if (r.status == SolveStatus::Unsolvable && MovesLowerBound(start) != kCannotWin) continue;
      EXPECT_EQ(r.status, SolveStatus::Unsolvable);  // "cannot win" must never be said of a winnable start
      continue;
    }
    LowerBoundEstimator estimator(start);
    Board board = start;
    int before = estimator.Estimate(board);
    EXPECT_EQ(before, MovesLowerBound(start));
    for (std::size_t i = 0; i < r.moves.size(); ++i) {
      const int remaining = static_cast<int>(r.moves.size() - i);
      const int own = MovesLowerBound(board);
      EXPECT_LE(before, remaining) << FormatMoves(r.moves) << " before move " << i + 1;
      EXPECT_LE(own, remaining) << FormatMoves(r.moves) << " before move " << i + 1;
      SlideCube(board, r.moves[i].x, r.moves[i].y, r.moves[i].direction);
      const int after = estimator.Estimate(board);
      EXPECT_LE(before, after + 1) << FormatMoves(r.moves) << " at move " << i + 1;
      before = after;
    }
    EXPECT_EQ(before, 0);
  }
}

TEST(SolverBound, NamesTheBoardsThatCannotBeWon) {
  struct BoundCase {
    const char* name;
    std::vector<std::string> rows;
    int bound;
  };
  const BoundCase cases[] = {
      {"no spheres", {"XXXXX", "XR..X", "XXXXX"}, 0},
      {"covered", {"XXXXX", "X.R.X", "XXXXX"}, 0},
      {"one run away", {"XXXXX", "XR.rX", "XXXXX"}, 1},
      {"too few cubes", {"XXXXXXX", "XR.r.rX", "XXXXXXX"}, kCannotWin},
      {"walled off", {"XXXXXXX", "XR..XrX", "X...XXX", "XXXXXXX"}, kCannotWin},
      // The only way past the sphere ends on the crush block: nothing can stop the cube on it.
      {"held by a crush block", {"XXXXXXX", "XR.r.CX", "XXXXXXX"}, kCannotWin},
      {"wrong colour", {"XXXXX", "XB.rX", "XXXXX"}, kCannotWin},
  };
  for (const BoundCase& c : cases) {
    Board board = Level(c.rows);
    if (std::string(c.name) == "covered") {
      board.at(3, 2).kind = CellKind::CubeOnSphere;
      board.at(3, 2).sphereColor = CubeColor::Red;
    }
    EXPECT_EQ(MovesLowerBound(board), c.bound) << c.name;
    // Where the bound says "cannot win", the search agrees.
    if (c.bound == kCannotWin) {
      EXPECT_EQ(Solve(board, SolverOptions::Plain()).status, SolveStatus::Unsolvable) << c.name;
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

// Rooms big enough that the search hands batches of states to a second thread: the threads
// never change a minimum, every state they build matches the engine's own board, and the
// answer is the same on every run.
TEST(Solver, TwoThreadsFindTheMinimumOfOne) {
  std::mt19937 rng(1211);
  int threaded = 0;
  for (int n = 0; n < 40 && threaded < 3; ++n) {
    std::vector<std::string> rows(11, std::string(11, 'X'));
    std::vector<std::pair<int, int>> free;
    for (int y = 1; y < 10; ++y)
      for (int x = 1; x < 10; ++x) {
        const bool wall = rng() % 7 == 0;
        rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = wall ? 'X' : '.';
        if (!wall) free.push_back({x, y});
      }
    std::shuffle(free.begin(), free.end(), rng);
    const std::string pieces = n % 2 == 0 ? "RRBGrrbgxT" : "RBGLrbgCx";
    for (std::size_t k = 0; k < pieces.size() && k < free.size(); ++k)
      rows[static_cast<std::size_t>(free[k].second)][static_cast<std::size_t>(free[k].first)] = pieces[k];
    const Board board = Level(rows);
    SolverOptions one;
    one.threads = 1;
    one.maxStates = 60000;
    const SolveResult serial = Solve(board, one);
    if (serial.status == SolveStatus::GaveUp || serial.statesExpanded < 5000) continue;
    ++threaded;
    SolverOptions two = one;
    two.threads = 2;
    two.verifyStates = true;
    const SolveResult a = Solve(board, two);
    two.verifyStates = false;
    const SolveResult b = Solve(board, two);
    SCOPED_TRACE(n);
    EXPECT_EQ(a.verifyMismatches, 0u);
    ASSERT_EQ(a.status, serial.status);
    EXPECT_EQ(a.moves.size(), serial.moves.size());
    if (a.status == SolveStatus::Solved) {
      EXPECT_TRUE(Replays(board, a.moves)) << FormatMoves(a.moves);
    }
    EXPECT_EQ(b.moves, a.moves);
    EXPECT_EQ(b.statesVisited, a.statesVisited);
  }
  EXPECT_GE(threaded, 2);  // otherwise no room above was big enough to show anything
}

}  // namespace
}  // namespace engine
