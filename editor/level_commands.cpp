// Mapwright's level commands: the level list, showing a level, insert, remove, move and New.
#include <algorithm>

#include "editor/level_editor.h"

namespace mapwright {

void LevelEditor::UpdateLevelButtons() {
  const int count = static_cast<int>(controls_.levelEntries.size());
  const int s = controls_.selected;
  controls_.removeButtonEnabled = count > 0;
  controls_.moveUpEnabled = s > 0 && s < count && count > 1;
  controls_.moveDownEnabled = count > 1 && s >= 0 && s < count - 1;
}

void LevelEditor::ShowLevel(int n) {
  if (n < 0 || n > pack_.numberOfLevels || n == pack_.shownLevel) return;
  if (SelectedNumber() != pack_.shownLevel && pack_.shownLevel != -1)
    pack_.StoreWorkingLevel(pack_.shownLevel);
  Busy(true);
  const LevelGrid level = pack_.levels[static_cast<std::size_t>(n)];
  canvas_.DrawLevel(level);
  pack_.working() = level;
  Refresh();
  Busy(false);
}

void LevelEditor::SelectLevel() {
  pack_.busy = true;
  UpdateLevelButtons();
  ShowLevel(SelectedNumber());
  if (pack_.shownLevel != SelectedNumber()) {
    ClearUndo();
    pack_.shownLevel = static_cast<std::int16_t>(SelectedNumber());
  }
  pack_.busy = false;
}

void LevelEditor::SelectEntry(int index) {
  if (index < 0 || index >= static_cast<int>(controls_.levelEntries.size())) return;
  controls_.selected = index;
  SelectLevel();
  ControlsChanged();
}

void LevelEditor::Relabel(int from) {
  for (std::size_t j = static_cast<std::size_t>(std::max(from, 0));
       j < controls_.levelEntries.size(); ++j)
    controls_.levelEntries[j] = LevelLabel(static_cast<long long>(j) + 1);
}

void LevelEditor::InsertNewLevel() {
  if (controls_.levelEntries.size() >= static_cast<std::size_t>(kMaxSavedLevels) ||
      pack_.numberOfLevels >= EditorPack::kMaxLevels) {
    ui_.Tell("Level pack contain maximally 100 levels.", kEditorTitle, MessageIcon::Information);
    return;
  }
  const int s = controls_.selected;
  controls_.levelEntries.push_back(
      LevelLabel(static_cast<long long>(controls_.levelEntries.size()) + 1));
  pack_.AppendBlankLevel();
  const int n = static_cast<int>(controls_.levelEntries.size());
  UpdateLevelButtons();
  pack_.StoreWorkingLevel(s + 1);
  for (int i = n; i >= s + 3; --i)
    if (i > 1) pack_.SwapWithPrevious(i);
  if (s + 2 >= 1 && s + 2 <= pack_.numberOfLevels)
    EditorPack::ClearLevel(pack_.levels[static_cast<std::size_t>(s + 2)]);
  Relabel(0);
  SelectEntry(s + 1);
  ControlsChanged();
}

void LevelEditor::RemoveLevelCommand() {
  if (controls_.levelEntries.size() == 1) {
    ui_.Tell("You can not delete this level. Level pack has to contain at least one level.",
             "Frostlide level editor", MessageIcon::Information);
    return;
  }
  const int s = controls_.selected;
  if (s < 0 || s >= static_cast<int>(controls_.levelEntries.size())) return;
  if (ui_.Ask("Do you really want to delete this level?", kLevelEditorTitle,
              MessageIcon::Question, Buttons::YesNo) != Answer::Yes)
    return;
  // The working copy belongs to the removed level and must not be stored anywhere.
  pack_.shownLevel = -1;
  pack_.RemoveLevel(s + 1);
  EditorPack::ClearLevel(pack_.working());
  controls_.levelEntries.erase(controls_.levelEntries.begin() + s);
  controls_.selected = -1;
  Relabel(s);
  if (!controls_.levelEntries.empty())
    SelectEntry(std::min(s, static_cast<int>(controls_.levelEntries.size()) - 1));
  else
    ShowLevel(0);
  UpdateLevelButtons();
  ControlsChanged();
}

void LevelEditor::MoveLevelUp() {
  const int count = static_cast<int>(controls_.levelEntries.size());
  const int s = controls_.selected;
  if (!(s > 0 && s < count && count > 1)) return;
  pack_.StoreWorkingLevel(s + 1);
  pack_.SwapWithPrevious(s + 1);
  controls_.levelEntries[static_cast<std::size_t>(s - 1)] = LevelLabel(s);
  controls_.levelEntries[static_cast<std::size_t>(s)] = LevelLabel(s + 1);
  pack_.shownLevel = static_cast<std::int16_t>(s);
  SelectEntry(s - 1);
  if (controls_.moveUpEnabled && view_ != nullptr) view_->FocusMoveButton(true);
  pack_.modified = true;
  ControlsChanged();
}

void LevelEditor::MoveLevelDown() {
  const int count = static_cast<int>(controls_.levelEntries.size());
  const int s = controls_.selected;
  if (!(s >= 0 && s < count - 1)) return;
  pack_.StoreWorkingLevel(s + 1);
  pack_.SwapWithNext(s + 1);
  controls_.levelEntries[static_cast<std::size_t>(s + 1)] = LevelLabel(s + 2);
  controls_.levelEntries[static_cast<std::size_t>(s)] = LevelLabel(s + 1);
  pack_.shownLevel = static_cast<std::int16_t>(s + 2);
  SelectEntry(s + 1);
  if (controls_.moveDownEnabled && view_ != nullptr) view_->FocusMoveButton(false);
  pack_.modified = true;
  ControlsChanged();
}

bool LevelEditor::ConfirmDiscard() {
  return !pack_.modified ||
         ui_.Ask("Are you sure? You have made unsaved changes!", "Mapwright",
                 MessageIcon::Question, Buttons::YesNo) == Answer::Yes;
}

void LevelEditor::New() {
  if (!ConfirmDiscard()) return;
  pack_.busy = true;
  pack_.ResetPack();
  pack_.currentFile.clear();
  controls_.caption = kEditorTitle;
  controls_.nameBox = kNewPackName;
  controls_.authorBox.clear();
  controls_.commentBox.clear();
  controls_.levelEntries.clear();
  controls_.selected = -1;
  // The history belongs to the old pack even when its level 1 was the one shown.
  ClearUndo();
  InsertNewLevel();
  pack_.shownLevel = -1;
  ShowLevel(1);
  pack_.shownLevel = 1;
  UpdateDeleteMenu();
  pack_.busy = false;
  ControlsChanged();
}

}  // namespace mapwright
