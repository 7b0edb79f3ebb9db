#pragma once
// Slow work off the window thread: one worker thread analyses a copy of a position with the
// solver and hands the answer back to the window thread. A new Submit cancels the analysis
// that runs (the solver looks at the cancel flag between expansions), so an answer that
// arrives is always about the latest position submitted; nothing ever waits for the solver.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/board.h"
#include "engine/hint.h"

namespace shell {

// What the worker runs. The real one is the engine's bounded hint search; a test puts a slow
// stand-in here to show that the window goes on meanwhile.
class PositionSolver {
 public:
  virtual ~PositionSolver() = default;
  // Runs on the worker thread; should return soon after cancel turns true.
  virtual engine::Hint Analyse(const engine::Board& board, const std::atomic<bool>& cancel) = 0;
};

class EngineSolver final : public PositionSolver {
 public:
  engine::Hint Analyse(const engine::Board& board, const std::atomic<bool>& cancel) override {
    return engine::FindHint(board, &cancel);
  }
};

class SolverWorker {
 public:
  // Hands a task to the window thread (presentation::LoopPoster::Post), from the worker thread.
  using Deliver = std::function<void(std::function<void()>)>;
  using Done = std::function<void(const engine::Hint&)>;

  SolverWorker(PositionSolver& solver, Deliver deliver);
  // Cancels what runs and waits for the thread to end (the solver stops between expansions).
  ~SolverWorker();
  SolverWorker(const SolverWorker&) = delete;
  SolverWorker& operator=(const SolverWorker&) = delete;

  // Analyses a copy of board; done runs on the window thread with the answer, unless Submit or
  // Cancel is called again before it runs.
  void Submit(const engine::Board& board, Done done);
  // Drops the running and the waiting analysis; no done of theirs will run.
  void Cancel();
  // An analysis is waiting or running, or its answer is on its way.
  bool Busy() const { return latest_->load() == lastSubmit_ && answered_->load() != lastSubmit_; }

 private:
  struct Job {
    std::uint64_t id = 0;
    engine::Board board;
    Done done;
  };
  void Loop();

  PositionSolver& solver_;
  Deliver deliver_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Job> pending_;
  bool stop_ = false;
  std::atomic<bool> cancel_{false};
  // Shared with the answers on their way, which may outlive the worker in the window's queue.
  std::shared_ptr<std::atomic<std::uint64_t>> latest_ = std::make_shared<std::atomic<std::uint64_t>>(0);
  std::shared_ptr<std::atomic<std::uint64_t>> answered_ = std::make_shared<std::atomic<std::uint64_t>>(0);
  std::uint64_t nextId_ = 0;
  std::uint64_t lastSubmit_ = ~std::uint64_t{0};
  std::thread thread_;
};

}  // namespace shell
