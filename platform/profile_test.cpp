#include "platform/profile.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/test_dir.h"

namespace {

using platform::ProfileLookup;
using platform::ProfileUpdate;
using platform::testing::TestDir;

// The game's first-run file.
const std::string kFirstRun =
    "[Options]\r\nSound = 1\r\nMusic=1\r\nAnimation=3\r\nColorBlind=0\r\nFullscreen=0\r\n"
    "FadeEffect=1\r\n\r\n[Music]\r\nLastSong=1\r\n";

TEST(ProfileLookup, Table) {
  struct Case {
    std::string content, section, key, expected;
  };
  const Case cases[] = {
      {kFirstRun, "Options", "Sound", "1"},                 // blanks around '='
      {kFirstRun, "options", "SOUND", "1"},                 // case of names
      {kFirstRun, "Options", "FullScreen", "0"},            // stored as "Fullscreen"
      {kFirstRun, "Music", "LastSong", "1"},
      {kFirstRun, "Music", "Sound", "fb"},                  // key of another section
      {kFirstRun, "Missing", "Sound", "fb"},
      {kFirstRun, "Options", "Missing", "fb"},
      {"", "Options", "Sound", "fb"},
      {"[ Options ]\n  Sound\t=\t 1 0 \n", "Options", "Sound", "1 0"},  // inner blanks stay
      {"[Options]\rSound=1\rMusic=0", "Options", "Music", "0"},          // CR alone
      {"[Options]\nSound=1\n", "Options", "Sound", "1"},                  // LF alone
      {"[Options]\nKey=a=b\n", "Options", "Key", "a=b"},                   // first '=' splits
      {"[Options]\nKey=\n", "Options", "Key", ""},
      {"[Options]\n;Sound=1\nSound=0\n", "Options", "Sound", "0"},        // comment
      {"[Options]\nSound=1\nSound=0\n", "Options", "Sound", "1"},         // first one counts
      {"[A]\nk=1\n[B]\nk=2\n[A]\nk=3\n", "A", "k", "1"},
      {"[A]\n[B]\n[A]\nk=3\n", "A", "k", "fb"},                           // first section only
      {"k=0\n[A]\nk=1\n", "A", "k", "1"},                                  // key before any section
      {"\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "1"},                       // byte-order mark
      {"[A]\nName=Caf\xE9 \x80\n", "A", "name", "Caf\xE9 \x80"},           // 8-bit untouched
      {"[A\nk=1\n", "A", "k", "1"},                                        // unclosed header
      {std::string("[A]\nk=x\0y\n", 10), "A", "k", std::string("x\0y", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileLookup(c.content, c.section, c.key, "fb"), c.expected)
        << c.content << " [" << c.section << "] " << c.key;
  }
}

TEST(ProfileLookup, ValuesAndFallbacksAreCutAt255) {
  const std::string longValue(300, 'v');
  EXPECT_EQ(ProfileLookup("[A]\nk=" + longValue + "\n", "A", "k", ""), std::string(255, 'v'));
  EXPECT_EQ(ProfileLookup("[A]\nk=" + std::string(255, 'w') + "\n", "A", "k", ""),
            std::string(255, 'w'));
  EXPECT_EQ(ProfileLookup("", "A", "k", longValue), std::string(255, 'v'));
}

TEST(ProfileLookup, GarbageNeverBreaksIt) {
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  EXPECT_EQ(ProfileLookup(garbage, "Options", "Sound", "fb"), "fb");
  EXPECT_EQ(ProfileLookup(garbage + "\n[Options]\nSound=1\n", "Options", "Sound", "fb"), "1");
  EXPECT_EQ(ProfileLookup(std::string(100000, '['), "Options", "Sound", "fb"), "fb");
  EXPECT_EQ(ProfileLookup(std::string(100000, '\r'), "Options", "Sound", "fb"), "fb");
}

TEST(ProfileUpdate, Table) {
  struct Case {
    const char* what;
    std::string content, section, key, value, expected;
  };
  const Case cases[] = {
      {"replaced in place keeping the stored spelling", kFirstRun, "Options", "FullScreen", "1",
       "[Options]\r\nSound = 1\r\nMusic=1\r\nAnimation=3\r\nColorBlind=0\r\nFullscreen=1\r\n"
       "FadeEffect=1\r\n\r\n[Music]\r\nLastSong=1\r\n"},
      {"blanks of the old line go", kFirstRun, "OPTIONS", "sound", "0",
       "[Options]\r\nSound=0\r\nMusic=1\r\nAnimation=3\r\nColorBlind=0\r\nFullscreen=0\r\n"
       "FadeEffect=1\r\n\r\n[Music]\r\nLastSong=1\r\n"},
      {"new key before the blank lines closing its section", kFirstRun, "Options", "Extra", "x",
       "[Options]\r\nSound = 1\r\nMusic=1\r\nAnimation=3\r\nColorBlind=0\r\nFullscreen=0\r\n"
       "FadeEffect=1\r\nExtra=x\r\n\r\n[Music]\r\nLastSong=1\r\n"},
      {"new key at the end of the last section", kFirstRun, "music", "Volume", "7",
       "[Options]\r\nSound = 1\r\nMusic=1\r\nAnimation=3\r\nColorBlind=0\r\nFullscreen=0\r\n"
       "FadeEffect=1\r\n\r\n[Music]\r\nLastSong=1\r\nVolume=7\r\n"},
      {"new section at the end", kFirstRun, "Window", "Left", "10",
       kFirstRun + "[Window]\r\nLeft=10\r\n"},
      {"empty content", "", "Options", "Sound", "1", "[Options]\r\nSound=1\r\n"},
      {"LF and CR become CR LF", "[A]\nk=1\rj=2", "A", "j", "3", "[A]\r\nk=1\r\nj=3\r\n"},
      {"header of the section only", "[A]\r\n", "a", "k", "v", "[A]\r\nk=v\r\n"},
      {"comment lines kept", "[A]\r\n;k=1\r\n", "A", "k", "2", "[A]\r\n;k=1\r\nk=2\r\n"},
      {"first of two keys", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "3", "[A]\r\nk=3\r\nk=2\r\n"},
      {"8-bit value untouched", "", "Pack", "Name", "Caf\xE9\x80", "[Pack]\r\nName=Caf\xE9\x80\r\n"},
      {"value is one line", "", "A", "k", "one\r\n[Injected]\r\nx=1", "[A]\r\nk=one\r\n"},
      {"names trimmed", "", " A ", " k ", "v", "[A]\r\nk=v\r\n"},
      {"empty key refused", "[A]\r\n", "A", "", "v", "[A]\r\n"},
      {"key with '=' refused", "", "A", "k=1", "v", ""},
      {"section with ']' refused", "", "A]", "k", "v", ""},
      {"section with a line break refused", "", "A\nB", "k", "v", ""},
      {"key that reads as a header refused", "", "A", "[B]", "v", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileUpdate(c.content, c.section, c.key, c.value), c.expected) << c.what;
  }
}

TEST(ProfileUpdate, WrittenValuesReadBack) {
  std::string content;
  content = ProfileUpdate(content, "Options", "Sound", "1");
  content = ProfileUpdate(content, "Music", "LastSong", "4");
  content = ProfileUpdate(content, "options", "Music", "0");
  content = ProfileUpdate(content, "Options", "SOUND", "0");
  EXPECT_EQ(content, "[Options]\r\nSound=0\r\nMusic=0\r\n[Music]\r\nLastSong=4\r\n");
  EXPECT_EQ(ProfileLookup(content, "options", "sound", ""), "0");
  EXPECT_EQ(ProfileLookup(content, "MUSIC", "lastsong", ""), "4");
}

TEST(ProfileUpdate, OtherLineEnd) {
  EXPECT_EQ(ProfileUpdate("[Default Applications]\r\na=b\r\n", "Default Applications", "c", "d", "\n"),
            "[Default Applications]\na=b\nc=d\n");
}

class ProfileFileTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SimulateWriteFailure(false); }
  TestDir dir;
};

TEST_F(ProfileFileTest, MissingFileGivesTheFallbackAndWriteCreatesIt) {
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Options", "Sound", "x"), "x");
  EXPECT_EQ(platform::TryGetProfileString(dir / "settings.ini", "Options", "Sound", "x"), "x");
  ASSERT_TRUE(platform::WriteProfileString(dir / "settings.ini", "Options", "Sound", "1"));
  EXPECT_EQ(dir.Get("settings.ini"), "[Options]\r\nSound=1\r\n");
  EXPECT_EQ(platform::GetProfileString(dir / "SETTINGS.INI", "options", "sound", "x"), "1");
}

TEST_F(ProfileFileTest, WriteFindsTheFileInAnotherCase) {
  dir.Put("Settings.ini", kFirstRun);
  ASSERT_TRUE(platform::WriteProfileString(dir / "settings.ini", "Options", "FullScreen", "1"));
  EXPECT_EQ(dir.Count(), 1);
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Options", "FullScreen", ""), "1");
  EXPECT_EQ(dir.Get("Settings.ini").find("FullScreen"), std::string::npos);
}

TEST_F(ProfileFileTest, FailedWriteKeepsTheOldFile) {
  dir.Put("settings.ini", kFirstRun);
  platform::SimulateWriteFailure(true);
  EXPECT_FALSE(platform::WriteProfileString(dir / "settings.ini", "Options", "Sound", "0"));
  platform::SimulateWriteFailure(false);
  EXPECT_EQ(dir.Get("settings.ini"), kFirstRun);
  EXPECT_EQ(dir.Count(), 1);
}

TEST_F(ProfileFileTest, UnreadableFileIsToldApartFromMissing) {
  dir.Mkdir("settings.ini");  // a folder where the file should be
  EXPECT_EQ(platform::TryGetProfileString(dir / "settings.ini", "Options", "Sound", "x"),
            std::nullopt);
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Options", "Sound", "x"), "x");
  EXPECT_FALSE(platform::WriteProfileString(dir / "settings.ini", "Options", "Sound", "1"));
}

TEST_F(ProfileFileTest, HugeGarbageFileIsReadInPartAndNotRewritten) {
  std::string huge = "[Options]\r\nSound=1\r\n";
  huge.resize(3u << 20, '\xFF');
  huge += "\r\n[Late]\r\nKey=1\r\n";
  dir.Put("settings.ini", huge);
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Options", "Sound", "x"), "1");
  // Past the part that is read.
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Late", "Key", "x"), "x");
  EXPECT_FALSE(platform::WriteProfileString(dir / "settings.ini", "Options", "Sound", "0"));
  EXPECT_EQ(dir.Get("settings.ini").size(), huge.size());
}

TEST_F(ProfileFileTest, BinaryFileReadsAsMissingKeys) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i % 256);
  dir.Put("settings.ini", binary);
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Options", "Sound", "x"), "x");
  ASSERT_TRUE(platform::WriteProfileString(dir / "settings.ini", "Options", "Sound", "1"));
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Options", "Sound", "x"), "1");
}

}  // namespace
