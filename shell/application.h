#pragma once
// The game program: one object that owns everything (settings, window, sprites, renderer,
// engine, sound, music, screens), brings it up in the documented order (Main), runs it on
// window events and takes it down again (QuitGame).
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/ports.h"
#include "platform/user_folder.h"
#include "presentation/board_renderer.h"
#include "presentation/display_mode.h"
#include "presentation/message_box.h"
#include "presentation/music.h"
#include "presentation/sound.h"
#include "presentation/sprite_store.h"
#include "presentation/text.h"
#include "presentation/window.h"
#include "presentation/window_style.h"
#include "shell/file_association.h"
#include "shell/game_screen.h"
#include "shell/main_menu.h"
#include "shell/message_box.h"
#include "shell/screens.h"
#include "shell/settings.h"
#include "shell/utilities.h"

namespace shell {

// Where the program's outside world comes from. The defaults are the real ones; tests replace
// what would block, write outside the program folder or start other programs.
struct StartOptions {
  std::string appPath;      // program folder; empty: the folder of the running program
  std::string commandLine;  // the whole argument text, taken as one path
  // Test play (Frostlide --test-level N PACK): commandLine is the pack, played from level N at
  // once; no import or first-run question. 0: the described start.
  int testLevel = 0;
  // Nothing is written: progress, records and settings live in memory for this run, and the
  // file association is left as it is. Test play sets it; the engine's part is
  // engine::Game::SetWritesFiles(false).
  bool writeNothing = false;
  std::string programName = "Frostlide";
  presentation::SystemMessageBox* systemBox = nullptr;  // nullptr: SDL's message box
  // With SDL's message box: the desktop's own box (empty: SDL_ShowMessageBox). The game draws
  // the box itself whenever this one cannot be shown.
  presentation::SdlMessageBox::PlatformBox platformBox;
  std::function<bool(const std::string& program, const std::vector<std::string>& args)> startProgram;
  DesktopOpener openDesktop;
  presentation::Music::PlayerFactory musicPlayer;
  presentation::EffectSink* effects = nullptr;  // nullptr: the mixer
  std::optional<AssociationPlaces> associationPlaces;  // nullopt: the desktop's own
  ToolRunner desktopTool;
  presentation::SpriteStore::TerminateFn terminate;  // empty: end the process at once
  std::string fontPath;  // empty: data/fonts/OpenSans-Bold.ttf below the program folder
  // What the status panel's worker runs; nullptr: the engine's solver.
  PositionSolver* solver = nullptr;
  // The secondary screens; empty: CreateSecondaryScreens.
  std::function<std::unique_ptr<SecondaryScreens>(AppServices&)> screens;
};

enum class StartResult {
  Running,   // the window is up; Run() next
  Declined,  // the player did not want to play the pack from the command line: end quietly
  Failed,    // no window could be opened, or no question could be shown
};

// frmMain: shows picMainMenu or picGame, whichever the flags say, and routes events to it.
class MainWindowScreen final : public presentation::ScreenView {
 public:
  MainWindowScreen(MainMenu& menu, GameScreen& game, ScreenFlags& flags)
      : menu_(menu), game_(game), flags_(flags) {}
  int Width() const override { return 640; }
  int Height() const override { return 480; }
  void DrawInto(Surface& frame, int x, int y) const override;
  void HandleInput(const InputEvent& event) override;
  void Paint() override;
  bool Closed() const override { return false; }
  bool TakeRepaintRequest() override;

