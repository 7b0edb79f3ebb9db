// Reading and writing packs: round trips, the strict loader and its messages, add mode, the
// checks before a save, Save As naming, Delete, and damaged files.
#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>
#include <random>

#include "editor/test_support.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace mapwright {
namespace {

using test::EditorTest;
using test::Level;
using test::PackText;

class PackFileTest : public EditorTest {
 protected:
  std::string Pack(const std::string& name) { return folder / ("Levels/" + name); }
  void Write(const std::string& name, const std::string& bytes) {
    platform::MakeDirs(folder / "Levels");
    folder.WriteFile("Levels/" + name, bytes);
  }
  std::string Read(const std::string& name) { return folder.ReadFile("Levels/" + name); }
  void OpenFile(const std::string& name) {
    ui.fileNames = {Pack(name)};
    ed->Open();
  }
  std::vector<LevelGrid> Levels() const {
    return {ed->pack().levels.begin() + 1, ed->pack().levels.end()};
  }
};

TEST_F(PackFileTest, SaveThenOpenGivesThePackBack) {
  const LevelGrid one = Level({"XxCT...........", "LBWGRH.........", "lbwgrh.........",
                               "...............", "..............X"});
  const LevelGrid two = Level({"R.r", "", "B.b"});
  ed->pack().levels[1] = one;
  ed->pack().working() = one;
  ed->InsertNewLevel();
  ed->pack().levels[2] = two;
  ed->pack().working() = two;
  ed->controls().nameBox = "Glace d\u00E9licate";
  ed->controls().authorBox = "Zo\u00EB";
  ed->controls().commentBox = "Prix 5 \u20AC, na\u00EFve";
  ui.fileNames = {Pack("round")};
  EXPECT_EQ(ed->SaveAs(), SaveResult::Saved);

  const std::string bytes = Read("round.cdn");
  EXPECT_EQ(bytes, PackText("Glace d\xE9licate", "Zo\xEB", "Prix 5 \x80, na\xEFve", {one, two}));
  EXPECT_EQ(ed->controls().caption, "Frostlide Level Editor - " + Pack("round.cdn"));
  EXPECT_FALSE(ed->pack().modified);

  ui.answers = {};
  ed->New();
  OpenFile("round.cdn");
  EXPECT_EQ(ed->controls().nameBox, "Glace d\u00E9licate");
  EXPECT_EQ(ed->controls().authorBox, "Zo\u00EB");
  EXPECT_EQ(ed->controls().commentBox, "Prix 5 \u20AC, na\u00EFve");
  EXPECT_EQ(ed->pack().collectionName, "Glace d\u00E9licate");
  EXPECT_EQ(Levels(), (std::vector<LevelGrid>{one, two}));
  EXPECT_EQ(Labels(), LabelsUpTo(2));
  EXPECT_EQ(ed->controls().selected, 0);
  EXPECT_EQ(ed->pack().working(), one);
  EXPECT_EQ(ed->pack().currentFile, Pack("round.cdn"));
  EXPECT_TRUE(ed->controls().deleteMenuEnabled);
  EXPECT_EQ(ed->controls().caption, "Frostlide Level Editor - " + Pack("round.cdn"));
  EXPECT_EQ(ui.dialogTitles, (std::vector<std::string>{"Save as ...", "Open ..."}));
  EXPECT_EQ(ui.dialogFolders[0], folder / "Levels/");
}

TEST_F(PackFileTest, ShortRowsStayShort) {
  std::string text = PackText("n", "a", "c", {Level({"RRRRRRRRRRRRRRR"})});
  const std::string full = "RRRRRRRRRRRRRRR\r\n";
  text.replace(text.find(full), full.size(), "RRRRRRRRRR\r\n");
  Write("short.cdn", text);
  OpenFile("short.cdn");
  for (int k = 0; k < 15; ++k)
    EXPECT_EQ(Cell(1, k, 0), k < 10 ? 'R' : kNoChar) << k;
  // Shown as empty ground: the cell looks exactly like its tile.
  const QImage& bb = ed->canvas().backBuffer();
  const QImage& bg = ed->canvas().background();
  EXPECT_EQ(bb.pixel(Canvas::CellOrigin(12) + 4, Canvas::CellOrigin(0) + 4),
            bg.pixel(12 * 31 + 4, 4));
  EXPECT_EQ(ed->Save(), SaveResult::Saved);
  EXPECT_EQ(Read("short.cdn"), text);
}

// Any byte of a row is a cell character, a NUL too: it shows as ground and is written back,
// so the cells after it keep their columns.
TEST_F(PackFileTest, EveryByteOfARowIsKept) {
  std::string text = PackText("n", "a", "c", {Level({"RRRRRRRRRRRRRRR"})});
  const std::string row = std::string("G\0G", 3) + '\x01' + '\xFF' + "..........";
  const std::string full = "RRRRRRRRRRRRRRR\r\n";
  text.replace(text.find(full), full.size(), row + "\r\n");
  Write("bytes.cdn", text);
  OpenFile("bytes.cdn");
  EXPECT_EQ(Cell(1, 1, 0), '\0');
  EXPECT_EQ(Cell(1, 2, 0), 'G');
  const QImage& bb = ed->canvas().backBuffer();
  EXPECT_EQ(bb.pixel(Canvas::CellOrigin(1) + 4, Canvas::CellOrigin(0) + 4),
            ed->canvas().background().pixel(31 + 4, 4));
  EXPECT_EQ(ed->Save(), SaveResult::Saved);
  EXPECT_EQ(Read("bytes.cdn"), text);
}

TEST_F(PackFileTest, TheStrictLoaderRefusesDamagedHeaders) {
  const std::string good = PackText("Name", "Me", "Note", {Level({"X"}), Level({"x"})});
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"blank after the bracket", replaced("[PackHeader]", "[PackHeader] ")},
      {"lower-case header", replaced("[PackHeader]", "[packheader]")},
      {"name line shorter than its key", replaced("CollectionName=Name", "Name")},
      {"author line shorter than its key", replaced("Author=Me", "Auth")},
      {"count is not a number", replaced("NumberOfLevels=2", "NumberOfLevels=two")},
      {"count is empty", replaced("NumberOfLevels=2", "NumberOfLevels=")},
      {"header cut off", "[PackHeader]\r\nCollectionName=x\r\nAuthor=y\r\n"},
      {"fewer levels counted than written", replaced("NumberOfLevels=2", "NumberOfLevels=1")},
      {"section in other letter case", replaced("[Level1Data]", "[level1data]")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    Click(4, 4);
    Write("bad.cdn", c.text);
    ui.messages.clear();
    ui.answers = {Answer::Yes};  // let the painted change go
    OpenFile("bad.cdn");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Unable to load level pack.");
    EXPECT_EQ(ui.messages[1].title, "Level Editor");
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(ed->pack().numberOfLevels, 0);
    EXPECT_TRUE(Labels().empty());
    EXPECT_EQ(ed->controls().caption, "Frostlide Level Editor");
    EXPECT_EQ(ed->pack().currentFile, Pack("bad.cdn"));
    EXPECT_FALSE(ed->controls().undoEnabled) << "the old level's history is gone";
    EXPECT_FALSE(ed->controls().removeButtonEnabled) << "the list is empty";
    // Painting is ignored without levels; a new level starts blank.
    ed->MouseDown(kLeftButton, test::Mid(1), test::Mid(1));
    ed->InsertNewLevel();
    EXPECT_EQ(Levels(), (std::vector<LevelGrid>{BlankLevel()}));
    EXPECT_EQ(ed->pack().working(), BlankLevel());
  }
}

