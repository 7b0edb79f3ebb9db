#include "engine/undo_history.h"

#include <gtest/gtest.h>

#include "engine/game_rules.h"
#include "engine/test_fakes.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::Log;
using testing::PackText;

class UndoTest : public GameTest {
 protected:
  void Level(const std::vector<std::string>& rows) {
    OpenPackWith(PackText("T", {rows, {}}));
    game.ResetSolved();
    game.LoadLevel(1);
    log.clear();
  }
};

TEST_F(UndoTest, NothingToUndoAtStartOrAfterSetUp) {
  EXPECT_FALSE(game.state().undoAvailable);
  game.UndoMove();
  EXPECT_TRUE(log.empty());
  Level({"R.X", "g"});
  game.MoveCube(1, 1, Direction::Right);
  game.LoadLevel(1);
  EXPECT_FALSE(game.state().undoAvailable);
  const Board before = game.board();
  game.UndoMove();
  EXPECT_EQ(game.board(), before);
}

TEST_F(UndoTest, ThirtyNewestMovesCanBeTakenBack) {
  Level({"R.............X", "g"});
  std::vector<Board> boards;
  for (int i = 0; i < 31; ++i) {
    boards.push_back(game.board());
    const bool right = At(1, 1).kind == CellKind::Cube;
    game.MoveCube(right ? 1 : 14, 1, right ? Direction::Right : Direction::Left);
  }
  for (int i = 30; i >= 1; --i) {
    ASSERT_TRUE(game.state().undoAvailable) << i;
    game.UndoMove();
    EXPECT_TRUE(SamePosition(game.board(), boards[static_cast<std::size_t>(i)])) << i;
  }
  EXPECT_FALSE(game.state().undoAvailable);
  const Board after = game.board();
  game.UndoMove();
  EXPECT_EQ(game.board(), after);
}

TEST_F(UndoTest, TheRingContinuesAcrossLevels) {
  Level({"R.X", "g"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.undoRing().pos(), 1);
  game.LoadLevel(1);
  EXPECT_EQ(game.undoRing().pos(), 1);  // set-up empties the records, not the position
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.undoRing().pos(), 2);
  game.UndoMove();
  game.UndoMove();
  EXPECT_EQ(game.undoRing().pos(), 1);
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
}

TEST_F(UndoTest, UndoOfACrushPutsTheCubeBack) {
  Level({"R.C", "g"});
  game.MoveCube(1, 1, Direction::Right);
  log.clear();
  game.UndoMove();
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(1, 1).cubeColor, CubeColor::Red);
  EXPECT_EQ(At(3, 1).kind, CellKind::CrushBlock);
  EXPECT_EQ(log, (Log{"CubeLayer", "host RedrawGameMenu", "Present"}));
}

TEST_F(UndoTest, UndoOfABreakRestoresTheCrackedBlock) {
  Level({"R..x", "g"});
  game.MoveCube(1, 1, Direction::Right);
  log.clear();
  game.UndoMove();
  EXPECT_EQ(At(4, 1).kind, CellKind::CrackedBlock);
  EXPECT_EQ(At(3, 1).kind, CellKind::Empty);
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
  EXPECT_EQ(log, (Log{"Restore 62,0 31x31", "Sprite 4,1 BlockMask and defer", "Sprite 4,1 CrackedBlock paint defer",
                      "CubeLayer", "host RedrawGameMenu", "Present"}));
}

TEST_F(UndoTest, UndoReopensEveryTrapdoorTheMoveClosed) {
  // The cube starts on an open trapdoor, crosses one more and stops on a third.
  Level({"..T.T.TX", "g"});
  game.board().at(3, 1).kind = CellKind::CubeOnTrapdoor;
  game.board().at(3, 1).cubeColor = CubeColor::Blue;
  const Board before = game.board();
  game.MoveCube(3, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::Block);
  EXPECT_EQ(At(5, 1).kind, CellKind::Block);
  EXPECT_EQ(At(7, 1).kind, CellKind::CubeOnTrapdoor);
  log.clear();
  game.UndoMove();
  EXPECT_TRUE(SamePosition(game.board(), before));
  EXPECT_EQ(At(3, 1).kind, CellKind::CubeOnTrapdoor);
  EXPECT_EQ(At(3, 1).cubeColor, CubeColor::Blue);
  EXPECT_EQ(At(5, 1).kind, CellKind::Trapdoor);
  EXPECT_EQ(At(7, 1).kind, CellKind::Trapdoor);
  EXPECT_EQ(log, (Log{"Restore 62,0 31x31", "Sprite 3,1 Cube(0,2) masked defer", "Trapdoor 7,1 Block buffer restore", "Restore 124,0 31x31",
                      "Restore 186,0 31x31", "CubeLayer", "host RedrawGameMenu", "Present"}));
}

TEST_F(UndoTest, UndoOfAMoveFromASphereLeavesTheCubeOnIt) {
  Level({"..rX", "g"});
  game.board().at(3, 1).kind = CellKind::CubeOnSphere;
  game.board().at(3, 1).cubeColor = CubeColor::Green;
  game.MoveCube(3, 1, Direction::Left);
  EXPECT_EQ(At(3, 1).kind, CellKind::Sphere);
  game.UndoMove();
  EXPECT_EQ(At(3, 1).kind, CellKind::CubeOnSphere);
  EXPECT_EQ(At(3, 1).cubeColor, CubeColor::Green);
  EXPECT_EQ(At(1, 1).kind, CellKind::Empty);
}

TEST_F(UndoTest, UndoOfAMoveOntoASphereRedrawsTheSphere) {
  Level({"R.b", "..X", "g"});
  game.board().at(4, 1).kind = CellKind::Block;
  game.MoveCube(1, 1, Direction::Right);
  log.clear();
  game.UndoMove();
  EXPECT_EQ(At(3, 1).kind, CellKind::Sphere);
  EXPECT_EQ(Log(log.begin(), log.begin() + 3),
            (Log{"Restore 62,0 31x31", "Sprite 3,1 SphereMask and defer", "Sprite 3,1 Sphere(2) paint defer"}));
}

TEST_F(UndoTest, UndoClearsEveryArrowAndNeverRunsTheWinTest) {
  Level({"R.rX", "..", "G", "b"});
  game.MoveCube(1, 1, Direction::Right);
  ASSERT_TRUE(game.ShowArrow(1, 3, Direction::Right));
  game.UndoMove();
  for (int x = 1; x <= 15; ++x)
    for (int y = 1; y <= 15; ++y) EXPECT_EQ(At(x, y).arrow, 0);
  EXPECT_TRUE(Only("sound victory").empty());
}

TEST_F(UndoTest, EdgesStayZeroThroughMovesAndUndos) {
  Level({"RTx.C", "..G.T", "x.r.g", "T...L", "....."});
  const Direction ds[] = {Direction::Right, Direction::Down, Direction::Left, Direction::Up};
  for (int i = 0; i < 60; ++i) {
    for (int x = 1; x <= 15; ++x)
      for (int y = 1; y <= 15; ++y)
        if (CanPush(game.board(), x, y, ds[i % 4])) {
          game.MoveCube(x, y, ds[i % 4]);
          x = y = 16;
        }
    if (i % 3 == 2) game.UndoMove();
    ASSERT_TRUE(testing::EdgesZero(game.board()));
  }
}

}  // namespace
}  // namespace engine
