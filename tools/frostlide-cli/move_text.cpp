#include "tools/frostlide-cli/move_text.h"

#include <charconv>

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

}  // namespace cli
