#include "engine/board_input.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "engine/test_fakes.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::Log;

TEST(PointerArithmetic, CellsAndOffsets) {
  const std::pair<double, int> cells[] = {{0, 1},    {30.9, 1}, {31, 2},   {464, 15}, {465, 15}, {1000, 15},
                                          {-1, 1},   {-40, 1},  {-1e300, 1}, {1e300, 15},
                                          {std::numeric_limits<double>::quiet_NaN(), 1}};
  for (const auto& [c, cell] : cells) EXPECT_EQ(PointedCell(c), cell) << c;
  const std::pair<double, int> offsets[] = {{0, 0}, {3, 3}, {30, 30}, {31, 0}, {30.4, 30}, {30.6, 0},
                                            {2.5, 3}, {3.5, 3}, {-1, 30}, {-40, 22}};
  for (const auto& [c, off] : offsets) EXPECT_EQ(InCellOffset(c), off) << c;
}

TEST(PointerArithmetic, ZonesInOrderLeftRightTopBottom) {
  struct Case {
    int mx, my;
    Direction zone;
  } cases[] = {
      {3, 15, Direction::Left},   {15, 15, Direction::None},  {6, 6, Direction::Left},   {25, 6, Direction::Right},
      {24, 25, Direction::Right}, {15, 9, Direction::Up},     {15, 21, Direction::Down}, {7, 5, Direction::Left},
      {8, 5, Direction::Up},      {2, 2, Direction::None},    {28, 28, Direction::None}, {0, 4, Direction::None},
      {5, 0, Direction::Up},      {25, 30, Direction::Down},  {26, 30, Direction::None}, {8, 24, Direction::Down},
  };
  for (const Case& c : cases) EXPECT_EQ(PointedZone(c.mx, c.my), c.zone) << c.mx << "," << c.my;
}

TEST(PointerArithmetic, KeysToMenuItems) {
  const std::pair<int, int> keys[] = {{85, 1}, {82, 2}, {83, 3}, {76, 4}, {79, 5}, {27, 6}, {117, 0}, {13, 0}, {0, 0}};
  for (const auto& [key, item] : keys) EXPECT_EQ(GameMenuItemForKey(key), item) << key;
}

class InputTest : public GameTest {
 protected:
  void SetUp() override {
    OpenPackWith(testing::PackText("T", {{}, {}}));
    game.ResetSolved();
    game.LoadLevel(1);
    log.clear();
  }
  void Board(const std::vector<std::string>& rows) {
    SetBoard(rows);
    log.clear();
  }
  // Pixel of the point (dx, dy) inside cell (x, y).
  void Point(int x, int y, int dx, int dy) { game.MouseMove((x - 1) * 31 + dx, (y - 1) * 31 + dy); }
  int ArrowAt(int x, int y) const { return At(x, y).arrow; }
};

TEST_F(InputTest, ZoneOfAFreeDirectionShowsItsArrow) {
  Board({"", ".R.", "..."});
  Point(2, 2, 3, 15);
  EXPECT_EQ(ArrowAt(2, 2), static_cast<int>(Direction::Left));
  EXPECT_EQ(log, (Log{"host ClearHighlight", "Sprite 2,2 Cube(1,1) masked"}));
  log.clear();
  Point(2, 2, 15, 15);  // the middle changes nothing
  EXPECT_EQ(ArrowAt(2, 2), 1);
  Point(2, 2, 3, 16);  // the same arrow again draws nothing
  EXPECT_EQ(log, (Log{"host ClearHighlight", "host ClearHighlight"}));
  Point(2, 2, 6, 6);  // left and top overlap: left wins
  EXPECT_EQ(ArrowAt(2, 2), 1);
  Point(2, 2, 15, 27);
  EXPECT_EQ(ArrowAt(2, 2), static_cast<int>(Direction::Down));
}

TEST_F(InputTest, BlockedZoneFallsBackInOrder) {
  Board({"", "XR.", ".."});  // left blocked, right and bottom free
  Point(2, 2, 3, 15);
  EXPECT_EQ(ArrowAt(2, 2), static_cast<int>(Direction::Right));
  Board({"", "XRX", "..", ""});  // only up and down free: up comes first
  Point(2, 2, 3, 15);
  EXPECT_EQ(ArrowAt(2, 2), static_cast<int>(Direction::Up));
  Board({".X", "XRX", ".X"});  // nothing free
  game.board().at(2, 2).arrow = 0;
  Point(2, 2, 3, 15);
  EXPECT_EQ(ArrowAt(2, 2), 0);
}

