#pragma once
// The how-to-play page: the rules, illustrated with the board's own sprites, and every key of
// the game, mouse and keyboard alike.
#include "tools/assetgen/images/outputs.h"
#include "tools/assetgen/images/text.h"
#include "tools/assetgen/images/ui_kit.h"

namespace art {

// Where the game copies the OK button's highlight (40 x 30 at (232, 396)).
inline const Rect kHowOkHighlight{232, 396, 40, 30};

// The 503 x 431 page, with the OK button plain or highlighted. The board sprites must be in out.
Image HowToPlayPage(TextRenderer& tr, const OutputSet& out, bool okHot);

}  // namespace art
