#include "editor/recent_files.h"

#include <QString>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "editor/functions.h"
#include "platform/profile.h"

namespace mapwright {

namespace {

const char kSection[] = "RecentFiles";

std::string SlotKey(int slot) { return "RecentFile" + std::to_string(slot); }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool EqualsNoCase(const std::string& a, const char* b) {
  const std::string bs(b);
  if (a.size() != bs.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(bs[i])))
      return false;
  return true;
}

}  // namespace

std::string ReadIniString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& fallback) {
  std::string value = platform::GetProfileString(file, section, key, fallback);
  if (value.size() > platform::kMaxProfileValue) value.resize(platform::kMaxProfileValue);
  return value;
}

bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
  return platform::WriteProfileString(file, section, key, value);
}

std::string RecentCaption(const std::string& path) {
  const QString text = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
  if (text.size() <= kRecentCaptionLength) return path;
  return ("..." + text.right(kRecentCaptionLength)).toStdString();
}

bool ParseBlindMode(const std::string& text) {
  const std::string t = Trim(text);
  if (EqualsNoCase(t, "true")) return true;
  if (EqualsNoCase(t, "false") || t.empty()) return false;
  char* end = nullptr;
  const double number = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || std::isnan(number)) return false;
  return number != 0.0;
}

void RecentFiles::Pump() {
  if (pump_) pump_();
}

void RecentFiles::AddRecentFile(const std::string& path) {
  std::vector<std::string> list{path};
  for (int slot = 1; slot <= kRecentSlots; ++slot) {
    const std::string s = ReadIniString(iniPath_, kSection, SlotKey(slot), "");
    if (FileFound(s) && s != path) list.push_back(s);
    Pump();
  }
  for (int slot = 1; slot <= kRecentSlots; ++slot) {
    const std::size_t i = static_cast<std::size_t>(slot - 1);
    WriteIniString(iniPath_, kSection, SlotKey(slot), i < list.size() ? list[i] : "");
  }
  ClearRecentMenu();
  FillRecentMenu();
}

void RecentFiles::ClearRecentMenu() {
  menu_.entries.resize(1);
  menu_.entries[0] = RecentEntry{};
  menu_.separatorVisible = false;
}

void RecentFiles::FillRecentMenu() {
  std::size_t next = 0;
  for (int slot = 1; slot <= kRecentSlots; ++slot) {
    const std::string s = ReadIniString(iniPath_, kSection, SlotKey(slot), "");
    if (FileFound(s)) {
      if (next >= menu_.entries.size()) menu_.entries.emplace_back();
      RecentEntry& entry = menu_.entries[next++];
      entry.enabled = true;
      entry.visible = true;
      entry.caption = RecentCaption(s);
      entry.path = s;
      menu_.separatorVisible = true;
    }
    Pump();
  }
}

}  // namespace mapwright
