#include "engine/cube_movement.h"

#include <random>

#include <gtest/gtest.h>

#include "engine/game_rules.h"
#include "engine/test_fakes.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::Log;

class MoveTest : public GameTest {
 protected:
  // A one-level pack so that a win ends with the credits and nothing else is set up.
  void Level(const std::vector<std::string>& rows) {
    OpenPackWith(testing::PackText("T", {rows}));
    game.ResetSolved();
    game.LoadLevel(1);
    log.clear();
    painter.frames.clear();
  }
  Log Sounds() const { return Only("sound"); }
};

TEST(CanPush, OnlyOntoFloorSpheresAndOpenTrapdoors) {
  const Board b = LoadBoardFromRows({"R.", "Rr", "RT", "RX", "Rx", "RC", "RG", "R", ".R"});
  EXPECT_TRUE(CanPush(b, 1, 1, Direction::Right));
  EXPECT_TRUE(CanPush(b, 1, 2, Direction::Right));
  EXPECT_TRUE(CanPush(b, 1, 3, Direction::Right));
  EXPECT_FALSE(CanPush(b, 1, 4, Direction::Right));  // block
  EXPECT_FALSE(CanPush(b, 1, 5, Direction::Right));  // cracked block
  EXPECT_FALSE(CanPush(b, 1, 6, Direction::Right));  // crush block
  EXPECT_FALSE(CanPush(b, 1, 7, Direction::Right));  // another cube
  EXPECT_FALSE(CanPush(b, 1, 8, Direction::Left));   // the edge
  EXPECT_FALSE(CanPush(b, 1, 1, Direction::Up));     // the edge
  EXPECT_TRUE(CanPush(b, 2, 9, Direction::Left));
  EXPECT_FALSE(CanPush(b, 2, 1, Direction::Left));   // not a cube
  EXPECT_FALSE(CanPush(b, 0, 1, Direction::Right));  // outside the board
  EXPECT_FALSE(CanPush(b, 1, 16, Direction::Up));
  EXPECT_FALSE(CanPush(b, 1, 1, Direction::None));
}

TEST_F(MoveTest, StopsAtTheEdge) {
  Level({".R.............", "..............."});
  game.MoveCube(2, 1, Direction::Left);
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(2, 1).kind, CellKind::Empty);
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(15, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(15, 1).cubeColor, CubeColor::Red);
}

