#include "engine/level_loader.h"

#include <gtest/gtest.h>

#include "engine/test_fakes.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::PackText;

const std::vector<std::string> kEveryCell = {
    ".XxCTRBGWLHrbgw",
    "lh?. Z#",
};

TEST_F(GameTest, LoadLevelReadsEveryCellCharacter) {
  OpenPackWith(PackText("Custom", {kEveryCell}));
  game.LoadLevel(1);
  const CellKind kinds[] = {CellKind::Empty, CellKind::Block, CellKind::CrackedBlock, CellKind::CrushBlock,
                            CellKind::Trapdoor};
  for (int x = 1; x <= 5; ++x) EXPECT_EQ(At(x, 1).kind, kinds[x - 1]) << x;
  const CubeColor colors[] = {CubeColor::Red, CubeColor::Blue, CubeColor::Green, CubeColor::Violet,
                              CubeColor::Black, CubeColor::Orange};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(At(6 + i, 1).kind, CellKind::Cube);
    EXPECT_EQ(At(6 + i, 1).cubeColor, colors[i]);
    EXPECT_EQ(At(6 + i, 1).sphereColor, CubeColor::None);
  }
  for (int i = 0; i < 6; ++i) {
    const Cell& c = i < 4 ? At(12 + i, 1) : At(i - 3, 2);
    EXPECT_EQ(c.kind, CellKind::Sphere);
    EXPECT_EQ(c.sphereColor, colors[i]);
    EXPECT_EQ(c.cubeColor, CubeColor::None);
  }
  // Unknown characters, blanks and the missing rest of a short row are empty floor.
  for (int x = 3; x <= 15; ++x) EXPECT_EQ(At(x, 2), (Cell{CellKind::Empty})) << x;
  EXPECT_TRUE(testing::EdgesZero(game.board()));
}

TEST_F(GameTest, LoadLevelAsksForTheDrawingInOrder) {
  OpenPackWith(PackText("Custom", {{"R.r"}, {}}));
  game.LoadLevel(1);
  EXPECT_EQ(log, (testing::Log{"Present", "LoadBackground 0", "LoadBlockSet 0", "DrawLevel", "host RedrawGameMenu",
                                "host UseGameCursor"}));
  EXPECT_EQ(game.state().currentLevel, 1);
  EXPECT_TRUE(game.state().multiLevelPack);
  EXPECT_FALSE(game.state().undoAvailable);
}

TEST_F(GameTest, LoadLevelUsesOnlyTheFirstFifteenCharacters) {
  OpenPackWith(PackText("Custom", {{"..........RRRRRRRRRR", "RRRRRRRRRR"}}));
  game.LoadLevel(1);
  for (int x = 1; x <= 15; ++x) {
    EXPECT_EQ(At(x, 1).kind, x >= 11 ? CellKind::Cube : CellKind::Empty) << x;
    EXPECT_EQ(At(x, 2).kind, x <= 10 ? CellKind::Cube : CellKind::Empty) << x;
  }
  EXPECT_TRUE(testing::EdgesZero(game.board()));
}

// Where the search for a level's section stops, and which rows it then reads.
struct SectionCase {
  const char* name;
  std::string text;
  int level;
  const char* firstRow;  // the row the level's top row must show ("" for an empty board)
};

class SectionCases : public GameTest, public ::testing::WithParamInterface<SectionCase> {};

std::string RowsOf(char c) {
  std::string rows;
  for (int i = 0; i < 15; ++i) rows += std::string(15, c) + "\r\n";
  return rows;
}

TEST_P(SectionCases, FindsTheRightRows) {
  const SectionCase& c = GetParam();
  OpenPackWith(c.text);
  game.LoadLevel(c.level);
  std::string top;
  for (int x = 1; x <= 15; ++x) {
    const Cell& cell = At(x, 1);
    top += cell.kind == CellKind::Cube ? CubeLetter(cell.cubeColor) : cell.kind == CellKind::Block ? 'X' : '.';
  }
  EXPECT_EQ(top, c.firstRow[0] ? std::string(c.firstRow) : std::string(15, '.'));
}

