#pragma once
// How the main menu and the in-game menu reach the secondary screens (options, level select,
// custom packs, how to play), and what those screens may use. The application owns every
// object named here; a screen keeps references and never outlives the application.
#include <memory>
#include <string>

#include "engine/game.h"
#include "engine/ports.h"
#include "presentation/display_mode.h"
#include "presentation/music.h"
#include "presentation/sprite_store.h"
#include "presentation/window.h"

namespace shell {

class Settings;

// StartLevelPack: opens a pack, sets up its first unsolved level and shows the game screen.
class PackStarter {
 public:
  virtual ~PackStarter() = default;
  // True when the pack was opened; false leaves everything as it was (the player was told).
  virtual bool StartLevelPack(const std::string& path) = 0;
};

struct AppServices {
  std::string appPath;                    // program folder, ends in '/'
  presentation::ModalRunner& modal;       // modal.RunModal(screen) shows a screen modally
  engine::SoundPlayer& sound;             // "btnclick", "btnhover", ...
  engine::Prompt& prompt;                 // ShowMessage: the game's own box; SystemMessage
  presentation::SpriteStore& sprites;     // screen sprites (FindSprite) and surfaces()
  Settings& settings;                     // in-memory options, ReadSetting/WriteSetting
  engine::Game& game;                     // state(), IsLevelLocked, LoadLevel, ...
  presentation::DisplayMode& display;     // fullScreen(), setFullScreenFlag, SetFullScreen
  presentation::Music& music;             // SetMusicEnabled, StartMusic, StopMusic
  PackStarter& packs;                     // StartLevelPack
  bool& colorBlindOption;                 // the options screen's ColorBlind row
};

// The secondary screens, each shown modally over the main window. Each call returns when its
// screen has closed.
class SecondaryScreens {
 public:
  virtual ~SecondaryScreens() = default;
  virtual void ShowHowToPlay() = 0;
  virtual void ShowOptions() = 0;
  virtual void ShowCustomLevels() = 0;
  // selectedLevel: the level chosen, or -1 when the screen closed without a choice.
  virtual int ShowLevelSelect() = 0;
};

// Made once by the application after everything in services exists. The screens library
// (frostlide_screens) defines it; without that library the program links a stand-in whose
// screens are not there yet (each call returns at once, level select chooses nothing).
std::unique_ptr<SecondaryScreens> CreateSecondaryScreens(AppServices& services);

}  // namespace shell
