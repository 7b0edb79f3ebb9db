#pragma once
// The player's records: the fewest moves each level of a pack was solved in, kept in NAME.best
// beside the pack's progress file. An INI file:
//
//   [Best]
//   12=8
//   [Par]
//   12=9
//
// [Par] keeps the par a record was set against, so a level solved in par keeps its star even
// when par must be searched for again. The file is new data beside the progress file: a
// damaged or unreadable one reads as no records and the next record replaces it whole.
#include <map>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/solver.h"

namespace engine {

// The records file of a pack: its file name without a ".cdn" extension (any letter case), with
// ".best" appended; the folders are kept.
std::string RecordsPathFor(const std::string& packPath);

struct LevelRecords {
  std::map<int, int> best;  // level -> fewest moves, both >= 1
  std::map<int, int> par;   // level -> par when its record was set

  int Best(int level) const;  // 0 when there is none
  int Par(int level) const;   // 0 when unknown
  // A solve in moves: true (and kept) when it beats the record or there was none.
  bool Offer(int level, int moves, int par);
};

// Levels 1 .. count are read; keys outside, values that are no whole number from 1 to 9999,
// and text that is no INI file are left out.
LevelRecords ParseRecords(const std::string& text, int count);
std::string FormatRecords(const LevelRecords& records);

// A pack's stored solutions, "N: X,Y,D X,Y,D ..." one line per level (CR LF, '#' comments):
// solutions[n] for the levels it names (index 0 unused, empty for a level without a line).
// False (solutions untouched) on a line that is not of that form. The number of moves of a
// level's line is its par.
// Where a pack keeps them: beside it, its name's ".cdn" replaced by ".solutions".
std::string SolutionsPathFor(const std::string& packPath);
bool ParseSolutions(const std::string& text, std::vector<std::vector<SolverMove>>& solutions);
std::string FormatSolutions(const std::vector<std::vector<SolverMove>>& solutions);

// True when moves, played on board with the solver's rules, end in a won position.
bool LineWins(const Board& board, const std::vector<SolverMove>& moves);

}  // namespace engine
