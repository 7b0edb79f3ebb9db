#include "shell/custom_levels_screen.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>

#include "platform/files.h"
#include "presentation/synthetic_art.h"
#include "shell/screens_test_support.h"

namespace shell {
namespace {

using presentation::synthetic::ScreenColour;
using testing::Log;

constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;

// Hands out scripted answers (Cancel once they are used up) and counts how often it was shown.
class ScriptedDialog final : public FileDialog {
 public:
  FileDialogAnswer OpenFile(const std::string& title, const std::string& label, const std::string& pattern) override {
    ++shown;
    lastTitle = title;
    lastFilter = label + "|" + pattern;
    if (answers.empty()) return {FileDialogAnswer::Kind::Cancelled, {}};
    FileDialogAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  void Choose(const std::string& path) { answers.push_back({FileDialogAnswer::Kind::Chosen, path}); }
  void Cancel() { answers.push_back({FileDialogAnswer::Kind::Cancelled, {}}); }
  std::deque<FileDialogAnswer> answers;
  int shown = 0;
  std::string lastTitle, lastFilter;
};

class CustomLevelsTest : public testing::ScreensTest {
 protected:
  CustomLevelsTest() { font = presentation::TextRenderer::Open(FROSTLIDE_TEST_FONT, 10); }
  std::unique_ptr<CustomLevelsScreen> Open() {
    return std::make_unique<CustomLevelsScreen>(services, dialog, font.get());
  }
  void Pack(const std::string& rel, const std::string& content = "pack") { dir.Put("app/" + rel, content); }
  std::string Selected(const CustomLevelsScreen& s) {
    return s.selected() < 0 ? std::string() : s.entries()[static_cast<std::size_t>(s.selected())];
  }

