#pragma once
// The move words every board command takes: X,Y,D (X, Y 1..15, D one of l r u d) pushes the
// cube at (X, Y); "undo" takes the last move back.
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/game.h"
#include "engine/ports.h"

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

// words[first..] as moves, all checked before anything is played; false (with the message on
// err) at the first word that is no move.
bool ParseMoves(const std::vector<std::string>& words, std::size_t first, std::ostream& err,
                std::vector<Move>& moves);

// Plays the moves as board input would (arrow shown, then the click), refusing a move that board
// input would not allow and everything once the credits cover the board. afterMove may stop the
// run with an exit code of its own. Returns kExitOk or the exit code that stopped it.
int PlayMoves(engine::Game& game, engine::GameHost& host, const std::vector<Move>& moves,
              std::ostream& err, const std::function<int()>& afterMove = {});

}  // namespace cli
