#include "tools/frostlide-cli/move_text.h"

#include <charconv>

#include "engine/simulation.h"
#include "tools/frostlide-cli/command_table.h"

namespace cli {

bool ParseInt(const std::string& text, int& value) {
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), last, value);
  return ec == std::errc() && ptr == last && !text.empty();
}

bool ParseMove(const std::string& text, Move& move) {
  move.text = text;
  if (text == "undo") {
    move.undo = true;
    return true;
  }
  const auto first = text.find(',');
  const auto second = first == std::string::npos ? std::string::npos : text.find(',', first + 1);
  if (second == std::string::npos) return false;
  if (!ParseInt(text.substr(0, first), move.x) || !ParseInt(text.substr(first + 1, second - first - 1), move.y))
    return false;
  if (move.x < 1 || move.x > engine::kBoardSize || move.y < 1 || move.y > engine::kBoardSize) return false;
  const std::string d = text.substr(second + 1);
  if (d == "l") move.d = engine::Direction::Left;
  else if (d == "r") move.d = engine::Direction::Right;
  else if (d == "u") move.d = engine::Direction::Up;
  else if (d == "d") move.d = engine::Direction::Down;
  else return false;
  return true;
}

bool ParseMoves(const std::vector<std::string>& words, std::size_t first, std::ostream& err,
                std::vector<Move>& moves) {
  for (std::size_t i = first; i < words.size(); ++i) {
    Move m;
    if (!ParseMove(words[i], m)) {
      err << "error: '" << words[i] << "' is not a move (X,Y,D with X and Y 1 .. 15 and D one of l r u d, or undo)\n";
      return false;
    }
    moves.push_back(m);
  }
  return true;
}

int PlayMoves(engine::Game& game, engine::GameHost& host, const std::vector<Move>& moves,
              std::ostream& err, const std::function<int()>& afterMove) {
  for (const Move& m : moves) {
    if (host.MainMenuVisible()) {
      // The game ignores the undo key over the main menu; a move cannot be made at all.
      if (m.undo) continue;
      err << "error: " << m.text << ": the pack's last level is solved and the credits cover the board\n";
      return kExitUsage;
    }
    if (m.undo) {
      game.UndoMove();
      continue;
    }
    if (!engine::IsCubeKind(game.board().at(m.x, m.y).kind)) {
      err << "error: " << m.text << ": no cube at " << m.x << "," << m.y << "\n";
      return kExitUsage;
    }
    if (!engine::CanPush(game.board(), m.x, m.y, m.d)) {
      err << "error: " << m.text << ": the cube at " << m.x << "," << m.y << " cannot move that way\n";
      return kExitUsage;
    }
    game.ShowArrow(m.x, m.y, m.d);
    game.Click();
    if (afterMove) {
      if (const int code = afterMove(); code != kExitOk) return code;
    }
  }
  return kExitOk;
}

}  // namespace cli
