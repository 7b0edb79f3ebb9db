#include "platform/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/test_dir.h"

namespace {

using platform::testing::TestDir;

// The folder layout of a game install, with names in the case the two programs disagree on.
class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Put("Levels/MyPack.CDN", "pack");
    dir.Put("Levels/other.cdn", "pack");
    dir.Put("data/sprites/gui/msg.bmp", "bmp");
    dir.Put("settings.ini", "");
  }
  TestDir dir;
};

TEST_F(PathsTest, ResolvesEachComponentToItsStoredCase) {
  struct Case {
    std::string asked;
    std::string stored;
  };
  const Case cases[] = {
      {"levels/mypack.cdn", "Levels/MyPack.CDN"},
      {"LEVELS/MYPACK.CDN", "Levels/MyPack.CDN"},
      {"Levels/MyPack.CDN", "Levels/MyPack.CDN"},
      {"levels/", "Levels/"},
      {"levels", "Levels"},
      {"DATA/Sprites/GUI/Msg.BMP", "data/sprites/gui/msg.bmp"},
      // From the first missing component on, the rest is kept as given.
      {"levels/New.cdn", "Levels/New.cdn"},
      {"NoSuch/levels/mypack.cdn", "NoSuch/levels/mypack.cdn"},
      {"levels/mypack.cdn/more", "Levels/MyPack.CDN/more"},
      {"levels//mypack.cdn", "Levels//MyPack.CDN"},
      {"./levels/../levels/mypack.cdn", "./Levels/../Levels/MyPack.CDN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ResolvePath(dir / c.asked), dir / c.stored) << c.asked;
  }
}

TEST_F(PathsTest, ExactMatchWinsThenFirstInByteOrder) {
  dir.Put("Levels/Dup.cdn", "a");
  dir.Put("Levels/dup.cdn", "b");
  dir.Put("Levels/DUP.cdn", "c");
  EXPECT_EQ(platform::ResolvePath(dir / "levels/dup.cdn"), dir / "Levels/dup.cdn");
  EXPECT_EQ(platform::ResolvePath(dir / "levels/Dup.cdn"), dir / "Levels/Dup.cdn");
  // No exact match: "DUP" < "Dup" < "dup" in byte order.
  EXPECT_EQ(platform::ResolvePath(dir / "levels/dUp.cdn"), dir / "Levels/DUP.cdn");
}

TEST_F(PathsTest, RelativePathsResolveAgainstTheWorkingFolderAndStayRelative) {
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(dir.path().c_str()), 0);
  const std::string resolved = platform::ResolvePath("levels/mypack.cdn");
  const bool exists = platform::FileExists("LEVELS/mypack.cdn");
  ASSERT_EQ(::chdir(old), 0);
  EXPECT_EQ(resolved, "Levels/MyPack.CDN");
  EXPECT_TRUE(exists);
}

TEST_F(PathsTest, ExistenceTests) {
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {dir / "levels/mypack.cdn", true},
      {dir / "levels", true},        // folders count
      {dir / "levels/", true},       // the levels folder with an empty file name
      {dir / "settings.ini", true},  // empty file
      {dir / "levels/missing.cdn", false},
      {dir / "levels/mypack.cdn/", false},
      {"", false},
      {"/no/such/drive/at/all", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::FileExists(c.path), c.exists) << c.path;
    EXPECT_EQ(platform::DirExists(c.path), c.exists) << c.path;
  }
}

TEST_F(PathsTest, LongFileName) {
  struct Case {
    std::string path;
    std::string result;
  };
  const Case cases[] = {
      {"", ""},
      {dir / "levels/mypack.cdn", dir / "Levels/MyPack.CDN"},
      {dir / "Levels/MyPack.CDN", dir / "Levels/MyPack.CDN"},
      {dir / "LEVELS/", dir / "Levels"},
      {dir / "levels//", dir / "Levels"},
      {dir / "levels/missing.cdn", ""},
      {dir / "missing/mypack.cdn", ""},
      {"/", "/"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::GetLongFileName(c.path), c.result) << c.path;
}

TEST_F(PathsTest, ListFilesMatchesWithoutCaseAndSortsWithoutCase) {
  dir.Put("Levels/alpha.CDN", "x");
  dir.Put("Levels/Beta.cdn", "x");
  dir.Put("Levels/notes.txt", "x");
  dir.Mkdir("Levels/folder.cdn");
  const std::vector<std::string> expected = {"alpha.CDN", "Beta.cdn", "MyPack.CDN", "other.cdn"};
  EXPECT_EQ(platform::ListFiles(dir / "levels/", "*.cdn"), expected);
  EXPECT_EQ(platform::ListFiles(dir / "LEVELS", "*.CDN"), expected);
  EXPECT_TRUE(platform::ListFiles(dir / "nothing/", "*.cdn").empty());
}

TEST(Paths, NameParts) {
  EXPECT_EQ(platform::FileNamePart("a/b/c.cdn"), "c.cdn");
  EXPECT_EQ(platform::FileNamePart("c.cdn"), "c.cdn");
  EXPECT_EQ(platform::FileNamePart("a/b/"), "");
  EXPECT_EQ(platform::FolderPart("a/b/c.cdn"), "a/b/");
  EXPECT_EQ(platform::FolderPart("c.cdn"), "");
  EXPECT_EQ(platform::FolderPart("/c.cdn"), "/");
}

TEST(Paths, ExecutableDirIsAnExistingFolder) {
  const std::string d = platform::ExecutableDir();
  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d.back(), '/');
  EXPECT_TRUE(platform::DirExists(d));
}

TEST(Paths, Wildcards) {
  struct Case {
    std::string name, pattern;
    bool match;
  };
  const Case cases[] = {
      {"pack.cdn", "*.cdn", true},   {"PACK.CDN", "*.cdn", true}, {"pack.cdx", "*.cdn", false},
      {"pack.cdn.bak", "*.cdn", false}, {".cdn", "*.cdn", true},  {"a", "?", true},
      {"", "?", false},              {"", "*", true},             {"abc", "a*c", true},
      {"abcbc", "a*bc", true},       {"abd", "a*c", false},       {"level 1.cdn", "level ?.cdn", true},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*c", false},  // no blow-up
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::WildcardMatch(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
  }
}

TEST(Paths, NoCaseComparisons) {
  EXPECT_TRUE(platform::EqualsNoCase("Levels", "lEVELS"));
  EXPECT_FALSE(platform::EqualsNoCase("Level", "Levels"));
  EXPECT_FALSE(platform::EqualsNoCase("\xC9", "\xE9"));  // only ASCII folds
  EXPECT_TRUE(platform::LessNoCase("alpha", "Beta"));
  EXPECT_FALSE(platform::LessNoCase("Beta", "alpha"));
  EXPECT_TRUE(platform::LessNoCase("ab", "ABC"));
}

}  // namespace
