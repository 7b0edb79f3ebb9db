#pragma once
// The game's screens: main menu, credits, game screen, message box, options, level select,
// custom packs and how to play. Every highlight, disabled form and button picture is cut from
// a full render of its screen in that state at the rectangle where the game copies it, so the
// copies line up without a seam.
#include <string>
#include <vector>

#include "tools/assetgen/images/outputs.h"
#include "tools/assetgen/images/text.h"

namespace art {

// Adds the screen pictures to out (the board pictures must be in it already: the how-to-play
// page is illustrated with them). Problems found by the self-checks are appended to errors.
void MakeScreenArt(OutputSet& out, TextRenderer& tr, std::vector<std::string>& errors);

// The mouse pointer, the program icons and the editor's icon.
void MakeIcons(OutputSet& out);

// Where the pointer's tip is in cursor.png.
inline constexpr int kCursorHotX = 2;
inline constexpr int kCursorHotY = 2;

}  // namespace art
