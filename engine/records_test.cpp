#include "engine/records.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "engine/game_rules.h"
#include "engine/hint.h"
#include "engine/test_fakes.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::PackText;

TEST(RecordsPath, BesideTheProgressFileNeverThePack) {
  const std::pair<std::string, std::string> cases[] = {
      {"/g/data/ogpice.cdn", "/g/data/ogpice.best"},
      {"/g/levels/MyPack.CDN", "/g/levels/MyPack.best"},
      {"/g/levels/pack", "/g/levels/pack.best"},
      {"/g/levels/pack.txt", "/g/levels/pack.txt.best"},
      {"/g/my.cdn/pack.cdn", "/g/my.cdn/pack.best"},
      {"/g/levels/.cdn", "/g/levels/.best"},
      {"pack.cdn", "pack.best"},
  };
  for (const auto& [pack, best] : cases) {
    EXPECT_EQ(RecordsPathFor(pack), best) << pack;
    EXPECT_EQ(SolutionsPathFor(pack), best.substr(0, best.size() - 5) + ".solutions") << pack;
  }
}

TEST(RecordsFile, ReadsOnlyWholeRecordsOfTheLevelsThereAre) {
  struct Case {
    const char* text;
    std::map<int, int> best;
  };
  const Case cases[] = {
      {"[Best]\r\n1=1\r\n12=8\r\n", {{1, 1}, {12, 8}}},
      {"[best]\n3 = 4\n", {{3, 4}}},                       // INI rules: case and blanks
      {"[Best]\r\n0=3\r\n13=2\r\n-1=2\r\n2=0\r\n", {}},    // no such level, or no move
      {"[Best]\r\n1=abc\r\n2=-5\r\n3=1e1\r\n4=7x\r\n5=10000\r\n6=\r\n", {}},
      {"\x01\x02garbage\x7f\r\n1=4\r\n", {}},              // no section at all
      {"", {}},
      {"[Par]\r\n1=3\r\n", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRecords(c.text, 12).best, c.best) << c.text;
}

TEST(RecordsFile, FormatReadsBack) {
  LevelRecords r;
  EXPECT_TRUE(r.Offer(12, 8, 9));
  EXPECT_TRUE(r.Offer(1, 1, 0));
  EXPECT_EQ(FormatRecords(r), "[Best]\r\n1=1\r\n12=8\r\n\r\n[Par]\r\n12=9\r\n");
  const LevelRecords back = ParseRecords(FormatRecords(r), 100);
  EXPECT_EQ(back.best, r.best);
  EXPECT_EQ(back.par, r.par);
}

TEST(RecordsFile, OnlyFewerMovesSetARecord) {
  LevelRecords r;
  EXPECT_TRUE(r.Offer(2, 9, 7));
  EXPECT_FALSE(r.Offer(2, 9, 7));
  EXPECT_FALSE(r.Offer(2, 12, 7));
  EXPECT_TRUE(r.Offer(2, 7, 7));
  EXPECT_EQ(r.Best(2), 7);
  EXPECT_EQ(r.Par(2), 7);
  EXPECT_FALSE(r.Offer(2, 0, 7));
  EXPECT_FALSE(r.Offer(0, 3, 7));
  EXPECT_EQ(r.Best(3), 0);
}

// Level 1: the red cube at (1, 1) slides right onto its sphere at (3, 1), one move; level 2 the
// same with a detour possible.
const std::vector<std::vector<std::string>> kLevels = {{"R.rX"}, {"R..rX", "....."}};

class RecordsGame : public GameTest {
 protected:
  bool Exists(const std::string& rel) const { return std::filesystem::exists(dir / rel); }
};

TEST_F(RecordsGame, SolvingAFreshPackWritesTheRecord) {
  ASSERT_TRUE(game.StartPack(OpenPackWith(PackText("T", kLevels))));
  EXPECT_EQ(game.BestMoves(1), 0);
  EXPECT_FALSE(Exists("pack.best"));
  game.SetKnownPar(1, 1);
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.state().currentLevel, 2);
  EXPECT_EQ(dir.Get("pack.best"), "[Best]\r\n1=1\r\n\r\n[Par]\r\n1=1\r\n");
  EXPECT_EQ(game.BestMoves(1), 1);
  EXPECT_TRUE(game.SolvedInPar(1));
}

