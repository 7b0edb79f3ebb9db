#pragma once
// Everything a solver needs, without drawing, sound or a game object:
//
//   CanPush(board, x, y, d)        the pushes the player can make (board input's rule)
//   SlideCube(board, x, y, d)      the whole push, exactly as the game's MoveCube changes the
//                                  board (the two share one rule template); returns MoveOutcome
//   IsSolved(board)                every sphere covered by its own colour (the win test)
//   IsWinnable(board)              the per-colour count test
//   RecordTrapdoors(board) + MakeUndoRecord(outcome, traps) + RevertMove(board, record)
//                                  takes a push back (cheaper than copying a board)
//   SamePosition(a, b), NormalizeBoard(board)
//                                  position equality and a canonical form for hashing: a push
//                                  leaves arrows and old colours on cells that readers ignore
//   LoadBoardFromRows(rows)        a board from 15 row strings in pack characters
//
// A Board is a plain value (about 4 KB); copying it is safe. None of these touches row 0 or
// column 0, and none allocates.
#include <array>
#include <string>

#include "engine/board.h"
#include "engine/cell_codes.h"
#include "engine/cube_movement.h"
#include "engine/game_rules.h"
#include "engine/undo_history.h"

namespace engine {

// Rows top first, pack characters ("." empty, "X" block, "R" red cube, ...).
// Missing rows and characters are Empty.
Board LoadBoardFromRows(const std::array<std::string, kBoardSize>& rows);

}  // namespace engine
