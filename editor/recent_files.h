#pragma once
// editor.ini: the colour-blind switch and the five most recently used packs, which the File
// menu lists at its bottom.
#include <functional>
#include <string>
#include <vector>

namespace mapwright {

struct RecentEntry {
  std::string caption;
  std::string path;
  bool visible = false;
  bool enabled = false;
};

// The recent entries as the File menu shows them. Entry 0 always exists (hidden while empty);
// further entries are created below it as needed.
struct RecentMenu {
  std::vector<RecentEntry> entries = std::vector<RecentEntry>(1);
  bool separatorVisible = false;
};

inline constexpr int kRecentSlots = 5;
inline constexpr int kRecentCaptionLength = 35;

std::string ReadIniString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& fallback);
bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value);

// The path whole when it has at most 35 characters, else "..." and its last 35 characters.
std::string RecentCaption(const std::string& path);

// "True"/"False" in any letter case, or a number (0 = off). Anything else reads as off, so a
// damaged editor.ini still lets the editor start in its normal look.
bool ParseBlindMode(const std::string& text);

class RecentFiles {
 public:
  // pump lets the window through between slots; empty = nothing to let through.
  RecentFiles(std::string iniPath, RecentMenu& menu, std::function<void()> pump)
      : iniPath_(std::move(iniPath)), menu_(menu), pump_(std::move(pump)) {}

  void AddRecentFile(const std::string& path);
  void ClearRecentMenu();
  void FillRecentMenu();

 private:
  void Pump();
  std::string iniPath_;
  RecentMenu& menu_;
  std::function<void()> pump_;
};

}  // namespace mapwright