TEST_F(PackFileTest, TheLoaderReadsKeysByTheirLength) {
  const std::string text = "[PackHeader]\r\nCollectionName:Colon\r\nAuthorXAny\r\nComment=\r\n"
                           "NumberOfLevels=1.9\r\n\r\n[Level1Data]\r\nX\r\n";
  Write("keys.cdn", text);
  OpenFile("keys.cdn");
  EXPECT_TRUE(ui.messages.empty()) << ui.LastText();
  EXPECT_EQ(ed->controls().nameBox, "Colon");
  EXPECT_EQ(ed->controls().authorBox, "Any");
  EXPECT_EQ(ed->controls().commentBox, "");
  // The level was cut short after its first row: it is there, blank.
  EXPECT_EQ(ed->pack().numberOfLevels, 1);
  EXPECT_EQ(Levels()[0], BlankLevel());
}

TEST_F(PackFileTest, MoreLevelsCountedThanWrittenLoadsThoseThere) {
  std::string text = PackText("n", "a", "c", {Level({"X"}), Level({"x"})});
  text.replace(text.find("NumberOfLevels=2"), 16, "NumberOfLevels=9");
  Write("more.cdn", text);
  OpenFile("more.cdn");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Levels(), (std::vector<LevelGrid>{Level({"X"}), Level({"x"})}));
}

