#pragma once
// picMainMenu: the main menu, six items in one full-window picture, and the credits picture
// that covers it after the last level of a pack.
#include <functional>
#include <string>
#include <vector>

#include "engine/ports.h"
#include "presentation/display_mode.h"
#include "presentation/sprite_store.h"
#include "shell/screen.h"
#include "shell/screens.h"

namespace shell {

class Settings;

// Which full-window picture the player sees, and the fade switch of level start-up.
struct ScreenFlags {
  bool mainMenuVisible = true;
  bool suppressFade = true;
};

struct MainMenuDeps {
  std::string appPath;  // ends in '/'
  presentation::SpriteStore& sprites;
  engine::SoundPlayer& sound;
  engine::Prompt& prompt;
  PackStarter& packs;
  Settings& settings;
  presentation::DisplayMode& display;
  // The secondary screens; may change once after construction (set by the application).
  std::function<SecondaryScreens&()> screens;
  // Opens the game's web page (the real one opens the desktop's browser).
  std::function<void()> openWebPage;
  // Starts a program without waiting (platform::StartProgram).
  std::function<bool(const std::string& program, const std::vector<std::string>& args)> startProgram;
  std::function<void()> quitGame;
};

class MainMenu final : public Screen {
 public:
  explicit MainMenu(MainMenuDeps deps);

  void OnMouseMove(int x, int y, int button) override;
  void OnClick() override;
  void OnKeyDown(int key, bool shift) override;
  void Paint() override { PresentMainMenu(); }

  // Drawing (screen_drawing_main_menu.cpp).
  void ComposeMainMenu();
  void PresentMainMenu();
  void HighlightMainMenu(int item);

  // The last level was solved: the credits cover the menu until the next click or key.
  void ShowCredits();

  // Item 1..6 under the pointer, 0 for none.
  static int ItemAt(int x, int y);
  void MenuAction(int item);

  int mainMenuHover() const { return mainMenuHover_; }
  bool creditsShown() const { return creditsShown_; }

  // The program that the Level editor item starts.
  static constexpr const char* kEditorName = "Mapwright";
  static constexpr const char* kGamePack = "data/ogpice.cdn";

 private:
  void HideCredits();

  MainMenuDeps d_;
  int mainMenuHover_ = 0;
  bool creditsShown_ = false;
};

}  // namespace shell
