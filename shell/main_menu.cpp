#include "shell/main_menu.h"

#include "shell/settings.h"
#include "shell/utilities.h"

namespace shell {

namespace {
// x more than 85 and less than 410; the vertical ranges include both ends.
constexpr HotArea kItems[] = {
    {1, 86, 166, 409, 204}, {2, 86, 212, 409, 250}, {3, 86, 254, 409, 296},
    {4, 86, 299, 409, 340}, {5, 86, 344, 409, 384}, {6, 86, 386, 409, 424},
};
}  // namespace

MainMenu::MainMenu(MainMenuDeps deps) : Screen(640, 480), d_(std::move(deps)) {}

int MainMenu::ItemAt(int x, int y) { return shell::ItemAt(kItems, 6, x, y); }

void MainMenu::OnMouseMove(int x, int y, int) {
  if (creditsShown_) return;
  const int item = ItemAt(x, y);
  if (item == mainMenuHover_) return;
  ComposeMainMenu();
  HighlightMainMenu(item);
}

void MainMenu::HideCredits() {
  creditsShown_ = false;
  mainMenuHover_ = 0;
  ComposeMainMenu();
}

void MainMenu::OnKeyDown(int key, bool) {
  if (creditsShown_) {
    HideCredits();
    return;
  }
  // Up and Down move the highlight as the pointer would (with its sound); Enter chooses.
  if (key == keys::Up || key == keys::Down) {
    const int item = mainMenuHover_ == 0 ? (key == keys::Down ? 1 : 6)
                                         : (mainMenuHover_ - 1 + (key == keys::Down ? 1 : 5)) % 6 + 1;
    ComposeMainMenu();
    HighlightMainMenu(item);
  } else if (key == keys::Enter && mainMenuHover_ != 0) {
    OnClick();
  } else if (key == keys::F1) {
    d_.screens().ShowHowToPlay();
  }
}

void MainMenu::OnClick() {
  if (creditsShown_) {
    d_.sound.PlaySoundEffect("btnclick");
    HideCredits();
    return;
  }
  if (mainMenuHover_ != 0) d_.sound.PlaySoundEffect("btnclick");
  MenuAction(mainMenuHover_);
}

void MainMenu::ShowCredits() {
  creditsShown_ = true;
  CopySprite(d_.sprites.surfaces().menuSurface, 0, 0, d_.sprites.FindSprite("credits"), 640, 480);
  PresentMainMenu();
}

void MainMenu::MenuAction(int item) {
  switch (item) {
    case 1:
      if (d_.packs.StartLevelPack(d_.appPath + kGamePack) && d_.settings.firstRun) {
        d_.screens().ShowHowToPlay();
        d_.settings.firstRun = false;
      }
      break;
    case 2:
      d_.screens().ShowCustomLevels();
      break;
    case 3:
      d_.screens().ShowOptions();
      break;
    case 4:
      if (d_.display.fullScreen()) d_.display.SetFullScreen(false);
      d_.openWebPage();
      break;
    case 5: {
      if (d_.display.fullScreen()) d_.display.SetFullScreen(false);
      const std::string editor = d_.appPath + kEditorName;
      if (FileExists(editor)) {
        d_.startProgram(editor, {});
      } else {
        d_.prompt.ShowMessage("Could not find editor, reinstall please.", false);
      }
      break;
    }
    case 6:
      d_.quitGame();
      break;
    default:
      break;
  }
}

}  // namespace shell
