#include "shell/utilities.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/test_dir.h"

namespace {

using platform::testing::TestDir;

TEST(Utilities, ExistenceTests) {
  TestDir dir;
  dir.Put("Levels/MyPack.cdn", "x");
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {dir / "levels/", true},  // the levels folder with an empty file name
      {dir / "levels", true},
      {dir / "LEVELS/mypack.CDN", true},
      {dir / "levels/other.cdn", false},
      {"", false},
      {"/no-such-drive/levels/", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shell::FileExists(c.path), c.exists) << c.path;
    EXPECT_EQ(shell::DirExists(c.path), c.exists) << c.path;
  }
}

TEST(Utilities, LongFileName) {
  TestDir dir;
  dir.Put("Program Files/Game/levels/MyPack.cdn", "x");
  EXPECT_EQ(shell::GetLongFileName(dir / "PROGRAM FILES/game/LEVELS/mypack.cdn"),
            dir / "Program Files/Game/levels/MyPack.cdn");
  EXPECT_EQ(shell::GetLongFileName(dir / "program files/game/"), dir / "Program Files/Game");
  EXPECT_EQ(shell::GetLongFileName(dir / "program files/game/levels/missing.cdn"), "");
  EXPECT_EQ(shell::GetLongFileName(""), "");
}

TEST(Utilities, OpenWebPageOpensTheGamesPage) {
  std::vector<std::string> opened;
  shell::OpenWebPage([&](const std::string& target) {
    opened.push_back(target);
    return false;  // a failure passes silently
  });
  EXPECT_EQ(opened, std::vector<std::string>{"https://frostlide.example.org/"});
  shell::OpenWebPage(shell::DesktopOpener());  // no opener: nothing happens
}

}  // namespace
