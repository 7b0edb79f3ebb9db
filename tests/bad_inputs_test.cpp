// The bad inputs of docs/bad-inputs.md that can be tried without a window: damaged packs of
// every kind, garbage, an oversized file without line ends, a pack of 255 levels, unreadable
// progress and settings files, a missing data file and a failing writer. Each gives its
// documented message or default and loses nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "platform/files.h"
#include "platform/test_dir.h"
#include "shell/settings.h"

namespace {

using platform::testing::TestDir;

class RecordingPrompt : public engine::Prompt {
 public:
  bool ShowMessage(const std::string& text, bool) override {
    messages.push_back(text);
    return false;
  }
  bool SystemMessage(const std::string& text, engine::MessageIcon, bool) override {
    messages.push_back(text);
    return false;
  }
  std::vector<std::string> messages;
};

std::string Header(const std::string& count) {
  return "[PackHeader]\r\nCollectionName=Bad\r\nAuthor=A\r\nComment=C\r\nNumberOfLevels=" + count + "\r\n\r\n";
}
std::string Section(int n, const std::string& firstRow) {
  std::string s = "[Level" + std::to_string(n) + "Data]\r\n" + firstRow + "\r\n";
  for (int r = 1; r < 15; ++r) s += "...............\r\n";
  return s + "\r\n";
}

class BadInputTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SimulateWriteFailure(false); }
  engine::Game& NewGame(bool checkData = false) {
    game_ = std::make_unique<engine::Game>(engine::GamePorts{painter, sound, prompt, clock, host},
                                           engine::GameSettings{.animationLevel = 1, .appPath = dir.path(),
                                                                .checkDataFiles = checkData});
    return *game_;
  }
  TestDir dir;
  engine::NullPainter painter;
  engine::NullSound sound;
  RecordingPrompt prompt;
  engine::InstantClock clock;
  engine::NullHost host;
  std::unique_ptr<engine::Game> game_;
};

