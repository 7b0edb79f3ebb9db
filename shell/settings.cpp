#include "shell/settings.h"

#include <utility>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace shell {
namespace {


const char kLoadFailed[] = "Couldn't load settings";
const char kSaveFailed[] = "Unable to save settings to ";

}  // namespace

std::string FirstRunSettingsContent(bool fullScreen) {
  std::string s;
  s += "[Options]\r\n";
  s += "Sound = 1\r\n";
  s += "Music=1\r\n";
  s += "Animation=3\r\n";
  s += "ColorBlind=0\r\n";
  s += fullScreen ? "Fullscreen=1\r\n" : "Fullscreen=0\r\n";
  s += "FadeEffect=1\r\n";
  s += "\r\n";
  s += "[Music]\r\n";
  s += "LastSong=1\r\n";
  return s;
}

Settings::Settings(std::string path, engine::Prompt& prompt)
    : settingsPath(std::move(path)), prompt_(&prompt) {}

bool Settings::CreateDefaultSettings() {
  firstRun = true;
  const bool fullScreen = prompt_->SystemMessage("Would you like to play in a full screen mode?",
                                                 engine::MessageIcon::Question, true);
  const std::string content = FirstRunSettingsContent(fullScreen);
  if (platform::WriteFileAtomic(settingsPath, content)) {
    memory_.reset();
    return true;
  }
  memory_ = content;
  prompt_->SystemMessage(kSaveFailed + settingsPath, engine::MessageIcon::None, false);
  return false;
}

void Settings::KeepInMemory() {
  std::string content;
  if (!platform::FileExists(settingsPath) || !platform::ReadFile(settingsPath, content, 1u << 20))
    content = FirstRunSettingsContent(false);
  memory_ = content;
}

std::optional<std::string> Settings::TryReadSetting(std::string_view section,
                                                    std::string_view key,
                                                    std::string_view file) {
  if (file == "0") {
    if (memory_) return platform::ProfileLookup(*memory_, section, key, "");
    return platform::TryGetProfileString(settingsPath, section, key, "");
  }
  return platform::TryGetProfileString(std::string(file), section, key, "");
}

std::string Settings::ReadSetting(std::string_view section, std::string_view key,
                                  std::string_view file) {
  std::optional<std::string> value = TryReadSetting(section, key, file);
  if (!value) {
    prompt_->SystemMessage(kLoadFailed, engine::MessageIcon::None, false);
    return {};
  }
  return std::move(*value);
}

void Settings::WriteSetting(std::string_view section, std::string_view key,
                            std::string_view value) {
  if (memory_) {
    memory_ = platform::ProfileUpdate(*memory_, section, key, value);
    return;
  }
  // A file that is there but cannot be read would be lost by rewriting it: that is the
  // failure the player hears of. A refused write keeps the old file and passes silently.
  std::string probe;
  if (platform::FileExists(settingsPath) &&
      !platform::ReadFilePrefix(settingsPath, probe, 1)) {
    prompt_->SystemMessage(kSaveFailed + settingsPath, engine::MessageIcon::None, false);
    return;
  }
  (void)platform::WriteProfileString(settingsPath, section, key, value);
}

void Settings::LoadSettings() {
  bool failed = false;
  auto number = [&](std::string_view key) {
    std::optional<std::string> v = TryReadSetting("Options", key, "0");
    if (!v) {
      failed = true;
      return 0.0;
    }
    return LeadingNumber(*v);
  };
  soundEnabled = RoundHalfEven(number("Sound")) != 0.0;
  musicEnabled = RoundHalfEven(number("Music")) != 0.0;
  animationLevel = RoundHalfEven(number("Animation")) == 1.0 ? 1 : 2;
  fadeEffect = number("FadeEffect") == 1.0;
  colorBlindMode = RoundHalfEven(number("ColorBlind")) == 1.0;
  if (failed) prompt_->SystemMessage(kLoadFailed, engine::MessageIcon::None, false);
}

bool Settings::ReadFullScreen() { return LeadingNumber(ReadSetting("Options", "FullScreen")) == 1.0; }

int Settings::ReadWindowScale() {
  const std::optional<std::string> v = TryReadSetting("Window", "Scale", "0");
  // Only a plain digit counts: "2x", "1.5" or "9" are damage, and damage means the default.
  if (!v || v->size() != 1 || (*v)[0] < '1' || (*v)[0] > '4') return 0;
  return (*v)[0] - '0';
}

void Settings::WriteWindowScale(int scale) {
  if (scale < 1 || scale > 4) return;
  WriteSetting("Window", "Scale", std::to_string(scale));
}

}  // namespace shell
