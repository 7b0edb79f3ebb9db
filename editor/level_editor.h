#pragma once
// Mapwright's document and commands, free of widgets: the pack, the level list it mirrors, the
// canvas back buffer, the undo history, the recent files and every command of the window.
// The window shows what EditorControls holds and forwards its events here; tests drive the
// same calls with a scripted EditorUi.
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "editor/canvas.h"
#include "editor/editor_pack.h"
#include "editor/editor_ui.h"
#include "editor/recent_files.h"
#include "editor/undo_stack.h"
#include "editor/verdict_checker.h"
#include "engine/board.h"

namespace mapwright {

inline constexpr char kEditorTitle[] = "Frostlide Level Editor";
inline constexpr char kLevelEditorTitle[] = "Level Editor";
inline constexpr char kNewPackName[] = "My new level pack";
inline constexpr int kMaxSavedLevels = 100;
// Packs larger than this are not packs; reading stops before memory runs away.
inline constexpr std::size_t kMaxPackFileBytes = 8u << 20;

inline constexpr char kPublishUrl[] = "https://frostlide.example.org/frostlide/publish.php";
inline constexpr char kWebsiteUrl[] = "https://mapwright.example.org/";
inline constexpr char kSupportAddress[] = "support@mapwright.example.org";

inline constexpr char kOpenFilter[] = "Frostlide level database (*.cdn);;All files (*)";
inline constexpr char kSaveFilter[] = "Frostlide level pack (*.cdn)";

// The list entry of a level: "Level 3".
inline std::string LevelLabel(long long number) { return "Level " + std::to_string(number); }

// One tool of the palette: the cell character the left button puts down.
struct ToolEntry {
  char character = 'X';
};

// The tool table: entries 0 .. 15 by tag.
inline constexpr char kToolCharacters[17] = "XxCTLBWGRHlbwgrh";

// The palette buttons in toolbar order (separators as -1), each with its tool tag.
inline constexpr int kToolbarTags[20] = {-1, 0, 1, 2,  3,  -1, 5,  7,  9,  8,
                                         4,  6, -1, 11, 13, 15, 14, 10, 12, -1};

enum MouseButton : unsigned { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// What the window's controls show.
struct EditorControls {
  std::string caption = kEditorTitle;
  std::string nameBox;  // UTF-8, as in the text boxes
  std::string authorBox;
  std::string commentBox;
  std::vector<std::string> levelEntries;
  int selected = -1;
  bool removeButtonEnabled = false;
  bool moveUpEnabled = false;
  bool moveDownEnabled = false;
  bool undoEnabled = false;
  bool deleteMenuEnabled = false;
  bool blindChecked = false;
  int pressedTool = -1;  // tag of the pressed palette button
  RecentMenu recent;
  // The status line under the canvas: the verdict of the level shown, or the solution being
  // shown.
  std::string statusText;
  // What follows each list entry's label: " - 12 moves", " - no solution", " - ?".
  std::vector<std::string> levelVerdicts;
  bool showingSolution = false;
};

enum class SaveResult { Saved, Declined, Cancelled, Failed };

class LevelEditor {
 public:
  // solver: what decides the levels (the game's solver when null).
  LevelEditor(std::string appFolder, EditorUi& ui, EditorView* view = nullptr,
              std::shared_ptr<LevelSolver> solver = nullptr);

  // Start-up in the documented order. False when a graphics file is missing (the message has
  // been shown); the editor must end then.
  bool StartUp();

  // Level commands.
  void New();
  void InsertNewLevel();
  void RemoveLevelCommand();
  void MoveLevelUp();
  void MoveLevelDown();
  // The list's selection set by a click or by the editor itself; runs Select Level.
  void SelectEntry(int index);
  void ShowLevel(int n);
  void UpdateLevelButtons();

  // Files.
  bool HasEnoughCubes(int n) const;
  SaveResult SavePack(const std::string& path);
  void LoadPack(const std::string& path, bool addMode);
  void Open();
  SaveResult Save();
  SaveResult SaveAs();
  void AddLevelsFromFile();
  void DeletePackFile();
  void OpenRecent(int entry);
  void UpdateDeleteMenu();
  // The pack folder of the dialogs: the game's levels folder in whatever case it exists,
  // created as "Levels" when there is none.
  std::string PackFolder();