TEST_F(BadInputTest, DamagedPacksGiveTheirMessage) {
  std::mt19937 random(99);
  std::string garbage(4096, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  struct Case {
    const char* what;
    std::string bytes;
    bool opens;
    const char* message;  // "" for none
    int levels;
  };
  const std::vector<Case> cases = {
      {"empty file", "", false, "Damaged game pack!", 0},
      {"four lines", "[PackHeader]\r\nCollectionName=x\r\nAuthor=\r\nComment=\r\n", false, "Damaged game pack!", 0},
      {"count in letters", Header("many") + Section(1, "R"), false, "Damaged level file!", 0},
      {"count 0", Header("0"), false, "Damaged level file!", 0},
      {"count 256", Header("256") + Section(1, "R"), false, "Damaged game pack!", 0},
      {"count -1", Header("-1"), false, "Damaged game pack!", 0},
      {"count 1e400", Header("1e400"), false, "Damaged game pack!", 0},
      {"count 12.5", Header("12.5") + Section(1, "R"), true, "", 12},
      {"no level sections", Header("3"), true, "", 3},
      {"binary garbage (its fifth line is no number)", garbage, false, "Damaged level file!", 0},
      {"NUL bytes only", std::string(300, '\0'), false, "Damaged game pack!", 0},
      {"line ends only", std::string(300, '\n'), false, "Damaged level file!", 0},
      {"a section cut short", Header("1") + "[Level1Data]\r\nRRR\r\n...", true, "", 1},
  };
  for (const Case& c : cases) {
    dir.Put("bad.cdn", c.bytes);
    prompt.messages.clear();
    engine::Game& game = NewGame();
    EXPECT_EQ(game.OpenPack(dir / "bad.cdn"), c.opens) << c.what;
    if (*c.message != '\0') {
      EXPECT_EQ(prompt.messages, std::vector<std::string>{c.message}) << c.what;
    } else {
      EXPECT_TRUE(prompt.messages.empty()) << c.what;
      EXPECT_EQ(game.state().numberOfLevels, c.levels) << c.what;
      for (int n = 1; n <= c.levels; ++n) game.LoadLevel(n);  // empty boards where sections lack
      EXPECT_TRUE(prompt.messages.empty()) << c.what;
    }
  }
  // A missing pack and a folder in place of a pack.
  prompt.messages.clear();
  EXPECT_FALSE(NewGame().OpenPack(dir / "missing.cdn"));
  dir.Mkdir("folder.cdn");
  EXPECT_FALSE(NewGame().OpenPack(dir / "folder.cdn"));
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Level file does not exist!", "Damaged game pack!"}));
}

// 100 MB without a line end (sparse, so the test writes almost nothing): refused by its size,
// without reading it into memory.
TEST_F(BadInputTest, AHundredMegabytesWithoutLineEndsIsRefused) {
  const std::string path = dir / "huge.cdn";
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 100L << 20), 0);
  ::close(fd);
  engine::Game& game = NewGame();
  EXPECT_FALSE(game.OpenPack(path));
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"Damaged game pack!"});
  // The same bytes as a progress file and as settings.ini are refused the same way.
  dir.Put("p.cdn", Header("2") + Section(1, "R") + Section(2, "B"));
  std::filesystem::copy_file(path, dir / "p.cdx");
  prompt.messages.clear();
  ASSERT_TRUE(game.OpenPack(dir / "p.cdn"));
  game.ResetSolved();
  game.LoadProgress();
  EXPECT_FALSE(game.IsLevelSolved(1));
  EXPECT_TRUE(prompt.messages.empty());

  std::filesystem::copy_file(path, dir / "settings.ini");
  shell::Settings settings(dir / "settings.ini", prompt);
  settings.LoadSettings();
  EXPECT_FALSE(settings.soundEnabled);
  settings.WriteSetting("Options", "Sound", "1");  // refused: rewriting it would lose its end
  EXPECT_EQ(std::filesystem::file_size(dir / "settings.ini"), 100u << 20);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(BadInputTest, APackOf255LevelsPlaysToTheLast) {
  std::string pack = Header("255");
  for (int n = 1; n <= 255; ++n) pack += Section(n, n % 2 ? "R.rX" : "B.b");
  dir.Put("big.cdn", pack);
  engine::Game& game = NewGame();
  ASSERT_TRUE(game.StartPack(dir / "big.cdn"));
  EXPECT_EQ(game.state().numberOfLevels, 255);
  EXPECT_EQ(game.state().currentLevel, 1);
  game.LoadLevel(255);
  EXPECT_EQ(game.board().at(1, 1).kind, engine::CellKind::Cube);
  EXPECT_EQ(game.board().at(3, 1).kind, engine::CellKind::Sphere);
  game.MoveCube(1, 1, engine::Direction::Right);  // solves level 255, the last: credits
  EXPECT_TRUE(game.IsLevelSolved(255));
  EXPECT_EQ(dir.Get("big.cdx").substr(dir.Get("big.cdx").size() - 8), "255\r\nd\r\n");
  // Ten unsolved levels are open at once in a pack this large.
  EXPECT_FALSE(game.IsLevelLocked(10));
  EXPECT_TRUE(game.IsLevelLocked(11));
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(BadInputTest, UnreadableProgressLeavesLevelsUnsolvedAndKeepsTheFile) {
  dir.Put("p.cdn", Header("3") + Section(1, "R.rX") + Section(2, "R") + Section(3, "R"));
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<bool> solved;  // levels 1 .. 3
  };
  const Case cases[] = {
      {"garbage", "\x01\xff\r\nd\xfe", {false, false, false}},
      {"capital D", "1\r\nD\r\n2\r\nd\r\n3\r\nd\r\n", {false, true, true}},
      {"short", "1\r\nd\r\n2\r\n", {true, false, false}},
      {"LF only", "1\nd\n2\nu\n3\nd\n", {true, false, true}},
      {"NUL in a flag", std::string("1\r\nd\0\r\n2\r\nd\r\n", 12), {false, true, false}},
  };
  for (const Case& c : cases) {
    dir.Put("p.cdx", c.bytes);
    engine::Game& game = NewGame();
    ASSERT_TRUE(game.OpenPack(dir / "p.cdn"));
    game.ResetSolved();
    game.LoadProgress();
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(game.IsLevelSolved(i), c.solved[i - 1]) << c.what << " level " << i;
    EXPECT_EQ(dir.Get("p.cdx"), c.bytes) << c.what << ": not repaired before the next win";
  }
  // A folder where the progress file belongs: nothing solved, nothing written, no message.
  std::filesystem::remove(dir / "p.cdx");
  dir.Mkdir("p.cdx");
  engine::Game& game = NewGame();
  ASSERT_TRUE(game.StartPack(dir / "p.cdn"));
  EXPECT_FALSE(game.IsLevelSolved(1));
  game.MoveCube(1, 1, engine::Direction::Right);  // a win the game cannot write down
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(game.state().currentLevel, 2);
  EXPECT_TRUE(prompt.messages.empty());
}

