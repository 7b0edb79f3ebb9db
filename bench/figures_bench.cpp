// Start-up of the game to its first shown frame: the application object built and its Main()
// run (settings, window, display mode, sprites, music, the two composed screens, the window
// shown with its first frame presented), on the real program folder's data under SDL's dummy
// drivers. Each iteration starts from nothing and shuts down again outside the timing.
//
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy <build>/figures_bench
//   FROSTLIDE_DIST=<program folder>   (default: dist/ beside the benchmark program)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/paths.h"
#include "platform/test_dir.h"
#include "shell/application.h"
#include "shell/settings.h"

namespace {

class NoBox : public presentation::SystemMessageBox {
 public:
  std::optional<bool> Show(const std::string&, engine::MessageIcon, bool) override { return false; }
};

std::string DistFolder() {
  if (const char* d = std::getenv("FROSTLIDE_DIST"); d != nullptr && *d != '\0') {
    const std::string s = std::filesystem::absolute(d).string();
    return s.back() == '/' ? s : s + "/";
  }
  return platform::ExecutableDir() + "dist/";
}

void BM_StartupToFirstFrame(benchmark::State& state) {
  const std::string dist = DistFolder();
  if (!platform::FileExists(dist + "data/sprites")) {
    state.SkipWithError(("no program folder with data at " + dist).c_str());
    return;
  }
  // A program folder of its own (its data linked from the real one), so that settings.ini and
  // the file association are written there and not into the player's places.
  platform::testing::TestDir folder;
  std::filesystem::create_directory_symlink(dist + "data", folder / "data");
  folder.Put("settings.ini", shell::FirstRunSettingsContent(false));
  NoBox box;
  for (auto _ : state) {
    shell::StartOptions o;
    o.appPath = folder.path();
    o.systemBox = &box;
    o.associationPlaces = shell::AssociationPlaces{folder / "xdg-data", folder / "xdg-config"};
    o.desktopTool = [](const std::string&, const std::vector<std::string>&) {};
    o.startProgram = [](const std::string&, const std::vector<std::string>&) { return true; };
    o.openDesktop = [](const std::string&) { return true; };
    const auto start = std::chrono::steady_clock::now();
    auto app = std::make_unique<shell::Application>(std::move(o));
    const shell::StartResult result = app->Main();
    const auto shown = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    if (result != shell::StartResult::Running) {
      state.SkipWithError("the game did not start");
      break;
    }
    app->QuitGame();
    app.reset();
  }
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
