#include "engine/records.h"

#include <charconv>
#include <sstream>

#include "engine/cube_movement.h"
#include "engine/game.h"
#include "engine/game_rules.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace engine {

namespace {
constexpr int kMaxRecordedMoves = 9999;

// A whole number from 1 to kMaxRecordedMoves and nothing else; 0 otherwise.
int RecordValue(const std::string& text) {
  int value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return 0;
  return value >= 1 && value <= kMaxRecordedMoves ? value : 0;
}

void ReadSection(const std::string& text, std::string_view section, int count, std::map<int, int>& into) {
  for (int level = 1; level <= count; ++level) {
    const int v = RecordValue(platform::ProfileLookup(text, section, std::to_string(level), ""));
    if (v != 0) into[level] = v;
  }
}

void WriteSection(std::string& out, const char* section, const std::map<int, int>& values) {
  if (values.empty()) return;
  out += "[";
  out += section;
  out += "]\r\n";
  for (const auto& [level, value] : values) out += std::to_string(level) + "=" + std::to_string(value) + "\r\n";
}

int Lookup(const std::map<int, int>& m, int level) {
  const auto it = m.find(level);
  return it == m.end() ? 0 : it->second;
}
}  // namespace

namespace {
// The pack's path without a ".cdn" extension (any letter case) on its file name.
std::string PackStem(const std::string& packPath) {
  const std::size_t slash = packPath.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string path = packPath;
  const std::size_t n = path.size();
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  if (n >= nameStart + 4 && path[n - 4] == '.' && lower(path[n - 3]) == 'c' && lower(path[n - 2]) == 'd' &&
      lower(path[n - 1]) == 'n') {
    path.resize(n - 4);
  }
  return path;
}
}  // namespace

std::string RecordsPathFor(const std::string& packPath) { return PackStem(packPath) + ".best"; }

std::string SolutionsPathFor(const std::string& packPath) { return PackStem(packPath) + ".solutions"; }

int LevelRecords::Best(int level) const { return Lookup(best, level); }
int LevelRecords::Par(int level) const { return Lookup(par, level); }

bool LevelRecords::Offer(int level, int moves, int levelPar) {
  if (level < 1 || moves < 1 || moves > kMaxRecordedMoves) return false;
  const int old = Best(level);
  if (old != 0 && old <= moves) return false;
  best[level] = moves;
  if (levelPar >= 1 && levelPar <= kMaxRecordedMoves) {
    par[level] = levelPar;
  } else {
    par.erase(level);
  }
  return true;
}

LevelRecords ParseRecords(const std::string& text, int count) {
  LevelRecords r;
  if (text.size() > platform::kMaxProfileFile) return r;
  ReadSection(text, "Best", count, r.best);
  ReadSection(text, "Par", count, r.par);
  return r;
}

std::string FormatRecords(const LevelRecords& records) {
  std::string out;
  WriteSection(out, "Best", records.best);
  if (!records.par.empty()) out += "\r\n";
  WriteSection(out, "Par", records.par);
  return out;
}

std::string FormatSolutions(const std::vector<std::vector<SolverMove>>& solutions) {
  std::string out;
  for (std::size_t i = 1; i < solutions.size(); ++i) out += std::to_string(i) + ": " + FormatMoves(solutions[i]) + "\r\n";
  return out;
}

bool ParseSolutions(const std::string& text, std::vector<std::vector<SolverMove>>& solutions) {
  std::istringstream in(text);
  std::string line;
  std::vector<std::vector<SolverMove>> parsed(1);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 3) return false;
    int n = 0;
    for (std::size_t i = 0; i < colon; ++i) {
      if (line[i] < '0' || line[i] > '9') return false;
      n = n * 10 + (line[i] - '0');
    }
    if (n < 1 || n > 255) return false;
    std::vector<SolverMove> moves;
    if (!ParseMoves(line.substr(colon + 1), moves)) return false;
    if (parsed.size() <= static_cast<std::size_t>(n)) parsed.resize(static_cast<std::size_t>(n) + 1);
    parsed[static_cast<std::size_t>(n)] = std::move(moves);
  }
  solutions = std::move(parsed);
  return true;
}

bool LineWins(const Board& board, const std::vector<SolverMove>& moves) {
  if (moves.empty()) return false;
  Board b = board;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const SolverMove& m = moves[i];
    // A line that wins early is not the level's shortest line, whatever its length says.
    if (i > 0 && IsSolved(b)) return false;
    if (!CanPush(b, m.x, m.y, m.direction)) return false;
    SlideCube(b, m.x, m.y, m.direction);
  }
  return IsSolved(b);
}

std::string Game::RecordsPath() const {
  const std::string path = RecordsPathFor(state_.packPath);
  return writablePathFor_ ? writablePathFor_(path) : path;
}

void Game::ReadRecords() {
  std::string text;
  // Unreadable and oversized files alike read as no records.
  if (!platform::ReadFile(platform::ResolvePath(RecordsPath()), text, platform::kMaxProfileFile)) text.clear();
  records_ = ParseRecords(text, state_.numberOfLevels);
}

int Game::KnownPar(int level) const {
  const auto it = knownPar_.find(level);
  return it != knownPar_.end() ? it->second : records_.Par(level);
}

void Game::SetKnownPar(int level, int par) {
  if (par >= 1) {
    knownPar_[level] = par;
  } else {
    knownPar_.erase(level);
  }
}

bool Game::SolvedInPar(int level) const {
  const int best = BestMoves(level);
  const int par = KnownPar(level);
  return best >= 1 && par >= 1 && best <= par;
}

bool Game::RecordSolve(int level, int moves) {
  if (!records_.Offer(level, moves, KnownPar(level))) return false;
  if (!WritesFiles()) return true;
  const std::string path = platform::ResolvePath(RecordsPath());
  // Never over the pack or its progress file, whatever the file system makes of the names.
  if (platform::SameFile(path, platform::ResolvePath(state_.packPath)) ||
      platform::SameFile(path, platform::ResolvePath(ProgressPath()))) {
    return true;
  }
  platform::WriteFileAtomic(path, FormatRecords(records_));
  return true;
}

}  // namespace engine
