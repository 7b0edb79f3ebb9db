// Mapwright's file commands: reading and writing packs, Open, Save, Save As, Add Levels From
// File, Delete and the recent entries.
#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "editor/functions.h"
#include "editor/level_editor.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/user_folder.h"

namespace mapwright {

namespace {

std::string SectionLine(long long number) { return "[Level" + std::to_string(number) + "Data]"; }

// The level number of an exact section line "[Level<n>Data]" (n without leading zeros), or -1.
long long SectionNumber(const std::string& line) {
  const std::string head = "[Level", tail = "Data]";
  if (line.size() <= head.size() + tail.size() || line.compare(0, head.size(), head) != 0 ||
      line.compare(line.size() - tail.size(), tail.size(), tail) != 0)
    return -1;
  const std::string digits = line.substr(head.size(), line.size() - head.size() - tail.size());
  if (digits.size() > 12 || (digits.size() > 1 && digits[0] == '0')) return -1;
  long long n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

// The level count of a header line: the number after the key, rounded down. False when the
// text is not a number.
bool ParseCount(const std::string& text, long long& count) {
  std::size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  if (b < e && text[b] == '+') ++b;
  if (b == e) return false;
  double value = 0;
  const char* first = text.data() + b;
  const char* last = text.data() + e;
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || end != last || !std::isfinite(value)) return false;
  const double floored = std::floor(value);
  count = floored > static_cast<double>(INT_MAX) ? INT_MAX
          : floored < -1.0                        ? -1
                                                  : static_cast<long long>(floored);
  return true;
}

// The lines of a pack file, read one after the other.
class LineReader {
 public:
  explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool AtEnd() const { return pos_ >= lines_.size(); }
  bool Next(std::string& line) {
    if (AtEnd()) return false;
    line = lines_[pos_++];
    return true;
  }