TEST_F(RecordsGame, MovesCountSlidesLessUndoesAndStartAgainOnEverySetUp) {
  ASSERT_TRUE(game.StartPack(OpenPackWith(PackText("T", kLevels))));
  game.LoadLevel(2);
  game.MoveCube(1, 1, Direction::Down);
  game.MoveCube(1, 15, Direction::Up);
  EXPECT_EQ(game.state().moves, 2);
  game.MoveCube(1, 1, Direction::Left);  // not allowed: no move
  EXPECT_EQ(game.state().moves, 2);
  game.UndoMove();
  EXPECT_EQ(game.state().moves, 1);
  game.UndoMove();
  game.UndoMove();  // nothing left to undo
  EXPECT_EQ(game.state().moves, 0);
  game.MoveCube(1, 1, Direction::Down);
  game.LoadLevel(2);  // Restart, Next level and Select level all set the level up
  EXPECT_EQ(game.state().moves, 0);
  // Down, up, right: solved in 3, no record yet, so this one is.
  game.MoveCube(1, 1, Direction::Down);
  game.MoveCube(1, 15, Direction::Up);
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.BestMoves(2), 3);
  EXPECT_FALSE(game.SolvedInPar(2));  // par unknown
  game.LoadLevel(2);
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.BestMoves(2), 1);
  EXPECT_EQ(game.BestMoves(1), 0);
}

TEST_F(RecordsGame, ADamagedRecordsFileStartsThePackAndIsReplacedByTheNextRecord) {
  const std::string damaged[] = {"\x01\x02\x03\xff garbage", "[Best]\r\n1=-4\r\n2=x\r\n", std::string(3u << 20, '[')};
  for (const std::string& text : damaged) {
    dir.Put("pack.best", text);
    ASSERT_TRUE(game.StartPack(OpenPackWith(PackText("T", kLevels))));
    EXPECT_EQ(game.state().currentLevel, 1);
    EXPECT_EQ(game.BestMoves(1), 0);
    game.MoveCube(1, 1, Direction::Right);
    EXPECT_EQ(game.state().currentLevel, 2);
    EXPECT_EQ(dir.Get("pack.best"), "[Best]\r\n1=1\r\n");
    std::filesystem::remove(dir / "pack.cdx");
  }
}

TEST_F(RecordsGame, AnUnreadableRecordsFileReadsAsNone) {
  dir.Mkdir("pack.best");  // a folder where the file should be
  ASSERT_TRUE(game.StartPack(OpenPackWith(PackText("T", kLevels))));
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.state().currentLevel, 2);
  EXPECT_EQ(game.BestMoves(1), 1);  // kept for this run, though it could not be written
}

TEST_F(RecordsGame, WithoutFileWritesNothingIsWrittenButEverythingIsKept) {
  game.SetWritesFiles(false);
  ASSERT_TRUE(game.StartPack(OpenPackWith(PackText("T", kLevels))));
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(game.BestMoves(1), 1);
  EXPECT_FALSE(Exists("pack.cdx"));
  EXPECT_FALSE(Exists("pack.best"));
}

TEST_F(RecordsGame, RecordsGoWhereTheProgressGoes) {
  dir.Mkdir("user");
  game.SetWritablePathMapping([this](const std::string& p) { return dir / ("user/" + p.substr(p.find_last_of('/') + 1)); });
  ASSERT_TRUE(game.StartPack(OpenPackWith(PackText("T", kLevels))));
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_FALSE(Exists("pack.best"));
  EXPECT_EQ(dir.Get("user/pack.best"), "[Best]\r\n1=1\r\n");
  EXPECT_TRUE(Exists("user/pack.cdx"));
}

TEST(StoredLine, OnlyALineThatWinsAtItsEndCounts) {
  std::array<std::string, kBoardSize> rows{"R..rX", "....."};
  const Board b = LoadBoardFromRows(rows);
  using M = std::vector<SolverMove>;
  EXPECT_TRUE(LineWins(b, M{{1, 1, Direction::Right}}));
  EXPECT_TRUE(LineWins(b, M{{1, 1, Direction::Down}, {1, 15, Direction::Up}, {1, 1, Direction::Right}}));
  EXPECT_FALSE(LineWins(b, M{}));
  EXPECT_FALSE(LineWins(b, M{{1, 1, Direction::Down}}));
  EXPECT_FALSE(LineWins(b, M{{2, 1, Direction::Right}}));                            // no cube there
  EXPECT_FALSE(LineWins(b, M{{1, 1, Direction::Right}, {4, 1, Direction::Left}}));   // won before its end
}

