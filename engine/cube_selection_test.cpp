#include "engine/cube_selection.h"

#include <gtest/gtest.h>

#include "engine/simulation.h"

namespace engine {
namespace {

Board Rows(std::initializer_list<std::string> rows) {
  std::array<std::string, kBoardSize> r;
  std::size_t i = 0;
  for (const std::string& row : rows) r[i++] = row;
  return LoadBoardFromRows(r);
}

TEST(CubeSelection, FirstPressTakesTheCubeNearestTheCentre) {
  // A cube on a sphere and a cube on a trapdoor count as cubes; a lone sphere does not.
  EXPECT_EQ(CubeNearestCentre(Rows({"R", "", "", "", "", "", "", ".......r", "", "", "", "", "", "", "..............B"})),
            (CellPos{1, 1}));
  const Board b = Rows({"R", "", "", "", "", "", ".........G", "", ".....B"});
  // (10, 7) is 2 + 1 from (8, 8) squared 5; (6, 9) is 4 + 1 = 5 as well: reading order decides.
  EXPECT_EQ(CubeNearestCentre(b), (CellPos{10, 7}));
  EXPECT_FALSE(CubeNearestCentre(Rows({"X.r.C"})));
}

TEST(CubeSelection, ArrowKeysGoToTheNearestCubeThatWay) {
  // Row 5: cubes at (2,5), (9,5); (6,6) is just below-right of (5,5); (6,12) far below.
  const Board b = Rows({"", "", "", "", ".R..R...B", ".....G", "", "", "", "", "", ".....H", "", "", "..............L"});
  struct Case {
    int x, y;
    Direction d;
    std::optional<CellPos> to;
  } cases[] = {
      {5, 5, Direction::Right, CellPos{6, 6}},   // 1 + 2 * 1 = 3 beats (9, 5) at 4
      {6, 6, Direction::Right, CellPos{9, 5}},   // 3 + 2 beats (15, 15) far off
      {5, 5, Direction::Left, CellPos{2, 5}},
      {2, 5, Direction::Left, std::nullopt},     // nothing further left: stay
      {5, 5, Direction::Down, CellPos{6, 6}},
      {6, 6, Direction::Down, CellPos{6, 12}},   // same column
      {6, 12, Direction::Down, CellPos{15, 15}},
      {6, 12, Direction::Up, CellPos{6, 6}},
      {9, 5, Direction::Up, std::nullopt},
      {15, 15, Direction::Right, std::nullopt},
      {5, 5, Direction::None, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NearestCubeToward(b, c.x, c.y, c.d), c.to) << c.x << "," << c.y << " d" << static_cast<int>(c.d);
}

TEST(CubeSelection, EqualScoresPreferTheStraightLineThenReadingOrder) {
  // From (8, 8) to the right: (10, 8) scores 2; (9, 7) and (9, 9) score 1 + 2 = 3.
  EXPECT_EQ(NearestCubeToward(Rows({"", "", "", "", "", "", "........R", ".........B", "........G"}), 8, 8, Direction::Right),
            (CellPos{10, 8}));
  // (11, 8) scores 3 and so do (9, 7) and (9, 9): the straight one wins the tie.
  EXPECT_EQ(NearestCubeToward(Rows({"", "", "", "", "", "", "........R", "..........B", "........G"}), 8, 8, Direction::Right),
            (CellPos{11, 8}));
  // Above and below alike: the upper one, first in reading order.
  EXPECT_EQ(NearestCubeToward(Rows({"", "", "", "", "", "", "........R", "", "........G"}), 8, 8, Direction::Right),
            (CellPos{9, 7}));
}

}  // namespace
}  // namespace engine
