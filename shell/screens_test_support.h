#pragma once
// A program folder in a temporary directory with the synthetic art, and every service a
// secondary screen uses, real where it is cheap (settings file, sprites, engine, display mode,
// music decisions) and recording where the outside world would answer (sound, questions,
// modal loops, pack start, the window, the tracker).
#include <unistd.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/test_dir.h"
#include "presentation/display_mode.h"
#include "presentation/music.h"
#include "presentation/sprite_store.h"
#include "presentation/synthetic_art.h"
#include "presentation/window_style.h"
#include "shell/screen.h"
#include "shell/screens.h"
#include "shell/settings.h"

namespace shell::testing {

using Log = std::vector<std::string>;

class RecordingSound final : public engine::SoundPlayer {
 public:
  explicit RecordingSound(Log& log) : log_(log) {}
  void PlaySoundEffect(std::string_view name) override { log_.push_back("sound " + std::string(name)); }

 private:
  Log& log_;
};

// Answers questions from a script (No once it is used up) and logs every message.
class ScriptedPrompt final : public engine::Prompt {
 public:
  explicit ScriptedPrompt(Log& log) : log_(log) {}
  bool ShowMessage(const std::string& text, bool yesNo) override {
    log_.push_back((yesNo ? "ask " : "tell ") + text);
    if (!yesNo) return false;
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  bool SystemMessage(const std::string& text, engine::MessageIcon, bool yesNo) override {
    log_.push_back("system " + text);
    (void)yesNo;
    return false;
  }
  std::deque<bool> answers;

 private:
  Log& log_;
};

class FakeDisplayWindow final : public presentation::DisplayWindow {
 public:
  explicit FakeDisplayWindow(Log& log) : log_(log) {}
  presentation::DisplayModeInfo DesktopMode() const override { return {1280, 1024, 32, 60}; }
  void SetDesktopFullScreen(bool on) override { log_.push_back(on ? "display full" : "display windowed"); }
  void GetPosition(int& x, int& y) const override { x = y = 0; }
  void SetPosition(int, int) override {}
  void GetSize(int& w, int& h) const override { w = 640, h = 480; }
  void SetSize(int, int) override {}
  void ScreenSize(int& w, int& h) const override { w = 1280, h = 1024; }

 private:
  Log& log_;
};

class FakeTracker final : public presentation::TrackerPlayer {
 public:
  explicit FakeTracker(Log& log) : log_(log) {}
  bool Load(const std::string& path) override {
    log_.push_back("music load " + platform::FileNamePart(path));
    return true;
  }
  void SetVolume(int) override {}
  void Play() override {
    playing_ = true;
    log_.push_back("music play");
  }
  void Stop() override {
    if (playing_) log_.push_back("music stop");
    playing_ = false;
  }
  bool IsPlaying() override { return playing_; }
  bool HasOutput() override { return true; }

 private:
  Log& log_;
  bool playing_ = false;
};

class RecordingPacks final : public PackStarter {
 public:
  explicit RecordingPacks(Log& log) : log_(log) {}
  bool StartLevelPack(const std::string& path) override {
    log_.push_back("start " + path);
    return succeed;
  }
  bool succeed = true;

 private:
  Log& log_;
};

// Runs a modal screen by handing it to the script, which drives its handlers; a screen still
// open when the script returns counts as left open (the test then fails on it).
class ScriptedModal final : public presentation::ModalRunner {
 public:
  void RunModal(presentation::ScreenView& screen) override {
    ++runs;
    if (script) script(static_cast<Screen&>(screen));
    EXPECT_TRUE(screen.Closed()) << "a modal screen was left open";
  }
  std::function<void(Screen&)> script;
  int runs = 0;
};

// The synthetic art, written once per build into the build folder (writing it costs a few
// seconds of file syncs) and shared read-only by every test's program folder through a link.
inline const std::string& SharedArt() {
  static const std::string root = [] {
    const std::string r = std::string(FROSTLIDE_SCREENS_ART_DIR) + "/";
    if (!platform::FileExists(r + "complete")) {
      EXPECT_TRUE(presentation::synthetic::WriteSyntheticArt(r));
      EXPECT_TRUE(platform::WriteFileAtomic(r + "complete", "1"));
    }
    return r;
  }();
  return root;
}

// Builds a pack text with `levels` empty levels.
inline std::string EmptyPack(int levels) {
  std::string t = "[PackHeader]\r\nCollectionName=Test\r\nAuthor=Tester\r\nComment=none\r\nNumberOfLevels=" +
                  std::to_string(levels) + "\r\n\r\n";
  for (int i = 1; i <= levels; ++i) {
    t += "[Level" + std::to_string(i) + "Data]\r\n";
    for (int r = 0; r < 15; ++r) t += std::string(15, '.') + "\r\n";
    t += "\r\n";
  }
  return t;
}

class ScreensTest : public ::testing::Test {
 protected:
  ScreensTest()
      : app(dir.path() + "app/"),
        sound(log),
        prompt(log),
        sprites(app, prompt, [] {}),
        settings(app + "settings.ini", prompt),
        game(engine::GamePorts{painter, nullSound, prompt, clock, host}, GameSettings()),
        displayWindow(log),
        display(displayWindow, style),
        music(app,
              presentation::SettingsAccess{
                  [this](std::string_view s, std::string_view k) { return settings.ReadSetting(s, k); },
                  [this](std::string_view s, std::string_view k, std::string_view v) { settings.WriteSetting(s, k, v); }},
              settings.musicEnabled, [this] { return std::make_unique<FakeTracker>(log); }),
        packs(log),
        services{app, modal, sound, prompt, sprites, settings, game, display, music, packs, colorBlindOption} {
    dir.Mkdir("app");
    EXPECT_EQ(::symlink((SharedArt() + "data").c_str(), (app + "data").c_str()), 0);
    dir.Put("app/settings.ini", FirstRunSettingsContent(false));
    settings.LoadSettings();
    sprites.CreateSurfaces();
    sprites.LoadSprites(false);
    display.SaveDisplayMode();
    music.CreateMusicPlayer();
    music.StartMusic();
    log.clear();
  }

  engine::GameSettings GameSettings() {
    engine::GameSettings g;
    g.animationLevel = 2;
    g.appPath = app;
    g.checkDataFiles = false;
    return g;
  }

  // Opens a pack of n empty levels at app/<name> and sets level `current` up.
  void OpenPack(int n, int current = 1, const std::string& name = "pack.cdn") {
    dir.Put("app/" + name, EmptyPack(n));
    ASSERT_TRUE(game.OpenPack(app + name));
    game.ResetSolved();
    game.LoadLevel(current);
  }

  // Entries of the log that start with prefix.
  Log Only(const std::string& prefix) const {
    Log out;
    for (const auto& e : log)
      if (e.rfind(prefix, 0) == 0) out.push_back(e);
    return out;
  }

  platform::testing::TestDir dir;
  std::string app;
  Log log;
  RecordingSound sound;
  ScriptedPrompt prompt;
  presentation::SpriteStore sprites;
  Settings settings;
  engine::NullPainter painter;
  engine::NullSound nullSound;
  engine::InstantClock clock;
  engine::NullHost host;
  engine::Game game;
  FakeDisplayWindow displayWindow;
  presentation::WindowStyle style;
  presentation::DisplayMode display;
  presentation::Music music;
  RecordingPacks packs;
  ScriptedModal modal;
  bool colorBlindOption = false;
  AppServices services;
};

}  // namespace shell::testing
