#include "shell/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/files.h"
#include "platform/test_dir.h"

namespace {

using platform::testing::TestDir;

// Records every platform message box and answers the questions as scripted.
class ScriptedPrompt : public engine::Prompt {
 public:
  struct Shown {
    std::string text;
    engine::MessageIcon icon;
    bool yesNo;
  };
  bool answer = false;
  std::vector<Shown> shown;

  bool ShowMessage(const std::string& text, bool yesNo) override {
    ADD_FAILURE() << "the settings use the platform's message box, not the game's: " << text
                  << yesNo;
    return false;
  }
  bool SystemMessage(const std::string& text, engine::MessageIcon icon, bool yesNo) override {
    shown.push_back({text, icon, yesNo});
    return yesNo && answer;
  }
};

class SettingsTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SimulateWriteFailure(false); }
  TestDir dir;
  ScriptedPrompt prompt;
  shell::Settings settings{dir / "settings.ini", prompt};
};

TEST(LeadingNumber, Table) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"1", 1},        {"0", 0},        {"", 0},         {"abc", 0},     {"1abc", 1},
      {"  12  ", 12},  {"\t3", 3},      {"1 2 3", 123},  {"2.5", 2.5},   {".5", 0.5},
      {"5.", 5},       {"-1", -1},      {"+4", 4},       {"- 7", -7},    {"1e2", 100},
      {"1E+2x", 100},  {"25e-1", 2.5},  {"1d2", 100},    {"1e", 1},      {"1e+", 1},
      {".", 0},        {"-", 0},        {"1.2.3", 1.2},  {"0x10", 0},    {"1,5", 1},
      {"1e-999", 0},   {"007", 7},
  };
  for (const Case& c : cases) EXPECT_EQ(shell::LeadingNumber(c.text), c.value) << c.text;
  EXPECT_EQ(shell::LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(shell::LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_DOUBLE_EQ(shell::LeadingNumber(std::string(300, '9')), 1e300);
}

TEST(RoundHalfEven, Table) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {{0.5, 0},  {1.5, 2},  {2.5, 2},   {3.5, 4},  {0.49, 0}, {0.51, 1},
                        {1.4, 1},  {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {7, 7},   {255.5, 256}};
  for (const Case& c : cases) EXPECT_EQ(shell::RoundHalfEven(c.in), c.out) << c.in;
  EXPECT_TRUE(std::isinf(shell::RoundHalfEven(std::numeric_limits<double>::infinity())));
}

TEST_F(SettingsTest, FirstRunWritesTheTenLinesByteForByte) {
  for (bool yes : {true, false}) {
    TestDir d;
    ScriptedPrompt p;
    p.answer = yes;
    shell::Settings s(d / "settings.ini", p);
    ASSERT_TRUE(s.CreateDefaultSettings());
    EXPECT_TRUE(s.firstRun);
    EXPECT_FALSE(s.InMemoryOnly());
    const std::string expected = std::string("[Options]\r\nSound = 1\r\nMusic=1\r\nAnimation=3\r\n") +
                                 "ColorBlind=0\r\nFullscreen=" + (yes ? "1" : "0") +
                                 "\r\nFadeEffect=1\r\n\r\n[Music]\r\nLastSong=1\r\n";
    EXPECT_EQ(d.Get("settings.ini"), expected);
    ASSERT_EQ(p.shown.size(), 1u);
    EXPECT_EQ(p.shown[0].text, "Would you like to play in a full screen mode?");
    EXPECT_EQ(p.shown[0].icon, engine::MessageIcon::Question);
    EXPECT_TRUE(p.shown[0].yesNo);
  }
}

TEST_F(SettingsTest, FirstRunFileReadsBack) {
  prompt.answer = true;
  ASSERT_TRUE(settings.CreateDefaultSettings());
  settings.LoadSettings();
  EXPECT_TRUE(settings.soundEnabled);  // from "Sound = 1"
  EXPECT_TRUE(settings.musicEnabled);
  EXPECT_EQ(settings.animationLevel, 2);  // 3 is not 1
  EXPECT_FALSE(settings.colorBlindMode);
  EXPECT_TRUE(settings.fadeEffect);
  EXPECT_TRUE(settings.ReadFullScreen());
  EXPECT_EQ(settings.ReadSetting("Music", "LastSong"), "1");
  EXPECT_EQ(prompt.shown.size(), 1u);  // only the question
}

TEST_F(SettingsTest, FirstRunReplacesAnyFileOfThatName) {
  dir.Put("Settings.INI", "old junk");
  ASSERT_TRUE(settings.CreateDefaultSettings());
  EXPECT_EQ(dir.Count(), 1);
  EXPECT_EQ(dir.Get("Settings.INI"), shell::FirstRunSettingsContent(false));
}

TEST_F(SettingsTest, LoadSettingsRules) {
  struct Case {
    const char* file;
    bool sound, music;
    int animation;
    bool fade, colorBlind;
  };
  const Case cases[] = {
      {"", false, false, 2, false, false},  // empty file: every key missing
      {"[Options]\r\nSound=1\r\nMusic=1\r\nAnimation=1\r\nFadeEffect=1\r\nColorBlind=1\r\n",
       true, true, 1, true, true},
      {"[Options]\r\nSound=0\r\nMusic=0\r\nAnimation=0\r\nFadeEffect=0\r\nColorBlind=0\r\n",
       false, false, 2, false, false},
      {"[options]\nsound = 2\nMUSIC=1abc\nanimation = 1.4\nfadeeffect=1.0\ncolorblind=0.6\n",
       true, true, 1, true, true},
      // Halves round to even: 0.5 is 0, 1.5 is 2. FadeEffect is compared unrounded.
      {"[Options]\nSound=0.5\nMusic=1.5\nAnimation=1.5\nFadeEffect=1.4\nColorBlind=1.5\n",
       false, true, 2, false, false},
      {"[Options]\nSound=abc\nMusic=\nAnimation=x1\nFadeEffect= 1\nColorBlind=  1  \n",
       false, false, 2, true, true},
      // Out of 0..255: the same comparisons on the rounded number.
      {"[Options]\nSound=300\nMusic=-1\nAnimation=257\nFadeEffect=1e999\nColorBlind=257\n",
       true, true, 2, false, false},
      {"[Options]\nSound=1e999\nMusic=-1e999\nAnimation=-1\nColorBlind=-1\n", true, true, 2,
       false, false},
      // Keys of another section do not count.
      {"[Music]\nSound=1\nMusic=1\n", false, false, 2, false, false},
  };
  for (const Case& c : cases) {
    dir.Put("settings.ini", c.file);
    shell::Settings s(dir / "settings.ini", prompt);
    s.LoadSettings();
    EXPECT_EQ(s.soundEnabled, c.sound) << c.file;
    EXPECT_EQ(s.musicEnabled, c.music) << c.file;
    EXPECT_EQ(s.animationLevel, c.animation) << c.file;
    EXPECT_EQ(s.fadeEffect, c.fade) << c.file;
    EXPECT_EQ(s.colorBlindMode, c.colorBlind) << c.file;
    EXPECT_FALSE(s.firstRun);
  }
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SettingsTest, FullScreenIsTheLeadingNumberComparedWithOne) {
  struct Case {
    const char* value;
    bool on;
  };
  const Case cases[] = {{"1", true}, {"0", false}, {"", false}, {"1.0", true},
                        {"1.4", false}, {"2", false}, {"1 ", true}, {"1yes", true}};
  for (const Case& c : cases) {
    dir.Put("settings.ini", std::string("[Options]\r\nFullscreen=") + c.value + "\r\n");
    EXPECT_EQ(settings.ReadFullScreen(), c.on) << c.value;
  }
}

TEST_F(SettingsTest, WritingFullScreenUpdatesTheFirstRunLine) {
  ASSERT_TRUE(settings.CreateDefaultSettings());
  settings.WriteSetting("Options", "FullScreen", "1");
  EXPECT_EQ(dir.Get("settings.ini"),
            "[Options]\r\nSound = 1\r\nMusic=1\r\nAnimation=3\r\nColorBlind=0\r\nFullscreen=1\r\n"
            "FadeEffect=1\r\n\r\n[Music]\r\nLastSong=1\r\n");
  EXPECT_TRUE(settings.ReadFullScreen());
}

TEST_F(SettingsTest, OptionsScreenWritesReadBack) {
  ASSERT_TRUE(settings.CreateDefaultSettings());
  settings.WriteSetting("Options", "Sound", "0");
  settings.WriteSetting("Options", "Animation", "1");
  settings.WriteSetting("Options", "ColorBlind", "1");
  settings.WriteSetting("Music", "LastSong", "7");
  settings.WriteSetting("Extra", "Key", "v");
  settings.LoadSettings();
  EXPECT_FALSE(settings.soundEnabled);
  EXPECT_EQ(settings.animationLevel, 1);
  EXPECT_TRUE(settings.colorBlindMode);
  EXPECT_EQ(settings.ReadSetting("music", "lastsong"), "7");
  EXPECT_EQ(settings.ReadSetting("Extra", "Key", "0"), "v");
  const std::string file = dir.Get("settings.ini");
  EXPECT_NE(file.find("Sound=0\r\nMusic=1"), std::string::npos);
  EXPECT_NE(file.find("\r\n[Extra]\r\nKey=v\r\n"), std::string::npos);
  EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(SettingsTest, ReadSettingCutsAt255AndTellsMissingFromEmpty) {
  dir.Put("settings.ini", "[Options]\r\nLong=" + std::string(400, 'x') + "\r\nEmpty=\r\n");
  EXPECT_EQ(settings.ReadSetting("Options", "Long"), std::string(255, 'x'));
  EXPECT_EQ(settings.ReadSetting("Options", "Empty"), "");
  EXPECT_EQ(settings.ReadSetting("Options", "Missing"), "");
  EXPECT_EQ(settings.ReadSetting("Missing", "Long"), "");
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SettingsTest, ReadSettingOfAnotherFile) {
  dir.Put("other.ini", "[A]\r\nk=v\r\n");
  EXPECT_EQ(settings.ReadSetting("A", "k", dir / "other.ini"), "v");
  EXPECT_EQ(settings.ReadSetting("A", "k", dir / "missing.ini"), "");
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SettingsTest, MissingFileReadsEmptyWithoutMessages) {
  EXPECT_EQ(settings.ReadSetting("Options", "Sound"), "");
  settings.LoadSettings();
  EXPECT_FALSE(settings.soundEnabled);
  EXPECT_EQ(settings.animationLevel, 2);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SettingsTest, UnreadableFileIsReportedAndReadsAsMissing) {
  dir.Mkdir("settings.ini");  // something that exists and cannot be read as a file
  EXPECT_EQ(settings.ReadSetting("Options", "Sound"), "");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Couldn't load settings");
  EXPECT_EQ(prompt.shown[0].icon, engine::MessageIcon::None);
  EXPECT_FALSE(prompt.shown[0].yesNo);

  prompt.shown.clear();
  settings.LoadSettings();  // one message for the five keys
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Couldn't load settings");
  EXPECT_FALSE(settings.soundEnabled);
  EXPECT_EQ(settings.animationLevel, 2);

  prompt.shown.clear();
  settings.WriteSetting("Options", "Sound", "1");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Unable to save settings to " + settings.settingsPath);
  EXPECT_EQ(prompt.shown[0].icon, engine::MessageIcon::None);
}

TEST_F(SettingsTest, RefusedWriteIsSilentAndKeepsTheFile) {
  ASSERT_TRUE(settings.CreateDefaultSettings());
  prompt.shown.clear();
  platform::SimulateWriteFailure(true);
  settings.WriteSetting("Options", "Sound", "0");
  platform::SimulateWriteFailure(false);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(dir.Get("settings.ini"), shell::FirstRunSettingsContent(false));
}

TEST_F(SettingsTest, UncreatableFileKeepsTheSettingsInMemory) {
  prompt.answer = true;
  shell::Settings s(dir / "no-such-folder/settings.ini", prompt);
  EXPECT_FALSE(s.CreateDefaultSettings());
  EXPECT_TRUE(s.firstRun);
  EXPECT_TRUE(s.InMemoryOnly());
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[1].text, "Unable to save settings to " + dir / "no-such-folder/settings.ini");
  EXPECT_EQ(prompt.shown[1].icon, engine::MessageIcon::None);

  // The run goes on as with a first-run file.
  s.LoadSettings();
  EXPECT_TRUE(s.soundEnabled);
  EXPECT_TRUE(s.musicEnabled);
  EXPECT_EQ(s.animationLevel, 2);
  EXPECT_TRUE(s.fadeEffect);
  EXPECT_FALSE(s.colorBlindMode);
  EXPECT_TRUE(s.ReadFullScreen());
  s.WriteSetting("Options", "Sound", "0");
  s.WriteSetting("Music", "LastSong", "3");
  s.LoadSettings();
  EXPECT_FALSE(s.soundEnabled);
  EXPECT_EQ(s.ReadSetting("Music", "LastSong"), "3");
  EXPECT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(dir.Count(), 0);
}

TEST_F(SettingsTest, ReadOnlyProgramFolderKeepsTheSettingsInMemory) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not bind the superuser";
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  const bool created = settings.CreateDefaultSettings();
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  EXPECT_FALSE(created);
  EXPECT_TRUE(settings.InMemoryOnly());
  settings.LoadSettings();
  EXPECT_TRUE(settings.soundEnabled);
  EXPECT_EQ(dir.Count(), 0);
}