// A pack without levels opens empty; the history of the level shown before belongs to the
// old pack and goes with it.
TEST_F(PackFileTest, APackWithoutLevelsOpensEmptyWithoutHistory) {
  const std::string header = "[PackHeader]\r\nCollectionName=E\r\nAuthor=\r\nComment=\r\n";
  for (const std::string& text : {header + "NumberOfLevels=0\r\n\r\n",
                                  header + "NumberOfLevels=3\r\n\r\n", std::string()}) {
    SCOPED_TRACE(text);
    Start();
    Click(2, 2);
    Click(3, 3);  // the newest snapshot holds the first stroke
    Write("empty.cdn", text);
    ui.answers = {Answer::Yes};
    OpenFile("empty.cdn");
    EXPECT_EQ(ui.messages.size(), 1u) << ui.LastText();
    EXPECT_EQ(ed->pack().numberOfLevels, 0);
    EXPECT_EQ(ed->controls().caption, "Frostlide Level Editor - " + Pack("empty.cdn"));
    EXPECT_FALSE(ed->controls().undoEnabled);
    ed->UndoLast();
    EXPECT_EQ(ed->pack().working(), BlankLevel());
    ui.messages.clear();
  }
}

TEST_F(PackFileTest, GapsInTheNumberingKeepEveryLevel) {
  std::string text = PackText("n", "a", "c", {Level({"X"}), Level({"x"})});
  text.replace(text.find("[Level2Data]"), 12, "[Level5Data]");
  text.replace(text.find("NumberOfLevels=2"), 16, "NumberOfLevels=5");
  Write("gap.cdn", text);
  OpenFile("gap.cdn");
  EXPECT_EQ(Levels(), (std::vector<LevelGrid>{Level({"X"}), Level({"x"})}));
  EXPECT_EQ(Labels(), LabelsUpTo(2));
}

TEST_F(PackFileTest, OpenMessages) {
  ui.fileNames = {Pack("missing.cdn")};
  ed->Open();
  EXPECT_EQ(ui.LastText(), "Unable to open file " + Pack("missing.cdn") + ".");
  EXPECT_EQ(ed->pack().numberOfLevels, 1) << "a missing file changes nothing";
  ed->Open();  // cancelled
  EXPECT_EQ(ui.messages.size(), 1u);

  // Too large to be a pack: refused before it is read.
  MakeLevels(3);
  ed->SelectEntry(1);
  Write("huge.cdn", std::string(kMaxPackFileBytes + 1, 'X'));
  OpenFile("huge.cdn");
  EXPECT_EQ(ui.LastText(), "Unable to open level pack.");
  EXPECT_EQ(ed->pack().numberOfLevels, 0);
  EXPECT_FALSE(ed->controls().removeButtonEnabled);
  EXPECT_FALSE(ed->controls().moveUpEnabled);
  EXPECT_FALSE(ed->controls().moveDownEnabled);
  EXPECT_EQ(ed->pack().currentFile, Pack("huge.cdn"));
}