const std::string kHead = "[PackHeader]\r\nCollectionName=T\r\nAuthor=A\r\nComment=C\r\nNumberOfLevels=12\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionCases,
    ::testing::Values(
        SectionCase{"LowerCase", kHead + "[level12data]\r\n" + RowsOf('R'), 12, "RRRRRRRRRRRRRRR"},
        SectionCase{"Level11IsNotLevel1", kHead + "[Level11Data]\r\n" + RowsOf('G') + "[Level1Data]\r\n" + RowsOf('B'), 1,
                    "BBBBBBBBBBBBBBB"},
        SectionCase{"Level1IsNotLevel11", kHead + "[Level1Data]\r\n" + RowsOf('B') + "[Level11Data]\r\n" + RowsOf('G'), 11,
                    "GGGGGGGGGGGGGGG"},
        SectionCase{"FirstSectionWins", kHead + "[Level2Data]\r\n" + RowsOf('R') + "[Level2Data]\r\n" + RowsOf('G'), 2,
                    "RRRRRRRRRRRRRRR"},
        SectionCase{"TextAroundTheSection", kHead + "xx[LEVEL3DATA]yy\r\n" + RowsOf('X'), 3, "XXXXXXXXXXXXXXX"},
        SectionCase{"MissingSection", kHead + "[Level1Data]\r\n" + RowsOf('R'), 5, ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(GameTest, HeaderHoldingTheSectionTextStartsTheLevelThere) {
  OpenPackWith("[PackHeader]\r\nCollectionName=[Level1Data]\r\nRRRRR\r\nComment=C\r\nNumberOfLevels=1\r\n\r\n[Level1Data]\r\n" +
               RowsOf('B'));
  game.LoadLevel(1);
  // The section line is line 2, so rows 1 .. 15 are lines 3 .. 17 of the file.
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);  // "RRRRR"
  EXPECT_EQ(At(6, 1).kind, CellKind::Empty);
  EXPECT_EQ(At(1, 2).kind, CellKind::CrushBlock);  // "Comment=C"
  EXPECT_EQ(At(2, 2).kind, CellKind::Empty);
  EXPECT_EQ(At(9, 2).kind, CellKind::CrushBlock);
  EXPECT_EQ(At(2, 5).kind, CellKind::Cube);  // "[Level1Data]": 'L' a black cube, 'l' a black sphere
  EXPECT_EQ(At(2, 5).cubeColor, CubeColor::Black);
  EXPECT_EQ(At(6, 5).kind, CellKind::Sphere);
  EXPECT_EQ(At(1, 6).cubeColor, CubeColor::Blue);  // the real level's first row comes sixth
}

TEST_F(GameTest, SectionCutShortByTheEndOfTheFileKeepsItsRows) {
  OpenPackWith(kHead + "[Level1Data]\r\nRRRRRRRRRRRRRRR\r\nGGG");
  game.LoadLevel(1);
  EXPECT_EQ(At(15, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(3, 2).cubeColor, CubeColor::Green);
  EXPECT_EQ(At(4, 2).kind, CellKind::Empty);
  for (int y = 3; y <= 15; ++y) EXPECT_EQ(At(1, y).kind, CellKind::Empty);
  EXPECT_EQ(Only("DrawLevel").size(), 1u);
}

TEST_F(GameTest, LoadLevelClearsArrowsUndoAndThePreviousLevel) {
  OpenPackWith(PackText("T", {{"R..............", "g"}, {"..............G"}}));
  game.LoadLevel(1);
  ASSERT_TRUE(game.ShowArrow(1, 1, Direction::Right));
  game.Click();
  ASSERT_TRUE(game.state().undoAvailable);
  ASSERT_TRUE(game.ShowArrow(15, 1, Direction::Left));
  game.LoadLevel(2);
  EXPECT_FALSE(game.state().undoAvailable);
  for (int x = 1; x <= 15; ++x)
    for (int y = 1; y <= 15; ++y) EXPECT_EQ(At(x, y).arrow, 0);
  EXPECT_EQ(At(15, 1).kind, CellKind::Cube);
  EXPECT_EQ(At(15, 1).cubeColor, CubeColor::Green);
  game.UndoMove();
  EXPECT_EQ(At(15, 1).kind, CellKind::Cube);  // nothing to undo in a fresh level
}

TEST(Scenery, FollowsTheLevelOnlyInTheBuiltInPack) {
  const std::pair<int, int> ice[] = {{1, 1}, {16, 1}, {17, 2}, {32, 2}, {33, 3}, {49, 3}, {50, 4},
                                     {66, 4}, {67, 5}, {83, 5}, {84, 6}, {100, 6}, {101, 0}, {0, 0}};
  for (const auto& [level, s] : ice) EXPECT_EQ(SceneryFor("Frostlide: Ice", level), s) << level;
  EXPECT_EQ(SceneryFor("frostlide: ice", 20), 0);
  EXPECT_EQ(SceneryFor("Frostlide: Ice ", 20), 0);
  EXPECT_EQ(SceneryFor("Custom", 20), 0);
}

TEST_F(GameTest, BuiltInPackLoadsTheSceneryOfTheLevel) {
  OpenPackWith(PackText("Frostlide: Ice", std::vector<std::vector<std::string>>(20)));
  game.LoadLevel(17);
  EXPECT_EQ(Only("Load"), (testing::Log{"LoadBackground 2", "LoadBlockSet 2"}));
  EXPECT_EQ(game.state().scenery, 2);
}

TEST_F(GameTest, MissingBackgroundStopsBeforeDrawing) {
  std::filesystem::remove(dir / "app/data/backgrounds/bg0.jpg");
  OpenPackWith(PackText("T", {{"R"}, {}}));
  game.LoadLevel(1);
  EXPECT_EQ(log, (testing::Log{"Present", "system Damaged game data. Please reinstall Frostlide [error]"}));
  EXPECT_EQ(At(1, 1).kind, CellKind::Cube);
  EXPECT_EQ(game.state().currentLevel, 1);
}

TEST_F(GameTest, ToolsCanSwitchTheDataCheckOff) {
  game.settings().checkDataFiles = false;
  game.settings().appPath = "/nonexistent/";
  OpenPackWith(PackText("T", {{"R"}}));
  game.LoadLevel(1);
  EXPECT_TRUE(Only("system").empty());
  EXPECT_EQ(Only("DrawLevel").size(), 1u);
}

TEST_F(GameTest, StartPackSetsUpTheFirstUnsolvedLevel) {
  dir.Put("p.cdx", "1\r\nd\r\n2\r\nd\r\n3\r\nu\r\n");
  OpenPackWith(PackText("T", {{"R"}, {"G"}, {"B"}}), "p.cdn");
  game.BeginPack();
  EXPECT_EQ(game.state().currentLevel, 3);
  EXPECT_EQ(At(1, 1).cubeColor, CubeColor::Blue);

  dir.Put("p.cdx", "1\r\nd\r\n2\r\nd\r\n3\r\nd\r\n");
  EXPECT_TRUE(game.StartPack(dir / "p.cdn"));
  EXPECT_EQ(game.state().currentLevel, 1);
}

TEST_F(GameTest, StartPackOfADamagedPackChangesNothingElse) {
  dir.Put("p.cdn", "[PackHeader]\r\n");
  EXPECT_FALSE(game.StartPack(dir / "p.cdn"));
  EXPECT_EQ(game.state().currentLevel, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "p.cdx"));
}

}  // namespace
}  // namespace engine