// A full disk: every write fails after its temporary file was made. The game plays on, the
// old progress file stays whole, no temporary file is left.
TEST_F(BadInputTest, AFailingWriterLosesNothing) {
  dir.Put("p.cdn", Header("2") + Section(1, "R.rX") + Section(2, "R"));
  dir.Put("p.cdx", "1\r\nu\r\n2\r\nd\r\n");
  engine::Game& game = NewGame();
  ASSERT_TRUE(game.StartPack(dir / "p.cdn"));
  platform::SimulateWriteFailure(true);
  game.MoveCube(1, 1, engine::Direction::Right);
  EXPECT_TRUE(game.IsLevelSolved(1));
  EXPECT_EQ(dir.Get("p.cdx"), "1\r\nu\r\n2\r\nd\r\n");
  EXPECT_FALSE(game.SaveProgress());

  dir.Put("settings.ini", "[Options]\r\nSound=1\r\n");
  shell::Settings settings(dir / "settings.ini", prompt);
  settings.WriteSetting("Options", "Sound", "0");
  EXPECT_EQ(dir.Get("settings.ini"), "[Options]\r\nSound=1\r\n");
  // First run on a full disk: told once, the settings live in memory for this run.
  std::filesystem::remove(dir / "settings.ini");
  shell::Settings fresh(dir / "settings.ini", prompt);
  EXPECT_FALSE(fresh.CreateDefaultSettings());
  fresh.LoadSettings();
  EXPECT_TRUE(fresh.soundEnabled);
  EXPECT_EQ(prompt.messages.back(), "Unable to save settings to " + dir / "settings.ini");
  platform::SimulateWriteFailure(false);
  EXPECT_EQ(dir.Count(), 2);  // p.cdn, p.cdx and nothing else: no temporary files
}

TEST_F(BadInputTest, UnreadableOrDamagedSettingsReadAsDefaults) {
  struct Case {
    const char* what;
    std::string bytes;
    bool sound;
    int animation;
  };
  std::string huge(3u << 20, 'x');  // no line end, larger than what is read
  const Case cases[] = {
      {"empty", "", false, 2},
      {"binary", std::string("\0\xff[Options\x01\r\nSound=\x80", 20), false, 2},
      {"huge line", huge, false, 2},
      {"numbers out of range", "[Options]\r\nSound=1e999\r\nAnimation=-1\r\n", true, 2},
      {"other case and blanks", "[OPTIONS]\r\n  sound =  1  \r\nANIMATION=1\r\n", true, 1},
  };
  for (const Case& c : cases) {
    dir.Put("settings.ini", c.bytes);
    prompt.messages.clear();
    shell::Settings s(dir / "settings.ini", prompt);
    s.LoadSettings();
    EXPECT_EQ(s.soundEnabled, c.sound) << c.what;
    EXPECT_EQ(s.animationLevel, c.animation) << c.what;
    EXPECT_TRUE(prompt.messages.empty()) << c.what;
  }
  // Writing into a file longer than what is read is refused, so its end is not lost.
  dir.Put("settings.ini", huge);
  shell::Settings s(dir / "settings.ini", prompt);
  s.WriteSetting("Options", "Sound", "1");
  EXPECT_EQ(dir.Get("settings.ini").size(), huge.size());

  // A folder in place of settings.ini: told once on loading and once on saving.
  std::filesystem::remove(dir / "settings.ini");
  dir.Mkdir("settings.ini");
  prompt.messages.clear();
  shell::Settings folder(dir / "settings.ini", prompt);
  folder.LoadSettings();
  folder.WriteSetting("Options", "Sound", "1");
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Couldn't load settings",
                                                       "Unable to save settings to " + dir / "settings.ini"}));
}

TEST_F(BadInputTest, AMissingBackgroundIsReportedAndTheLevelStillLoads) {
  dir.Put("p.cdn", Header("1") + Section(1, "R.rX"));
  engine::Game& game = NewGame(true);
  ASSERT_TRUE(game.OpenPack(dir / "p.cdn"));
  game.LoadLevel(1);
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"Damaged game data. Please reinstall Frostlide"});
  EXPECT_EQ(game.board().at(1, 1).kind, engine::CellKind::Cube);
}

}  // namespace
