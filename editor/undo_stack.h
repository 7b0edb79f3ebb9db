#pragma once
// Snapshots of the working level taken before each paint stroke, newest first. No redo.
#include <cstddef>
#include <deque>

#include "editor/level_grid.h"

namespace mapwright {

class UndoStack {
 public:
  static constexpr std::size_t kDepth = 5;

  void InitUndo() { snapshots_.clear(); }
  void Clear() { snapshots_.clear(); }
  // Keeps the newest kDepth snapshots.
  void Push(const LevelGrid& level) {
    snapshots_.push_front(level);
    if (snapshots_.size() > kDepth) snapshots_.pop_back();
  }
  bool empty() const { return snapshots_.empty(); }
  std::size_t size() const { return snapshots_.size(); }
  const LevelGrid& newest() const { return snapshots_.front(); }
  void PopNewest() { snapshots_.pop_front(); }

 private:
  std::deque<LevelGrid> snapshots_;
};

}  // namespace mapwright
