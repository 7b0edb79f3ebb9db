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
  if (n >= 2 && n <= numberOfLevels) std::swap(levels[n - 1], levels[n]);
}

void EditorPack::SwapWithNext(int n) {
  if (n >= 1 && n < numberOfLevels) std::swap(levels[n], levels[n + 1]);
}

void EditorPack::RemoveLevel(int n) {
  if (n < 1 || n > numberOfLevels) return;
  levels.erase(levels.begin() + n);
  --numberOfLevels;
}

}  // namespace mapwright
