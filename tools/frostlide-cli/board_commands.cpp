// show, play and status: a pack's levels and moves, as the game sets them up and plays them.
#include <charconv>
#include <ostream>
#include <string>
#include <vector>

#include "engine/cube_movement.h"
#include "engine/game.h"
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

int Play(const CommandContext& c, const std::vector<std::string>& args) {
  std::vector<std::string> rest;
  bool yes = false;
  for (const std::string& a : args) {
    if (a == "--yes") yes = true;
    else rest.push_back(a);
  }
  if (rest.size() < 2) {
    c.err << "usage: frostlide-cli play PACK LEVEL [--yes] MOVE...\n";
    return kExitUsage;
  }
  // Every move is checked for its form before anything is played or written.
  std::vector<Move> moves;
  if (!ParseMoves(rest, 2, c.err, moves)) return kExitUsage;

  CliSession session(c.out, yes);
  engine::Game& game = session.game();
  if (!game.OpenPack(rest[0])) return kExitPackError;
  int level = 0;
  if (!ParseLevel(c, game, rest[1], level)) return kExitUsage;
  game.BeginPack();
  game.LoadLevel(level);

  if (const int code = PlayMoves(game, session.host(), moves, c.err); code != kExitOk) return code;
  PrintBoard(game, c.out);
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
  game.ResetSolved();
  game.ReadProgress();
  const engine::GameState& s = game.state();
  c.out << "pack: " << ForTerminal(s.collectionName) << "\n";
  c.out << "author: " << ForTerminal(s.author) << "\n";
  c.out << "comment: " << ForTerminal(s.comment) << "\n";
  c.out << "levels: " << s.numberOfLevels << "\n";
  for (int i = 1; i <= s.numberOfLevels; ++i) {
    c.out << i << (game.IsLevelSolved(i) ? " solved" : game.IsLevelLocked(i) ? " locked" : " open") << "\n";
  }
  return kExitOk;
}

}  // namespace

void RegisterBoardCommands(CommandTable& table) {
  table.Add({"show", "show PACK LEVEL", "sets level LEVEL of PACK up and prints the board", Show});
  table.Add({"play", "play PACK LEVEL [--yes] MOVE...",
             "starts PACK, sets LEVEL up and plays MOVEs (X,Y,D with D in l r u d, or undo); "
             "--yes answers the undo question yes",
             Play});
  table.Add({"status", "status PACK", "prints the pack's header and each level as solved, open or locked", Status});
}

}  // namespace cli
