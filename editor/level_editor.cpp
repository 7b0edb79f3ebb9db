// Mapwright's document: start-up, painting on the canvas, undo and the window commands. The
// level commands live in level_commands.cpp, the file commands in file_commands.cpp.
#include "editor/level_editor.h"

#include "platform/paths.h"
#include "platform/user_folder.h"

namespace mapwright {

static std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

LevelEditor::LevelEditor(std::string appFolder, EditorUi& ui, EditorView* view,
                         std::shared_ptr<LevelSolver> solver)
    : appFolder_(WithSlash(std::move(appFolder))),
      // A read-only program folder keeps editor.ini in the per-user folder.
      iniPath_(platform::UserFilePath(platform::ResolveProgramFolders(appFolder_), appFolder_ + "editor.ini")),
      ui_(ui),
      view_(view),
      recent_(iniPath_, controls_.recent, [this] { Pump(); }),
      checker_(solver ? std::move(solver) : std::make_shared<EngineLevelSolver>()) {
  QObject::connect(&checker_, &VerdictChecker::VerdictReady, &checker_, [this] { VerdictArrived(); });
  solutionTimer_.setSingleShot(true);
  QObject::connect(&solutionTimer_, &QTimer::timeout, &checker_, [this] { SolutionFrame(); });
}

void LevelEditor::Refresh() {
  if (view_ != nullptr) view_->RefreshCanvas();
}

void LevelEditor::ControlsChanged() {
  LevelsChanged();
  if (view_ != nullptr) view_->ControlsChanged();
}

bool LevelEditor::StartUp() {
  saveDeclined_ = false;
  pack_.modified = false;
  strokeStart_ = true;
  blindMode_ = ParseBlindMode(ReadIniString(iniPath_, "Editor", "BlindMode", "False"));
  controls_.blindChecked = blindMode_;
  canvas_.SetHoverCell(CellPos{});
  recent_.FillRecentMenu();
  canvas_.CreateBackBuffer();
  const std::string missing = canvas_.LoadGraphics(appFolder_, blindMode_, &ui_);
  if (!missing.empty()) {
    ui_.Tell("Can not load graphic file " + missing + "! Please reinstall Frostlide.",
             kLevelEditorTitle, MessageIcon::Critical);
    return false;
  }
  pack_.InitLevels();
  undo_.InitUndo();
  canvas_.DrawGrid();
  New();
  ChooseTool(0);
  UpdateLevelButtons();
  UpdateDeleteMenu();
  ControlsChanged();
  Refresh();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Canvas

void LevelEditor::ChooseTool(int tag) {
  if (tag < 0 || tag > 15) return;
  controls_.pressedTool = tag;
  currentTool_.character = kToolCharacters[tag];
  ControlsChanged();
}

void LevelEditor::Paint(MouseButton button, int col, int row) {
  if (strokeStart_) {
    PushUndo();
    strokeStart_ = false;
  }
  pack_.modified = true;
  char& cell = pack_.working()[CellIndex(col, row)];
  if (button == kLeftButton) {
    if (cell == currentTool_.character) return;
    canvas_.DrawCell(col, row, currentTool_.character);
    Refresh();
    cell = currentTool_.character;
  } else {
    cell = kEmptyCell;
    canvas_.DrawTile(col, row);
    Refresh();
  }
  pack_.StoreWorkingLevel(SelectedNumber());
  LevelsChanged();
  if (view_ != nullptr) view_->VerdictsChanged();
}

void LevelEditor::MouseDown(MouseButton button, int x, int y) {
  // A click ends the solution being shown, and is not a stroke of its own.
  if (controls_.showingSolution) {
    StopSolution();
    holdStroke_ = true;
    return;
  }
  if (holdStroke_) return;
  if (button != kLeftButton && button != kRightButton) return;
  if (pack_.numberOfLevels <= 0 || pack_.busy) return;
  const int col = Canvas::CellFromPixel(x);
  const int row = Canvas::CellFromPixel(y);
  if (col < 0 || row < 0) return;
  Paint(button, col, row);
}

void LevelEditor::MouseMove(unsigned buttons, int x, int y) {
  // The frames of a solution being shown get no hover frame drawn into them.
  if (pack_.busy || controls_.showingSolution) return;
  const int col = Canvas::CellFromPixel(x);
  const int row = Canvas::CellFromPixel(y);
  if (col < 0 || row < 0) {
    canvas_.ClearHoverFrame();
    Refresh();
    return;
  }
  if (CellPos{col, row} == canvas_.hoverCell()) return;
  if (buttons == kLeftButton)
    MouseDown(kLeftButton, x, y);
  else if (buttons == kRightButton)
    MouseDown(kRightButton, x, y);
  canvas_.ClearHoverFrame();
  canvas_.DrawCellFrame(col, row, Canvas::kHoverColour);
  canvas_.SetHoverCell(CellPos{col, row});
  Refresh();
}

void LevelEditor::MouseUp(MouseButton button) {
  holdStroke_ = false;
  if (pack_.busy) return;
  pack_.StoreWorkingLevel(SelectedNumber());
  if (button == kLeftButton || button == kRightButton) strokeStart_ = true;
}

void LevelEditor::PointerLeft() {
  canvas_.ClearHoverFrame();
  Refresh();
}

// ---------------------------------------------------------------------------------------------
// Undo

void LevelEditor::PushUndo() {
  pack_.StoreWorkingLevel(SelectedNumber());
  undo_.Push(pack_.working());
  controls_.undoEnabled = true;
  ControlsChanged();
}

void LevelEditor::UndoLast() {
  if (undo_.empty()) return;
  if (undo_.size() == 1) controls_.undoEnabled = false;
  pack_.working() = undo_.newest();
  pack_.StoreWorkingLevel(SelectedNumber());
  ShowLevel(0);
  undo_.PopNewest();
  pack_.modified = true;
  ControlsChanged();
}

void LevelEditor::ClearUndo() {
  undo_.Clear();
  controls_.undoEnabled = false;
}

// ---------------------------------------------------------------------------------------------
// Window

bool LevelEditor::Exit() {
  if (pack_.modified) {
    const Answer answer = ui_.Ask("Do you want to save the level pack before exiting?",
                                  kLevelEditorTitle, MessageIcon::Question, Buttons::YesNoCancel);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes) {
      const SaveResult result = Save();
      if (saveDeclined_) return false;
      // A save that could not be written must not end in losing the pack.
      if (result == SaveResult::Failed) return false;
    }
  }
  canvas_.ReleaseGraphics();
  pack_.ResetPack();
  return true;
}

void LevelEditor::ToggleBlindMode() {
  controls_.blindChecked = !controls_.blindChecked;
  blindMode_ = controls_.blindChecked;
  ControlsChanged();
  ui_.Tell("You must restart the level editor to see this change.", kEditorTitle,
           MessageIcon::Information);
  WriteIniString(iniPath_, "Editor", "BlindMode", blindMode_ ? "True" : "False");
}

void LevelEditor::Publish() { OpenLink(kPublishUrl); }

void LevelEditor::OpenLink(const std::string& url) {
  // Without a browser the request would vanish; the designer gets the address to open by hand.
  if (!ui_.OpenUrl(url))
    ui_.Tell("No web browser could be started. Open this address by hand:\n\n" + url, kEditorTitle,
             MessageIcon::Information);
}

}  // namespace mapwright