 private:
  MainMenu& menu_;
  GameScreen& game_;
  ScreenFlags& flags_;
  bool shownMenu_ = true;
};

class Application final : public engine::Prompt,
                          public engine::GameHost,
                          public PackStarter,
                          public presentation::WindowListener {
 public:
  explicit Application(StartOptions options);
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  StartResult Main();
  // Runs on window events until QuitGame; the exit code.
  int Run();
  // Ends the program: desktop mode back, surfaces, sprites and music released, loops left.
  void QuitGame();
  // The close box (or any request to close the main window): asks first.
  void CloseRequested();

  bool StartLevelPack(const std::string& path) override;
  // Test play: the pack at path from level n (1 .. its count), whatever progress says.
  bool StartTestLevel(const std::string& path, int n);

  // engine::Prompt
  bool ShowMessage(const std::string& text, bool yesNo) override;
  bool SystemMessage(const std::string& text, engine::MessageIcon icon, bool yesNo) override;
  // engine::GameHost
  void RedrawGameMenu() override;
  void ClearGameMenuHighlight() override;
  void ShowCredits() override;
  void FocusBoard() override {}
  void UseGameCursor() override {}
  bool MainMenuVisible() override { return flags_.mainMenuVisible; }
  void RunGameMenuCommand(int item) override;
  void LevelSetUp() override;
  void PositionChanged() override;
  void LevelSolved(int level, int moves, bool newBest) override;
  // presentation::WindowListener
  void OnMusicTimer() override;
  void OnMinimized() override;
  void OnRestored() override;
  void OnCloseRequest() override { CloseRequested(); }
  // Ctrl+Plus / Ctrl+Minus: kept in settings.ini for the next start.
  void OnScaleChanged(int scale) override;

  // For tests and the program's own wiring.
  const std::string& appPath() const { return appPath_; }
  bool startPackPending() const { return startPackPending_; }
  const std::string& startPackPath() const { return startPackPath_; }
  bool quitting() const { return quitting_; }
  ScreenFlags& flags() { return flags_; }
  presentation::Window* window() { return window_.get(); }
  MainMenu* mainMenu() { return mainMenu_.get(); }
  GameScreen* gameScreen() { return gameScreen_.get(); }
  MainWindowScreen* mainWindow() { return mainWindow_.get(); }
  engine::Game* game() { return game_.get(); }
  Settings* settings() { return settings_.get(); }
  GameMessageBox* messageBox() { return messageBox_.get(); }
  presentation::DisplayMode* display() { return display_.get(); }
  presentation::WindowStyle& style() { return style_; }
  presentation::SpriteStore* sprites() { return sprites_.get(); }
  presentation::Music* music() { return music_.get(); }
  bool colorBlindOption() const { return colorBlindOption_; }

 private:
  // Step 4 of Main; false when the program is to end.
  bool ImportDialogue(const std::string& commandLine);
  SecondaryScreens& Screens() { return *screens_; }
  void OnWindowScaled(int scale);

  StartOptions options_;
  std::string appPath_;
  // Where written files go: appPath_ itself unless it is read only.
  platform::ProgramFolders folders_;
  ScreenFlags flags_;
  bool startPackPending_ = false;
  std::string startPackPath_;
  bool colorBlindOption_ = false;
  bool quitting_ = false;
  bool boxFailed_ = false;  // a system message could not be shown at all

  std::unique_ptr<presentation::SdlMessageBox> sdlBox_;
  presentation::SystemMessageBox* systemBox_ = nullptr;
  std::unique_ptr<Settings> settings_;
  std::unique_ptr<presentation::Window> window_;
  presentation::WindowStyle style_;
  std::unique_ptr<presentation::DisplayMode> display_;
  std::unique_ptr<engine::Clock> clock_;
  std::unique_ptr<presentation::SoundEffects> sound_;
  std::unique_ptr<engine::SoundPlayer> soundRelay_;  // forwards to sound_ once it exists
  std::unique_ptr<presentation::SpriteStore> sprites_;
  std::unique_ptr<presentation::TextRenderer> font_;
  std::unique_ptr<presentation::TextRenderer> panelFont_;
  std::unique_ptr<GameMessageBox> messageBox_;
  std::unique_ptr<presentation::BoardRenderer> renderer_;
  std::unique_ptr<engine::Game> game_;
  std::unique_ptr<presentation::Music> music_;
  std::unique_ptr<MainMenu> mainMenu_;
  std::unique_ptr<GameScreen> gameScreen_;
  std::unique_ptr<MainWindowScreen> mainWindow_;
  std::unique_ptr<AppServices> services_;
  std::unique_ptr<SecondaryScreens> screens_;
};

}  // namespace shell
