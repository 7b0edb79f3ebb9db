#pragma once
// The whole game in a temporary program folder under SDL's dummy drivers, with scripted
// platform message boxes, recorded sounds, a silent music player and recorded program starts.
// Questions of the game's own box are answered by queueing keys before the action.
#include <SDL.h>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/test_dir.h"
#include "presentation/synthetic_art.h"
#include "shell/application.h"

namespace shell::testing {

// A pack of `levels` levels; each is solved by pushing the red cube at (4, 8) to the right.
inline std::string TestPack(int levels, const std::string& title = "Test pack") {
  std::string t = "[PackHeader]\r\nCollectionName=" + title + "\r\nAuthor=Tests\r\nComment=\r\nNumberOfLevels=" +
                  std::to_string(levels) + "\r\n\r\n";
  for (int i = 1; i <= levels; ++i) {
    t += "[Level" + std::to_string(i) + "Data]\r\n";
    for (int y = 1; y <= 15; ++y) {
      if (y == 1 || y == 15) t += "XXXXXXXXXXXXXXX";
      else if (y == 8) t += "X..R........rXX";
      else t += "X.............X";
      t += "\r\n";
    }
    t += "\r\n";
  }
  return t;
}

// Sound off would hide the sounds; animation and fade off keep moves instant.
inline const char kQuietSettings[] =
    "[Options]\r\nSound=1\r\nMusic=0\r\nAnimation=1\r\nColorBlind=0\r\nFullScreen=0\r\nFadeEffect=0\r\n"
    "\r\n[Music]\r\nLastSong=1\r\n";

class ScriptedBox : public presentation::SystemMessageBox {
 public:
  std::optional<bool> Show(const std::string& text, engine::MessageIcon, bool yesNo) override {
    asked.push_back(text);
    if (!yesNo) return false;
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<bool> answers;
  std::vector<std::string> asked;
};

class RecordingEffects : public presentation::EffectSink {
 public:
  void Preload(const std::string&) override {}
  void Play(const std::string& path) override {
    const auto slash = path.find_last_of('/');
    std::string name = path.substr(slash + 1);
    if (name.size() > 4) name.resize(name.size() - 4);
    played.push_back(name);
  }
  std::vector<std::string> played;
};

class SilentTracker : public presentation::TrackerPlayer {
 public:
  bool Load(const std::string&) override { return false; }
  void SetVolume(int) override {}
  void Play() override {}
  void Stop() override {}
  bool IsPlaying() override { return false; }
  bool HasOutput() override { return false; }
};

class RecordingScreens : public SecondaryScreens {
 public:
  explicit RecordingScreens(std::vector<std::string>& log) : log_(log) {}
  void ShowHowToPlay() override { log_.push_back("howtoplay"); }
  void ShowOptions() override { log_.push_back("options"); }
  void ShowCustomLevels() override { log_.push_back("custom"); }
  int ShowLevelSelect() override {
    log_.push_back("levelselect");
    return selected;
  }
  int selected = -1;

 private:
  std::vector<std::string>& log_;
};

// The synthetic pictures, written once per test program and shared by every program folder
// (read only, through links).
inline const std::string& SharedArt() {
  static platform::testing::TestDir art;
  static const bool written = presentation::synthetic::WriteSyntheticArt(art.path());
  EXPECT_TRUE(written);
  return art.path();
}
inline void LinkArt(const platform::testing::TestDir& dir) {
  dir.Mkdir("data");
  for (const char* sub : {"sprites", "backgrounds"})
    std::filesystem::create_directory_symlink(SharedArt() + "data/" + sub, dir / (std::string("data/") + sub));
}

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkArt(dir);
    dir.Put("data/ogpice.cdn", TestPack(3, "Frostlide: Ice"));
  }

