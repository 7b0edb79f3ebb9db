// editor.ini: the recent packs and the colour-blind switch.
#include "editor/recent_files.h"

#include <gtest/gtest.h>

#include <QFile>

#include "editor/test_support.h"
#include "platform/profile.h"

namespace mapwright {
namespace {

using test::EditorTest;

class RecentTest : public EditorTest {
 protected:
  std::string MakePack(const std::string& name) {
    const std::string path = folder / name;
    folder.WriteFile(name, test::PackText("p", "", "", {BlankLevel()}));
    return path;
  }
  void OpenPack(const std::string& path) {
    ui.fileNames = {path};
    ed->Open();
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> paths;
    for (const RecentEntry& e : ed->controls().recent.entries)
      if (e.visible) paths.push_back(e.path);
    return paths;
  }
};

TEST_F(RecentTest, TheNewestComesFirstAndAppearsOnce) {
  const std::string a = MakePack("a.cdn"), b = MakePack("b.cdn");
  EXPECT_FALSE(ed->controls().recent.separatorVisible);
  OpenPack(a);
  OpenPack(b);
  OpenPack(a);
  EXPECT_EQ(Shown(), (std::vector<std::string>{a, b}));
  EXPECT_TRUE(ed->controls().recent.separatorVisible);
  EXPECT_EQ(platform::GetProfileString(ed->iniPath(), "RecentFiles", "RecentFile3", "?"), "");
}

TEST_F(RecentTest, FiveAreKept) {
  std::vector<std::string> packs;
  for (int i = 1; i <= 6; ++i) packs.push_back(MakePack("p" + std::to_string(i) + ".cdn"));
  for (const std::string& p : packs) OpenPack(p);
  EXPECT_EQ(Shown(), (std::vector<std::string>{packs[5], packs[4], packs[3], packs[2], packs[1]}));
  // A new start reads them back.
  Start();
  EXPECT_EQ(Shown(), (std::vector<std::string>{packs[5], packs[4], packs[3], packs[2], packs[1]}));
}

TEST_F(RecentTest, VanishedFilesDropOutAndCaseVariantsAreTwo) {
  const std::string a = MakePack("a.cdn"), b = MakePack("b.cdn");
  OpenPack(a);
  OpenPack(b);
  QFile::remove(QString::fromStdString(a));
  Start();
  EXPECT_EQ(Shown(), (std::vector<std::string>{b}));
  EXPECT_EQ(platform::GetProfileString(ed->iniPath(), "RecentFiles", "RecentFile2", "?"), a)
      << "kept in the file until the next change";
  const std::string upper = folder / "B.CDN";
  OpenPack(upper);
  EXPECT_EQ(Shown(), (std::vector<std::string>{upper, b}));
}

TEST(RecentCaption, ThirtyFiveCharactersAreShownWhole) {
  const std::string p35(35, 'a');
  EXPECT_EQ(RecentCaption(p35), p35);
  const std::string p36 = "b" + p35;
  EXPECT_EQ(RecentCaption(p36), "..." + p35);
  EXPECT_EQ(RecentCaption("/x/" + std::string(40, 'c') + "/pack.cdn"),
            "..." + std::string(26, 'c') + "/pack.cdn");
  // Characters, not bytes.
  const std::string accented = "/levels/" + std::string(22, 'e') + "\u00E9.cdn";
  EXPECT_EQ(RecentCaption(accented), accented);
}

TEST(BlindModeText, ReadsBooleansAndNumbers) {
  const std::pair<const char*, bool> cases[] = {
      {"True", true},  {"true", true},   {"TRUE", true},  {"False", false}, {"false", false},
      {"1", true},     {"-1", true},     {"0", false},    {"0.0", false},   {"2.5", true},
      {" True ", true}, {"", false},     {"yes", false},  {"maybe", false}, {"1x", false},
      {"nan", false},
  };
  for (auto [text, on] : cases) EXPECT_EQ(ParseBlindMode(text), on) << text;
}

TEST(IniStrings, LongValuesAreCut) {
  test::ProgramFolder folder(false);
  const std::string ini = folder / "editor.ini";
  EXPECT_EQ(ReadIniString(ini, "Editor", "BlindMode", "False"), "False");
  ASSERT_TRUE(WriteIniString(ini, "RecentFiles", "RecentFile1", std::string(300, 'z')));
  EXPECT_EQ(ReadIniString(ini, "RecentFiles", "RecentFile1", ""), std::string(255, 'z'));
  EXPECT_FALSE(WriteIniString(folder / "missing/folder/editor.ini", "A", "b", "c"));
}

TEST_F(RecentTest, TheColourBlindSwitchWritesAndAsksForARestart) {
  const QImage canvas = ed->canvas().backBuffer();
  ed->ToggleBlindMode();
  EXPECT_TRUE(ed->controls().blindChecked);
  EXPECT_EQ(platform::GetProfileString(ed->iniPath(), "Editor", "BlindMode", "?"), "True");
  ed->ToggleBlindMode();
  EXPECT_FALSE(ed->controls().blindChecked);
  EXPECT_EQ(platform::GetProfileString(ed->iniPath(), "Editor", "BlindMode", "?"), "False");
  ASSERT_EQ(ui.messages.size(), 2u);
  for (const test::Message& m : ui.messages) {
    EXPECT_EQ(m.text, "You must restart the level editor to see this change.");
    EXPECT_EQ(m.title, "Frostlide Level Editor");
  }
  EXPECT_EQ(ed->canvas().backBuffer(), canvas);
}

TEST_F(RecentTest, AnUnreadableSettingStartsInTheNormalLook) {
  folder.WriteFile("editor.ini", "[Editor]\r\nBlindMode=sometimes\r\n");
  Start();
  EXPECT_FALSE(ed->blindMode());
  EXPECT_FALSE(ed->controls().blindChecked);
}

TEST_F(RecentTest, APublishAndTheLinksOpenOurAddresses) {
  ed->Publish();
  EXPECT_EQ(ui.urls, (std::vector<std::string>{"https://frostlide.example.org/frostlide/publish.php"}));
}

TEST(AppFolder, ARootFolderGivesASingleSeparator) {
  test::ScriptedUi ui;
  EXPECT_EQ(LevelEditor("/", ui).iniPath(), "/editor.ini");
  EXPECT_EQ(LevelEditor("/opt/frostlide", ui).iniPath(), "/opt/frostlide/editor.ini");
}

}  // namespace
}  // namespace mapwright
