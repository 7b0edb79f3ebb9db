#include "shell/file_dialog.h"

#include <gtest/gtest.h>

#include <map>

namespace shell {
namespace {

struct Call {
  std::string program;
  std::vector<std::string> args;
};

// A desktop with the given dialog programs installed, each answering with a fixed result.
struct FakeDesktop {
  std::map<std::string, ProgramOutput> installed;
  std::vector<Call> calls;
  DesktopFileDialog Dialog() {
    return DesktopFileDialog(
        [this](const std::string& name) {
          return installed.count(name) ? "/usr/bin/" + name : std::string();
        },
        [this](const std::string& program, const std::vector<std::string>& args) {
          calls.push_back({program, args});
          const std::string name = program.substr(program.rfind('/') + 1);
          return installed.at(name);
        });
  }
};

TEST(DesktopFileDialog, AsksZenityFirstWithTheFilterAndReadsThePath) {
  FakeDesktop d;
  d.installed["zenity"] = {true, 0, "/home/p/My Packs/winter.cdn\n"};
  d.installed["kdialog"] = {true, 0, "/never\n"};
  const FileDialogAnswer a = d.Dialog().OpenFile("Import level pack", "Frostlide Level Pack", "*.cdn");
  EXPECT_EQ(a.kind, FileDialogAnswer::Kind::Chosen);
  EXPECT_EQ(a.path, "/home/p/My Packs/winter.cdn");
  ASSERT_EQ(d.calls.size(), 1u);
  EXPECT_EQ(d.calls[0].program, "/usr/bin/zenity");
  // GTK's patterns heed letter case, so "*.cdn" alone would hide WINTER.CDN, which the game's
  // own list shows.
  EXPECT_EQ(d.calls[0].args, (std::vector<std::string>{"--file-selection", "--title=Import level pack",
                                                       "--file-filter=Frostlide Level Pack | *.[cC][dD][nN]"}));
}

TEST(DesktopFileDialog, UsesKdialogWhenZenityIsMissingOrCannotStart) {
  for (bool zenityBroken : {false, true}) {
    FakeDesktop d;
    if (zenityBroken) d.installed["zenity"] = {false, -1, ""};
    d.installed["kdialog"] = {true, 0, "/tmp/a.cdn\r\n"};
    const FileDialogAnswer a = d.Dialog().OpenFile("T", "Frostlide Level Pack", "*.cdn");
    EXPECT_EQ(a.kind, FileDialogAnswer::Kind::Chosen);
    EXPECT_EQ(a.path, "/tmp/a.cdn");
    ASSERT_FALSE(d.calls.empty());
    EXPECT_EQ(d.calls.back().program, "/usr/bin/kdialog");
    EXPECT_EQ(d.calls.back().args.back(), "Frostlide Level Pack (*.cdn)");
  }
}

TEST(DesktopFileDialog, AnswersCancelAndUnavailable) {
  struct Case {
    const char* name;
    std::map<std::string, ProgramOutput> installed;
    FileDialogAnswer::Kind kind;
  } cases[] = {
      {"cancelled", {{"zenity", {true, 1, ""}}}, FileDialogAnswer::Kind::Cancelled},
      {"ok without a name", {{"zenity", {true, 0, "\n"}}}, FileDialogAnswer::Kind::Cancelled},
      {"no display", {{"zenity", {true, 255, ""}}}, FileDialogAnswer::Kind::Unavailable},
      {"nothing installed", {}, FileDialogAnswer::Kind::Unavailable},
  };
  for (const Case& c : cases) {
    FakeDesktop d;
    d.installed = c.installed;
    EXPECT_EQ(d.Dialog().OpenFile("T", "L", "*.cdn").kind, c.kind) << c.name;
  }
}

TEST(CaptureProgramOutput, ReturnsOutputAndExitCode) {
  const ProgramOutput out = CaptureProgramOutput("/bin/sh", {"-c", "printf 'one\\ntwo\\n'; exit 3"});
  EXPECT_TRUE(out.started);
  EXPECT_EQ(out.exitCode, 3);
  EXPECT_EQ(out.output, "one\ntwo\n");
  EXPECT_EQ(DialogOutputPath(out.output), "one");
}

TEST(CaptureProgramOutput, AMissingProgramDidNotStart) {
  EXPECT_FALSE(CaptureProgramOutput("/nonexistent/zenity", {}).started);
}

TEST(CaptureProgramOutput, KeepsOnlyABoundedAmountOfOutput) {
  // A megabyte is read to its end (so the program is not stuck on a full pipe) but not kept.
  const ProgramOutput out = CaptureProgramOutput("/bin/sh", {"-c", "head -c 1048576 /dev/zero; exit 0"}, 1000);
  EXPECT_TRUE(out.started);
  EXPECT_EQ(out.exitCode, 0);
  EXPECT_EQ(out.output.size(), 1000u);
}

}  // namespace
}  // namespace shell