TEST_F(InputTest, OnlyOneCubeShowsAnArrow) {
  Board({"R.G"});
  Point(1, 1, 28, 15);
  Point(3, 1, 3, 15);
  EXPECT_EQ(ArrowAt(1, 1), 0);
  EXPECT_EQ(ArrowAt(3, 1), static_cast<int>(Direction::Left));
  // Leaving the cube for an empty cell, a sphere or a block removes every arrow.
  for (const auto& [x, y] : {std::pair{2, 1}}) {
    Point(x, y, 15, 15);
    EXPECT_EQ(ArrowAt(3, 1), 0);
  }
}

TEST_F(InputTest, HideArrowsRedrawsACubeOnASphereWithItsSphere) {
  Board({"..X", "...", "..."});
  game.board().at(2, 2) = Cell{CellKind::CubeOnSphere, CubeColor::Blue, 3, CubeColor::Red};
  game.board().at(1, 1).arrow = 2;  // a stale arrow on an empty cell is ignored
  game.HideArrows();
  EXPECT_EQ(log, (Log{"Sprite 2,2 CubeMask and defer", "Sprite 2,2 Cube(0,1) paint defer", "Sprite 2,2 SphereMask and defer",
                      "Sprite 2,2 Sphere(2) paint defer", "Present"}));
  EXPECT_EQ(ArrowAt(2, 2), 0);
  EXPECT_EQ(ArrowAt(1, 1), 2);
}

TEST_F(InputTest, CrushBlockNeighbourAllowsNoPush) {
  Board({"RC", "", "R.C"});
  Point(1, 1, 28, 15);
  EXPECT_EQ(ArrowAt(1, 1), static_cast<int>(Direction::Down));
  Point(1, 3, 28, 15);
  EXPECT_EQ(ArrowAt(1, 3), static_cast<int>(Direction::Right));
  game.Click();
  EXPECT_EQ(At(1, 3).kind, CellKind::Empty);  // pushed, and destroyed one cell later
}

TEST_F(InputTest, PointerOutsideTheBoardCountsAsTheNearerEdge) {
  Board({"R"});
  game.MouseMove(-28, 15);
  EXPECT_EQ(ArrowAt(1, 1), static_cast<int>(Direction::Right));  // left zone, left blocked by the edge
  Board({"", "", "", "", "", "", "", "", "", "", "", "", "", "", "..............R"});
  game.MouseMove(480, 500);
  EXPECT_NE(ArrowAt(15, 15), 0);
}

TEST_F(InputTest, ClickPushesTheFirstCubeShowingAnArrow) {
  Board({"R..X", "", "Gb"});
  game.Click();  // no arrow: nothing
  EXPECT_TRUE(log.empty());
  Point(1, 1, 28, 15);
  log.clear();
  game.Click();
  EXPECT_EQ(At(3, 1).kind, CellKind::Cube);
  EXPECT_EQ(Only("sound click").size(), 1u);
  game.Click();  // the arrow went with the move
  EXPECT_EQ(Only("sound click").size(), 1u);
}

TEST_F(InputTest, ClickOnABlockedArrowDoesNothing) {
  Board({"R..X", "", "G"});
  ASSERT_TRUE(game.ShowArrow(1, 1, Direction::Right));
  game.board().at(2, 1).kind = CellKind::Block;  // the way closed after the arrow was shown
  log.clear();
  game.Click();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
}

TEST_F(InputTest, ClickLooksAtTheFirstArrowRowByRowOnly) {
  Board({"...G", "R..X"});
  game.board().at(4, 1).arrow = static_cast<int>(Direction::Up);  // cannot move up: the edge
  game.board().at(1, 2).arrow = static_cast<int>(Direction::Right);
  game.Click();
  EXPECT_EQ(At(1, 2).kind, CellKind::Cube);  // the second cube is not considered
}

TEST_F(InputTest, KeysRunMenuCommandsOnlyOverTheGameScreen) {
  for (const int key : {85, 82, 83, 76, 79, 27, 65}) game.KeyUp(key);
  EXPECT_EQ(log, (Log{"host Command 1", "host Command 2", "host Command 3", "host Command 4", "host Command 5",
                      "host Command 6"}));
  log.clear();
  host.mainMenuVisible = true;
  game.KeyUp(85);
  EXPECT_TRUE(log.empty());
}

TEST_F(InputTest, PaintRedrawsTheCubeLayer) {
  game.Paint();
  EXPECT_EQ(log, (Log{"CubeLayer", "Present"}));
}

}  // namespace
}  // namespace engine
