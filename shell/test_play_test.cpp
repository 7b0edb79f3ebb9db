// Test play from the editor: the command line's form of its own, and a run that starts at the
// chosen level, asks nothing and writes nothing.
#include <filesystem>

#include "shell/app_test_fixture.h"
#include "shell/command_line.h"

namespace shell::testing {
namespace {

namespace fs = std::filesystem;

TEST(CommandLine, TheTestPlayFormBesideTheDescribedOnePath) {
  struct Case {
    std::vector<std::string> args;
    int testLevel;
    const char* commandLine;
  };
  const Case cases[] = {
      {{"--test-level", "3", "/tmp/t/test1.cdn"}, 3, "/tmp/t/test1.cdn"},
      {{"--test-level", "100", "my pack.cdn"}, 100, "my pack.cdn"},
      // Everything else is the whole argument text, taken as one path, as it always was.
      {{"/home/me/pack.cdn"}, 0, "/home/me/pack.cdn"},
      {{"/home/me/ice", "cave.cdn"}, 0, "/home/me/ice cave.cdn"},
      {{}, 0, ""},
      {{"--test-level", "0", "p.cdn"}, 0, "--test-level 0 p.cdn"},
      {{"--test-level", "two", "p.cdn"}, 0, "--test-level two p.cdn"},
      {{"--test-level", "-1", "p.cdn"}, 0, "--test-level -1 p.cdn"},
      {{"--test-level", "1000", "p.cdn"}, 0, "--test-level 1000 p.cdn"},
      {{"--test-level", "2"}, 0, "--test-level 2"},
      {{"--test-level", "2", "a", "b"}, 0, "--test-level 2 a b"},
  };
  for (const Case& c : cases) {
    StartOptions o;
    ReadCommandLine(c.args, o);
    EXPECT_EQ(o.testLevel, c.testLevel) << c.commandLine;
    EXPECT_EQ(o.writeNothing, c.testLevel > 0) << c.commandLine;
    EXPECT_EQ(o.commandLine, c.commandLine);
  }
}

class TestPlayTest : public AppTest {
 protected:
  void StartTestPlay(int level, const std::string& pack) {
    adjustOptions = [level](StartOptions& o) {
      o.testLevel = level;
      o.writeNothing = true;
    };
    Make(pack);
    ASSERT_EQ(app->Main(), StartResult::Running);
  }
};

TEST_F(TestPlayTest, StartsAtTheLevelAsksNothingAndWritesNothing) {
  // A first run (no settings.ini) on a pack outside the levels folder, with progress beside it.
  dir.Put("tmp/test1.cdn", TestPack(3, "Being edited"));
  dir.Put("tmp/test1.cdx", "progress of the player's own");
  StartTestPlay(2, dir / "tmp/test1.cdn");
  EXPECT_TRUE(box.asked.empty()) << ::testing::PrintToString(box.asked);
  EXPECT_FALSE(app->flags().mainMenuVisible);
  EXPECT_EQ(app->game()->state().packPath, dir / "tmp/test1.cdn");
  EXPECT_EQ(app->game()->state().currentLevel, 2);

  SolveByMouse();
  EXPECT_TRUE(app->game()->IsLevelSolved(2));
  EXPECT_EQ(app->game()->state().currentLevel, 3);

  // Played from the main menu in the same run, the built-in pack keeps its progress in memory
  // too.
  ASSERT_TRUE(app->StartLevelPack(dir / "data/ogpice.cdn"));
  SolveByMouse();
  EXPECT_TRUE(app->game()->IsLevelSolved(1));
  ASSERT_TRUE(app->StartLevelPack(dir / "data/ogpice.cdn"));
  EXPECT_EQ(app->game()->state().currentLevel, 2);

  app->QuitGame();
  EXPECT_EQ(dir.Get("tmp/test1.cdx"), "progress of the player's own");
  EXPECT_FALSE(fs::exists(dir / "data/ogpice.cdx"));
  EXPECT_FALSE(fs::exists(dir / "settings.ini"));
  EXPECT_FALSE(fs::exists(dir / "levels"));
  EXPECT_FALSE(fs::exists(dir / "xdg-data"));
}

TEST_F(TestPlayTest, ThePlayersSettingsAreUsedAndLeftAsTheyAre) {
  dir.Put("settings.ini", kQuietSettings);
  dir.Put("tmp/test1.cdn", TestPack(2));
  StartTestPlay(1, dir / "tmp/test1.cdn");
  EXPECT_EQ(app->settings()->animationLevel, 1);
  EXPECT_TRUE(app->settings()->soundEnabled);
  app->settings()->WriteSetting("Options", "Sound", "0");
  EXPECT_EQ(app->settings()->ReadSetting("Options", "Sound"), "0");
  app->QuitGame();
  EXPECT_EQ(dir.Get("settings.ini"), kQuietSettings);
}

TEST_F(TestPlayTest, ALevelPastTheEndPlaysTheLastOne) {
  dir.Put("settings.ini", kQuietSettings);
  dir.Put("tmp/test1.cdn", TestPack(2));
  StartTestPlay(7, dir / "tmp/test1.cdn");
  EXPECT_EQ(app->game()->state().currentLevel, 2);
}

TEST_F(TestPlayTest, TheDescribedStartStillWritesItsFiles) {
  dir.Put("settings.ini", kQuietSettings);
  Start();
  ASSERT_TRUE(app->StartLevelPack(dir / "data/ogpice.cdn"));
  EXPECT_TRUE(fs::exists(dir / "data/ogpice.cdx"));
  EXPECT_TRUE(fs::exists(dir / "xdg-data"));
}

}  // namespace
}  // namespace shell::testing