  // Canvas and palette.
  void ChooseTool(int tag);
  void MouseDown(MouseButton button, int x, int y);
  void MouseMove(unsigned buttons, int x, int y);
  void MouseUp(MouseButton button);
  // The pointer left the canvas for another control.
  void PointerLeft();

  // Undo.
  void PushUndo();
  void UndoLast();
  void ClearUndo();

  // Verdicts (verdict_commands.cpp).
  // The verdict of a level's content as known now (never waits for a search).
  Verdict VerdictOf(const LevelGrid& level) const { return checker_.Lookup(level); }
  VerdictChecker& verdicts() { return checker_; }
  // Show solution (F6): plays the shortest solution of the level shown on the canvas, or ends
  // the playing when it runs. Nothing enters the undo history or the pack.
  void ShowSolution();
  void StopSolution();
  bool showingSolution() const { return controls_.showingSolution; }
  // Test play (F5): the game on a copy of the pack as it is now, at the level shown.
  void TestPlay();
  // The pack file the last test play started the game on.
  const std::string& testPackPath() const { return testPackPath_; }

  // Window commands.
  // Exit: true when the program may end now.
  bool Exit();
  void ToggleBlindMode();
  void Publish();
  void OpenLink(const std::string& url);

  EditorPack& pack() { return pack_; }
  const EditorPack& pack() const { return pack_; }
  EditorControls& controls() { return controls_; }
  const EditorControls& controls() const { return controls_; }
  Canvas& canvas() { return canvas_; }
  const UndoStack& undo() const { return undo_; }
  const ToolEntry& currentTool() const { return currentTool_; }
  bool saveDeclined() const { return saveDeclined_; }
  bool blindMode() const { return blindMode_; }
  bool strokeStart() const { return strokeStart_; }
  const std::string& appFolder() const { return appFolder_; }
  const std::string& iniPath() const { return iniPath_; }
  // True while a long loop (a save, a load) lets the window process what is waiting.
  bool pumping() const { return pumping_ > 0; }

 private:
  int SelectedNumber() const { return controls_.selected + 1; }
  void SelectLevel();
  // True when there are no unsaved changes or the user lets them go.
  bool ConfirmDiscard();
  void Relabel(int from);
  void Paint(MouseButton button, int col, int row);
  void Refresh();
  void ControlsChanged();
  void Pump() {
    ++pumping_;
    ui_.PumpPendingInput();
    --pumping_;
  }
  void Busy(bool on) { ui_.SetBusyPointer(on); }
  bool LoadFailed(bool addMode, const LevelGrid& backup);
  // The pack as Save writes it, at most `count` levels; pump lets the window through as the
  // writer goes.
  std::string PackBytes(int count, bool pump);
  // The levels changed (or may have): the checker hears of it and the texts follow.
  void LevelsChanged();
  void UpdateVerdictTexts();
  void VerdictArrived();
  void SolutionFrame();
  void DrawBoard(const engine::Board& board);
  // Levels the solver proved unsolvable that pass the cube count, as " 4 9".
  std::string ProvedUnsolvable() const;

  std::string appFolder_;
  std::string iniPath_;
  EditorUi& ui_;
  EditorView* view_;
  EditorPack pack_;
  EditorControls controls_;
  Canvas canvas_;
  UndoStack undo_;
  RecentFiles recent_;
  ToolEntry currentTool_;
  bool saveDeclined_ = false;
  bool blindMode_ = false;
  bool strokeStart_ = true;
  int pumping_ = 0;
  // The press that ended a solution being shown: the buttons paint nothing until released.
  bool holdStroke_ = false;
  VerdictChecker checker_;
  // The solution being shown: the boards to draw, each for its own delay.
  struct SolutionFrameInfo {
    engine::Board board;
    int delayMs = 0;
    int move = 0;  // 1-based move the frame belongs to
  };
  std::vector<SolutionFrameInfo> solutionFrames_;
  std::size_t solutionAt_ = 0;
  int solutionMoves_ = 0;
  QTimer solutionTimer_;
  std::unique_ptr<QTemporaryDir> testFolder_;
  std::string testPackPath_;
  int testPlays_ = 0;
};

}  // namespace mapwright
