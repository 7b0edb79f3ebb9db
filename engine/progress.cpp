#include "engine/progress.h"

#include <fstream>

#include "engine/game.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace engine {

namespace {
bool SolvedAt(const std::vector<bool>& solved, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < solved.size() && solved[static_cast<std::size_t>(i)];
}
}  // namespace

std::string ProgressPathFor(const std::string& packPath) {
  const std::size_t slash = packPath.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string folder = packPath.substr(0, nameStart);
  std::string name = packPath.substr(nameStart);

  bool replaced = false;
  for (std::size_t at = name.find(".cdn"); at != std::string::npos; at = name.find(".cdn", at + 4)) {
    name[at + 3] = 'x';
    replaced = true;
  }
  if (!replaced) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    const bool cdnExtension = name.size() >= 4 && name[name.size() - 4] == '.' &&
                              lower(name[name.size() - 3]) == 'c' && lower(name[name.size() - 2]) == 'd' &&
                              lower(name[name.size() - 1]) == 'n';
    if (cdnExtension) {
      name.replace(name.size() - 4, 4, ".cdx");
    } else {
      name += ".cdx";
    }
  }
  return folder + name;
}

std::string FormatProgress(const std::vector<bool>& solved, int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += std::to_string(i);
    text += "\r\n";
    text += SolvedAt(solved, i) ? "d" : "u";
    text += "\r\n";
  }
  return text;
}

bool ParseProgress(LineReader& reader, int count, std::vector<bool>& solved) {
  solved.assign(static_cast<std::size_t>(count < 0 ? 1 : count + 1), false);
  std::string number, flag;
  for (int i = 1; i <= count; ++i) {
    // The number line is not compared with i.
    if (!reader.Next(number) || !reader.Next(flag)) return false;
    solved[static_cast<std::size_t>(i)] = flag == "d";
  }
  return !reader.failed();
}

int UnsolvedAllowance(int count) {
  int k = count / 10;
  if (k < 3) k = 2;
  if (k > 9) k = 9;
  return k + 1;
}

bool IsLevelLocked(const std::vector<bool>& solved, int count, int level) {
  int allowance = UnsolvedAllowance(count);
  for (int i = 1; i <= count; ++i) {
    if (!SolvedAt(solved, i)) {
      if (allowance == 0) return true;
      --allowance;
    }
    if (i == level) return false;
  }
  return false;
}

std::string Game::ProgressPath() const {
  const std::string path = ProgressPathFor(state_.packPath);
  return writablePathFor_ ? writablePathFor_(path) : path;
}

bool Game::SaveProgress() {
  if (!WritesFiles()) {
    progressInMemory_[ProgressPath()] = state_.solved;
    return true;
  }
  const std::string path = platform::ResolvePath(ProgressPath());
  // Never write over the pack, whatever the file system makes of the two names.
  if (platform::SameFile(path, platform::ResolvePath(state_.packPath))) return false;
  return platform::WriteFileAtomic(path, FormatProgress(state_.solved, state_.numberOfLevels));
}

bool Game::ReadProgress() {
  if (!WritesFiles()) {
    auto it = progressInMemory_.find(ProgressPath());
    if (it != progressInMemory_.end()) {
      state_.solved = it->second;
      state_.solved.resize(static_cast<std::size_t>(state_.numberOfLevels + 1), false);
      return true;
    }
  }
  std::vector<bool> flags;
  std::ifstream file;
  bool complete = false;
  if (OpenBoundedFile(ProgressPath(), file)) {
    LineReader reader(file);
    complete = ParseProgress(reader, state_.numberOfLevels, flags);
  } else {
    flags.assign(static_cast<std::size_t>(state_.numberOfLevels + 1), false);
  }
  // Flags read before a failure count; the rest are unsolved.
  state_.solved = flags;
  return complete;
}

void Game::LoadProgress() {
  if (WritesFiles() && !platform::FileExists(ProgressPath())) SaveProgress();
  ReadProgress();
}

bool Game::IsLevelLocked(int level) const {
  return engine::IsLevelLocked(state_.solved, state_.numberOfLevels, level);
}

bool Game::IsLevelSolved(int level) const {
  return level >= 1 && level <= state_.numberOfLevels && SolvedAt(state_.solved, level);
}

void Game::SetSolved(int level, bool value) {
  if (level < 1 || level > state_.numberOfLevels) return;
  if (state_.solved.size() < static_cast<std::size_t>(state_.numberOfLevels + 1)) {
    state_.solved.resize(static_cast<std::size_t>(state_.numberOfLevels + 1), false);
  }
  state_.solved[static_cast<std::size_t>(level)] = value;
}

void Game::ResetSolved() {
  state_.solved.assign(static_cast<std::size_t>(state_.numberOfLevels + 1), false);
}

}  // namespace engine