// The shortest number of moves to win from board, by the solver.
int Minimum(const Board& board) {
  const SolveResult r = Solve(board);
  return r.status == SolveStatus::Solved ? static_cast<int>(r.moves.size()) : -1;
}

TEST(Hint, ItsMoveBringsTheWinOneMoveCloser) {
  // Two cubes, two spheres; the blue one must go round.
  std::array<std::string, kBoardSize> rows{"XXXXXXXX", "XR...rXX", "X......X", "XB.X..bX", "XXXXXXXX"};
  Board b = LoadBoardFromRows(rows);
  const Hint h = FindHint(b);
  ASSERT_EQ(h.kind, HintKind::Move);
  EXPECT_EQ(h.movesToWin, Minimum(b));
  SlideCube(b, h.move.x, h.move.y, h.move.direction);
  EXPECT_EQ(Minimum(b), h.movesToWin - 1);
}

TEST(Hint, KindsOfAnswer) {
  std::array<std::string, kBoardSize> lost{"R.c.r", "....."};   // the crush block took what was needed
  SolveResult gaveUp;
  gaveUp.status = SolveStatus::GaveUp;
  SolveResult bound;
  bound.status = SolveStatus::NoSolutionWithinBound;
  SolveResult cancelled = gaveUp;
  cancelled.cancelled = true;
  // A crushed cube: the count test knows at once.
  Board b = LoadBoardFromRows(lost);
  SlideCube(b, 1, 1, Direction::Right);
  EXPECT_EQ(FindHint(b).kind, HintKind::NoWayToWin);
  // Cubes enough, but none can reach the sphere.
  std::array<std::string, kBoardSize> walled{"R.X.r", "..X..", "XXX.."};
  EXPECT_EQ(FindHint(LoadBoardFromRows(walled)).kind, HintKind::NoWayToWin);
  // Won, or nothing to win: nothing to hint.
  std::array<std::string, kBoardSize> toWin{"R.rX", "...."};
  std::array<std::string, kBoardSize> empty{"....", "...."};
  Board won = LoadBoardFromRows(toWin);
  SlideCube(won, 1, 1, Direction::Right);
  ASSERT_TRUE(IsSolved(won));
  EXPECT_EQ(FindHint(won).kind, HintKind::Nothing);
  EXPECT_EQ(FindHint(LoadBoardFromRows(empty)).kind, HintKind::Nothing);
  EXPECT_EQ(HintFromResult(gaveUp).kind, HintKind::NotFound);
  EXPECT_EQ(HintFromResult(bound).kind, HintKind::NotFound);
  EXPECT_TRUE(HintFromResult(cancelled).cancelled);
}

TEST(Hint, AlongTheStoredLineWithoutASearch) {
  // Down onto the block's row, then right onto the sphere.
  std::array<std::string, kBoardSize> rows{"R....", "...rX", "X...."};
  const Board start = LoadBoardFromRows(rows);
  const std::vector<SolverMove> line{{1, 1, Direction::Down}, {1, 2, Direction::Right}};
  Board b = start;
  for (std::size_t k = 0; k < line.size(); ++k) {
    const auto h = HintAlongLine(start, line, b);
    ASSERT_TRUE(h.has_value()) << k;
    EXPECT_EQ(h->move, line[k]);
    EXPECT_EQ(h->movesToWin, static_cast<int>(line.size() - k));
    SlideCube(b, line[k].x, line[k].y, line[k].direction);
  }
  EXPECT_FALSE(HintAlongLine(start, line, b).has_value());  // won
  Board off = start;
  SlideCube(off, 1, 1, Direction::Right);
  EXPECT_FALSE(HintAlongLine(start, line, off).has_value());
  EXPECT_FALSE(HintAlongLine(start, {{1, 1, Direction::Down}}, start).has_value());  // a line that does not win
}

}  // namespace
}  // namespace engine
