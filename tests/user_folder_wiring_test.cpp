// The per-user folder (platform/user_folder.h) as the game uses it: with a read-only program
// folder the progress of the built-in pack is written to and read from data/ogpice.cdx in the
// per-user folder, an older progress file in the program folder is taken over, and the pack
// itself is still read from the program folder. With a writable program folder nothing moves.
#include <gtest/gtest.h>

#include <map>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "platform/paths.h"
#include "platform/test_dir.h"
#include "platform/user_folder.h"

namespace {

using platform::testing::TestDir;

std::string OneLevelPack() {
  std::string t = "[PackHeader]\r\nCollectionName=Frostlide: Ice\r\nAuthor=\r\nComment=\r\nNumberOfLevels=2\r\n\r\n";
  for (int n = 1; n <= 2; ++n) {
    t += "[Level" + std::to_string(n) + "Data]\r\nR.rX\r\n";
    for (int r = 1; r < 15; ++r) t += "...............\r\n";
    t += "\r\n";
  }
  return t;
}

class UserFolderWiringTest : public ::testing::Test {
 protected:
  void SetUp() override { dir.Put("app/data/ogpice.cdn", OneLevelPack()); }

  platform::ProgramFolders Folders(bool appWritable) const {
    const std::string app = dir / "app/";
    return platform::ResolveProgramFolders(
        app,
        [this](std::string_view name) -> std::optional<std::string> {
          if (name == "XDG_DATA_HOME") return dir / "xdg";
          return std::nullopt;
        },
        [app, appWritable](const std::string& f) { return appWritable || f != app; });
  }

  std::unique_ptr<engine::Game> MakeGame(const platform::ProgramFolders& folders) {
    engine::GameSettings s;
    s.animationLevel = 1;
    s.appPath = folders.appPath;
    s.checkDataFiles = false;
    auto game = std::make_unique<engine::Game>(engine::GamePorts{painter, sound, prompt, clock, host}, s);
    game->SetWritablePathMapping(
        [folders](const std::string& path) { return platform::UserFilePath(folders, path); });
    return game;
  }

  TestDir dir;
  engine::NullPainter painter;
  engine::NullSound sound;
  engine::FixedPrompt prompt;
  engine::InstantClock clock;
  engine::NullHost host;
};

TEST_F(UserFolderWiringTest, AReadOnlyProgramFolderKeepsProgressPerUser) {
  auto game = MakeGame(Folders(false));
  ASSERT_TRUE(game->StartPack(dir / "app/data/ogpice.cdn"));
  EXPECT_EQ(game->ProgressPath(), dir / "xdg/frostlide/data/ogpice.cdx");
  game->MoveCube(1, 1, engine::Direction::Right);  // solves level 1
  EXPECT_EQ(dir.Get("xdg/frostlide/data/ogpice.cdx"), "1\r\nd\r\n2\r\nu\r\n");
  EXPECT_FALSE(platform::FileExists(dir / "app/data/ogpice.cdx"));
  EXPECT_FALSE(platform::FileExists(dir / "xdg/frostlide/data/ogpice.cdn"));  // the pack stays where it is

  // The next start reads the per-user file and starts at level 2.
  auto again = MakeGame(Folders(false));
  ASSERT_TRUE(again->StartPack(dir / "app/data/ogpice.cdn"));
  EXPECT_TRUE(again->IsLevelSolved(1));
  EXPECT_EQ(again->state().currentLevel, 2);
}

TEST_F(UserFolderWiringTest, ProgressOfAnEarlierWritableInstallIsTakenOver) {
  dir.Put("app/data/ogpice.cdx", "1\r\nd\r\n2\r\nd\r\n");
  auto game = MakeGame(Folders(false));
  ASSERT_TRUE(game->StartPack(dir / "app/data/ogpice.cdn"));
  EXPECT_TRUE(game->IsLevelSolved(1));
  EXPECT_TRUE(game->IsLevelSolved(2));
  EXPECT_EQ(dir.Get("xdg/frostlide/data/ogpice.cdx"), "1\r\nd\r\n2\r\nd\r\n");
}

TEST_F(UserFolderWiringTest, AWritableProgramFolderKeepsProgressBesideThePack) {
  auto game = MakeGame(Folders(true));
  ASSERT_TRUE(game->StartPack(dir / "app/data/ogpice.cdn"));
  EXPECT_EQ(game->ProgressPath(), dir / "app/data/ogpice.cdx");
  game->MoveCube(1, 1, engine::Direction::Right);
  EXPECT_EQ(dir.Get("app/data/ogpice.cdx"), "1\r\nd\r\n2\r\nu\r\n");
  EXPECT_FALSE(platform::FileExists(dir / "xdg"));
  // A pack outside the program folder keeps its progress beside it in any case.
  dir.Put("elsewhere/p.cdn", OneLevelPack());
  auto other = MakeGame(Folders(false));
  ASSERT_TRUE(other->OpenPack(dir / "elsewhere/p.cdn"));
  EXPECT_EQ(other->ProgressPath(), dir / "elsewhere/p.cdx");
}

}  // namespace
