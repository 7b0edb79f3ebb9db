#include "presentation/loop_tasks.h"

#include <algorithm>

namespace presentation {

void LoopTasks::Push(std::function<void()> task) {
  std::lock_guard<std::mutex> lock(mutex_);
  pushed_.push_back(std::move(task));
}

void LoopTasks::Defer(std::uint32_t dueMs, std::function<void()> task) {
  deferred_.push_back({dueMs, nextOrder_++, std::move(task)});
}

int LoopTasks::RunReady(std::uint32_t nowMs) {
  std::deque<std::function<void()>> pushed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pushed.swap(pushed_);
  }
  std::vector<Deferred> due;
  for (auto it = deferred_.begin(); it != deferred_.end();) {
    // Tick counts wrap; compare by difference.
    if (static_cast<std::int32_t>(nowMs - it->due) >= 0) {
      due.push_back(std::move(*it));
      it = deferred_.erase(it);
    } else {
      ++it;
    }
  }
  std::sort(due.begin(), due.end(), [](const Deferred& a, const Deferred& b) {
    const auto d = static_cast<std::int32_t>(a.due - b.due);
    return d != 0 ? d < 0 : a.order < b.order;
  });
  int ran = 0;
  for (auto& t : pushed) {
    if (t) t();
    ++ran;
  }
  for (auto& d : due) {
    if (d.task) d.task();
    ++ran;
  }
  return ran;
}

std::int32_t LoopTasks::MsUntilNext(std::uint32_t nowMs) const {
  std::int32_t best = -1;
  for (const Deferred& d : deferred_) {
    const std::int32_t left = std::max<std::int32_t>(0, static_cast<std::int32_t>(d.due - nowMs));
    if (best < 0 || left < best) best = left;
  }
  return best;
}

void LoopTasks::Clear() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pushed_.clear();
  }
  deferred_.clear();
}

}  // namespace presentation