TEST_F(PackFileTest, OpeningOverUnsavedWorkAsksFirst) {
  Write("other.cdn", PackText("Other", "", "", {Level({"G"})}));
  Click(2, 2);
  ui.answers = {Answer::No};
  ui.fileNames = {Pack("other.cdn")};
  ed->Open();
  EXPECT_EQ(ui.LastText(), "Are you sure? You have made unsaved changes!");
  EXPECT_TRUE(ui.dialogTitles.empty()) << "no dialog after No";
  EXPECT_EQ(Cell(1, 2, 2), 'X');
  ui.answers = {Answer::Yes};
  ed->Open();
  EXPECT_EQ(ed->controls().nameBox, "Other");
  EXPECT_EQ(Cell(1, 0, 0), 'G');
  // The recent entry asks the same way.
  Click(5, 5);
  ui.answers = {Answer::No};
  ed->OpenRecent(0);
  EXPECT_EQ(Cell(1, 5, 5), 'X');
}

TEST_F(PackFileTest, OpenFindsAFileWhateverItsCase) {
  platform::MakeDirs(folder / "levels");
  folder.WriteFile("levels/MyPack.CDN", PackText("Case", "", "", {Level({"G"})}));
  EXPECT_EQ(ed->PackFolder(), folder / "levels/");
  ui.fileNames = {folder / "Levels/mypack.cdn"};
  ed->Open();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ed->controls().nameBox, "Case");
}

TEST_F(PackFileTest, ThePackFolderIsCreatedOnlyWhenMissing) {
  EXPECT_EQ(ed->PackFolder(), folder / "Levels/");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(folder / "Levels")));
}

TEST_F(PackFileTest, AddLevelsGoAfterTheSelectedLevel) {
  MakeLevels(4);
  ed->controls().nameBox = "Mine";
  Write("three.cdn", PackText("Theirs", "Them", "Their note",
                              {Level({"", "R"}), Level({"", "G"}), Level({"", "B"})}));
  ed->SelectEntry(1);
  Click(8, 8, 9);  // a history that the add keeps
  ui.fileNames = {Pack("three.cdn")};
  ed->AddLevelsFromFile();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.dialogFolders.back(), folder.path());
  ASSERT_EQ(ed->pack().numberOfLevels, 7);
  EXPECT_EQ(Markers(), (std::vector<int>{0, 1, -1, -1, -1, 2, 3}));
  EXPECT_EQ(Cell(3, 0, 1), 'R');
  EXPECT_EQ(Cell(4, 0, 1), 'G');
  EXPECT_EQ(Cell(5, 0, 1), 'B');
  EXPECT_EQ(Labels(), LabelsUpTo(7));
  EXPECT_EQ(ed->controls().selected, 1);
  EXPECT_EQ(Cell(2, 8, 8), 'H');
  EXPECT_EQ(ed->pack().working(), ed->pack().levels[2]);
  EXPECT_EQ(ed->controls().nameBox, "Mine");
  EXPECT_EQ(ed->controls().authorBox, "Them");
  EXPECT_EQ(ed->controls().commentBox, "Their note");
  EXPECT_TRUE(ed->pack().modified);
  EXPECT_TRUE(ed->controls().undoEnabled);
  EXPECT_EQ(ed->pack().currentFile, "");
  EXPECT_EQ(ed->controls().caption, "Frostlide Level Editor");
}

TEST_F(PackFileTest, AddLevelsFromADamagedFileKeepsWhatWasAdded) {
  MakeLevels(2);
  ed->SelectEntry(0);
  std::string text = PackText("t", "a", "c", {Level({"R"})}) + "garbage\r\nmore\r\n";
  Write("tail.cdn", text);
  ui.fileNames = {Pack("tail.cdn")};
  ed->AddLevelsFromFile();
  EXPECT_EQ(ui.LastText(), "Unable to load level pack.");
  EXPECT_EQ(ed->pack().numberOfLevels, 3);
  EXPECT_EQ(Labels(), LabelsUpTo(3));
  EXPECT_EQ(Cell(2, 0, 0), 'R');
  EXPECT_EQ(ed->pack().working(), ed->pack().levels[1]);
}

