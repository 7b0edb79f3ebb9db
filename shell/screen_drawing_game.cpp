// The game screen's picture: the menu column with its highlight and disabled forms. The
// board's part of the picture is CubeBox, drawn by the board renderer.
#include <string>

#include "shell/game_screen.h"

namespace shell {

void GameScreen::ComposeGameMenu() {
  CopySprite(d_.sprites.surfaces().gameSurface, 0, 0, d_.sprites.FindSprite("gamemenu"), 640, 480);
  PresentGameMenu();
}

void GameScreen::PresentGameMenu() {
  Surface& s = d_.sprites.surfaces().gameSurface;
  const engine::GameState& st = d_.game.state();
  if (!st.undoAvailable) CopySprite(s, 0, 122, d_.sprites.FindSprite("gamemenudisabled1"), 164, 44);
  if (!st.multiLevelPack) CopySprite(s, 0, 220, d_.sprites.FindSprite("gamemenudisabled3"), 164, 44);
  CopySprite(picture(), 0, 0, &s, 640, 480);
  DrawStatusPanel(picture());
  Invalidate();
}

void GameScreen::HighlightGameMenu(int item) {
  static constexpr int kY[] = {122, 176, 220, 264, 308, 352};
  if (item >= 1 && item <= 6) {
    CopySprite(d_.sprites.surfaces().gameSurface, 2, kY[item - 1],
               d_.sprites.FindSprite("gamemenuhighlight" + std::to_string(item)), 164, 44);
    d_.sound.PlaySoundEffect("btnhover");
  }
  PresentGameMenu();
  gameMenuHover_ = item;
}

}  // namespace shell
