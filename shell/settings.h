#pragma once
// The game's settings file, settings.ini in the program folder, and the options loaded from it.
//
// settings.ini is an ordinary profile file (platform/profile.h): [Options] holds Sound, Music,
// Animation, ColorBlind, FullScreen and FadeEffect, [Music] holds LastSong; all values are
// decimal text. [Window] Scale (added beside them) holds the window's scale.
//
// When settings.ini cannot be created at the first run (a read-only program folder, a full
// disk), the player is told once ("Unable to save settings to ..."), and the game goes on with
// the first-run content held in memory: every ReadSetting and WriteSetting of this run uses
// that copy, so the options, the full-screen answer and the music track behave as with a
// file, and the next start asks again.
#include <optional>
#include <string>
#include <string_view>

#include "engine/ports.h"
#include "platform/leading_number.h"

namespace shell {

// The number rule of every key (platform/leading_number.h).
using platform::LeadingNumber;
using platform::RoundHalfEven;

class Settings {
 public:
  // prompt shows the platform's standard message boxes; it must outlive the object.
  Settings(std::string settingsPath, engine::Prompt& prompt);

  // Program folder + "settings.ini", set once at start-up.
  std::string settingsPath;
  // Set by CreateDefaultSettings: the main menu shows how to play once.
  bool firstRun = false;
  // The in-memory options, as LoadSettings reads them. Before LoadSettings they hold what a
  // missing key reads as.
  bool soundEnabled = false;
  bool musicEnabled = false;
  int animationLevel = 2;  // 1: cubes jump from cell to cell; 2: cubes slide
  bool fadeEffect = false;
  bool colorBlindMode = false;

  // First run: asks whether to play in full screen, writes the ten first-run lines (replacing
  // any file of that name) and sets firstRun. False when the file could not be written; the
  // settings then live in memory for this run (see above).
  bool CreateDefaultSettings();

  // The value text of [section] key, or empty text when the section or key is missing; at
  // most 255 characters. file "0" names settings.ini (every caller of the game passes "0");
  // any other text is the path of another profile file. A file that exists but cannot be read
  // shows "Couldn't load settings" and gives empty text.
  std::string ReadSetting(std::string_view section, std::string_view key,
                          std::string_view file = "0");

  // Writes [section] key=value into settings.ini, creating the section or key when missing and
  // replacing the old line otherwise. A file that exists but cannot be read (so that it could
  // not be updated without losing it) shows "Unable to save settings to " + settingsPath; a
  // refused write (a read-only file or folder, a full disk) is not reported and keeps the old
  // file.
  void WriteSetting(std::string_view section, std::string_view key, std::string_view value);

  // Reads Sound, Music, Animation, FadeEffect and ColorBlind of [Options], in that order, into
  // the in-memory options:
  //   Sound, Music   rounded value not 0 means on
  //   Animation      rounded value exactly 1 gives level 1; anything else (0, 2, 3, missing) 2
  //   FadeEffect     value exactly 1 means on (not rounded)
  //   ColorBlind     rounded value exactly 1 means on
  // Values outside 0..255 follow the same comparisons on the rounded number (Sound=300 is on,
  // ColorBlind=257 is off), so no value of the file can stop the start. An unreadable file
  // is reported once, not once per key, and reads as all keys missing.
  void LoadSettings();

  // [Options] FullScreen as start-up reads it: its leading number compared with 1.
  bool ReadFullScreen();

  // [Window] Scale: the window's whole-number scale, 1 to 4. 0 when the key is missing or holds
  // anything else (the desktop's default applies then); the file is never reported on here.
  int ReadWindowScale();
  // Writes [Window] Scale; values outside 1 .. 4 are not written.
  void WriteWindowScale(int scale);

  // True while the settings live in memory because settings.ini could not be created.
  bool InMemoryOnly() const { return memory_.has_value(); }

  // A run that writes nothing (test play from the editor): the settings of settings.ini, or
  // the first-run content (windowed) when there is none, live in memory from here on. No
  // question is asked and no file is created or changed.
  void KeepInMemory();

 private:
  // ReadSetting without the message: nullopt when the file exists and cannot be read.
  std::optional<std::string> TryReadSetting(std::string_view section, std::string_view key,
                                            std::string_view file);

  engine::Prompt* prompt_;
  std::optional<std::string> memory_;
};

// The exact content of a first-run settings.ini.
std::string FirstRunSettingsContent(bool fullScreen);

}  // namespace shell
