// The main menu's picture: background, one item's highlight, or the credits.
#include <string>

#include "shell/main_menu.h"

namespace shell {

void MainMenu::ComposeMainMenu() {
  CopySprite(d_.sprites.surfaces().menuSurface, 0, 0, d_.sprites.FindSprite("mainmenu"), 640, 480);
  PresentMainMenu();
}

void MainMenu::PresentMainMenu() {
  const Surface* source = creditsShown_ ? d_.sprites.FindSprite("credits") : &d_.sprites.surfaces().menuSurface;
  CopySprite(picture(), 0, 0, source, 640, 480);
  Invalidate();
}

void MainMenu::HighlightMainMenu(int item) {
  if (item >= 1 && item <= 6) {
    CopySprite(d_.sprites.surfaces().menuSurface, 80, 161 + 44 * (item - 1),
               d_.sprites.FindSprite("mainmenuhighlight" + std::to_string(item)), 558, 44);
    d_.sound.PlaySoundEffect("btnhover");
  }
  PresentMainMenu();
  mainMenuHover_ = item;
}

}  // namespace shell
