#pragma once
// Work handed to the window thread: from a worker thread (a solver's answer) or from the window
// thread itself for later (a notice that fades after a few seconds). The window runs the tasks
// between events, so screens are only ever touched on the window thread.
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace presentation {

class LoopPoster {
 public:
  virtual ~LoopPoster() = default;
  // Any thread: task runs on the window thread as soon as the loop comes round.
  virtual void Post(std::function<void()> task) = 0;
  // Window thread only: task runs on the window thread once delayMs have passed.
  virtual void PostAfter(std::uint32_t delayMs, std::function<void()> task) = 0;
};

// The queues behind a LoopPoster; the owner wakes its loop and says what time it is.
class LoopTasks {
 public:
  // Any thread.
  void Push(std::function<void()> task);
  // Window thread: task is due at tick dueMs.
  void Defer(std::uint32_t dueMs, std::function<void()> task);
  // Window thread: runs what was pushed and what is due at nowMs, in order; tasks they add
  // wait for the next call. Returns the number run.
  int RunReady(std::uint32_t nowMs);
  // Milliseconds from nowMs to the next deferred task; -1 when none waits.
  std::int32_t MsUntilNext(std::uint32_t nowMs) const;
  void Clear();

 private:
  struct Deferred {
    std::uint32_t due;
    std::uint64_t order;
    std::function<void()> task;
  };
  std::mutex mutex_;
  std::deque<std::function<void()>> pushed_;
  std::vector<Deferred> deferred_;  // window thread only
  std::uint64_t nextOrder_ = 0;
};

}  // namespace presentation