// After a failed Open nothing is selected; levels added then must not leave the canvas
// painting into no level at all.
TEST_F(PackFileTest, AddLevelsIntoAnEmptyPackSelectsTheFirst) {
  Click(6, 6);
  Write("bad.cdn", "not a pack\r\n");
  ui.answers = {Answer::Yes};
  OpenFile("bad.cdn");
  ASSERT_EQ(ed->pack().numberOfLevels, 0);
  Write("two.cdn", PackText("t", "a", "c", {Level({"R"}), Level({"G"})}));
  ui.fileNames = {Pack("two.cdn")};
  ed->AddLevelsFromFile();
  ASSERT_EQ(ed->pack().numberOfLevels, 2);
  EXPECT_EQ(Labels(), LabelsUpTo(2));
  EXPECT_EQ(ed->controls().selected, 0);
  EXPECT_EQ(ed->pack().working(), Level({"R"}));
  const QImage& bb = ed->canvas().backBuffer();
  EXPECT_EQ(bb.pixel(Canvas::CellOrigin(6) + 3, Canvas::CellOrigin(6) + 3),
            ed->canvas().background().pixel(6 * 31 + 3, 6 * 31 + 3))
      << "the old pack's level is no longer on the canvas";
  Click(3, 3, 5);
  EXPECT_EQ(Cell(1, 3, 3), 'B') << "the stroke is stored in level 1";
}

TEST_F(PackFileTest, SavingMoreThanOneHundredLevelsWritesTheFirstHundred) {
  std::vector<LevelGrid> many(104, Level({"G", "g"}));
  Write("many.cdn", PackText("m", "a", "c", many));
  ui.fileNames = {Pack("many.cdn")};
  ed->AddLevelsFromFile();
  ASSERT_EQ(ed->pack().numberOfLevels, 105);
  ui.fileNames = {Pack("out.cdn")};
  ui.messages.clear();
  ui.pumps = 0;
  EXPECT_EQ(ed->SaveAs(), SaveResult::Saved);
  EXPECT_GE(ui.pumps, 100 * 16) << "the window is let through after every row and level";
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Level pack can have maximally 100 levels. Levels above 100 will not be saved.");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
  const std::string out = Read("out.cdn");
  EXPECT_NE(out.find("NumberOfLevels=100\r\n"), std::string::npos);
  EXPECT_NE(out.find("[Level100Data]"), std::string::npos);
  EXPECT_EQ(out.find("[Level101Data]"), std::string::npos);
  EXPECT_EQ(ed->pack().numberOfLevels, 105);
  EXPECT_EQ(Labels().size(), 105u);
}

TEST_F(PackFileTest, SaveAsNaming) {
  struct Case {
    std::string typed, written;
  };
  for (const Case& c : {Case{"pack", "pack.cdn"}, Case{"PACK.CDN", "PACK.CDN.cdn"},
                        Case{"done.cdn", "done.cdn"}, Case{"a.cd", "a.cd.cdn"}}) {
    ui.fileNames = {Pack(c.typed)};
    EXPECT_EQ(ed->SaveAs(), SaveResult::Saved);
    EXPECT_EQ(ed->pack().currentFile, Pack(c.written));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Pack(c.written)))) << c.written;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PackFileTest, SaveAsAsksBeforeOverwriting) {
  Write("old.cdn", "keep me");
  ui.fileNames = {Pack("old.cdn")};
  ui.answers = {Answer::Cancel};
  EXPECT_EQ(ed->SaveAs(), SaveResult::Cancelled);
  EXPECT_EQ(ui.LastText(), "Do you want to overwrite this file?");
  EXPECT_EQ(ui.messages.back().icon, MessageIcon::None);
  EXPECT_EQ(ui.messages.back().buttons, Buttons::OkCancel);
  EXPECT_EQ(Read("old.cdn"), "keep me");
  EXPECT_EQ(ed->pack().currentFile, "");

  ui.fileNames = {Pack("old.cdn")};
  ui.answers = {Answer::Ok};
  EXPECT_EQ(ed->SaveAs(), SaveResult::Saved);
  EXPECT_EQ(Read("old.cdn").substr(0, 12), "[PackHeader]");
}

