#pragma once
// The judgements on a board: solved, still winnable by count, and position equality.
#include "engine/board.h"

namespace engine {

// Every sphere is covered by a cube of its own colour (no uncovered sphere, no cube on a sphere
// of another colour). Spare cubes elsewhere do not matter; a board without spheres is solved.
bool IsSolved(const Board& board);

// The count test: for every colour, at least as many cubes (Cube, CubeOnSphere, CubeOnTrapdoor)
// as spheres (Sphere, CubeOnSphere). Positions, walls and paths are ignored, and a cube on a
// sphere of another colour counts for both colours.
bool IsWinnable(const Board& board);

// True when the two boards hold the same position: the same kinds everywhere, the same cube
// colour on every cube and the same sphere colour on every sphere. Arrows and colours left
// behind on cells that no longer hold a cube or sphere are ignored.
bool SamePosition(const Board& a, const Board& b);

// Clears what SamePosition ignores, so equal positions become equal Boards (for hashing).
void NormalizeBoard(Board& board);

}  // namespace engine
