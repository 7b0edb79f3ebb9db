// The level commands on a started editor: insert, remove, move, select, New and the undo
// history that goes with them.
#include <gtest/gtest.h>

#include "editor/test_support.h"

namespace mapwright {
namespace {

using test::EditorTest;

TEST_F(EditorTest, StartsWithOneBlankLevelAndTheBlockTool) {
  const EditorControls& c = ed->controls();
  EXPECT_EQ(c.caption, "Frostlide Level Editor");
  EXPECT_EQ(c.nameBox, "My new level pack");
  EXPECT_EQ(c.authorBox, "");
  EXPECT_EQ(Labels(), LabelsUpTo(1));
  EXPECT_EQ(c.selected, 0);
  EXPECT_EQ(ed->pack().shownLevel, 1);
  EXPECT_EQ(ed->pack().levels[1], BlankLevel());
  EXPECT_FALSE(c.undoEnabled);
  EXPECT_FALSE(c.deleteMenuEnabled);
  EXPECT_TRUE(c.removeButtonEnabled);
  EXPECT_FALSE(c.moveUpEnabled);
  EXPECT_FALSE(c.moveDownEnabled);
  EXPECT_EQ(c.pressedTool, 0);
  EXPECT_EQ(ed->currentTool().character, 'X');
  EXPECT_FALSE(ed->pack().modified);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EditorTest, InsertAfterTheSelectedLevel) {
  MakeLevels(3);
  ed->SelectEntry(0);
  Click(5, 5);  // gives level 1 an undo history
  ed->pack().modified = false;
  ed->InsertNewLevel();
  EXPECT_EQ(Labels(), LabelsUpTo(4));
  EXPECT_EQ(Markers(), (std::vector<int>{0, -1, 1, 2}));
  EXPECT_EQ(ed->controls().selected, 1);
  EXPECT_EQ(ed->pack().shownLevel, 2);
  EXPECT_EQ(ed->pack().working(), BlankLevel());
  EXPECT_FALSE(ed->controls().undoEnabled);
  EXPECT_EQ(Cell(1, 5, 5), 'X') << "the level left was stored";
  EXPECT_FALSE(ed->pack().modified);
}

TEST_F(EditorTest, InsertWithTheLastLevelSelectedAppends) {
  MakeLevels(3);
  ed->SelectEntry(2);
  ed->InsertNewLevel();
  EXPECT_EQ(Markers(), (std::vector<int>{0, 1, 2, -1}));
  EXPECT_EQ(ed->controls().selected, 3);
}

TEST_F(EditorTest, InsertStopsAtOneHundredLevels) {
  MakeLevels(99);
  ed->InsertNewLevel();
  EXPECT_EQ(ed->pack().numberOfLevels, 100);
  EXPECT_TRUE(ui.messages.empty());
  const std::vector<int> before = Markers();
  ed->InsertNewLevel();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Level pack contain maximally 100 levels.");
  EXPECT_EQ(ui.messages[0].title, "Frostlide Level Editor");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(ed->pack().numberOfLevels, 100);
  EXPECT_EQ(Labels().size(), 100u);
  EXPECT_EQ(Markers(), before);
}

TEST_F(EditorTest, RemoveTheOnlyLevelIsRefused) {
  ed->RemoveLevelCommand();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "You can not delete this level. Level pack has to contain at least one level.");
  EXPECT_EQ(ui.messages[0].title, "Frostlide level editor");
  EXPECT_EQ(ed->pack().numberOfLevels, 1);
}

TEST_F(EditorTest, RemoveSelectsTheLevelThatTakesItsPlace) {
  struct Case {
    int selected;
    std::vector<int> markers;
    int selectedAfter;
  };
  for (const Case& c : {Case{1, {0, 2, 3, 4}, 1}, Case{4, {0, 1, 2, 3}, 3},
                        Case{0, {1, 2, 3, 4}, 0}}) {
    SCOPED_TRACE(c.selected);
    Start();
    MakeLevels(5);
    ed->SelectEntry(c.selected);
    Click(14, 14, 4);  // undo history on the level to be removed
    ed->pack().modified = false;
    ui.answers = {Answer::Yes};
    ed->RemoveLevelCommand();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you really want to delete this level?");
    EXPECT_EQ(ui.messages[0].title, "Level Editor");
    EXPECT_EQ(Markers(), c.markers);
    EXPECT_EQ(Labels(), LabelsUpTo(4));
    EXPECT_EQ(ed->controls().selected, c.selectedAfter);
    EXPECT_EQ(ed->pack().working(), ed->pack().levels[static_cast<std::size_t>(c.selectedAfter + 1)]);
    EXPECT_FALSE(ed->controls().undoEnabled);
    EXPECT_FALSE(ed->pack().modified);
    ui.messages.clear();
  }
}

TEST_F(EditorTest, RemoveAnsweredNoKeepsEverything) {
  MakeLevels(3);
  ui.answers = {Answer::No};
  ed->RemoveLevelCommand();
  EXPECT_EQ(Markers(), (std::vector<int>{0, 1, 2}));
}

TEST_F(EditorTest, MoveUpKeepsTheLevelSelectedWithItsHistory) {
  MakeLevels(3);
  ed->SelectEntry(2);
  Click(7, 7, 5);
  ed->pack().modified = false;
  ed->MoveLevelUp();
  EXPECT_EQ(Markers(), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(Labels(), LabelsUpTo(3));
  EXPECT_EQ(ed->controls().selected, 1);
  EXPECT_EQ(ed->pack().shownLevel, 2);
  EXPECT_TRUE(ed->controls().undoEnabled);
  EXPECT_TRUE(ed->pack().modified);
  EXPECT_TRUE(ed->controls().moveUpEnabled);
  // Undo restores the moved level in its new place.
  ed->UndoLast();
  EXPECT_EQ(Cell(2, 7, 7), '.');
  EXPECT_EQ(Marker(2), 2);
  EXPECT_EQ(Cell(3, 7, 7), '.');
}

TEST_F(EditorTest, MoveDownMirrorsMoveUp) {
  MakeLevels(3);
  ed->SelectEntry(0);
  Click(9, 9, 6);
  ed->MoveLevelDown();
  EXPECT_EQ(Markers(), (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(ed->controls().selected, 1);
  EXPECT_TRUE(ed->controls().undoEnabled);
  ed->MoveLevelDown();
  EXPECT_EQ(Markers(), (std::vector<int>{1, 2, 0}));
  EXPECT_FALSE(ed->controls().moveDownEnabled);
  ed->MoveLevelDown();  // the last level stays where it is
  EXPECT_EQ(Markers(), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(Cell(3, 9, 9), 'W');
}

TEST_F(EditorTest, LevelButtonsFollowTheSelection) {
  MakeLevels(3);
  struct Case {
    int selected;
    bool up, down;
  };
  for (const Case& c : {Case{0, false, true}, Case{1, true, true}, Case{2, true, false}}) {
    ed->SelectEntry(c.selected);
    EXPECT_EQ(ed->controls().moveUpEnabled, c.up) << c.selected;
    EXPECT_EQ(ed->controls().moveDownEnabled, c.down) << c.selected;
    EXPECT_TRUE(ed->controls().removeButtonEnabled);
  }
}

TEST_F(EditorTest, InsertAndRemoveLeaveTheExitQuiet) {
  ed->InsertNewLevel();
  ed->InsertNewLevel();
  ui.answers = {Answer::Yes};
  ed->RemoveLevelCommand();
  EXPECT_FALSE(ed->pack().modified);
  ui.messages.clear();
  EXPECT_TRUE(ed->Exit());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EditorTest, SwitchingLevelsKeepsEditsAndEmptiesTheHistory) {
  MakeLevels(2);
  ed->SelectEntry(0);
  Click(3, 3, 8);
  EXPECT_TRUE(ed->controls().undoEnabled);
  ed->SelectEntry(1);
  EXPECT_FALSE(ed->controls().undoEnabled);
  ed->SelectEntry(0);
  EXPECT_FALSE(ed->controls().undoEnabled);
  EXPECT_EQ(ed->pack().working()[CellIndex(3, 3)], 'R');
}

TEST_F(EditorTest, NewAsksWhenModified) {
  MakeLevels(3);
  ed->controls().authorBox = "me";
  Click(1, 1);
  ui.answers = {Answer::No};
  ed->New();
  EXPECT_EQ(ui.LastText(), "Are you sure? You have made unsaved changes!");
  EXPECT_EQ(ui.messages.back().title, "Mapwright");
  EXPECT_EQ(ed->pack().numberOfLevels, 3);

  ui.answers = {Answer::Yes};
  ed->New();
  EXPECT_EQ(ed->pack().numberOfLevels, 1);
  EXPECT_EQ(Labels(), LabelsUpTo(1));
  EXPECT_EQ(ed->pack().levels[1], BlankLevel());
  EXPECT_EQ(ed->pack().working(), BlankLevel());
  EXPECT_EQ(ed->controls().nameBox, "My new level pack");
  EXPECT_EQ(ed->controls().authorBox, "");
  EXPECT_EQ(ed->controls().caption, "Frostlide Level Editor");
  EXPECT_TRUE(ed->pack().modified) << "New keeps the flag";
}

TEST_F(EditorTest, NewForgetsTheHistoryOfTheOldFirstLevel) {
  Click(2, 2);
  ASSERT_TRUE(ed->controls().undoEnabled);
  ui.answers = {Answer::Yes};
  ed->New();
  EXPECT_FALSE(ed->controls().undoEnabled);
  ed->UndoLast();
  EXPECT_EQ(ed->pack().levels[1], BlankLevel());
}

TEST_F(EditorTest, UndoGoesBackFiveStrokes) {
  for (int i = 0; i < 6; ++i) Click(i, 0);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(ed->controls().undoEnabled);
    ed->UndoLast();
  }
  EXPECT_FALSE(ed->controls().undoEnabled);
  LevelGrid expected = BlankLevel();
  expected[0] = 'X';
  EXPECT_EQ(ed->pack().working(), expected);
  EXPECT_EQ(ed->pack().levels[1], expected);
  ed->UndoLast();  // nothing left
  EXPECT_EQ(ed->pack().working(), expected);
  EXPECT_TRUE(ed->pack().modified);
}

}  // namespace
}  // namespace mapwright
