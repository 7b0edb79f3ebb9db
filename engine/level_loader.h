#pragma once
// Level set-up rules that need no game object.
#include <string>
#include <string_view>

#include "engine/board.h"
#include "engine/pack_reader.h"

namespace engine {

// The scenery of a level: only the built-in pack, titled exactly "Frostlide: Ice" (compared
// byte for byte), has sceneries 1 .. 6 by level range; every other pack uses 0.
int SceneryFor(std::string_view collectionName, int level);

// data/backgrounds/bg<s>.jpg below the program folder.
std::string BackgroundPath(const std::string& appPath, int scenery);

// Fills the board from a level's rows (cell (x, y) from character x of row y; short rows and
// missing rows leave Empty cells). Row 0 and column 0 are left alone.
void FillBoard(Board& board, const LevelRows& rows);

// A cleared board: every playing cell Empty with all other fields 0.
void ClearCells(Board& board);

}  // namespace engine
