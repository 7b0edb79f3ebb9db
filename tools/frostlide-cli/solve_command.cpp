// solve: the shortest solution of every level of a pack (or of one), found by the engine's
// solver on the board exactly as the game sets the level up.
#include <charconv>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/solver.h"
#include "tools/frostlide-cli/cli_ports.h"
#include "tools/frostlide-cli/command_table.h"

namespace cli {
namespace {

bool ParseCount(const std::string& text, unsigned long long& value) {
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

std::string Seconds(double s) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f s", s);
  return buf;
}

int Solve(const CommandContext& c, const std::vector<std::string>& args) {
  static const char* kUsage = "usage: frostlide-cli solve PACK [LEVEL] [--plain] [--max-states N] [--max-moves N]\n";
  std::vector<std::string> rest;
  engine::SolverOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    unsigned long long n = 0;
    if (args[i] == "--plain") {
      const engine::SolverOptions plain = engine::SolverOptions::Plain();
      options.astar = plain.astar;
      options.symmetry = plain.symmetry;
      options.pruning = plain.pruning;
    } else if (args[i] == "--max-states" && i + 1 < args.size() && ParseCount(args[i + 1], n) && n >= 1) {
      options.maxStates = static_cast<std::size_t>(n);
      ++i;
    } else if (args[i] == "--max-moves" && i + 1 < args.size() && ParseCount(args[i + 1], n) && n >= 1 && n <= 250) {
      options.maxMoves = static_cast<int>(n);
      ++i;
    } else if (args[i].rfind("--", 0) == 0) {
      c.err << kUsage;
      return kExitUsage;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (rest.empty() || rest.size() > 2) {
    c.err << kUsage;
    return kExitUsage;
  }
  CliSession session(c.out, false);
  engine::Game& game = session.game();
  if (!game.OpenPack(rest[0])) return kExitPackError;
  const int count = game.state().numberOfLevels;
  int first = 1, last = count;
  if (rest.size() == 2) {
    int level = 0;
    const auto [ptr, ec] = std::from_chars(rest[1].data(), rest[1].data() + rest[1].size(), level);
    if (ec != std::errc() || ptr != rest[1].data() + rest[1].size() || level < 1 || level > count) {
      c.err << "error: level '" << rest[1] << "' is not a level of this pack (1 .. " << count << ")\n";
      return kExitUsage;
    }
    first = last = level;
  }
  for (int level = first; level <= last; ++level) {
    game.LoadLevel(level);
    const engine::SolveResult r = engine::Solve(game.board(), options);
    c.out << "level " << level << ": ";
    switch (r.status) {
      case engine::SolveStatus::Solved:
        c.out << r.moves.size() << (r.moves.size() == 1 ? " move: " : " moves: ") << engine::FormatMoves(r.moves);
        break;
      case engine::SolveStatus::Unsolvable: c.out << "unsolvable"; break;
      case engine::SolveStatus::NoSolutionWithinBound:
        c.out << "no solution within " << options.maxMoves << " moves";
        break;
      case engine::SolveStatus::GaveUp: c.out << "gave up after " << r.statesVisited << " states"; break;
    }
    c.out << " (" << r.statesVisited << " states, " << Seconds(r.seconds) << ")\n";
  }
  return kExitOk;
}

}  // namespace

void RegisterSolveCommands(CommandTable& table) {
  table.Add({"solve", "solve PACK [LEVEL] [--plain] [--max-states N] [--max-moves N]",
             "prints the fewest moves and one shortest solution of each level (or of LEVEL), or "
             "unsolvable, or where the search gave up; --plain searches breadth-first without "
             "the pruning",
             Solve});
}

}  // namespace cli
