// show, play and status: a pack's levels and moves, as the game sets them up and plays them.
#include <charconv>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/cube_movement.h"
#include "engine/game.h"
#include "engine/hint.h"
#include "engine/solver.h"
#include "platform/files.h"
#include "tools/frostlide-cli/cli_ports.h"
#include "tools/frostlide-cli/command_table.h"
#include "tools/frostlide-cli/move_text.h"

namespace cli {
namespace {

// LEVEL must name a level of the open pack.
bool ParseLevel(const CommandContext& c, const engine::Game& game, const std::string& text, int& level) {
  if (ParseInt(text, level) && level >= 1 && level <= game.state().numberOfLevels) return true;
  c.err << "error: level '" << text << "' is not a level of this pack (1 .. " << game.state().numberOfLevels << ")\n";
  return false;
}

int Show(const CommandContext& c, const std::vector<std::string>& args) {
  if (args.size() != 2) {
    c.err << "usage: frostlide-cli show PACK LEVEL\n";
    return kExitUsage;
  }
  CliSession session(c.out, false);
  engine::Game& game = session.game();
  if (!game.OpenPack(args[0])) return kExitPackError;
  int level = 0;
  if (!ParseLevel(c, game, args[1], level)) return kExitUsage;
  game.LoadLevel(level);
  PrintBoard(game, c.out);
  return kExitOk;
}

// Play's set-up: opens the pack, starts it as the game does (its progress and records read,
// nothing written unless writeFiles), sets LEVEL up and plays the moves.
int StartAndPlay(const CommandContext& c, CliSession& session, const std::string& pack, const std::string& levelText,
                 const std::vector<Move>& moves, bool writeFiles) {
  engine::Game& game = session.game();
  game.SetWritesFiles(writeFiles);
  if (!game.OpenPack(pack)) return kExitPackError;
  int level = 0;
  if (!ParseLevel(c, game, levelText, level)) return kExitUsage;
  game.BeginPack();
  game.LoadLevel(level);
  return PlayMoves(game, session.host(), moves, c.err);
}

int Play(const CommandContext& c, const std::vector<std::string>& args) {
  std::vector<std::string> rest;
  bool yes = false, saveProgress = false;
  for (const std::string& a : args) {
    if (a == "--yes") yes = true;
    else if (a == "--save-progress") saveProgress = true;
    else rest.push_back(a);
  }
  if (rest.size() < 2) {
    c.err << "usage: frostlide-cli play PACK LEVEL [--yes] [--save-progress] MOVE...\n";
    return kExitUsage;
  }
  // Every move is checked for its form before anything is played or written.
  std::vector<Move> moves;
  if (!ParseMoves(rest, 2, c.err, moves)) return kExitUsage;

  CliSession session(c.out, yes);
  if (const int code = StartAndPlay(c, session, rest[0], rest[1], moves, saveProgress); code != kExitOk) return code;
  PrintBoard(session.game(), c.out);
  return kExitOk;
}

int Hint(const CommandContext& c, const std::vector<std::string>& args) {
  std::vector<std::string> rest;
  bool yes = false;
  for (const std::string& a : args) {
    if (a == "--yes") yes = true;
    else rest.push_back(a);
  }
  if (rest.size() < 2) {
    c.err << "usage: frostlide-cli hint PACK LEVEL [--yes] [MOVE...]\n";
    return kExitUsage;
  }
  std::vector<Move> moves;
  if (!ParseMoves(rest, 2, c.err, moves)) return kExitUsage;
  // The moves are played silently: the one line printed is the hint (or why there is none).
  std::ostringstream log;
  CliSession session(log, yes);
  engine::Game& game = session.game();
  game.SetWritesFiles(false);
  int level = 0;
  if (!game.OpenPack(rest[0])) {
    c.out << log.str();
    return kExitPackError;
  }
  if (!ParseLevel(c, game, rest[1], level)) return kExitUsage;
  game.BeginPack();
  game.LoadLevel(level);
  const engine::Board start = game.board();
  if (const int code = PlayMoves(game, session.host(), moves, c.err); code != kExitOk) return code;

  // The pack's stored solutions, where it has them beside it, answer along their lines at once.
  std::string text;
  std::vector<std::vector<engine::SolverMove>> lines;
  std::vector<engine::SolverMove> line;
  if (platform::ReadFile(engine::SolutionsPathFor(rest[0]), text, 1u << 20) && engine::ParseSolutions(text, lines) &&
      static_cast<std::size_t>(level) < lines.size()) {
    line = lines[static_cast<std::size_t>(level)];
  }
  const engine::Hint h = engine::FindHintWithLine(start, line, game.board());
  switch (h.kind) {
    case engine::HintKind::Move:
      c.out << "hint: " << engine::FormatMoves({h.move}) << " (" << h.movesToWin
            << (h.movesToWin == 1 ? " move" : " moves") << " to win)\n";
      break;
    case engine::HintKind::NoWayToWin: c.out << "hint: none, no way to win from here\n"; break;
    case engine::HintKind::NotFound: c.out << "hint: not found within the search limit\n"; break;
    case engine::HintKind::Nothing: c.out << "hint: none, the level is solved\n"; break;
  }
  return kExitOk;
}

int Status(const CommandContext& c, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    c.err << "usage: frostlide-cli status PACK\n";
    return kExitUsage;
  }
  CliSession session(c.out, false);
  engine::Game& game = session.game();
  if (!game.OpenPack(args[0])) return kExitPackError;
  // Read as a pack start reads it, but a status query creates no file.
  game.SetWritesFiles(false);
  game.ResetSolved();
  game.ReadProgress();
  game.ReadRecords();
  const engine::GameState& s = game.state();
  c.out << "pack: " << ForTerminal(s.collectionName) << "\n";
  c.out << "author: " << ForTerminal(s.author) << "\n";
  c.out << "comment: " << ForTerminal(s.comment) << "\n";
  c.out << "levels: " << s.numberOfLevels << "\n";
  for (int i = 1; i <= s.numberOfLevels; ++i) {
    c.out << i << (game.IsLevelSolved(i) ? " solved" : game.IsLevelLocked(i) ? " locked" : " open");
    if (game.IsLevelSolved(i) && game.BestMoves(i) > 0) c.out << " best " << game.BestMoves(i);
    c.out << "\n";
  }
  return kExitOk;
}

}  // namespace

void RegisterBoardCommands(CommandTable& table) {
  table.Add({"show", "show PACK LEVEL", "sets level LEVEL of PACK up and prints the board", Show});
  table.Add({"play", "play PACK LEVEL [--yes] [--save-progress] MOVE...",
             "starts PACK, sets LEVEL up and plays MOVEs (X,Y,D with D in l r u d, or undo); "
             "--yes answers the undo question yes. Reads the pack's progress and records but writes "
             "no file unless --save-progress is given (then both are written as the game writes them)",
             Play});
  table.Add({"hint", "hint PACK LEVEL [--yes] [MOVE...]",
             "plays MOVEs as play does (writing nothing) and prints one line: the next move of a "
             "shortest win, or that there is no way to win from there, or that the search gave up",
             Hint});
  table.Add({"status", "status PACK",
             "prints the pack's header and each level as solved, open or locked, with the fewest moves "
             "of a solved level that has a record (best M); writes no file",
             Status});
}

}  // namespace cli