TEST_F(PackFileTest, UnsolvableLevelsAreNamedBeforeSaving) {
  MakeLevels(7);
  ed->SelectEntry(2);
  Click(0, 5, 14);  // r
  Click(1, 5, 14);  // r
  Click(2, 5, 8);   // R
  ed->SelectEntry(6);
  Click(0, 5, 10);  // l, no black cube
  ed->SelectEntry(3);
  Click(0, 5, 11);  // b with a B beside it passes
  Click(1, 5, 5);
  EXPECT_FALSE(ed->HasEnoughCubes(3));
  EXPECT_TRUE(ed->HasEnoughCubes(4));
  EXPECT_FALSE(ed->HasEnoughCubes(7));
  EXPECT_TRUE(ed->HasEnoughCubes(1));

  ui.fileNames = {Pack("p")};
  ui.answers = {Answer::No};
  EXPECT_EQ(ed->SaveAs(), SaveResult::Declined);
  EXPECT_EQ(ui.LastText(),
            "These levels can not be solved (insufficient number of cubes): 3 7. Do you want to "
            "continue?");
  EXPECT_EQ(ui.messages.back().title, "Frostlide Level Editor");
  EXPECT_TRUE(ed->saveDeclined());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Pack("p.cdn"))));
  EXPECT_TRUE(ed->pack().modified);

  // Exit: save? Yes; the pack still has no file, so Save As asks for one; unsolvable? No:
  // the editor stays open, nothing written.
  ui.fileNames = {Pack("p")};
  ui.answers = {Answer::Yes, Answer::No};
  EXPECT_FALSE(ed->Exit());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Pack("p.cdn"))));

  ui.fileNames = {Pack("p")};
  ui.answers = {Answer::Yes};
  EXPECT_EQ(ed->Save(), SaveResult::Saved);
  EXPECT_FALSE(ed->saveDeclined());
}

TEST_F(PackFileTest, ExitQuestions) {
  Click(0, 0);
  ui.answers = {Answer::Cancel};
  EXPECT_FALSE(ed->Exit());
  EXPECT_EQ(ui.LastText(), "Do you want to save the level pack before exiting?");
  EXPECT_EQ(ui.messages.back().buttons, Buttons::YesNoCancel);
  EXPECT_EQ(ed->pack().numberOfLevels, 1);
  EXPECT_EQ(Cell(1, 0, 0), 'X');
  // Yes, then Cancel in the Save As dialog: the editor closes without saving.
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(ed->Exit());
}

TEST_F(PackFileTest, AFailedSaveKeepsTheOldFile) {
  ui.fileNames = {Pack("safe")};
  ASSERT_EQ(ed->SaveAs(), SaveResult::Saved);
  const std::string before = Read("safe.cdn");
  Click(3, 3);
  platform::SimulateWriteFailure(true);
  const SaveResult result = ed->Save();
  platform::SimulateWriteFailure(false);
  EXPECT_EQ(result, SaveResult::Failed);
  EXPECT_EQ(ui.LastText(), "Unable to write " + Pack("safe.cdn") + ".");
  EXPECT_EQ(ui.messages.back().title, "Frostlide Level Editor");
  EXPECT_EQ(ui.messages.back().icon, MessageIcon::Critical);
  EXPECT_EQ(Read("safe.cdn"), before);
  EXPECT_EQ(ed->pack().currentFile, "");
  EXPECT_FALSE(ed->controls().deleteMenuEnabled) << "no current file, nothing to delete";
  EXPECT_TRUE(ed->pack().modified);
  // The next Save asks for a name.
  ui.dialogTitles.clear();
  EXPECT_EQ(ed->Save(), SaveResult::Cancelled);
  EXPECT_EQ(ui.dialogTitles, (std::vector<std::string>{"Save as ..."}));
}

