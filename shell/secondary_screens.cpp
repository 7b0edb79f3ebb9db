// The secondary screens as the menus reach them: each call loads its screen, runs it modally
// over the main window and returns once it has closed.
#include <memory>

#include "platform/paths.h"
#include "presentation/text.h"
#include "shell/custom_levels_screen.h"
#include "shell/file_dialog.h"
#include "shell/how_to_play_screen.h"
#include "shell/level_select_screen.h"
#include "shell/options_screen.h"
#include "shell/screens.h"

namespace shell {

namespace {

// The list font: the game's bold face at the list's 9.75 points (10 is the nearest whole size).
constexpr int kListPointSize = 10;
constexpr const char kSystemFont[] = "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf";

class GameSecondaryScreens final : public SecondaryScreens {
 public:
  GameSecondaryScreens(AppServices& services, std::unique_ptr<FileDialog> dialog)
      : s_(services), dialog_(std::move(dialog)) {}

  void ShowHowToPlay() override {
    HowToPlayScreen screen(s_);
    s_.modal.RunModal(screen);
  }

  void ShowOptions() override {
    OptionsScreen screen(s_);
    s_.modal.RunModal(screen);
  }

  void ShowCustomLevels() override {
    CustomLevelsScreen screen(s_, *dialog_, ListFont());
    s_.modal.RunModal(screen);
  }

  int ShowLevelSelect() override {
    LevelSelectScreen screen(s_);
    s_.modal.RunModal(screen);
    return screen.selectedLevel();
  }

 private:
  const presentation::TextRenderer* ListFont() {
    if (!fontTried_) {
      fontTried_ = true;
      font_ = presentation::TextRenderer::Open(platform::ResolvePath(s_.appPath + "data/fonts/OpenSans-Bold.ttf"),
                                               kListPointSize);
      if (!font_) font_ = presentation::TextRenderer::Open(kSystemFont, kListPointSize);
    }
    return font_.get();
  }

  AppServices& s_;
  std::unique_ptr<FileDialog> dialog_;
  std::unique_ptr<presentation::TextRenderer> font_;
  bool fontTried_ = false;
};

}  // namespace

std::unique_ptr<SecondaryScreens> CreateSecondaryScreens(AppServices& services) {
  return std::make_unique<GameSecondaryScreens>(services, std::make_unique<DesktopFileDialog>());
}

}  // namespace shell
