#include "platform/user_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/test_dir.h"

namespace {

using platform::ProgramFolders;
using platform::testing::TestDir;

class UserFolderTest : public ::testing::Test {
 protected:
  // An environment made of the given variables only.
  static platform::EnvironmentLookup Env(std::map<std::string, std::string> vars) {
    return [vars](std::string_view name) -> std::optional<std::string> {
      auto it = vars.find(std::string(name));
      if (it == vars.end()) return std::nullopt;
      return it->second;
    };
  }
  static bool ReadOnly(const std::string&) { return false; }

  // The program folder counts as read only, every other folder as writable.
  platform::WritableTest AppReadOnly() const {
    return [app = dir / "app/"](const std::string& folder) { return folder != app; };
  }

  ProgramFolders Separate() const {
    return platform::ResolveProgramFolders(dir / "app/", Env({{"XDG_DATA_HOME", dir / "xdg"}}),
                                           AppReadOnly());
  }

  void SetUp() override { dir.Mkdir("app/data"); }
  TestDir dir;
};

TEST_F(UserFolderTest, AWritableProgramFolderChangesNothing) {
  const ProgramFolders f = platform::ResolveProgramFolders(dir / "app", Env({{"XDG_DATA_HOME", dir / "xdg"}}));
  EXPECT_EQ(f.appPath, dir / "app/");
  EXPECT_EQ(f.writablePath, dir / "app/");
  EXPECT_FALSE(f.Separate());
  EXPECT_EQ(platform::WritableCounterpart(f, dir / "app/settings.ini"), dir / "app/settings.ini");
  EXPECT_EQ(platform::UserFilePath(f, dir / "app/data/ogpice.cdx"), dir / "app/data/ogpice.cdx");
  EXPECT_FALSE(platform::FileExists(dir / "xdg"));
}

TEST_F(UserFolderTest, TheEnvironmentChoosesThePerUserFolder) {
  dir.Put("plainfile", "x");
  struct Case {
    const char* what;
    std::map<std::string, std::string> env;
    std::string expected;  // relative to the test folder; "app/" means no separate folder
  };
  const Case cases[] = {
      {"XDG_DATA_HOME wins", {{"XDG_DATA_HOME", dir / "xdg"}, {"HOME", dir / "home"}}, "xdg/frostlide/"},
      {"trailing slash", {{"XDG_DATA_HOME", dir / "xdg/"}}, "xdg/frostlide/"},
      {"HOME without XDG_DATA_HOME", {{"HOME", dir / "home"}}, "home/.local/share/frostlide/"},
      {"empty XDG_DATA_HOME", {{"XDG_DATA_HOME", ""}, {"HOME", dir / "home"}}, "home/.local/share/frostlide/"},
      {"relative XDG_DATA_HOME is ignored", {{"XDG_DATA_HOME", "rel/xdg"}, {"HOME", dir / "home"}},
       "home/.local/share/frostlide/"},
      {"neither", {}, "app/"},
      {"relative HOME", {{"HOME", "home"}}, "app/"},
      {"per-user folder cannot be made", {{"XDG_DATA_HOME", dir / "plainfile/sub"}}, "app/"},
  };
  for (const Case& c : cases) {
    const ProgramFolders f = platform::ResolveProgramFolders(dir / "app/", Env(c.env), AppReadOnly());
    EXPECT_EQ(f.appPath, dir / "app/") << c.what;
    EXPECT_EQ(f.writablePath, dir / c.expected) << c.what;
    if (c.expected != "app/") {
      EXPECT_TRUE(platform::FileExists(dir / c.expected)) << c.what;
    }
  }
  // A program folder that does not exist is left alone.
  EXPECT_FALSE(platform::ResolveProgramFolders(dir / "gone/", Env({{"HOME", dir / "home2"}}), ReadOnly).Separate());
  EXPECT_FALSE(platform::FileExists(dir / "home2"));
  // A per-user folder that exists but cannot be written either is no better than the program
  // folder.
  const ProgramFolders none =
      platform::ResolveProgramFolders(dir / "app/", Env({{"HOME", dir / "home"}}), ReadOnly);
  EXPECT_FALSE(none.Separate());
}

TEST_F(UserFolderTest, CounterpartKeepsTheLayoutAndMakesTheFolders) {
  const ProgramFolders f = Separate();
  ASSERT_TRUE(f.Separate());
  const std::string user = dir / "xdg/frostlide/";
  EXPECT_EQ(f.writablePath, user);

  EXPECT_EQ(platform::WritableCounterpart(f, dir / "app/settings.ini"), user + "settings.ini");
  EXPECT_EQ(platform::WritableCounterpart(f, dir / "app/data/ogpice.cdx"), user + "data/ogpice.cdx");
  EXPECT_TRUE(platform::FileExists(user + "data"));
  EXPECT_FALSE(platform::FileExists(user + "data/ogpice.cdx"));  // the file itself is not made
  // A folder path makes the folder; the program folder itself maps to the per-user folder.
  EXPECT_EQ(platform::WritableCounterpart(f, dir / "app/levels/"), user + "levels/");
  EXPECT_TRUE(platform::FileExists(user + "levels"));
  EXPECT_EQ(platform::WritableCounterpart(f, dir / "app/"), user);
  EXPECT_EQ(platform::WritableCounterpart(f, dir / "app"), user);
  // The file system ignores case, and so does the mapping.
  EXPECT_EQ(platform::WritableCounterpart(f, dir / "APP/Levels/x.cdn"), user + "Levels/x.cdn");
  // Paths elsewhere stay where they are: a pack opened from the command line keeps its
  // progress beside it.
  for (const std::string& other : {dir / "elsewhere/x.cdx", dir / "apple/x.cdx", std::string("rel/x.cdx"),
                                   std::string()}) {
    EXPECT_EQ(platform::WritableCounterpart(f, other), other);
  }
}

TEST_F(UserFolderTest, UserFilesAreReadFromThePerUserFolderFirst) {
  const ProgramFolders f = Separate();
  const std::string user = dir / "xdg/frostlide/";
  // A file shipped in the program folder is the starting point of the user's copy.
  dir.Put("app/settings.ini", "[Options]\r\nSound=0\r\n");
  EXPECT_EQ(platform::UserFilePath(f, dir / "app/settings.ini"), user + "settings.ini");
  EXPECT_EQ(dir.Get("xdg/frostlide/settings.ini"), "[Options]\r\nSound=0\r\n");
  // Once the user's copy exists it is the one that counts.
  dir.Put("xdg/frostlide/settings.ini", "mine");
  dir.Put("app/settings.ini", "installed");
  EXPECT_EQ(platform::UserFilePath(f, dir / "app/settings.ini"), user + "settings.ini");
  EXPECT_EQ(dir.Get("xdg/frostlide/settings.ini"), "mine");
  // Nothing in either place: nothing is made, the caller creates the file on its first write.
  EXPECT_EQ(platform::UserFilePath(f, dir / "app/data/ogpice.cdx"), user + "data/ogpice.cdx");
  EXPECT_FALSE(platform::FileExists(user + "data/ogpice.cdx"));
  // Read-only data stays in the program folder when nobody maps it.
  dir.Put("app/data/ogpice.cdn", "pack");
  EXPECT_FALSE(platform::FileExists(user + "data/ogpice.cdn"));
}

// The real test of the program folder's permission bits: a folder made read only with chmod.
// The superuser ignores permission bits, so this runs only for other users (run the test
// program as nobody to see it: setpriv --reuid=nobody --regid=nogroup --clear-groups ...).
TEST_F(UserFolderTest, AReadOnlyProgramFolderSendsWritesToThePerUserFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not bind the superuser";
  ASSERT_EQ(::chmod((dir / "app").c_str(), 0555), 0);
  const ProgramFolders f =
      platform::ResolveProgramFolders(dir / "app/", Env({{"XDG_DATA_HOME", dir / "xdg"}}));
  EXPECT_TRUE(f.Separate());
  EXPECT_EQ(f.writablePath, dir / "xdg/frostlide/");
  const std::string settings = platform::UserFilePath(f, dir / "app/settings.ini");
  EXPECT_TRUE(platform::WriteFileAtomic(settings, "[Options]\r\n"));
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "app/settings.ini", "[Options]\r\n"));
  EXPECT_EQ(dir.Get("xdg/frostlide/settings.ini"), "[Options]\r\n");
  ::chmod((dir / "app").c_str(), 0755);
}

}  // namespace
