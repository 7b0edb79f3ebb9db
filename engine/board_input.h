#pragma once
// The pointer arithmetic of the board, without a game object.
#include "engine/board.h"

namespace engine {

// The column (or row) under a pointer coordinate in board pixels, limited to 1 .. 15; pixels
// outside the board count as the nearer edge.
int PointedCell(double coordinate);

// The position inside the cell, 0 .. 30: (coordinate + 31) rounded to the nearest integer
// (halves to even), modulo 31.
int InCellOffset(double coordinate);

// The hover zone at in-cell position (mx, my), tested left, right, top, bottom; None in the
// middle of the cube and in its corners.
Direction PointedZone(int mx, int my);

// The arrow board input would show for a zone: the zone's own direction when the cube at
// (x, y) can be pushed that way, otherwise the first possible one of left, right, up, down;
// None when it cannot move at all.
Direction ArrowFor(const Board& board, int x, int y, Direction zone);

// Virtual-key code to in-game menu item (U 1, R 2, S 3, L 4, O 5, Esc 6); 0 for other keys.
int GameMenuItemForKey(int keyCode);

}  // namespace engine
