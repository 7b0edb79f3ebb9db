#include "shell/custom_levels_screen.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/user_folder.h"
#include "shell/utilities.h"

namespace shell {

namespace {
// All three buttons: y more than 135 and less than 172; bounds exclusive, held inclusive.
constexpr HotArea kButtons[] = {
    {1, 7, 136, 61, 171},    // Play
    {2, 81, 136, 159, 171},  // Import
    {3, 186, 136, 263, 171}, // Close
};
// Virtual-key codes of the list's navigation keys.
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kScrollBarWidth = 10;
// The levels folder below the program folder, or its counterpart in the per-user folder
// when the program folder is read only (platform/user_folder.h); no trailing '/'.
std::string LevelsFolderOf(const std::string& appPath) {
  return platform::WritableCounterpart(platform::ResolveProgramFolders(appPath), appPath + "levels");
}
}  // namespace

CustomLevelsScreen::CustomLevelsScreen(AppServices& services, FileDialog& dialog,
                                       const presentation::TextRenderer* listFont)
    : Screen(kWidth, kHeight), s_(services), dialog_(dialog), font_(listFont) {
  if (font_) {
    int w = 0, h = 0;
    font_->Measure("Ag", w, h);
    itemHeight_ = std::max(16, h);
  }
  rows_ = std::max(1, (kListHeight - 2) / itemHeight_);
  const std::string wanted = LevelsFolderOf(s_.appPath);
  if (!DirExists(wanted + "/")) platform::MakeDirs(wanted);
  RefreshFolder();
  RefreshList();
  customHover_ = 0;
  ComposeCustomPacks();
}

int CustomLevelsScreen::ButtonAt(int x, int y) {
  return shell::ItemAt(kButtons, static_cast<int>(std::size(kButtons)), x, y);
}

bool CustomLevelsScreen::OverList(int x, int y) {
  return x >= kListX && x < kListX + kListWidth && y >= kListY && y < kListY + kListHeight;
}

std::string CustomLevelsScreen::FindLevelsFolder() const {
  std::string folder = platform::ResolvePath(LevelsFolderOf(s_.appPath) + "/");
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

void CustomLevelsScreen::RefreshFolder() {
  folder_ = FindLevelsFolder();
  entries_ = platform::ListFiles(folder_, "*.cdn");
  selected_ = entries_.empty() ? -1 : std::clamp(selected_, 0, static_cast<int>(entries_.size()) - 1);
  ScrollIntoView();
}

void CustomLevelsScreen::RefreshList() {
  if (!entries_.empty()) Select(0);
}

void CustomLevelsScreen::Select(int index) {
  if (entries_.empty()) {
    selected_ = -1;
    top_ = 0;
    return;
  }
  selected_ = std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
  ScrollIntoView();
}

void CustomLevelsScreen::ScrollIntoView() {
  const int count = static_cast<int>(entries_.size());
  if (selected_ >= 0) {
    if (selected_ < top_) top_ = selected_;
    if (selected_ >= top_ + rows_) top_ = selected_ - rows_ + 1;
  }
  top_ = std::clamp(top_, 0, std::max(0, count - rows_));
}

void CustomLevelsScreen::OnMouseMove(int x, int y, int) {
  if (OverList(x, y)) {
    // The list lies over the panel: any movement on it drops the buttons' highlight.
    customHover_ = 0;
    ComposeCustomPacks();
    return;
  }
  const int button = ButtonAt(x, y);
  if (button == 0) {
    if (customHover_ != 0) {
      customHover_ = 0;
      ComposeCustomPacks();
    }
  } else if (button != customHover_) {
    HighlightCustomPacks(button);
  }
}

void CustomLevelsScreen::OnMouseDown(int x, int y, int button) {
  if (button != buttons::Left || !OverList(x, y) || entries_.empty()) return;
  const int count = static_cast<int>(entries_.size());
  if (HasScrollBar() && x >= kListX + kListWidth - 1 - kScrollBarWidth) {
    // The scroll bar's track: a page up above the thumb, a page down below it.
    const int trackTop = kListY + 1, trackHeight = kListHeight - 2;
    const int thumbTop = trackTop + top_ * trackHeight / count;
    const int step = y < thumbTop ? -rows_ : rows_;
    top_ = std::clamp(top_ + step, 0, count - rows_);
    PresentCustomPacks();
    return;
  }
  const int row = (y - kListY - 1) / itemHeight_;
  if (y <= kListY || row >= rows_) return;
  const int index = top_ + row;
  if (index < count) {
    Select(index);
    PresentCustomPacks();
  }
}

void CustomLevelsScreen::OnClick() {
  switch (customHover_) {
    case 1: PlaySelectedPack(); break;
    case 2: ImportLevelPack(); break;
    case 3: CloseCustomLevels(); break;
    default: break;
  }
}

void CustomLevelsScreen::OnKeyDown(int key, bool) {
  switch (key) {
    case keys::Escape: Close(); return;
    case keys::Letter('P'): PlaySelectedPack(); return;
    case keys::Letter('I'): ImportLevelPack(); return;
    default: break;
  }
  // Every other key is the list's.
  if (entries_.empty()) return;
  const int last = static_cast<int>(entries_.size()) - 1;
  int to = selected_;
  switch (key) {
    case keys::Left:
    case keys::Up: to = selected_ - 1; break;
    case keys::Right:
    case keys::Down: to = selected_ + 1; break;
    case kHome: to = 0; break;
    case kEnd: to = last; break;
    case kPageUp: to = selected_ - (rows_ - 1); break;
    case kPageDown: to = selected_ + (rows_ - 1); break;
    default:
      if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        to = NextStartingWith(static_cast<char>(key));
        break;
      }
      return;
  }
  Select(std::clamp(to, 0, last));
  PresentCustomPacks();
}

// The next entry after the selected one whose name starts with c (letter case ignored), round
// from the end to the start; the selected one when there is no other.
int CustomLevelsScreen::NextStartingWith(char c) const {
  const int count = static_cast<int>(entries_.size());
  for (int step = 1; step <= count; ++step) {
    const int i = ((selected_ < 0 ? -1 : selected_) + step) % count;
    const std::string& name = entries_[static_cast<std::size_t>(i)];
    if (!name.empty() && platform::EqualsNoCase(name.substr(0, 1), std::string(1, c))) return i;
  }
  return selected_;
}

void CustomLevelsScreen::PlaySelectedPack() {
  if (entries_.empty() || selected_ < 0) return;
  const std::string path = folder_ + entries_[static_cast<std::size_t>(selected_)];
  if (!FileExists(path)) return;
  // A pack that does not open has been reported by the opener; the screen stays.
  if (s_.packs.StartLevelPack(path)) Close();
}

void CustomLevelsScreen::ImportLevelPack() {
  for (;;) {
    const FileDialogAnswer answer = dialog_.OpenFile("Import level pack", "Frostlide Level Pack", "*.cdn");
    if (answer.kind == FileDialogAnswer::Kind::Unavailable) {
      // The folder by its real path (the per-user one when the program folder is read only),
      // too long for the game's one-line box: the platform's box shows it whole.
      s_.prompt.SystemMessage(NoFileDialogText(FindLevelsFolder()), engine::MessageIcon::Information, false);
      return;
    }
    if (answer.kind != FileDialogAnswer::Kind::Chosen) return;
    if (!FileExists(answer.path)) {
      s_.prompt.ShowMessage("Specified file does not exist!", false);
      continue;
    }
    if (!ImportFile(answer.path)) return;
    break;
  }
  RefreshFolder();
  RefreshList();
  PresentCustomPacks();
}

// False when the copy failed (the player has been told; the folder is as it was).
bool CustomLevelsScreen::ImportFile(const std::string& chosen) {
  // The folder may have gone (or come as "Levels") since the list was read.
  if (!DirExists(FindLevelsFolder())) platform::MakeDirs(LevelsFolderOf(s_.appPath));
  const std::string target = FindLevelsFolder() + platform::FileNamePart(chosen);
  if (FileExists(target)) {
    if (!s_.prompt.ShowMessage("Overwrite current level pack?", true)) return true;
    // Choosing the pack that already lies in the folder: it is the pack asked for, and
    // deleting it first would lose it.
    if (platform::SameFile(chosen, target)) return true;
    // The copy replaces the old pack in one step (no delete first), so a failed copy keeps it.
    platform::ResetAttributes(target);
  }
  if (platform::CopyFile(chosen, target)) return true;
  s_.prompt.ShowMessage(kCopyFailedMessage, false);
  return false;
}

void CustomLevelsScreen::CloseCustomLevels() { Close(); }

}  // namespace shell
