// Linked only while the secondary screens are not part of the build: each one "closes" at once.
#include "shell/screens.h"

namespace shell {

namespace {
class NotYetAvailable final : public SecondaryScreens {
 public:
  void ShowHowToPlay() override {}
  void ShowOptions() override {}
  void ShowCustomLevels() override {}
  int ShowLevelSelect() override { return -1; }
};
}  // namespace

std::unique_ptr<SecondaryScreens> CreateSecondaryScreens(AppServices&) {
  return std::make_unique<NotYetAvailable>();
}

}  // namespace shell
