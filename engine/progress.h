#pragma once
// The progress file beside each pack and the unlocking rule.
#include <string>
#include <vector>

#include "engine/pack_reader.h"

namespace engine {

// The progress file of a pack: ".cdn" becomes ".cdx" in the file name. A name without a
// lower-case ".cdn" has its ".cdn" extension replaced whatever its letter case, and any other
// name gets ".cdx" appended, so the progress file is never the pack itself. The folders of the
// path are kept as they are.
std::string ProgressPathFor(const std::string& packPath);

// Two lines per level, "i" and "d" or "u", each ending in CR LF. solved is indexed 1 .. count.
std::string FormatProgress(const std::vector<bool>& solved, int count);

// Reads the flags of levels 1 .. count into solved (resized to count + 1): a level is solved
// when its flag line is exactly "d". Stops at the first missing line; the levels from there
// on are unsolved. True when every level was read.
bool ParseProgress(LineReader& reader, int count, std::vector<bool>& solved);

// How many unsolved levels are open at once in a pack of count levels.
int UnsolvedAllowance(int count);

// The lock rule over solved flags (indexed 1 .. count).
bool IsLevelLocked(const std::vector<bool>& solved, int count, int level);

}  // namespace engine
