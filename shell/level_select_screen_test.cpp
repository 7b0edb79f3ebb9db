#include "shell/level_select_screen.h"

#include "presentation/synthetic_art.h"
#include "shell/screens_test_support.h"

namespace shell {
namespace {

using presentation::synthetic::ScreenColour;
using testing::Log;

class LevelSelectTest : public testing::ScreensTest {
 protected:
  // The colour in the middle of level n's cell.
  static std::uint32_t CellColour(const LevelSelectScreen& s, int n) {
    int x = 0, y = 0;
    LevelSelectScreen::CellOrigin(n, x, y);
    return s.picture().pixel(x + 11, y + 11);
  }
  // A point in the middle of level n's cell.
  static void Centre(int n, int& x, int& y) {
    LevelSelectScreen::CellOrigin(n, x, y);
    x += 11;
    y += 11;
  }
};

TEST_F(LevelSelectTest, CellGeometryFollowsTheGrid) {
  struct Case {
    int x, y, level;
  } cases[] = {
      {18, 30, 1},  {41, 30, 1},  {42, 30, 0},  {44, 30, 0},  {45, 30, 2},  {17, 30, 0},
      {18, 53, 1},  {18, 54, 0},  {18, 56, 0},  {18, 57, 11}, {261, 30, 10}, {284, 30, 10},
      {285, 30, 0}, {300, 30, 0}, {261, 273, 100}, {284, 296, 100}, {284, 297, 0}, {18, 270, 0},
      {18, 272, 0}, {18, 273, 91}, {0, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(LevelSelectScreen::CellAt(c.x, c.y), c.level) << c.x << "," << c.y;
  int x = 0, y = 0;
  LevelSelectScreen::CellOrigin(37, x, y);
  EXPECT_EQ(x, 27 * 7 - 9);
  EXPECT_EQ(y, 27 * 4 + 3);
  LevelSelectScreen::TileOrigin(37, x, y);
  EXPECT_EQ(x, 6 * 23);
  EXPECT_EQ(y, 3 * 23);
  EXPECT_TRUE(LevelSelectScreen::OverCancel(109, 315));
  EXPECT_TRUE(LevelSelectScreen::OverCancel(192, 342));
  EXPECT_FALSE(LevelSelectScreen::OverCancel(108, 320));
  EXPECT_FALSE(LevelSelectScreen::OverCancel(150, 343));
}

TEST_F(LevelSelectTest, TilesShowSolvedLockedAndOpenAndTheCurrentLevelIsLeftBlank) {
  OpenPack(37, 5);
  // 37 levels allow four unsolved ones open: with 2 and 9 solved, 1 3 4 5 are the open ones.
  game.SetSolved(2, true);
  game.SetSolved(9, true);
  LevelSelectScreen s(services);
  const std::uint32_t background = ScreenColour("selectlevel");
  for (int n = 1; n <= 100; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    std::uint32_t want = background;
    if (n > 37 || n == 5) want = background;
    else if (n == 2) want = ScreenColour("selectlevelnumberswon");
    else if (n == 9) want = ScreenColour("selectlevelnumberswon");  // solved, though it counts as locked
    else if (n <= 4) want = ScreenColour("selectlevelnumbers");
    else want = ScreenColour("selectlevelnumbersdisabled");
    EXPECT_EQ(CellColour(s, n), want);
  }
  EXPECT_EQ(s.selectedLevel(), -1);
}

TEST_F(LevelSelectTest, OnlyOpenLevelsOfThePackOtherThanTheCurrentOneHighlight) {
  OpenPack(7, 2);  // levels 1..3 open, 4..7 locked, 8.. not in the pack
  LevelSelectScreen s(services);
  struct Case {
    int level;
    bool highlights;
  } cases[] = {{1, true}, {2, false}, {3, true}, {4, false}, {7, false}, {8, false}, {11, false}, {100, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level));
    s.OnMouseMove(5, 5, 0);
    log.clear();
    int x = 0, y = 0;
    Centre(c.level, x, y);
    s.OnMouseMove(x, y, 0);
    EXPECT_EQ(s.levelSelectHover(), c.highlights ? c.level : 0);
    EXPECT_EQ(CellColour(s, c.level) == ScreenColour("selectlevelnumbersselected"), c.highlights);
    EXPECT_EQ(Only("sound"), c.highlights ? Log{"sound btnhover"} : Log{});
    s.OnClick();
    EXPECT_EQ(s.Closed(), c.highlights);
    if (c.highlights) break;
  }
  EXPECT_EQ(s.selectedLevel(), 1);
  EXPECT_TRUE(Only("sound btnclick").empty()) << "choosing a level plays no click";
}

TEST_F(LevelSelectTest, GapsBetweenCellsDropTheHighlight) {
  OpenPack(20, 5);
  LevelSelectScreen s(services);
  s.OnMouseMove(41, 53, 0);  // level 1's last pixel
  EXPECT_EQ(s.levelSelectHover(), 1);
  s.OnMouseMove(42, 53, 0);  // the gap
  EXPECT_EQ(s.levelSelectHover(), 0);
  EXPECT_EQ(CellColour(s, 1), ScreenColour("selectlevelnumbers"));
  s.OnMouseMove(45, 30, 0);
  EXPECT_EQ(s.levelSelectHover(), 2);
  s.OnMouseMove(46, 31, 0);  // within the same cell: no second sound
  EXPECT_EQ(Only("sound"), (Log{"sound btnhover", "sound btnhover"}));
  s.OnClick();
  EXPECT_EQ(s.selectedLevel(), 2);
}

TEST_F(LevelSelectTest, CancelHighlightsOverTheLevelAndCancelsWithAClick) {
  OpenPack(10, 1);
  LevelSelectScreen s(services);
  int x = 0, y = 0;
  Centre(2, x, y);
  s.OnMouseMove(x, y, 0);
  s.OnMouseMove(150, 330, 0);
  EXPECT_EQ(s.levelSelectHover(), LevelSelectScreen::kCancelItem);
  EXPECT_EQ(s.picture().pixel(150, 330), ScreenColour("selectlevelcancelhigh"));
  EXPECT_EQ(CellColour(s, 2), ScreenColour("selectlevelnumbersselected")) << "kept until the next compose";
  s.OnMouseMove(151, 331, 0);
  s.OnClick();
  EXPECT_TRUE(s.Closed());
  EXPECT_EQ(s.selectedLevel(), -1);
  EXPECT_EQ(Only("sound"), (Log{"sound btnhover", "sound btnhover", "sound btnclick"}));
}

TEST_F(LevelSelectTest, SpaceEscapeEnterAndCCloseWithoutAChoice) {
  OpenPack(10, 1);
  for (int key : {keys::Space, keys::Escape, keys::Enter, keys::Letter('C')}) {
    LevelSelectScreen s(services);
    int x = 0, y = 0;
    Centre(2, x, y);
    s.OnMouseMove(x, y, 0);
    log.clear();
    s.OnKeyDown(key, false);
    EXPECT_EQ(s.selectedLevel(), -1);
    s.OnClick();  // the highlighted level can no longer be chosen
    EXPECT_EQ(s.selectedLevel(), -1);
    s.OnKeyUp(keys::Letter('Q'), false);
    EXPECT_FALSE(s.Closed()) << "waits for its own key";
    s.OnKeyUp(key, false);
    EXPECT_TRUE(s.Closed()) << key;
    EXPECT_TRUE(Only("sound").empty());
  }
  LevelSelectScreen s(services);
  for (int key : {keys::Letter('X'), keys::Up, keys::Letter('1')}) {
    s.OnKeyDown(key, false);
    s.OnKeyUp(key, false);
  }
  EXPECT_FALSE(s.Closed());
}

TEST(LevelSelectKeys, ArrowsGoToTheNearestLevelThatCanBeChosen) {
  // 25 levels; 3, 13 and 14 cannot be chosen (locked or the current one).
  const auto open = [](int k) { return k != 3 && k != 13 && k != 14; };
  constexpr int kCancel = LevelSelectScreen::kCancelItem;
  struct Case {
    int from, key, to;
  } cases[] = {
      {0, keys::Right, 1},     {0, keys::Left, 25},     {0, keys::Down, 5},  // row 1 near column 5
      {2, keys::Right, 4},     {4, keys::Left, 2},      {1, keys::Left, 1},  {25, keys::Right, 25},
      {10, keys::Right, 11},   // on into the next row
      {3 + 10, keys::Down, 23}, {4, keys::Down, 15},    // 14 is shut: the nearest open one of row 2
      {23, keys::Down, kCancel}, {25, keys::Up, 15},    {kCancel, keys::Up, 25},
      {kCancel, keys::Down, kCancel}, {kCancel, keys::Left, kCancel}, {1, keys::Up, 1},
      {7, keys::Letter('Q'), 7},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LevelSelectScreen::NextByKey(c.from, c.key, 25, open), c.to) << c.from << " key " << c.key;
}

TEST_F(LevelSelectTest, EnterPlaysTheLevelTheArrowsChose) {
  OpenPack(10, 1);
  LevelSelectScreen s(services);
  s.OnKeyDown(keys::Right, false);  // level 1 is the current one: 2 comes first
  EXPECT_EQ(s.levelSelectHover(), 2);
  EXPECT_EQ(CellColour(s, 2), ScreenColour("selectlevelnumbersselected"));
  s.OnKeyDown(keys::Right, false);
  EXPECT_EQ(s.levelSelectHover(), 3);
  EXPECT_EQ(Only("sound"), (Log{"sound btnhover", "sound btnhover"}));
  s.OnKeyDown(keys::Enter, false);
  EXPECT_EQ(s.selectedLevel(), 3);
  EXPECT_FALSE(s.Closed()) << "closes when Enter comes up";
  s.OnKeyUp(keys::Enter, false);
  EXPECT_TRUE(s.Closed());

  // Down past the grid reaches Cancel; Enter there cancels with its sound.
  LevelSelectScreen c(services);
  c.OnKeyDown(keys::Down, false);
  c.OnKeyDown(keys::Down, false);
  EXPECT_EQ(c.levelSelectHover(), LevelSelectScreen::kCancelItem);
  log.clear();
  c.OnKeyDown(keys::Enter, false);
  c.OnKeyUp(keys::Enter, false);
  EXPECT_TRUE(c.Closed());
  EXPECT_EQ(c.selectedLevel(), -1);
  EXPECT_EQ(Only("sound"), (Log{"sound btnclick"}));
}

TEST_F(LevelSelectTest, ShowLevelSelectHandsBackTheChoiceAndMinusOneForAnyOtherClose) {
  OpenPack(10, 1);
  auto screens = CreateSecondaryScreens(services);
  modal.script = [](Screen& s) {
    s.OnMouseMove(45 + 11, 30 + 11, 0);  // level 2
    s.OnClick();
  };
  EXPECT_EQ(screens->ShowLevelSelect(), 2);
  // A close that is none of the screen's own (the program quitting): nothing chosen, even
  // with a level highlighted.
  modal.script = [](Screen& s) {
    s.OnMouseMove(45 + 11, 30 + 11, 0);
    s.Close();
  };
  EXPECT_EQ(screens->ShowLevelSelect(), -1);
  EXPECT_EQ(modal.runs, 2);
}

}  // namespace
}  // namespace shell
