#pragma once
// picGame: the game screen, the menu column on the left and the board CubeBox at (168, 7).
// Events over the board go to the engine's board input; the rest to the menu column. The
// keyboard plays too: a selection frame on the board, or the menu column after Tab.
#include <functional>
#include <memory>
#include <string>

#include "engine/cube_selection.h"
#include "engine/game.h"
#include "presentation/board_renderer.h"
#include "presentation/sprite_store.h"
#include "shell/main_menu.h"
#include "shell/screen.h"
#include "shell/screens.h"
#include "shell/solver_worker.h"
#include "shell/status_panel.h"

namespace presentation {
class TextRenderer;
}

namespace shell {

class Settings;

struct GameScreenDeps {
  presentation::SpriteStore& sprites;
  engine::SoundPlayer& sound;
  engine::Prompt& prompt;
  engine::Game& game;
  Settings& settings;
  ScreenFlags& flags;
  std::function<SecondaryScreens&()> screens;
  // Shows CubeBox's new picture at its place in the frame at once (the board glides inside one
  // event). May be empty.
  std::function<void(const Surface& cubeBox, int x, int y)> presentBoard;

  // The status panel: the program folder (built-in pack and its solutions), where solver
  // answers and timed steps go, the solver (nullptr: the engine's) and the panel's fonts
  // (nullptr: no text is drawn).
  std::string appPath;
  presentation::LoopPoster* loop = nullptr;
  PositionSolver* solver = nullptr;
  const presentation::TextRenderer* panelFont = nullptr;
  const presentation::TextRenderer* noticeFont = nullptr;
};

class GameScreen final : public Screen, public presentation::BoardScreen {
 public:
  static constexpr int kBoardX = 168;
  static constexpr int kBoardY = 7;
  static constexpr int kBoardSize = 465;

  explicit GameScreen(GameScreenDeps deps);

  // picGame's handlers.
  void OnMouseMove(int x, int y, int button) override;
  void OnClick() override;
  void Paint() override;

  // Sends board events to CubeBox and the others to picGame (frame pixels in).
  void HandleInput(const InputEvent& event) override;
  void DrawInto(Surface& frame, int x, int y) const override;

  // CubeBox changed: shown at once.
  void ShowBoard(const Surface& cubeBox) override;

  // Drawing (screen_drawing_game.cpp).
  void ComposeGameMenu();
  void PresentGameMenu();
  void HighlightGameMenu(int item);

  void GameMenuAction(int item);
  // The pointer went onto the board: the menu loses its highlight.
  void ClearHighlight();

  // Keyboard play (game_screen_keyboard.cpp). A key pressed on the game screen: arrows move the
  // board's selection frame, Space or Enter then an arrow (or Shift and an arrow) pushes the
  // cube, Esc drops the selection; Tab gives the keyboard to the menu column (Up, Down, Enter);
  // F1 shows how to play.
  void OnGameKeyDown(int key, bool shift);
  // True (and the release is used up) for the release of a key whose press the keyboard play
  // took for itself: Esc that dropped a selection is no exit question.
  bool TakeKeyRelease(int key);
  // The pointer moved: the frame goes (the cube stays remembered for the next arrow key).
  void HideBoardSelection();
  // The frame over CubeBox's picture, drawn with the board's top left at (x, y) of dst.
  void DrawBoardSelection(Surface& dst, int x, int y) const;
  bool selectionShown() const { return kb_.shown; }
  engine::CellPos selection() const { return kb_.cell; }
  bool pushArmed() const { return kb_.armed; }
  bool menuHasKeyboard() const { return kb_.menu; }

  static int ItemAt(int x, int y);
  static bool OnBoard(int x, int y);

  // The status panel (screen_drawing_status.cpp draws it).
  static bool OnHintButton(int x, int y);
  StatusPanel& panel() { return *panel_; }
  void OnMouseDown(int x, int y, int button) override;
  void OnMouseUp(int x, int y, int button) override;
  // Key H asks for a hint; true when the key was the panel's.
  bool HandleStatusKey(const InputEvent& e);
  void RequestHint();
  void DrawStatusPanel(Surface& picture) const;
  void DrawHintFlash(Surface& frame, int x, int y) const;
  int gameMenuHover() const { return gameMenuHover_; }
  const Surface& cubeBox() const { return cubeBox_; }

 private:
  enum class Target { None, Menu, Board };
  struct KeyboardPlay {
    engine::CellPos cell;  // the selected cube, valid while `has` is set
    bool has = false;
    bool shown = false;    // the frame is on the board
    bool armed = false;    // Space or Enter: the next arrow pushes
    bool moving = false;   // a push is under way: no frame on the glide
    bool menu = false;     // Tab: the arrows and Enter go to the menu column
    int heldEscape = 0;    // Esc presses whose releases are used up
    std::string pack;      // the level the selection belongs to
    int level = 0;
  };

  // The board's click: the cube that shows an arrow is pushed.
  void ClickBoard();
  // CubeBox's picture to the window, with the selection frame over it when there is one.
  void PresentCubeBox();
  bool SelectionStillValid() const;
  void SelectCube(engine::CellPos cell);
  void MoveSelection(engine::Direction d);
  void PushSelection(engine::Direction d);
  void DropBoardSelection();
  void StepMenuHighlight(int delta);
  void GiveKeyboardToMenu(bool menu);

  GameScreenDeps d_;
  Surface cubeBox_{kBoardSize, kBoardSize};
  int gameMenuHover_ = 0;
  Target capture_ = Target::None;
  int captureButton_ = 0;  // the button whose press started the capture
  Target pressed_ = Target::None;
  KeyboardPlay kb_;
  std::unique_ptr<PositionSolver> ownSolver_;
  std::unique_ptr<StatusPanel> panel_;
  bool hintPressed_ = false;
};

}  // namespace shell
