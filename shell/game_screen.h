#pragma once
// picGame: the game screen, the menu column on the left and the board CubeBox at (168, 7).
// Events over the board go to the engine's board input; the rest to the menu column.
#include <functional>

#include "engine/game.h"
#include "presentation/board_renderer.h"
#include "presentation/sprite_store.h"
#include "shell/main_menu.h"
#include "shell/screen.h"
#include "shell/screens.h"

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

  static int ItemAt(int x, int y);
  static bool OnBoard(int x, int y);
  int gameMenuHover() const { return gameMenuHover_; }
  const Surface& cubeBox() const { return cubeBox_; }

 private:
  enum class Target { None, Menu, Board };

  GameScreenDeps d_;
  Surface cubeBox_{kBoardSize, kBoardSize};
  int gameMenuHover_ = 0;
  Target capture_ = Target::None;
  int captureButton_ = 0;  // the button whose press started the capture
  Target pressed_ = Target::None;
};

}  // namespace shell