  // Builds the application; Main() is left to the test (or Start()).
  Application& Make(const std::string& commandLine = "") {
    StartOptions o;
    o.appPath = dir.path();
    o.commandLine = commandLine;
    if (failingSystemBox) {
      // SDL's box as on a desktop that cannot show one: the game draws its own, answered by
      // keys queued before the action.
      o.platformBox = [this](const std::string&, const std::string& text, engine::MessageIcon, bool,
                             SDL_Window*) -> std::optional<bool> {
        box.asked.push_back(text);
        return std::nullopt;
      };
    } else {
      o.systemBox = &box;
    }
    o.effects = &effects;
    o.musicPlayer = tracker ? tracker : [] { return std::make_unique<SilentTracker>(); };
    o.associationPlaces = AssociationPlaces{dir.path() + "xdg-data", dir.path() + "xdg-config"};
    o.desktopTool = [](const std::string&, const std::vector<std::string>&) {};
    o.startProgram = [this](const std::string& p, const std::vector<std::string>&) {
      started.push_back(p);
      return true;
    };
    o.openDesktop = [this](const std::string& t) {
      opened.push_back(t);
      return browserStarts;
    };
    o.terminate = terminate ? terminate : [] { ADD_FAILURE() << "a sprite failed to load"; };
    o.fontPath = "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf";
    o.solver = solver;
    o.screens = [this](AppServices&) {
      auto s = std::make_unique<RecordingScreens>(screenLog);
      screens = s.get();
      return s;
    };
    if (adjustOptions) adjustOptions(o);
    app = std::make_unique<Application>(std::move(o));
    return *app;
  }
  // With settings.ini in place, so no first-run question.
  Application& Start(const std::string& commandLine = "") {
    if (!FileExists(dir / "settings.ini")) dir.Put("settings.ini", kQuietSettings);
    Make(commandLine);
    EXPECT_EQ(app->Main(), StartResult::Running);
    effects.played.clear();
    return *app;
  }

  // Input in frame pixels, as the window delivers it.
  void Move(int x, int y) { app->mainWindow()->HandleInput(presentation::InputEvent::Move(x, y)); }
  void Click(int x, int y) {
    Move(x, y);
    app->mainWindow()->HandleInput(presentation::InputEvent::Down(x, y));
    app->mainWindow()->HandleInput(presentation::InputEvent::Up(x, y));
  }
  void KeyDown(int key) { app->mainWindow()->HandleInput(presentation::InputEvent::KeyPress(key)); }
  void KeyUp(int key) { app->mainWindow()->HandleInput(presentation::InputEvent::KeyRelease(key)); }
  // The answer the next game message box gets, queued as a key press.
  static void QueueKey(SDL_Keycode sym) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
  }
  static void Answer(bool yes) { QueueKey(yes ? SDLK_y : SDLK_n); }
  // The last text the game's box showed; empty when none since Forget().
  std::string LastMessage() const { return app->messageBox()->messageText; }
  void Forget() { app->messageBox()->messageText.clear(); }

  int Count(const std::string& sound) const {
    int n = 0;
    for (const auto& s : effects.played) n += s == sound;
    return n;
  }

  // Points at the red cube of the test level from its right side and clicks: a solving move.
  void SolveByMouse() {
    const int x = GameScreen::kBoardX + 3 * 31 + 26, y = GameScreen::kBoardY + 7 * 31 + 15;
    Click(x, y);
  }

  platform::testing::TestDir dir;
  ScriptedBox box;
  RecordingEffects effects;
  std::vector<std::string> started, opened, screenLog;
  RecordingScreens* screens = nullptr;
  presentation::Music::PlayerFactory tracker;  // empty: a silent player
  bool browserStarts = true;      // what the desktop's opener answers
  bool failingSystemBox = false;  // SDL's box whose desktop half fails, instead of `box`
  presentation::SpriteStore::TerminateFn terminate;  // empty: a missing sprite fails the test
  PositionSolver* solver = nullptr;            // nullptr: the engine's
  // Changes the options Make builds before the application gets them.
  std::function<void(StartOptions&)> adjustOptions;
  std::unique_ptr<Application> app;
};

}  // namespace shell::testing
