#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/paths.h"
#include "platform/test_dir.h"

namespace {

using platform::testing::TestDir;

// Waits (boundedly) for a file that a started program writes; not a timing check.
bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 500; ++i) {
    if (platform::FileExists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

bool HasChildren() {
  errno = 0;
  return !(::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD);
}

TEST(Process, StartedProgramRunsWithItsArgumentsAndLeavesNoChild) {
  TestDir dir;
  const std::string out = dir / "out.txt";
  ASSERT_TRUE(platform::StartProgram("/bin/sh", {"-c", "printf '%s|%s' \"$0\" \"$1\" > \"$2\"",
                                                 "a b", "c", out}));
  EXPECT_FALSE(HasChildren());  // detached: nothing of ours to reap, no zombie
  ASSERT_TRUE(WaitForFile(out));
  // The file may exist before the shell has written into it.
  std::string text;
  for (int i = 0; i < 500 && text.empty(); ++i) {
    text = dir.Get("out.txt");
    if (text.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(text, "a b|c");
}

TEST(Process, ProgramFoundOnPath) {
  EXPECT_TRUE(platform::StartProgram("true"));
  EXPECT_FALSE(HasChildren());
}

TEST(Process, MissingOrNotExecutableProgramsAreNotStarted) {
  TestDir dir;
  dir.Put("plain.txt", "not a program");
  dir.Put("badinterp.sh", "#!/no/such/interpreter\n");
  ASSERT_EQ(::chmod((dir / "badinterp.sh").c_str(), 0755), 0);
  const std::string programs[] = {dir / "missing", dir / "plain.txt", dir.path(),
                                  dir / "badinterp.sh", "no-such-program-frostlide", ""};
  for (const std::string& p : programs) EXPECT_FALSE(platform::StartProgram(p)) << p;
  EXPECT_FALSE(HasChildren());
}

TEST(Process, FindOnPath) {
  const std::string sh = platform::FindOnPath("sh");
  ASSERT_FALSE(sh.empty());
  EXPECT_EQ(sh.back(), 'h');
  EXPECT_EQ(::access(sh.c_str(), X_OK), 0);
  EXPECT_EQ(platform::FindOnPath("no-such-program-frostlide"), "");
  EXPECT_EQ(platform::FindOnPath(""), "");
  EXPECT_EQ(platform::FindOnPath("/bin/sh"), "/bin/sh");
}

// What a watched start reports, by how the program ends.
TEST(Process, AWatchedStartReportsAProgramThatGivesUpAtOnce) {
  struct Case {
    const char* script;
    int watchMs;
    bool started;
  };
  const Case cases[] = {
      {"exit 0", 2000, true},     // done, and well
      {"exit 3", 2000, false},    // as xdg-open without a browser
      {"kill -9 $$", 2000, false},
      {"sleep 1; exit 3", 50, true},  // still running when the watch ends
      {"exit 3", 0, true},        // not watched: StartProgram
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::StartProgramWatched("/bin/sh", {"-c", c.script}, c.watchMs), c.started) << c.script;
  EXPECT_FALSE(platform::StartProgramWatched("/nonexistent/program", {}, 100));
  EXPECT_FALSE(platform::OpenWithDesktopChecked("", 100));
}

TEST(Process, OpenWithDesktopNeedsATarget) { EXPECT_FALSE(platform::OpenWithDesktop("")); }

}  // namespace
