#include "engine/progress.h"

#include <sstream>

#include <gtest/gtest.h>

#include "engine/test_fakes.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::PackText;

TEST(ProgressPath, CdnBecomesCdxAndNeverThePackItself) {
  const std::pair<std::string, std::string> cases[] = {
      {"/g/data/ogpice.cdn", "/g/data/ogpice.cdx"},
      {"/g/levels/a.cdn.cdn", "/g/levels/a.cdx.cdx"},
      {"/g/levels/a.cdnx", "/g/levels/a.cdxx"},
      {"/g/levels/MyPack.CDN", "/g/levels/MyPack.cdx"},
      {"/g/levels/MyPack.Cdn", "/g/levels/MyPack.cdx"},
      {"/g/levels/pack", "/g/levels/pack.cdx"},
      {"/g/levels/pack.txt", "/g/levels/pack.txt.cdx"},
      {"/g/levels/pack.cdx", "/g/levels/pack.cdx.cdx"},
      {"/g/my.cdn/pack.cdn", "/g/my.cdn/pack.cdx"},  // folders keep their names
      {"/g/my.cdn/PACK.CDN", "/g/my.cdn/PACK.cdx"},
      {"pack.cdn", "pack.cdx"},
  };
  for (const auto& [pack, progress] : cases) {
    EXPECT_EQ(ProgressPathFor(pack), progress) << pack;
    EXPECT_NE(ProgressPathFor(pack), pack);
  }
}

TEST(ProgressFile, FormatAndParse) {
  const std::vector<bool> solved = {false, false, true, false};
  EXPECT_EQ(FormatProgress(solved, 3), "1\r\nu\r\n2\r\nd\r\n3\r\nu\r\n");

  struct Case {
    const char* text;
    std::vector<bool> flags;  // levels 1 .. 3
    bool complete;
  } cases[] = {
      {"1\r\nu\r\n2\r\nd\r\n3\r\nd\r\n", {false, true, true}, true},
      {"1\nd\n2\nD\n3\n d\n", {true, false, false}, true},  // only exactly "d" counts
      {"9\r\nd\r\nx\r\nd\r\n", {true, true, false}, false},  // numbers are not checked; short file
      {"1\r\nd\r\n2", {true, false, false}, false},
      {"", {false, false, false}, false},
      {"1\r\nd\r\n2\r\nd\r\n3\r\nd\r\n4\r\nd\r\n", {true, true, true}, true},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    LineReader reader(in);
    std::vector<bool> flags;
    EXPECT_EQ(ParseProgress(reader, 3, flags), c.complete) << c.text;
    EXPECT_EQ(std::vector<bool>(flags.begin() + 1, flags.end()), c.flags) << c.text;
  }
}

std::vector<bool> SolvedUpTo(int count, std::initializer_list<int> levels) {
  std::vector<bool> s(static_cast<std::size_t>(count + 1), false);
  for (int l : levels) s[static_cast<std::size_t>(l)] = true;
  return s;
}

// First locked level of a pack (0 when none is).
int FirstLocked(const std::vector<bool>& solved, int count) {
  for (int l = 1; l <= count; ++l)
    if (!solved[static_cast<std::size_t>(l)] && IsLevelLocked(solved, count, l)) return l;
  return 0;
}

TEST(Unlocking, AllowanceByLevelCount) {
  const std::pair<int, int> table[] = {{1, 3},  {29, 3}, {30, 4}, {39, 4}, {40, 5}, {50, 6}, {60, 7},
                                       {70, 8}, {80, 9}, {89, 9}, {90, 10}, {100, 10}, {255, 10}};
  for (const auto& [n, a] : table) EXPECT_EQ(UnsolvedAllowance(n), a) << n;
}