 private:
  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
};

// The header value after a key of the given length; false when the line is shorter.
bool ValueAfter(const std::string& line, std::size_t keyLength, std::string& value) {
  if (line.size() < keyLength) return false;
  value = platform::Cp1252ToUtf8(std::string_view(line).substr(keyLength));
  return true;
}

}  // namespace

void LevelEditor::UpdateDeleteMenu() { controls_.deleteMenuEnabled = !pack_.currentFile.empty(); }

bool LevelEditor::HasEnoughCubes(int n) const {
  if (n < 1 || n > pack_.numberOfLevels) return true;
  return mapwright::HasEnoughCubes(pack_.levels[static_cast<std::size_t>(n)]);
}

std::string LevelEditor::PackBytes(int count, bool pump) {
  std::string out;
  out.reserve(128 + static_cast<std::size_t>(count) * 300);
  auto line = [&out](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  line("[PackHeader]");
  line("CollectionName=" + platform::Utf8ToCp1252(pack_.collectionName));
  line("Author=" + platform::Utf8ToCp1252(controls_.authorBox));
  line("Comment=" + platform::Utf8ToCp1252(controls_.commentBox));
  line("NumberOfLevels=" + std::to_string(count));
  line("");
  for (int i = 1; i <= count; ++i) {
    line(SectionLine(i));
    const LevelGrid& level = pack_.levels[static_cast<std::size_t>(i)];
    for (int r = 0; r < kGridSize; ++r) {
      std::string row;
      for (int k = 0; k < kGridSize; ++k) {
        const char c = level[CellIndex(k, r)];
        if (c != kNoChar) row += c;
      }
      line(row);
      if (pump) Pump();
    }
    line("");
    if (pump) Pump();
  }
  return out;
}

SaveResult LevelEditor::SavePack(const std::string& path) {
  Busy(true);
  pack_.collectionName = controls_.nameBox;
  std::string failing;
  for (int n = 1; n <= pack_.numberOfLevels; ++n)
    if (!HasEnoughCubes(n)) failing += " " + std::to_string(n);
  if (!failing.empty() &&
      ui_.Ask("These levels can not be solved (insufficient number of cubes):" + failing +
                  ". Do you want to continue?",
              kEditorTitle, MessageIcon::Question, Buttons::YesNo) != Answer::Yes) {
    saveDeclined_ = true;
    Busy(false);
    return SaveResult::Declined;
  }
  // Only what the solver proved counts here; a level it could not decide is never named.
  const std::string unsolvable = ProvedUnsolvable();
  if (!unsolvable.empty() &&
      ui_.Ask("These levels have no solution:" + unsolvable + ". Save anyway?", kEditorTitle,
              MessageIcon::Question, Buttons::YesNo) != Answer::Yes) {
    saveDeclined_ = true;
    Busy(false);
    return SaveResult::Declined;
  }
  saveDeclined_ = false;

  int count = pack_.numberOfLevels;
  if (count > kMaxSavedLevels) {
    ui_.Tell("Level pack can have maximally 100 levels. Levels above 100 will not be saved.",
             kEditorTitle, MessageIcon::Exclamation);
    count = kMaxSavedLevels;
  }
  const std::string out = PackBytes(count, true);
  // Written beside the old file and renamed over it, so a failure keeps the previous pack.
  if (!platform::WriteFileAtomic(platform::ResolvePath(path), out)) {
    ui_.Tell("Unable to write " + path + ".", kEditorTitle, MessageIcon::Critical);
    pack_.currentFile.clear();
    Busy(false);
    return SaveResult::Failed;
  }
  pack_.modified = false;
  Busy(false);
  return SaveResult::Saved;
}

bool LevelEditor::LoadFailed(bool addMode, const LevelGrid& backup) {
  Busy(false);
  ui_.Tell("Unable to load level pack.", kLevelEditorTitle, MessageIcon::Critical);
  if (addMode) {
    pack_.working() = backup;
  } else {
    pack_.ResetPack();
    controls_.levelEntries.clear();
    controls_.selected = -1;
    // Nothing is shown any more; the next level shown starts a fresh history.
    pack_.shownLevel = -1;
    ClearUndo();
  }
  ControlsChanged();
  return false;
}

void LevelEditor::LoadPack(const std::string& path, bool addMode) {
  LevelGrid backup = pack_.working();
  int insertCount = 0;
  if (addMode) {
    insertCount = static_cast<int>(controls_.levelEntries.size()) - controls_.selected - 2;
  } else {
    pack_.ResetPack();
    controls_.levelEntries.clear();
    controls_.selected = -1;
    // An emptied list has no level to remove or move, whether the load succeeds or not.
    UpdateLevelButtons();
  }
  Busy(true);
  std::string bytes;
  if (!platform::ReadFile(platform::ResolvePath(path), bytes, kMaxPackFileBytes)) {
    Busy(false);
    ui_.Tell("Unable to open level pack.", kLevelEditorTitle, MessageIcon::Critical);
    if (!addMode) {
      pack_.shownLevel = -1;
      ClearUndo();
    }
    ControlsChanged();
    return;
  }
  LineReader in(platform::SplitLines(bytes));
  bytes.clear();

  std::string line, value;
  bool finished = false;
  while (!finished && !in.AtEnd()) {
    if (!in.Next(line) || line != "[PackHeader]") return void(LoadFailed(addMode, backup));
    if (!in.Next(line) || !ValueAfter(line, 15, value)) return void(LoadFailed(addMode, backup));
    if (!addMode) {
      pack_.collectionName = value;
      controls_.nameBox = value;
    }
    if (!in.Next(line) || !ValueAfter(line, 7, value)) return void(LoadFailed(addMode, backup));
    pack_.author = value;
    controls_.authorBox = value;
    if (!in.Next(line) || !ValueAfter(line, 8, value)) return void(LoadFailed(addMode, backup));
    pack_.comment = value;
    controls_.commentBox = value;
    long long count = 0;
    if (!in.Next(line) || line.size() < 15 || !ParseCount(line.substr(15), count))
      return void(LoadFailed(addMode, backup));

    std::string header;
    if (!in.Next(line) || !in.Next(header)) {
      finished = true;
      break;
    }
    long long i = 1;
    while (i <= count) {
      if (header != SectionLine(i)) {
        // No block is read for numbers the line does not carry; go straight to the one it
        // carries, if any is still to come.
        const long long k = SectionNumber(header);
        if (k > i && k <= count) {
          i = k;
          continue;
        }
        break;
      }
      if (pack_.numberOfLevels >= EditorPack::kMaxLevels) {
        finished = true;
        break;
      }
      pack_.AppendBlankLevel();
      controls_.levelEntries.push_back(
          LevelLabel(static_cast<long long>(controls_.levelEntries.size()) + 1));
      bool cut = false;
      for (int r = 0; r < kGridSize && !cut; ++r) {
        if (!in.Next(line)) {
          cut = true;
          break;
        }
        for (int k = 0; k < kGridSize; ++k)
          pack_.working()[CellIndex(k, r)] =
              static_cast<std::size_t>(k) < line.size() ? line[static_cast<std::size_t>(k)]
                                                         : kNoChar;
      }
      if (cut) {
        finished = true;
        break;
      }
      const int entries = pack_.numberOfLevels;
      if (addMode) {
        pack_.StoreWorkingLevel(entries);
        for (int j = 0; j <= insertCount; ++j) pack_.SwapWithPrevious(entries - j);
      } else {
        // Blocks land in file order, so a pack with a gap in its numbering loses no level.
        pack_.StoreWorkingLevel(entries);
      }
      Pump();
      if (!in.Next(line) || !in.Next(header)) {
        finished = true;
        break;
      }
      ++i;
    }
  }

  // Finish.
  pack_.shownLevel = -1;
  if (addMode) {
    pack_.working() = backup;
    pack_.StoreWorkingLevel(SelectedNumber());
    Relabel(0);
    pack_.modified = true;
    // Added to a pack left empty by a failed Open: with nothing selected the canvas would
    // paint into no level, so the first one is shown.
    if (controls_.selected < 0 && pack_.numberOfLevels > 0) SelectEntry(0);
  } else {
    controls_.caption = std::string(kEditorTitle) + " - " + path;
    if (pack_.numberOfLevels > 0)
      SelectEntry(0);
    else
      ClearUndo();  // the history belongs to a level of the old pack
  }
  Busy(false);
  ControlsChanged();
}

std::string LevelEditor::PackFolder() {
  std::error_code ec;
  // The game's levels folder, in the per-user folder when the program folder is read only.
  const std::string base = platform::WritableCounterpart(platform::ResolveProgramFolders(appFolder_), appFolder_);
  std::string folder = platform::ResolvePath(base + "Levels");
  if (!std::filesystem::is_directory(folder, ec)) {
    folder = base + "Levels";
    platform::MakeDirs(folder);
  }
  return folder + "/";
}

void LevelEditor::Open() {
  // Opening replaces the pack, so unsaved work is asked about as New does.
  if (!ConfirmDiscard()) return;
  const std::string name = ui_.OpenFileName("Open ...", kOpenFilter, PackFolder());
  if (name.empty()) return;
  if (!FileFound(name)) {
    ui_.Tell("Unable to open file " + name + ".", kLevelEditorTitle, MessageIcon::Critical);
    return;
  }
  pack_.currentFile = name;
  pack_.busy = true;
  LoadPack(name, false);
  recent_.AddRecentFile(name);
  UpdateDeleteMenu();
  pack_.busy = false;
  ControlsChanged();
}

void LevelEditor::OpenRecent(int entry) {
  if (entry < 0 || entry >= static_cast<int>(controls_.recent.entries.size())) return;
  const std::string path = controls_.recent.entries[static_cast<std::size_t>(entry)].path;
  if (path.empty() || !ConfirmDiscard()) return;
  pack_.currentFile = path;
  LoadPack(path, false);
  recent_.AddRecentFile(path);
  UpdateDeleteMenu();
  ControlsChanged();
}

SaveResult LevelEditor::Save() {
  if (pack_.currentFile.empty()) return SaveAs();
  pack_.busy = true;
  pack_.StoreWorkingLevel(SelectedNumber());
  const SaveResult result = SavePack(pack_.currentFile);
  // After a failed write the current file is empty, and so is the slot written here; with
  // no file "&Delete" has nothing to delete.
  recent_.AddRecentFile(pack_.currentFile);
  UpdateDeleteMenu();
  pack_.busy = false;
  ControlsChanged();
  return result;
}

SaveResult LevelEditor::SaveAs() {
  pack_.StoreWorkingLevel(SelectedNumber());
  std::string name = ui_.SaveFileName("Save as ...", kSaveFilter, PackFolder(), "");
  if (name.empty()) return SaveResult::Cancelled;
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".cdn") != 0) name += ".cdn";
  if (FileFound(name) && ui_.Ask("Do you want to overwrite this file?", kLevelEditorTitle,
                                 MessageIcon::None, Buttons::OkCancel) != Answer::Ok)
    return SaveResult::Cancelled;
  pack_.busy = true;
  const std::string oldFile = pack_.currentFile;
  const std::string oldCaption = controls_.caption;
  pack_.currentFile = name;
  controls_.caption = std::string(kEditorTitle) + " - " + name;
  const SaveResult result = SavePack(name);
  if (result == SaveResult::Declined) {
    // Nothing was written: the pack is still the one it was, under its old name.
    pack_.currentFile = oldFile;
    controls_.caption = oldCaption;
  } else {
    recent_.AddRecentFile(name);
  }
  UpdateDeleteMenu();
  pack_.busy = false;
  ControlsChanged();
  return result;
}