TEST_F(PackFileTest, AFailedSaveEmptiesTheFirstRecentSlot) {
  ui.fileNames = {Pack("safe")};
  ASSERT_EQ(ed->SaveAs(), SaveResult::Saved);
  // A folder where the pack should go: the write fails, the profile write does not.
  platform::MakeDirs(Pack("blocked.cdn"));
  ed->pack().currentFile = Pack("blocked.cdn");
  EXPECT_EQ(ed->Save(), SaveResult::Failed);
  EXPECT_EQ(platform::GetProfileString(ed->iniPath(), "RecentFiles", "RecentFile1", "?"), "");
  EXPECT_EQ(platform::GetProfileString(ed->iniPath(), "RecentFiles", "RecentFile2", "?"),
            Pack("safe.cdn"));
  EXPECT_EQ(ed->controls().recent.entries[0].path, Pack("safe.cdn"));
}

TEST_F(PackFileTest, ExitStaysOpenWhenTheSaveCannotBeWritten) {
  ui.fileNames = {Pack("safe")};
  ASSERT_EQ(ed->SaveAs(), SaveResult::Saved);
  Click(3, 3);
  platform::SimulateWriteFailure(true);
  ui.answers = {Answer::Yes};
  const bool closed = ed->Exit();
  platform::SimulateWriteFailure(false);
  EXPECT_FALSE(closed);
  EXPECT_EQ(Cell(1, 3, 3), 'X');
}

TEST_F(PackFileTest, DeleteRemovesTheFileAndStartsANewPack) {
  EXPECT_FALSE(ed->controls().deleteMenuEnabled);
  ui.fileNames = {Pack("gone")};
  ASSERT_EQ(ed->SaveAs(), SaveResult::Saved);
  EXPECT_TRUE(ed->controls().deleteMenuEnabled);
  EXPECT_EQ(ed->controls().recent.entries[0].path, Pack("gone.cdn"));

  ui.answers = {Answer::No};
  ed->DeletePackFile();
  EXPECT_EQ(ui.LastText(), "Do you really want to delete this file?");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Pack("gone.cdn"))));

  ui.answers = {Answer::Yes};
  ed->DeletePackFile();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Pack("gone.cdn"))));
  EXPECT_FALSE(ed->controls().recent.entries[0].visible);
  EXPECT_EQ(ed->pack().currentFile, "");
  EXPECT_FALSE(ed->controls().deleteMenuEnabled);
  EXPECT_EQ(ed->controls().caption, "Frostlide Level Editor");

  // A file removed behind the editor's back.
  ui.fileNames = {Pack("twice")};
  ASSERT_EQ(ed->SaveAs(), SaveResult::Saved);
  QFile::remove(QString::fromStdString(Pack("twice.cdn")));
  ed->DeletePackFile();
  EXPECT_EQ(ui.LastText(), "You didn't saved this pack yet. Use New menu item instead.");
}

TEST_F(PackFileTest, RecentEntryOpensItsPack) {
  Write("r.cdn", PackText("Recent", "", "", {Level({"H"})}));
  OpenFile("r.cdn");
  ed->New();
  ASSERT_TRUE(ed->controls().recent.entries[0].visible);
  ed->OpenRecent(0);
  EXPECT_EQ(ed->controls().nameBox, "Recent");
  EXPECT_EQ(Cell(1, 0, 0), 'H');
  EXPECT_EQ(ed->pack().currentFile, Pack("r.cdn"));
}