TEST(Unlocking, OpenWindowOfUnsolvedLevels) {
  EXPECT_EQ(FirstLocked(SolvedUpTo(100, {}), 100), 11);
  EXPECT_EQ(FirstLocked(SolvedUpTo(100, {1, 2, 3, 4, 5}), 100), 16);
  EXPECT_EQ(FirstLocked(SolvedUpTo(20, {2}), 20), 5);
  EXPECT_FALSE(IsLevelLocked(SolvedUpTo(20, {2}), 20, 1));
  EXPECT_FALSE(IsLevelLocked(SolvedUpTo(20, {2}), 20, 3));
  EXPECT_FALSE(IsLevelLocked(SolvedUpTo(20, {2}), 20, 4));
  EXPECT_EQ(FirstLocked(SolvedUpTo(35, {}), 35), 5);
  EXPECT_EQ(FirstLocked(SolvedUpTo(1, {}), 1), 0);
  EXPECT_EQ(FirstLocked(SolvedUpTo(100, {10}), 100), 12);  // solving 10 opens 11
  EXPECT_FALSE(IsLevelLocked(SolvedUpTo(100, {10}), 100, 11));
}

TEST(Unlocking, SolvedLevelBeyondTooManyUnsolvedCountsAsLocked) {
  // Levels 1 .. 3 unsolved use up the window of a small pack; solved level 5 lies behind level 4.
  const auto solved = SolvedUpTo(10, {5});
  EXPECT_TRUE(IsLevelLocked(solved, 10, 5));
  EXPECT_FALSE(IsLevelLocked(SolvedUpTo(10, {4}), 10, 4));
}

class ProgressTest : public GameTest {};

TEST_F(ProgressTest, StartingAPackCreatesAMissingProgressFile) {
  const std::string pack = OpenPackWith(PackText("T", {{}, {}, {}}));
  game.BeginPack();
  EXPECT_EQ(dir.Get("pack.cdx"), "1\r\nu\r\n2\r\nu\r\n3\r\nu\r\n");
  EXPECT_EQ(dir.Get("pack.cdn"), PackText("T", {{}, {}, {}}));
}

TEST_F(ProgressTest, ShortAndCapitalisedFilesLeaveLevelsUnsolved) {
  dir.Put("pack.cdx", "1\r\nd\r\n2\r\nD\r\n3\r\nd\r\n4");
  OpenPackWith(PackText("T", {{}, {}, {}, {}, {}}));
  game.BeginPack();
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_FALSE(game.IsLevelSolved(2));
  EXPECT_TRUE(game.IsLevelSolved(3));
  EXPECT_FALSE(game.IsLevelSolved(4));
  EXPECT_FALSE(game.IsLevelSolved(5));
  EXPECT_EQ(game.state().currentLevel, 2);
  // Not repaired until the next win.
  EXPECT_EQ(dir.Get("pack.cdx"), "1\r\nd\r\n2\r\nD\r\n3\r\nd\r\n4");
}

TEST_F(ProgressTest, UpperCasePackNameNeverOverwritesThePack) {
  const std::string text = PackText("T", {{"R.X"}, {}});
  dir.Put("PACK.CDN", text);
  ASSERT_TRUE(game.StartPack(dir / "PACK.CDN"));
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(dir.Get("PACK.CDN"), text);
  EXPECT_EQ(dir.Get("PACK.cdx"), "1\r\nd\r\n2\r\nu\r\n");
}

TEST_F(ProgressTest, ExistingProgressIsFoundWithoutRegardToCase) {
  dir.Put("Pack.CDX", "1\r\nd\r\n2\r\nu\r\n");
  OpenPackWith(PackText("T", {{}, {}}), "Pack.cdn");
  game.BeginPack();
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(game.state().currentLevel, 2);
}

TEST_F(ProgressTest, UnsolvedFlagsOutsideThePackAreFalse) {
  OpenPackWith(PackText("T", {{}, {}}));
  game.BeginPack();
  EXPECT_FALSE(game.IsLevelSolved(0));
  EXPECT_FALSE(game.IsLevelSolved(3));
  game.SetSolved(3, true);
  EXPECT_FALSE(game.IsLevelSolved(3));
  EXPECT_FALSE(game.IsLevelLocked(2));
}

}  // namespace
}  // namespace engine
