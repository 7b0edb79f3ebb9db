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
  for (std::size_t i = 2; i < rest.size(); ++i) {
    Move m;
    if (!ParseMove(rest[i], m)) {
      c.err << "error: '" << rest[i] << "' is not a move (X,Y,D with X and Y 1 .. 15 and D one of l r u d, or undo)\n";
      return kExitUsage;
    }
    moves.push_back(m);
  }

  CliSession session(c.out, yes);
  engine::Game& game = session.game();
  if (!game.OpenPack(rest[0])) return kExitPackError;
  int level = 0;
  if (!ParseLevel(c, game, rest[1], level)) return kExitUsage;
  game.BeginPack();
  game.LoadLevel(level);

  for (const Move& m : moves) {
    if (session.host().MainMenuVisible()) {
      // The game ignores the undo key over the main menu; a move cannot be made at all.
      if (m.undo) continue;
      c.err << "error: " << m.text << ": the pack's last level is solved and the credits cover the board\n";
      return kExitUsage;
    }
    if (m.undo) {
      game.UndoMove();
      continue;
    }
    const engine::Cell& cell = game.board().at(m.x, m.y);
    if (!engine::IsCubeKind(cell.kind)) {
      c.err << "error: " << m.text << ": no cube at " << m.x << "," << m.y << "\n";
      return kExitUsage;
    }
    if (!engine::CanPush(game.board(), m.x, m.y, m.d)) {
      c.err << "error: " << m.text << ": the cube at " << m.x << "," << m.y << " cannot move that way\n";
      return kExitUsage;
    }
    // As the pointer and the click would: show the arrow, then push the cube showing it.
    game.ShowArrow(m.x, m.y, m.d);
    game.Click();
  }
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