// Any damage to a pack ends in a message or a partial pack, never in a crash, and the list
// always mirrors the pack.
TEST_F(PackFileTest, DamagedFilesNeverBreakTheEditor) {
  const std::string good = PackText("Name", "Me", "Note", {Level({"XRr"}), Level({"xGg"}), Level({"T"})});
  std::mt19937 random(20261211);
  const std::string alphabet = "[]=.\r\nXLevelData0123456789PackHeader";
  for (int round = 0; round < 400; ++round) {
    std::string text = good;
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % (text.size() + 1);
      switch (random() % 4) {
        case 0: text.erase(at, random() % 40); break;
        case 1: text.insert(at, 1, alphabet[random() % alphabet.size()]); break;
        case 2: if (at < text.size()) text[at] = static_cast<char>(random() % 256); break;
        case 3: text.insert(at, text.substr(at / 2, random() % 60)); break;
      }
    }
    Write("fuzz.cdn", text);
    ed->LoadPack(Pack("fuzz.cdn"), round % 2 == 1);
    const EditorPack& p = ed->pack();
    ASSERT_EQ(p.levels.size(), static_cast<std::size_t>(p.numberOfLevels) + 1);
    ASSERT_EQ(Labels().size(), static_cast<std::size_t>(p.numberOfLevels));
    if (p.numberOfLevels > 40) ed->New();
    ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
  }
  ui.messages.clear();
  ui.answers.clear();
  // A huge count with a far-away section number is answered at once.
  Write("far.cdn", "[PackHeader]\r\nCollectionName=\r\nAuthor=\r\nComment=\r\n"
                   "NumberOfLevels=1e300\r\n\r\n[Level2000000000Data]\r\nX\r\n");
  ui.answers = {Answer::Yes, Answer::Yes};
  ed->New();
  OpenFile("far.cdn");
  EXPECT_EQ(ed->pack().numberOfLevels, 1);
}

// A pack with every cell kind, as the editor writes it; the game's reader is checked on the
// same file (testdata/editor_pack.cdn).
TEST_F(PackFileTest, TheCommittedFixtureIsWhatTheSaverWrites) {
  ed->controls().nameBox = "Mapwright fixture \u00E9\u20AC";
  ed->controls().authorBox = "The Frostlide developers";
  ed->controls().commentBox = "Every cell kind, written by the editor";
  ed->pack().working() = Level({"XXXXXXXXXXXXXXX", "X.............X", "X.R.r...B.b...X",
                               "X.G.g...W.w...X", "X.L.l...H.h...X", "X.............X",
                               "X.x.C.T.......X", "X.............X", "XXXXXXXXXXXXXXX"});
  ed->pack().StoreWorkingLevel(1);
  ed->InsertNewLevel();
  ed->pack().working() = Level({"R.....r", "", "...B...", "", "...b"});
  ed->pack().StoreWorkingLevel(2);
  ui.fileNames = {folder / "editor_pack"};
  ASSERT_EQ(ed->SaveAs(), SaveResult::Saved);
  const std::string written = folder.ReadFile("editor_pack.cdn");
  const char* fixtures = std::getenv("MAPWRIGHT_TESTDATA");
  ASSERT_NE(fixtures, nullptr);
  const std::string fixture = std::string(fixtures) + "/editor_pack.cdn";
  if (std::getenv("MAPWRIGHT_UPDATE_FIXTURES") != nullptr) {
    ASSERT_TRUE(platform::WriteFileAtomic(fixture, written));
  }
  std::string committed;
  ASSERT_TRUE(platform::ReadFile(fixture, committed));
  EXPECT_EQ(written, committed);
}

}  // namespace
}  // namespace mapwright

namespace mapwright {
namespace {

// The built-in pack, written by the level generator, opens in the editor and is written back
// byte for byte: the two programs agree on the layout.
TEST_F(PackFileTest, TheGamesBuiltInPackOpensAndSavesUnchanged) {
  const char* testdata = std::getenv("MAPWRIGHT_TESTDATA");
  ASSERT_NE(testdata, nullptr);
  std::string original;
  ASSERT_TRUE(platform::ReadFile(std::string(testdata) + "/../../data/ogpice.cdn", original));
  Write("ogpice.cdn", original);
  OpenFile("ogpice.cdn");
  EXPECT_EQ(ed->pack().numberOfLevels, 100);
  EXPECT_EQ(ed->controls().nameBox, "Frostlide: Ice");
  ui.fileNames = {Pack("copy")};
  ASSERT_EQ(ed->SaveAs(), SaveResult::Saved);
  EXPECT_EQ(Read("copy.cdn"), original);
}

}  // namespace
}  // namespace mapwright