void LevelEditor::AddLevelsFromFile() {
  const std::string name = ui_.OpenFileName("Open ...", kOpenFilter, appFolder_);
  if (name.empty()) return;
  if (!FileFound(name)) {
    ui_.Tell("Unable to open file " + name + ".", kLevelEditorTitle, MessageIcon::Critical);
    return;
  }
  LoadPack(name, true);
  UpdateDeleteMenu();
  ControlsChanged();
}

void LevelEditor::DeletePackFile() {
  if (!FileFound(pack_.currentFile)) {
    ui_.Tell("You didn't saved this pack yet. Use New menu item instead.", kLevelEditorTitle,
             MessageIcon::Information);
    return;
  }
  if (ui_.Ask("Do you really want to delete this file?", kLevelEditorTitle, MessageIcon::Question,
              Buttons::YesNo) != Answer::Yes)
    return;
  if (!platform::DeleteFile(platform::ResolvePath(pack_.currentFile))) {
    ui_.Tell(
        "Unable to delete file.\r\n\r\nYou don't have writing permissions or the file does not "
        "exist anymore.",
        kLevelEditorTitle, MessageIcon::Critical);
    return;
  }
  // The current file is always the first recent entry.
  WriteIniString(iniPath_, "RecentFiles", "RecentFile1", "");
  recent_.ClearRecentMenu();
  recent_.FillRecentMenu();
  New();
  ControlsChanged();
}

}  // namespace mapwright
