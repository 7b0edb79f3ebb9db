#include "editor/editor_pack.h"

#include <utility>

namespace mapwright {

void EditorPack::InitLevels() {
  levels.assign(1, BlankLevel());
  numberOfLevels = 0;
  shownLevel = -1;
}

void EditorPack::ResetPack() {
  levels.assign(1, BlankLevel());
  collectionName.clear();
  numberOfLevels = 0;
}

void EditorPack::ClearLevel(LevelGrid& level) { level.fill(kEmptyCell); }

void EditorPack::AppendBlankLevel() {
  ++numberOfLevels;
  levels.push_back(BlankLevel());
}

void EditorPack::StoreWorkingLevel(int n) {
  if (n != 0 && n >= 1 && n <= numberOfLevels) levels[n] = levels[0];
}

void EditorPack::SwapWithPrevious(int n) {
  if (n < 2 || n > numberOfLevels) return;
  // Whole-grid copies rather than std::swap: GCC 12 at -O3 misreads the vectorised element swap
  // as an overflow of the 225-cell array.
  const LevelGrid previous = levels[n - 1];
  levels[n - 1] = levels[n];
  levels[n] = previous;
}

void EditorPack::SwapWithNext(int n) {
  if (n < 1 || n >= numberOfLevels) return;
  const LevelGrid next = levels[n + 1];
  levels[n + 1] = levels[n];
  levels[n] = next;
}

void EditorPack::RemoveLevel(int n) {
  if (n < 1 || n > numberOfLevels) return;
  levels.erase(levels.begin() + n);
  --numberOfLevels;
}

}  // namespace mapwright