TEST_F(SettingsTest, FullDiskAtFirstRunKeepsTheSettingsInMemory) {
  platform::SimulateWriteFailure(true);
  EXPECT_FALSE(settings.CreateDefaultSettings());
  platform::SimulateWriteFailure(false);
  EXPECT_TRUE(settings.InMemoryOnly());
  EXPECT_EQ(dir.Count(), 0);
  settings.LoadSettings();
  EXPECT_TRUE(settings.soundEnabled);
}

TEST_F(SettingsTest, GarbageFileNeverStopsTheStart) {
  std::string garbage;
  for (int i = 0; i < (2 << 20); ++i) garbage += static_cast<char>((i * 131) % 251);
  dir.Put("settings.ini", garbage);
  settings.LoadSettings();
  EXPECT_EQ(settings.animationLevel, 2);
  EXPECT_FALSE(settings.ReadFullScreen());
  EXPECT_EQ(settings.ReadSetting("Music", "LastSong").size() <= 255, true);
  settings.WriteSetting("Options", "Sound", "1");  // too big to rewrite: kept, silently
  EXPECT_EQ(dir.Get("settings.ini").size(), garbage.size());
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace

TEST_F(SettingsTest, WindowScaleIsOneDigitFromOneToFourAndAnythingElseIsTheDefault) {
  struct Case {
    const char* value;  // nullptr: no such key
    int scale;
  } cases[] = {{nullptr, 0}, {"1", 1}, {"2", 2}, {" 3 ", 3}, {"4", 4}, {"0", 0}, {"5", 0}, {"-2", 0},
               {"2x", 0},    {"1.5", 0}, {"02", 0}, {"", 0},    {"\xff", 0}};
  for (const Case& c : cases) {
    dir.Put("settings.ini", shell::FirstRunSettingsContent(false) +
                                (c.value ? std::string("[Window]\r\nScale=") + c.value + "\r\n" : ""));
    EXPECT_EQ(settings.ReadWindowScale(), c.scale) << (c.value ? c.value : "missing");
  }
  // A settings file that cannot be read gives the default too, without a word.
  ASSERT_EQ(::unlink((dir / "settings.ini").c_str()), 0);
  dir.Mkdir("settings.ini");
  EXPECT_EQ(settings.ReadWindowScale(), 0);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SettingsTest, WindowScaleIsWrittenBesideTheDescribedKeys) {
  ASSERT_TRUE(settings.CreateDefaultSettings());
  const std::string firstRun = dir.Get("settings.ini");
  settings.WriteWindowScale(2);
  settings.WriteWindowScale(9);  // never written
  EXPECT_EQ(settings.ReadWindowScale(), 2);
  // The described lines stay byte for byte; the new section comes after them.
  EXPECT_EQ(dir.Get("settings.ini").substr(0, firstRun.size()), firstRun);
  settings.LoadSettings();
  EXPECT_TRUE(settings.soundEnabled);
}