  ScriptedDialog dialog;
  std::unique_ptr<presentation::TextRenderer> font;
};

TEST_F(CustomLevelsTest, AMissingLevelsFolderIsCreatedAndAnEmptyListPlaysNothing) {
  ASSERT_FALSE(platform::DirExists(app + "levels"));
  auto s = Open();
  EXPECT_TRUE(platform::DirExists(app + "levels"));
  EXPECT_TRUE(s->entries().empty());
  EXPECT_EQ(s->selected(), -1);
  s->OnMouseMove(30, 150, 0);
  s->OnClick();
  s->OnKeyDown(keys::Letter('P'), false);
  s->OnKeyDown(keys::Enter, false);
  s->OnKeyDown(keys::Down, false);
  EXPECT_TRUE(Only("start").empty());
  EXPECT_FALSE(s->Closed());
}

TEST_F(CustomLevelsTest, ListsTheEditorsLevelsFolderSortedWithTheFirstPackSelected) {
  Pack("Levels/winter.cdn");
  Pack("Levels/Alpine.CDN");
  Pack("Levels/notes.txt");
  Pack("Levels/berg.cdn");
  dir.Mkdir("app/Levels/folder.cdn");
  auto s = Open();
  EXPECT_EQ(s->levelsFolder(), app + "Levels/");
  EXPECT_EQ(s->entries(), (std::vector<std::string>{"Alpine.CDN", "berg.cdn", "winter.cdn"}));
  EXPECT_EQ(Selected(*s), "Alpine.CDN");
  EXPECT_FALSE(std::filesystem::exists(app + "levels")) << "no second folder beside the editor's";
}

TEST_F(CustomLevelsTest, PlayStartsTheSelectedPackAndClosesOnlyWhenItStarted) {
  Pack("levels/a.cdn");
  Pack("levels/b.cdn");
  auto s = Open();
  s->OnKeyDown(keys::Down, false);
  packs.succeed = false;
  s->OnMouseMove(30, 150, 0);
  EXPECT_EQ(s->customHover(), 1);
  s->OnClick();
  EXPECT_EQ(Only("start"), (Log{"start " + app + "levels/b.cdn"}));
  EXPECT_FALSE(s->Closed()) << "a pack that did not open leaves the screen open";
  packs.succeed = true;
  s->OnKeyDown(keys::Letter('P'), false);
  EXPECT_TRUE(s->Closed());
  EXPECT_TRUE(Only("sound btnclick").empty()) << "no click sound on this screen";
}

TEST_F(CustomLevelsTest, PlayDoesNothingWhenThePackVanishedMeanwhile) {
  Pack("levels/a.cdn");
  auto s = Open();
  ASSERT_TRUE(platform::DeleteFile(app + "levels/a.cdn"));
  s->OnKeyDown(keys::Letter('P'), false);
  EXPECT_TRUE(Only("start").empty());
}

TEST_F(CustomLevelsTest, KeysMoveTheSelectionAndTheListScrolls) {
  for (int i = 0; i < 20; ++i) Pack("levels/p" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".cdn");
  auto s = Open();
  const int rows = s->visibleRows();
  ASSERT_GE(rows, 4);
  ASSERT_LT(rows, 20);
  struct Step {
    int key;
    int selected;
  } steps[] = {{keys::Up, 0},           {keys::Down, 1},         {kEnd, 19},
               {keys::Down, 19},        {kPageUp, 19 - (rows - 1)}, {kHome, 0},
               {kPageDown, rows - 1},   {kPageDown, 2 * (rows - 1)}};
  for (const Step& st : steps) {
    s->OnKeyDown(st.key, false);
    EXPECT_EQ(s->selected(), st.selected) << st.key;
    EXPECT_LE(s->topIndex(), s->selected());
    EXPECT_LT(s->selected(), s->topIndex() + rows) << "the selection stays in view";
  }
  s->OnKeyDown(kEnd, false);
  EXPECT_EQ(s->topIndex(), 20 - rows);
  s->OnKeyDown(keys::Escape, false);
  EXPECT_TRUE(s->Closed());
  EXPECT_TRUE(Only("start").empty());
}

// Escape, P and I are the screen's own keys; every other key is the list's, which moves its
// selection as a list box does: arrows (left and right too), and a letter or digit selects the
// next pack whose name starts with it, round from the end to the start.
TEST_F(CustomLevelsTest, OtherKeysGoToTheListAsUsual) {
  for (const char* name : {"2nd.cdn", "alpine.cdn", "Berg.cdn", "birch.cdn"}) Pack(std::string("levels/") + name);
  auto s = Open();
  struct Step {
    int key;
    const char* selected;
  } steps[] = {
      {keys::Enter, "2nd.cdn"},       {keys::Space, "2nd.cdn"},       {keys::Letter('b'), "Berg.cdn"},
      {keys::Letter('B'), "birch.cdn"}, {keys::Letter('B'), "Berg.cdn"}, {keys::Letter('Z'), "Berg.cdn"},
      {keys::Letter('2'), "2nd.cdn"}, {keys::Right, "alpine.cdn"},    {keys::Left, "2nd.cdn"},
  };
  for (const Step& st : steps) {
    s->OnKeyDown(st.key, false);
    EXPECT_EQ(Selected(*s), st.selected) << "key " << st.key;
  }
  EXPECT_TRUE(Only("start").empty()) << "Enter is no shortcut of this screen";
  EXPECT_FALSE(s->Closed());
  EXPECT_EQ(dialog.shown, 0);
}

TEST_F(CustomLevelsTest, AClickOnTheListSelectsAndTheScrollBarPages) {
  for (int i = 0; i < 12; ++i) Pack("levels/p" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".cdn");
  auto s = Open();
  const int rows = s->visibleRows();
  // The third row of the box.
  const int itemHeight = (CustomLevelsScreen::kListHeight - 2) / rows;
  s->OnMouseDown(60, CustomLevelsScreen::kListY + 1 + 2 * itemHeight + 2, buttons::Left);
  EXPECT_EQ(s->selected(), 2);
  // The scroll bar's lower track pages down without moving the selection.
  s->OnMouseDown(CustomLevelsScreen::kListX + CustomLevelsScreen::kListWidth - 4,
                 CustomLevelsScreen::kListY + CustomLevelsScreen::kListHeight - 4, buttons::Left);
  EXPECT_EQ(s->topIndex(), 12 - rows);
  EXPECT_EQ(s->selected(), 2);
}

TEST_F(CustomLevelsTest, ButtonsHighlightAndTheListTakesTheHighlightAway) {
  auto s = Open();
  const std::uint32_t panel = ScreenColour("playcustom");
  struct Case {
    int x, y, item;
    const char* sprite;
  } cases[] = {{30, 160, 1, "playcustomhigh1"}, {120, 160, 2, "playcustomhigh2"}, {220, 160, 3, "playcustomhigh3"}};
  for (const Case& c : cases) {
    log.clear();
    s->OnMouseMove(c.x, c.y, 0);
    s->OnMouseMove(c.x + 1, c.y, 0);
    EXPECT_EQ(s->customHover(), c.item);
    EXPECT_EQ(s->picture().pixel(c.x, 175), ScreenColour(c.sprite));
    EXPECT_EQ(Only("sound"), (Log{"sound btnhover"}));
    s->OnMouseMove(70, 155, 0);  // between the buttons
    EXPECT_EQ(s->customHover(), 0);
    EXPECT_EQ(s->picture().pixel(c.x, 175), panel);
  }
  s->OnMouseMove(220, 160, 0);
  s->OnMouseMove(220, 100, 0);  // onto the list
  EXPECT_EQ(s->customHover(), 0);
  EXPECT_EQ(s->picture().pixel(220, 175), panel);
  s->OnClick();
  EXPECT_FALSE(s->Closed());
  s->OnMouseMove(220, 160, 0);
  s->OnClick();
  EXPECT_TRUE(s->Closed());
}

TEST_F(CustomLevelsTest, TheListShowsTheNamesWithASelectionBar) {
  ASSERT_NE(font, nullptr);
  Pack("levels/Glacier.cdn");
  Pack("levels/Hoarfrost.cdn");
  auto s = Open();
  const presentation::Surface& pic = s->picture();
  // Row 1 is selected: its bar is ice cyan; row 2 is the list's navy with white letters.
  EXPECT_EQ(pic.pixel(240, CustomLevelsScreen::kListY + 3), presentation::Rgb(0x5C, 0xD6, 0xF5));
  EXPECT_EQ(pic.pixel(240, 100), presentation::Rgb(0x0E, 0x22, 0x33));
  int text = 0;
  const int row2 = CustomLevelsScreen::kListY + 1 + (CustomLevelsScreen::kListHeight - 2) / s->visibleRows();
  for (int y = row2; y < row2 + 14; ++y)
    for (int x = 12; x < 120; ++x) text += (pic.pixel(x, y) & 0xFF) > 0xC0;
  EXPECT_GT(text, 20) << "the second name is drawn";
}

TEST_F(CustomLevelsTest, ImportCancelledChangesNothing) {
  Pack("levels/a.cdn");
  Pack("levels/b.cdn");
  auto s = Open();
  s->OnKeyDown(keys::Down, false);
  dialog.Cancel();
  s->OnKeyDown(keys::Letter('I'), false);
  EXPECT_EQ(dialog.shown, 1);
  EXPECT_EQ(dialog.lastFilter, "Frostlide Level Pack|*.cdn");
  EXPECT_EQ(Selected(*s), "b.cdn");
  EXPECT_EQ(s->entries().size(), 2u);
  EXPECT_TRUE(Only("tell").empty());
}

TEST_F(CustomLevelsTest, ImportOfAMissingFileTellsAndAsksAgain) {
  dir.Put("elsewhere/new.cdn", "new pack");
  auto s = Open();
  dialog.Choose(dir / "elsewhere/typo.cdn");
  dialog.Choose(dir / "elsewhere/new.cdn");
  s->OnMouseMove(120, 160, 0);
  s->OnClick();
  EXPECT_EQ(dialog.shown, 2);
  EXPECT_EQ(Only("tell"), (Log{"tell Specified file does not exist!"}));
  EXPECT_EQ(dir.Get("app/levels/new.cdn"), "new pack");
  EXPECT_EQ(s->entries(), (std::vector<std::string>{"new.cdn"}));
  EXPECT_EQ(Selected(*s), "new.cdn");
  EXPECT_TRUE(Only("start").empty()) << "an imported pack is not started";
  EXPECT_FALSE(s->Closed());
}

TEST_F(CustomLevelsTest, ImportOverAnExistingPackAsksFirst) {
  struct Case {
    bool yes;
    const char* after;
  } cases[] = {{false, "old pack"}, {true, "new pack"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yes ? "yes" : "no");
    Pack("levels/a.cdn");
    Pack("levels/Winter.cdn", "old pack");
    dir.Put("elsewhere/Winter.cdn", "new pack");
    ::chmod((app + "levels/Winter.cdn").c_str(), 0444);  // read-only: the overwrite still works
    auto s = Open();
    s->OnKeyDown(keys::Down, false);
    log.clear();
    prompt.answers = {c.yes};
    dialog.Choose(dir / "elsewhere/Winter.cdn");
    s->OnKeyDown(keys::Letter('I'), false);
    EXPECT_EQ(Only("ask"), (Log{"ask Overwrite current level pack?"}));
    EXPECT_EQ(dir.Get("app/levels/Winter.cdn"), c.after);
    EXPECT_EQ(s->entries().size(), 2u);
    EXPECT_EQ(Selected(*s), "a.cdn") << "the first pack is selected again";
  }
}

TEST_F(CustomLevelsTest, ImportMatchesAPackWhoseNameDiffersOnlyInCase) {
  Pack("levels/winter.CDN", "old pack");
  dir.Put("elsewhere/Winter.cdn", "new pack");
  auto s = Open();
  prompt.answers = {true};
  dialog.Choose(dir / "elsewhere/Winter.cdn");
  s->ImportLevelPack();
  EXPECT_EQ(Only("ask").size(), 1u);
  EXPECT_EQ(s->entries(), (std::vector<std::string>{"winter.CDN"})) << "one pack, not two";
  EXPECT_EQ(dir.Get("app/levels/winter.CDN"), "new pack");
}

TEST_F(CustomLevelsTest, ImportingThePackThatIsAlreadyThereKeepsIt) {
  Pack("levels/Winter.cdn", "the only copy");
  auto s = Open();
  prompt.answers = {true};
  dialog.Choose(app + "levels/Winter.cdn");
  s->ImportLevelPack();
  EXPECT_EQ(dir.Get("app/levels/Winter.cdn"), "the only copy");
  EXPECT_EQ(s->entries(), (std::vector<std::string>{"Winter.cdn"}));
  EXPECT_TRUE(Only("tell").empty());
}

TEST_F(CustomLevelsTest, AFailedCopyKeepsTheFolderAsItWasAndSaysSo) {
  Pack("levels/Winter.cdn", "old pack");
  dir.Put("elsewhere/Winter.cdn", "new pack");
  dir.Put("elsewhere/Spring.cdn", "spring");
  auto s = Open();
  prompt.answers = {true};
  dialog.Choose(dir / "elsewhere/Winter.cdn");
  platform::SimulateWriteFailure(true);
  s->ImportLevelPack();
  dialog.Choose(dir / "elsewhere/Spring.cdn");
  s->ImportLevelPack();
  platform::SimulateWriteFailure(false);
  EXPECT_EQ(Only("tell"), (Log{std::string("tell ") + kCopyFailedMessage, std::string("tell ") + kCopyFailedMessage}));
  EXPECT_EQ(dir.Get("app/levels/Winter.cdn"), "old pack");
  EXPECT_EQ(dir.Count("app/levels"), 1) << "no new pack and no temporary file left";
}

TEST_F(CustomLevelsTest, ImportRecreatesALevelsFolderRemovedMeanwhile) {
  dir.Put("elsewhere/Spring.cdn", "spring");
  auto s = Open();
  std::filesystem::remove_all(app + "levels");
  dialog.Choose(dir / "elsewhere/Spring.cdn");
  s->ImportLevelPack();
  EXPECT_EQ(dir.Get("app/levels/Spring.cdn"), "spring");
  EXPECT_EQ(s->entries(), (std::vector<std::string>{"Spring.cdn"}));
}

// The player is told where the levels folder really is: beside the program, or the per-user one
// when the program folder is read only.
TEST_F(CustomLevelsTest, WithoutAFileDialogThePlayerIsToldWhereToCopyPacks) {
  struct Case {
    const char* name;
    bool readOnlyProgram;
  };
  for (const Case c : {Case{"program folder", false}, Case{"per-user folder", true}}) {
    SCOPED_TRACE(c.name);
    if (c.readOnlyProgram && ::geteuid() == 0) continue;  // permission bits do not bind the superuser
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    ::setenv("XDG_DATA_HOME", (dir / "user").c_str(), 1);
    if (c.readOnlyProgram) ::chmod(app.c_str(), 0555);
    log.clear();
    {
      auto s = Open();
      dialog.answers.push_back({FileDialogAnswer::Kind::Unavailable, {}});
      s->ImportLevelPack();
    }
    ::chmod(app.c_str(), 0755);
    if (xdg) ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
    const std::string folder = c.readOnlyProgram ? dir / "user/frostlide/levels/" : app + "levels/";
    EXPECT_EQ(Only("system"), (Log{"system No file dialog is available. Copy packs into the levels folder: " + folder}));
    EXPECT_TRUE(Only("tell").empty());
    EXPECT_TRUE(platform::DirExists(folder));
  }
}

// A pack in the levels folder that is a link to the player's own file elsewhere: Import replaces
// the link with the copy and leaves that file alone.
TEST_F(CustomLevelsTest, ImportOverALinkReplacesTheLinkNotTheFileItPointsTo) {
  dir.Put("mine/Winter.cdn", "the player's own");
  dir.Put("elsewhere/Winter.cdn", "new pack");
  dir.Mkdir("app/levels");
  ASSERT_EQ(::symlink((dir / "mine/Winter.cdn").c_str(), (app + "levels/Winter.cdn").c_str()), 0);
  auto s = Open();
  prompt.answers = {true};
  dialog.Choose(dir / "elsewhere/Winter.cdn");
  s->ImportLevelPack();
  EXPECT_EQ(Only("ask"), (Log{"ask Overwrite current level pack?"}));
  EXPECT_FALSE(std::filesystem::is_symlink(app + "levels/Winter.cdn"));
  EXPECT_EQ(dir.Get("app/levels/Winter.cdn"), "new pack");
  EXPECT_EQ(dir.Get("mine/Winter.cdn"), "the player's own");
}

TEST_F(CustomLevelsTest, ShowCustomLevelsRunsTheScreenModally) {
  Pack("levels/a.cdn");
  auto screens = CreateSecondaryScreens(services);
  modal.script = [](Screen& s) { s.OnKeyDown(keys::Letter('P'), false); };
  screens->ShowCustomLevels();
  EXPECT_EQ(Only("start"), (Log{"start " + app + "levels/a.cdn"}));
}

}  // namespace
}  // namespace shell
