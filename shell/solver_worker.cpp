#include "shell/solver_worker.h"

namespace shell {

SolverWorker::SolverWorker(PositionSolver& solver, Deliver deliver)
    : solver_(solver), deliver_(std::move(deliver)), thread_([this] { Loop(); }) {}

SolverWorker::~SolverWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    pending_.reset();
    cancel_ = true;
    latest_->store(~std::uint64_t{0});
  }
  wake_.notify_all();
  thread_.join();
}

void SolverWorker::Submit(const engine::Board& board, Done done) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::uint64_t id = ++nextId_;
    latest_->store(id);
    lastSubmit_ = id;
    pending_ = Job{id, board, std::move(done)};
    // The analysis that runs is of an older position.
    cancel_ = true;
  }
  wake_.notify_one();
}

void SolverWorker::Cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  latest_->store(++nextId_);
  pending_.reset();
  cancel_ = true;
}

void SolverWorker::Loop() {
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || pending_.has_value(); });
      if (stop_) return;
      job = std::move(*pending_);
      pending_.reset();
      // Set under the lock, so a Submit after this point cancels this very job.
      cancel_ = false;
    }
    const engine::Hint hint = solver_.Analyse(job.board, cancel_);
    // Cancelled or replaced: the answer is of no use.
    if (latest_->load() != job.id) continue;
    deliver_([latest = latest_, answered = answered_, id = job.id, done = std::move(job.done), hint] {
      if (latest->load() != id) return;
      answered->store(id);
      if (done) done(hint);
    });
  }
}

}  // namespace shell