TEST_F(MoveTest, SlidesOverSpheresAndMatchesOnlyAtRest) {
  Level({"Rbrg..........X", "b"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(14, 1).kind, CellKind::Cube);
  for (int x = 2; x <= 4; ++x) EXPECT_EQ(At(x, 1).kind, CellKind::Sphere) << x;
  EXPECT_EQ(Sounds(), (Log{"sound click"}));

  Level({"R.rX", "b"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::CubeOnSphere);
  EXPECT_EQ(At(3, 1).cubeColor, CubeColor::Red);
  EXPECT_EQ(Sounds(), (Log{"sound click", "sound match"}));  // a blue sphere is left: no victory
}

TEST_F(MoveTest, CubeOnAWrongSphereDoesNotMatch) {
  Level({"R.bX"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::CubeOnSphere);
  EXPECT_EQ(At(3, 1).sphereColor, CubeColor::Blue);
  EXPECT_EQ(Sounds(), (Log{"sound click"}));
}

TEST_F(MoveTest, LeavingASphereUncoversIt) {
  Level({"R.rX", "b"});
  game.MoveCube(1, 1, Direction::Right);
  game.MoveCube(3, 1, Direction::Left);
  EXPECT_EQ(At(3, 1).kind, CellKind::Sphere);
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
}

TEST_F(MoveTest, CrossedTrapdoorsCloseBehindTheCube) {
  Level({"RT.T.T.X", "g"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(7, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(2, 1).kind, CellKind::Block);
  EXPECT_EQ(At(4, 1).kind, CellKind::Block);
  EXPECT_EQ(At(6, 1).kind, CellKind::Block);
  EXPECT_EQ(Sounds(), (Log{"sound click", "sound trapdoor", "sound trapdoor", "sound trapdoor"}));
}

TEST_F(MoveTest, CubeStoppingOnATrapdoorStandsOnItUntilItLeaves) {
  Level({"R.TX", "...", "g"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::CubeOnTrapdoor);
  EXPECT_EQ(Sounds(), (Log{"sound click"}));
  log.clear();
  game.MoveCube(3, 1, Direction::Down);
  EXPECT_EQ(At(3, 1).kind, CellKind::Block);
  EXPECT_EQ(At(3, 15).kind, CellKind::Cube);
  EXPECT_EQ(Sounds(), (Log{"sound click", "sound trapdoor"}));
  // The closed trapdoor is drawn as a solid block at once.
  const Log draws = Only("Sprite 3,1 ");
  EXPECT_EQ(draws, (Log{"Sprite 3,1 BlockMask and defer", "Sprite 3,1 Block paint"}));
}

TEST_F(MoveTest, CrackedBlockBreaksAndStopsTheCube) {
  Level({"R..x", "g"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(4, 1).kind, CellKind::Empty);
  EXPECT_EQ(game.undoRing().Newest().brokenDirection, Direction::Right);
  EXPECT_EQ(Sounds(), (Log{"sound click", "sound break"}));
  // The broken block's cell is restored from the background, without presenting.
  EXPECT_EQ(Only("Restore 93,0"), (Log{"Restore 93,0 31x31"}));
}

TEST_F(MoveTest, CrackedBlockBreaksDownwards) {
  Level({".", ".", "R", ".", "x"});
  game.MoveCube(1, 3, Direction::Down);
  EXPECT_EQ(At(1, 4).kind, CellKind::Cube);
  EXPECT_EQ(At(1, 5).kind, CellKind::Empty);
}

TEST_F(MoveTest, CrushBlockDestroysEveryCubeThatSlidesOntoIt) {
  Level({"R.C.", ".", "R", ".", "Gg"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::CrushBlock);
  EXPECT_EQ(At(1, 1).kind, CellKind::Empty);
  EXPECT_EQ(At(4, 1).kind, CellKind::Empty);
  EXPECT_EQ(Sounds(), (Log{"sound click", "sound crush"}));
  EXPECT_EQ(Only("Sprite 3,1"), (Log{"Sprite 3,1 BlockMask and defer", "Sprite 3,1 CrushBlock paint"}));
  EXPECT_TRUE(Only("ask").empty());  // red has no sphere, so the level stays winnable
  EXPECT_TRUE(game.undoRing().Newest().toX == 3 && game.undoRing().Newest().toY == 1);

  game.MoveCube(1, 3, Direction::Up);   // the second red cube rolls up to (1, 1)
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::CrushBlock);
  EXPECT_EQ(At(1, 1).kind, CellKind::Empty);
}

TEST_F(MoveTest, SlidesOverSeveralCrushBlocksIsImpossible) {
  // The first crush block ends the slide; the one behind it is never reached.
  Level({"R.CCr"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(3, 1).kind, CellKind::CrushBlock);
  EXPECT_EQ(At(4, 1).kind, CellKind::CrushBlock);
  EXPECT_EQ(Only("sound crush").size(), 1u);
}

struct CrushQuestion {
  const char* name;
  std::vector<std::string> rows;
  bool asked;
};

class CrushQuestionCases : public MoveTest, public ::testing::WithParamInterface<CrushQuestion> {};

TEST_P(CrushQuestionCases, AsksOnlyWhenTheCrushMadeTheLevelUnwinnable) {
  Level(GetParam().rows);
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(Only("ask"), GetParam().asked ? Log{"ask Oops! You can't win now! Undo?"} : Log{});
  EXPECT_EQ(At(1, 1).kind, CellKind::Empty);  // answered No: the cube stays lost
}

INSTANTIATE_TEST_SUITE_P(
    Crushes, CrushQuestionCases,
    ::testing::Values(CrushQuestion{"TwoSpheresTwoCubes", {"R.C", "R", "r", "r"}, true},
                      CrushQuestion{"ThreeCubes", {"R.C", "R", "r", "r", "R"}, false},
                      CrushQuestion{"AlreadyUnwinnable", {"R.C", "r", "r", "r"}, false},
                      CrushQuestion{"OtherColourShort", {"R.C", "R", "r", "b"}, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MoveTest, YesToTheQuestionTakesTheCrushBack) {
  Level({"RTC", "R", "r", "r"});
  prompt.answers = {true};
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(1, 1).cubeColor, CubeColor::Red);
  EXPECT_EQ(At(2, 1).kind, CellKind::Trapdoor);
  EXPECT_EQ(At(3, 1).kind, CellKind::CrushBlock);
  EXPECT_FALSE(game.state().undoAvailable);
  EXPECT_TRUE(Only("sound victory").empty());  // a crushed move never runs the win test
}

TEST_F(MoveTest, RestingMoveRunsTheWinTest) {
  Level({"R.rX"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(Sounds(), (Log{"sound click", "sound match", "sound victory"}));
  EXPECT_EQ(Only("host ShowCredits").size(), 1u);
  EXPECT_TRUE(game.IsLevelSolved(1));
}

TEST_F(MoveTest, WithoutAnimationTheCubeJumpsAndTheEndIsDrawn) {
  Level({"R.X"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(log, (Log{"sound click", "Sprite px 31,0 Cube(0,1) masked defer", "Restore 0,0 31x31",
                      "Sprite 2,1 Cube(0,1) masked", "host RedrawGameMenu", "CubeLayer", "Present",
                      "sound victory", "host ShowCredits"}));
  EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(MoveTest, TheArrowTravelsWithTheCubeAndIsClearedAtRest) {
  Level({"R..X"});
  ASSERT_TRUE(game.ShowArrow(1, 1, Direction::Right));
  log.clear();
  game.Click();
  EXPECT_EQ(Only("Sprite px"), (Log{"Sprite px 31,0 Cube(2,1) masked defer", "Sprite px 62,0 Cube(2,1) masked defer"}));
  EXPECT_EQ(At(3, 1).arrow, 0);
}

// The glide: 4-pixel frames (the last one 3), each at least 8 ms, a 7-pixel strip restored first.
struct GlideCase {
  Direction d;
  std::vector<int> positions;  // the moving coordinate of every frame
  std::vector<int> strips;     // where each frame's strip starts
};

class GlideTest : public MoveTest, public ::testing::WithParamInterface<GlideCase> {};

TEST_P(GlideTest, FramesAndStrips) {
  const GlideCase& c = GetParam();
  Level({".", ".", ".", ".", ".", ".......X", ".", ".....X.R.X", ".", ".......X"});
  game.settings().animationLevel = 2;
  game.MoveCube(8, 8, c.d);
  ASSERT_EQ(painter.frames.size(), 8u);
  const bool horizontal = c.d == Direction::Left || c.d == Direction::Right;
  std::vector<int> positions, strips;
  for (const auto& f : painter.frames) positions.push_back(horizontal ? f.px : f.py);
  EXPECT_EQ(positions, c.positions);
  for (const auto& e : Only("Restore")) {
    if (e.find(horizontal ? " 7x31" : " 31x7") == std::string::npos) continue;
    const int px = std::stoi(e.substr(8));
    const int py = std::stoi(e.substr(e.find(',') + 1));
    strips.push_back(horizontal ? px : py);
    EXPECT_EQ(horizontal ? py : px, 217);
  }
  EXPECT_EQ(strips, c.strips);
  for (std::size_t i = 1; i < painter.frames.size(); ++i) {
    EXPECT_GE(painter.frames[i].time - painter.frames[i - 1].time, 8u) << i;
  }
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(8, 8));
}

INSTANTIATE_TEST_SUITE_P(
    Directions, GlideTest,
    ::testing::Values(GlideCase{Direction::Right, {221, 225, 229, 233, 237, 241, 245, 248}, {217, 221, 225, 229, 233, 237, 241, 245}},
                      GlideCase{Direction::Left, {213, 209, 205, 201, 197, 193, 189, 186}, {241, 237, 233, 229, 225, 221, 217, 213}},
                      GlideCase{Direction::Down, {221, 225, 229, 233, 237, 241, 245, 248}, {217, 221, 225, 229, 233, 237, 241, 245}},
                      GlideCase{Direction::Up, {213, 209, 205, 201, 197, 193, 189, 186}, {241, 237, 233, 229, 225, 221, 217, 213}}));

TEST_F(MoveTest, SlowFramesSleepOnlyForTheRest) {
  Level({"R.X"});
  game.settings().animationLevel = 0;
  clock.tickCost = 3;  // every reading of the clock costs 3 ms of drawing
  game.MoveCube(1, 1, Direction::Right);
  ASSERT_EQ(painter.frames.size(), 8u);
  // Read at t0, at the check (3 ms later) and again before sleeping (6 ms): 2 ms are left.
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(8, 2));
  for (std::size_t i = 1; i < painter.frames.size(); ++i) EXPECT_GE(painter.frames[i].time - painter.frames[i - 1].time, 8u);

  clock.sleeps.clear();
  clock.tickCost = 9;  // a frame slower than 8 ms never sleeps
  game.MoveCube(2, 1, Direction::Left);
  EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(MoveTest, EveryCellOfASlideGlidesInEightFrames) {
  Level({"R...X", "g"});
  game.settings().animationLevel = 0;
  game.MoveCube(1, 1, Direction::Right);
  std::vector<int> xs;
  for (const auto& f : painter.frames) xs.push_back(f.px);
  EXPECT_EQ(xs, (std::vector<int>{4, 8, 12, 16, 20, 24, 28, 31, 35, 39, 43, 47, 51, 55, 59, 62,
                                  66, 70, 74, 78, 82, 86, 90, 93}));
  EXPECT_EQ(clock.sleeps.size(), 24u);
}

TEST_F(MoveTest, GlideOverAWrappingTickCount) {
  Level({"R.X"});
  game.settings().animationLevel = 0;
  clock.now = 0xFFFFFFFCu;
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(8, 8));
}

// The game's move and the pure simulation are one rule; check them against each other on many
// random boards, together with the undo that takes each move back.
TEST_F(MoveTest, GameMovesAndTheSimulationNeverDisagree) {
  std::mt19937 random(12345);
  const char cells[] = "....XxCTRBGrbgRr";
  for (int round = 0; round < 200; ++round) {
    std::array<std::string, kBoardSize> rows;
    for (auto& row : rows)
      for (int x = 0; x < kBoardSize; ++x) row.push_back(cells[random() % (sizeof cells - 1)]);
    Level(std::vector<std::string>(rows.begin(), rows.end()));
    for (int move = 0; move < 40; ++move) {
      const int x = 1 + static_cast<int>(random() % 15);
      const int y = 1 + static_cast<int>(random() % 15);
      const auto d = static_cast<Direction>(1 + random() % 4);
      if (!CanPush(game.board(), x, y, d)) continue;
      Board simulated = game.board();
      const Board before = game.board();
      const TrapList traps = RecordTrapdoors(simulated);
      const MoveOutcome out = SlideCube(simulated, x, y, d);
      game.MoveCube(x, y, d);
      if (game.state().currentLevel != 1 || game.IsLevelSolved(1)) break;  // a win ends the level
      ASSERT_EQ(simulated, game.board()) << round << " " << move;
      Board reverted = simulated;
      RevertMove(reverted, MakeUndoRecord(out, traps));
      ASSERT_TRUE(SamePosition(reverted, before)) << round << " " << move;
      ASSERT_TRUE(testing::EdgesZero(game.board()));
      if (random() % 3 == 0) {
        game.UndoMove();
        ASSERT_TRUE(SamePosition(game.board(), before)) << round << " " << move;
      }
    }
  }
}

}  // namespace
}  // namespace engine
