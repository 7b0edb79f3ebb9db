#include "editor/verdict_checker.h"

#include <algorithm>
#include <utility>

namespace mapwright {

namespace {
// Verdicts remembered for levels seen before (an undo brings its verdict back at once); past
// this many the memory starts afresh.
constexpr std::size_t kMaxKnown = 4096;
}  // namespace

VerdictChecker::VerdictChecker(std::shared_ptr<LevelSolver> solver, QObject* parent)
    : QObject(parent), solver_(std::move(solver)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] { Queue(levels_); });
  thread_ = std::thread([this] { Work(); });
}

VerdictChecker::~VerdictChecker() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    cancel_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void VerdictChecker::SetSolver(std::shared_ptr<LevelSolver> solver) {
  std::lock_guard lock(mutex_);
  solver_ = std::move(solver);
}

Verdict VerdictChecker::Lookup(const LevelGrid& level) const {
  if (!HasEnoughCubes(level)) return Verdict{Verdict::Kind::Unsolvable, {}, 0};
  auto it = known_.find(level);
  return it == known_.end() ? Verdict{} : it->second;
}

void VerdictChecker::LevelsChanged(const std::vector<LevelGrid>& levels) {
  if (levels == levels_) return;
  levels_ = levels;
  {
    // What is being searched may be a level that no longer exists; it stops now and is
    // searched again after the pause if it is still wanted.
    std::lock_guard lock(mutex_);
    queue_.clear();
    if (running_) cancel_ = true;
  }
  settle_.start();
}

void VerdictChecker::SearchNow() {
  settle_.stop();
  Queue(levels_);
}

void VerdictChecker::Queue(const std::vector<LevelGrid>& levels) {
  std::deque<LevelGrid> wanted;
  for (const LevelGrid& level : levels) {
    if (Lookup(level).kind != Verdict::Kind::Pending) continue;
    if (std::find(wanted.begin(), wanted.end(), level) == wanted.end()) wanted.push_back(level);
  }
  {
    std::lock_guard lock(mutex_);
    if (running_) {
      if (!wanted.empty() && wanted.front() == *running_)
        wanted.pop_front();  // already the first one being searched
      else
        cancel_ = true;
    }
    queue_ = std::move(wanted);
  }
  wake_.notify_all();
}

bool VerdictChecker::Working() const {
  std::lock_guard lock(mutex_);
  return running_.has_value() || !queue_.empty() || inFlight_ > 0 || settle_.isActive();
}

std::size_t VerdictChecker::searchesStarted() const {
  std::lock_guard lock(mutex_);
  return started_;
}

void VerdictChecker::Known(const LevelGrid& level, const Verdict& verdict) {
  if (known_.size() >= kMaxKnown) known_.clear();
  known_[level] = verdict;
  {
    std::lock_guard lock(mutex_);
    --inFlight_;
    // Waiting levels equal to this one need no search of their own.
    queue_.erase(std::remove(queue_.begin(), queue_.end(), level), queue_.end());
  }
  emit VerdictReady();
}

void VerdictChecker::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
    if (stop_) return;
    const LevelGrid level = queue_.front();
    queue_.pop_front();
    running_ = level;
    cancel_ = false;
    ++started_;
    std::shared_ptr<LevelSolver> solver = solver_;
    lock.unlock();
    // The search works on its own copy; the document may change meanwhile.
    Verdict verdict = solver ? solver->Solve(level, cancel_) : Verdict{};
    lock.lock();
    running_.reset();
    if (stop_) return;
    if (cancel_ || !solver) continue;
    ++inFlight_;
    QMetaObject::invokeMethod(
        this, [this, level, verdict = std::move(verdict)] { Known(level, verdict); },
        Qt::QueuedConnection);
  }
}

}  // namespace mapwright
