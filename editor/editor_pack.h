#pragma once
// The pack the editor holds in memory (slot 0 is the working copy of the level on the canvas)
// and the document state around it.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/level_grid.h"

namespace mapwright {

class EditorPack {
 public:
  EditorPack() { InitLevels(); }

  // levels[0] is the working level; levels[1 .. numberOfLevels] the pack in pack order.
  std::vector<LevelGrid> levels;
  // Header texts, held as UTF-8; on disk they are Windows-1252.
  std::string collectionName;
  std::string author;
  std::string comment;
  std::int16_t numberOfLevels = 0;

  // Pack position whose copy sits in the working slot; -1 = none.
  std::int16_t shownLevel = -1;
  bool modified = false;
  // A pack or level switch is in progress; the canvas ignores the mouse meanwhile.
  bool busy = false;
  // Full path of the pack file; empty = never saved.
  std::string currentFile;

  // More levels than this cannot be counted in numberOfLevels; the loader stops there.
  static constexpr int kMaxLevels = INT16_MAX;

  void InitLevels();
  void ResetPack();
  static void ClearLevel(LevelGrid& level);
  void AppendBlankLevel();
  void StoreWorkingLevel(int n);
  void SwapWithPrevious(int n);
  void SwapWithNext(int n);
  void RemoveLevel(int n);

  LevelGrid& working() { return levels[0]; }
  const LevelGrid& working() const { return levels[0]; }
};

}  // namespace mapwright
