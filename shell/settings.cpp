#include "shell/settings.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace shell {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsValBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

const char kLoadFailed[] = "Couldn't load settings";
const char kSaveFailed[] = "Unable to save settings to ";

}  // namespace

double LeadingNumber(std::string_view text) {
  // Collect the number's characters without blanks, then convert in the "C" way whatever the
  // process locale is.
  std::string digits;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsValBlank(text[i])) ++i;
  };
  auto takeDigits = [&] {
    bool any = false;
    for (skipBlanks(); i < text.size() && IsDigit(text[i]); skipBlanks()) {
      digits += text[i++];
      any = true;
    }
    return any;
  };
  skipBlanks();
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool mantissa = takeDigits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += '.';
    mantissa = takeDigits() || mantissa;
  }
  if (!mantissa) return 0.0;
  bool negativeExponent = false;
  skipBlanks();
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    while (j < text.size() && IsValBlank(text[j])) ++j;
    bool expNegative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      expNegative = text[j] == '-';
      ++j;
    }
    while (j < text.size() && IsValBlank(text[j])) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      digits += 'e';
      if (expNegative) digits += '-';
      negativeExponent = expNegative;
      i = j;
      takeDigits();
    }
  }
  if (digits == ".") return 0.0;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double low = std::floor(value);
  const double diff = value - low;
  if (diff < 0.5) return low;
  if (diff > 0.5) return low + 1.0;
  return std::fmod(low, 2.0) == 0.0 ? low : low + 1.0;
}

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

}  // namespace shell
