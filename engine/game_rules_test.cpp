#include "engine/game_rules.h"

#include <gtest/gtest.h>

#include "engine/test_fakes.h"
#include "platform/files.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::Log;
using testing::PackText;

Board WithCubeOnSphere(Board b, int x, int y, CubeColor cube, CubeColor sphere) {
  Cell& c = b.at(x, y);
  c.kind = CellKind::CubeOnSphere;
  c.cubeColor = cube;
  c.sphereColor = sphere;
  return b;
}

TEST(IsSolved, EverySphereUnderItsOwnColour) {
  const Board empty = LoadBoardFromRows({});
  EXPECT_TRUE(IsSolved(empty));
  EXPECT_FALSE(IsSolved(LoadBoardFromRows({"r"})));
  EXPECT_TRUE(IsSolved(LoadBoardFromRows({"R", "G", "B"})));  // spare cubes do not matter
  EXPECT_TRUE(IsSolved(WithCubeOnSphere(LoadBoardFromRows({"G"}), 2, 2, CubeColor::Red, CubeColor::Red)));
  EXPECT_FALSE(IsSolved(WithCubeOnSphere(empty, 2, 2, CubeColor::Blue, CubeColor::Red)));
  // A colour left behind on an empty cell is no sphere.
  Board stale = empty;
  stale.at(3, 3).sphereColor = CubeColor::Red;
  EXPECT_TRUE(IsSolved(stale));
}

TEST(IsWinnable, CountsCubesAgainstSpheresPerColour) {
  struct Case {
    std::array<std::string, kBoardSize> rows;
    bool winnable;
  } cases[] = {
      {{"Rr"}, true},      {{"r"}, false},        {{"RRr"}, true},      {{"Rrr"}, false},
      {{"Rr", "Bb", "Hh", "Ll", "Ww", "Gg"}, true}, {{"Rr", "h"}, false}, {{"RT", "r"}, true},
      {{}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWinnable(LoadBoardFromRows(c.rows)), c.winnable) << c.rows[0];

  // A cube on a sphere of another colour counts for both colours.
  const Board b = WithCubeOnSphere(LoadBoardFromRows({"Br"}), 5, 5, CubeColor::Red, CubeColor::Blue);
  EXPECT_TRUE(IsWinnable(b));  // red: 1 cube, 1 sphere; blue: 1 cube, 1 sphere
  EXPECT_FALSE(IsWinnable(WithCubeOnSphere(LoadBoardFromRows({"r"}), 5, 5, CubeColor::Red, CubeColor::Blue)));
  // Cubes on trapdoors count; colours left on emptied cells do not.
  Board t = LoadBoardFromRows({"r"});
  t.at(4, 4).kind = CellKind::CubeOnTrapdoor;
  t.at(4, 4).cubeColor = CubeColor::Red;
  EXPECT_TRUE(IsWinnable(t));
  Board stale = LoadBoardFromRows({"r"});
  stale.at(4, 4).cubeColor = CubeColor::Red;
  EXPECT_FALSE(IsWinnable(stale));
}

TEST(SamePosition, IgnoresWhatReadersMustIgnore) {
  Board a = LoadBoardFromRows({"R.r"});
  Board b = a;
  b.at(2, 1).cubeColor = CubeColor::Green;
  b.at(1, 1).arrow = 2;
  EXPECT_TRUE(SamePosition(a, b));
  EXPECT_FALSE(a == b);
  NormalizeBoard(b);
  EXPECT_TRUE(a == b);
  b.at(1, 1).cubeColor = CubeColor::Blue;
  EXPECT_FALSE(SamePosition(a, b));
}

class WinTest : public GameTest {
 protected:
  void Pack(int levels) {
    std::vector<std::vector<std::string>> ls(static_cast<std::size_t>(levels), std::vector<std::string>{"R.rX", "....", "G..gX"});
    path = OpenPackWith(PackText("T", ls));
    game.BeginPack();
    log.clear();
  }
  void Solve() {
    game.MoveCube(1, 1, Direction::Right);
    game.MoveCube(1, 3, Direction::Right);
  }
  std::string path;
};

TEST_F(WinTest, ASolvedLevelSetsUpTheNextAndSavesProgress) {
  Pack(3);
  Solve();
  EXPECT_EQ(game.state().currentLevel, 2);
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(dir.Get("pack.cdx"), "1\r\nd\r\n2\r\nu\r\n3\r\nu\r\n");
  // victory, then the next level is drawn and the board takes the focus.
  const Log tail(log.end() - 9, log.end());
  EXPECT_EQ(tail, (Log{"sound match", "sound victory", "Present", "LoadBackground 0", "LoadBlockSet 0", "DrawLevel",
                       "host RedrawGameMenu", "host UseGameCursor", "host FocusBoard"}));
}

TEST_F(WinTest, SolvedNextLevelIsSetUpAnyway) {
  Pack(3);
  game.SetSolved(2, true);
  Solve();
  EXPECT_EQ(game.state().currentLevel, 2);
}

TEST_F(WinTest, TheLastLevelShowsTheCreditsEvenWithEarlierLevelsUnsolved) {
  Pack(3);
  game.LoadLevel(3);
  log.clear();
  Solve();
  EXPECT_EQ(Only("host ShowCredits").size(), 1u);
  EXPECT_EQ(game.state().currentLevel, 3);
  EXPECT_EQ(dir.Get("pack.cdx"), "1\r\nu\r\n2\r\nu\r\n3\r\nd\r\n");
  // The next start begins at the first unsolved level.
  ASSERT_TRUE(game.StartPack(path));
  EXPECT_EQ(game.state().currentLevel, 1);
}

TEST_F(WinTest, SpareCubesDoNotPreventTheWin) {
  OpenPackWith(PackText("T", {{"R.rX", "B", "H"}, {}}));
  game.BeginPack();
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_TRUE(game.IsLevelSolved(1));
}

TEST_F(WinTest, ALevelWithoutSpheresIsSolvedOnlyAfterAMove) {
  OpenPackWith(PackText("T", {{"R.X"}, {}}));
  game.BeginPack();
  EXPECT_FALSE(game.IsLevelSolved(1));
  EXPECT_TRUE(IsSolved(game.board()));
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(game.state().currentLevel, 2);
}

TEST_F(WinTest, AFailedProgressWriteDoesNotStopTheGame) {
  Pack(2);
  platform::SimulateWriteFailure(true);
  Solve();
  platform::SimulateWriteFailure(false);
  EXPECT_EQ(game.state().currentLevel, 2);
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(dir.Get("pack.cdx"), "1\r\nu\r\n2\r\nu\r\n");  // the old file is kept
}

TEST_F(GameTest, MultiLevelFlagFollowsTheLevelCount) {
  OpenPackWith(PackText("T", {{}}));
  game.LoadLevel(1);
  EXPECT_FALSE(game.state().multiLevelPack);
  EXPECT_TRUE(Only("host Redraw").empty());
  OpenPackWith(PackText("T", {{}, {}}));
  game.LoadLevel(1);
  EXPECT_TRUE(game.state().multiLevelPack);
  EXPECT_EQ(Only("host Redraw").size(), 1u);
  game.LoadLevel(2);
  EXPECT_EQ(Only("host Redraw").size(), 1u);  // unchanged: no redraw
}

}  // namespace
}  // namespace engine
