#include "shell/game_screen.h"

#include "shell/settings.h"

namespace shell {

namespace {
// x more than 0 and less than 168; the vertical ranges include both ends.
constexpr HotArea kItems[] = {
    {1, 1, 136, 167, 164}, {2, 1, 188, 167, 220}, {3, 1, 234, 167, 262},
    {4, 1, 276, 167, 306}, {5, 1, 320, 167, 352}, {6, 1, 368, 167, 396},
};
}  // namespace

GameScreen::GameScreen(GameScreenDeps deps) : Screen(640, 480), d_(std::move(deps)) {
  if (!d_.solver) {
    ownSolver_ = std::make_unique<EngineSolver>();
    d_.solver = ownSolver_.get();
  }
  panel_ = std::make_unique<StatusPanel>(StatusPanelDeps{d_.game, d_.appPath, *d_.solver, d_.loop, [this] {
                                                           PresentGameMenu();
                                                         }});
}

int GameScreen::ItemAt(int x, int y) { return shell::ItemAt(kItems, 6, x, y); }

bool GameScreen::OnBoard(int x, int y) {
  return x >= kBoardX && x < kBoardX + kBoardSize && y >= kBoardY && y < kBoardY + kBoardSize;
}

void GameScreen::OnMouseMove(int x, int y, int) {
  const int item = ItemAt(x, y);
  if (item == 1 && !d_.game.state().undoAvailable) return;
  if (item == gameMenuHover_) return;
  ComposeGameMenu();
  HighlightGameMenu(item);
}

void GameScreen::OnClick() { GameMenuAction(gameMenuHover_); }

void GameScreen::Paint() {
  PresentGameMenu();
  d_.game.Paint();
}

void GameScreen::ClearHighlight() {
  if (gameMenuHover_ == 0) return;
  ComposeGameMenu();
  HighlightGameMenu(0);
}

void GameScreen::HandleInput(const InputEvent& e) {
  if (HandleStatusKey(e)) return;
  if (e.type == InputType::KeyUp) {
    if (TakeKeyRelease(e.key)) return;
    // The board has the keyboard; it passes the menu's shortcut keys on.
    d_.game.KeyUp(e.key);
    return;
  }
  if (e.type == InputType::KeyDown) {
    OnGameKeyDown(e.key, e.shift);
    return;
  }
  if (e.type == InputType::MouseMove) HideBoardSelection();

  // A picture box that takes a press keeps the pointer until the button is released.
  const Target over = OnBoard(e.x, e.y) ? Target::Board : Target::Menu;
  const Target target = capture_ != Target::None ? capture_ : over;
  if (target == Target::Menu) {
    Screen::HandleInput(e);
  } else {
    const double bx = e.x - kBoardX;
    const double by = e.y - kBoardY;
    switch (e.type) {
      case InputType::MouseMove:
        d_.game.MouseMove(bx, by);
        break;
      case InputType::MouseDown:
        if (e.button == buttons::Left) pressed_ = Target::Board;
        break;
      case InputType::MouseUp:
        if (e.button == buttons::Left && pressed_ == Target::Board && over == Target::Board) {
          pressed_ = Target::None;
          ClickBoard();
        }
        if (e.button == buttons::Left) pressed_ = Target::None;
        break;
      default:
        break;
    }
  }
  // The release of whichever button took the pointer gives it back, not only the left one.
  if (e.type == InputType::MouseDown && capture_ == Target::None) {
    capture_ = over;
    captureButton_ = e.button;
  } else if (e.type == InputType::MouseUp && (e.button & captureButton_)) {
    capture_ = Target::None;
    captureButton_ = 0;
  }
}

void GameScreen::ClickBoard() {
  // The options screen may have changed the slide setting since the last move.
  d_.game.settings().animationLevel = d_.settings.animationLevel;
  d_.game.Click();
}

void GameScreen::DrawInto(Surface& frame, int x, int y) const {
  Screen::DrawInto(frame, x, y);
  presentation::BitBlt(frame, x + kBoardX, y + kBoardY, kBoardSize, kBoardSize, cubeBox_, 0, 0,
                       presentation::RasterOp::SrcCopy);
  DrawBoardSelection(frame, x + kBoardX, y + kBoardY);
  DrawHintFlash(frame, x + kBoardX, y + kBoardY);
}

void GameScreen::ShowBoard(const Surface& cubeBox) {
  presentation::BitBlt(cubeBox_, 0, 0, kBoardSize, kBoardSize, cubeBox, 0, 0, presentation::RasterOp::SrcCopy);
  PresentCubeBox();
}

void GameScreen::GameMenuAction(int item) {
  if (item == 0) return;
  const engine::GameState& st = d_.game.state();
  if (!(item == 1 && !st.undoAvailable)) d_.sound.PlaySoundEffect("btnclick");
  switch (item) {
    case 1:
      d_.game.UndoMove();
      break;
    case 2:
      if (d_.prompt.ShowMessage("Do you want to restart this level?", true)) d_.game.LoadLevel(st.currentLevel);
      break;
    case 3: {
      const int k = st.currentLevel;
      const int n = st.numberOfLevels;
      if (k < n) {
        if (!d_.game.IsLevelSolved(k + 1) && d_.game.IsLevelLocked(k + 1)) {
          d_.prompt.ShowMessage("Next level is locked.", false);
        } else {
          d_.game.LoadLevel(k + 1);
        }
      } else {
        d_.game.LoadLevel(1);
      }
      break;
    }
    case 4:
      if (st.numberOfLevels == 1) {
        d_.prompt.ShowMessage("This pack contains only one level.", false);
      } else {
        const int selectedLevel = d_.screens().ShowLevelSelect();
        PresentGameMenu();
        if (selectedLevel >= 0) d_.game.LoadLevel(selectedLevel);
      }
      break;
    case 5:
      d_.screens().ShowOptions();
      break;
    case 6:
      if (d_.prompt.ShowMessage("Are you sure want to exit to menu?", true)) d_.flags.mainMenuVisible = true;
      break;
    default:
      break;
  }
}

}  // namespace shell
