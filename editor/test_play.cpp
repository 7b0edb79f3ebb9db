// Test play: the game started on a copy of the pack as it is in the editor, unsaved changes
// included, straight into the level shown. The copy lives in a folder of the editor's own that
// goes when the editor ends; the pack's own file and its progress are never touched.
#include <algorithm>

#include "editor/functions.h"
#include "editor/level_editor.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace mapwright {

namespace {
constexpr char kGameProgram[] = "Frostlide";
}  // namespace

void LevelEditor::TestPlay() {
  if (pack_.busy) return;
  const int level = SelectedNumber();
  if (pack_.numberOfLevels <= 0 || level < 1 || level > pack_.numberOfLevels) return;
  if (level > kMaxSavedLevels) {
    ui_.Tell("Only the first 100 levels of a pack can be played.", kEditorTitle,
             MessageIcon::Information);
    return;
  }
  const std::string game = platform::ResolvePath(appFolder_ + kGameProgram);
  if (!FileFound(game)) {
    ui_.Tell("Could not find the game, reinstall please.", kEditorTitle, MessageIcon::Exclamation);
    return;
  }
  pack_.StoreWorkingLevel(level);
  if (!testFolder_ || !testFolder_->isValid()) testFolder_ = std::make_unique<QTemporaryDir>();
  if (!testFolder_->isValid()) {
    ui_.Tell("Unable to write a copy of the pack for test play.", kEditorTitle, MessageIcon::Critical);
    return;
  }
  // The name of the pack box, as Save would write it.
  const std::string savedName = pack_.collectionName;
  pack_.collectionName = controls_.nameBox;
  const std::string bytes =
      PackBytes(std::min<int>(pack_.numberOfLevels, kMaxSavedLevels), false);
  pack_.collectionName = savedName;
  // A fresh file for every start: a game still running on an earlier copy keeps its own.
  const std::string path = testFolder_->path().toStdString() + "/test" + std::to_string(++testPlays_) + ".cdn";
  if (!platform::WriteFileAtomic(path, bytes)) {
    ui_.Tell("Unable to write " + path + ".", kEditorTitle, MessageIcon::Critical);
    return;
  }
  testPackPath_ = path;
  if (!ui_.StartProgram(game, {"--test-level", std::to_string(level), path}))
    ui_.Tell("Could not start the game (" + game + ").", kEditorTitle, MessageIcon::Exclamation);
}

}  // namespace mapwright
