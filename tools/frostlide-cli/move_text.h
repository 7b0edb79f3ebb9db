#pragma once
// The move words every board command takes: X,Y,D (X, Y 1..15, D one of l r u d) pushes the
// cube at (X, Y); "undo" takes the last move back.
#include <string>

#include "engine/board.h"

namespace cli {

struct Move {
  bool undo = false;
  int x = 0, y = 0;
  engine::Direction d = engine::Direction::None;
  std::string text;
};

// A whole decimal number and nothing else.
bool ParseInt(const std::string& text, int& value);
// False when text is neither "undo" nor X,Y,D inside the board.
bool ParseMove(const std::string& text, Move& move);

}  // namespace cli
