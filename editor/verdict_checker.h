#pragma once
// Decides levels on a worker thread while the designer goes on painting. The worker searches a
// copy of each level; the next change cancels the search under way at once, and a finished
// verdict reaches the window's thread through a queued call. Nothing on the window's thread
// ever waits for a search.
#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "editor/level_verdict.h"

namespace mapwright {

class VerdictChecker : public QObject {
  Q_OBJECT
 public:
  // How long the levels must stay unchanged before a search starts: a stroke of many cells
  // starts one search, not one per cell.
  static constexpr int kSettleMs = 120;

  explicit VerdictChecker(std::shared_ptr<LevelSolver> solver, QObject* parent = nullptr);
  ~VerdictChecker() override;
  VerdictChecker(const VerdictChecker&) = delete;
  VerdictChecker& operator=(const VerdictChecker&) = delete;

  void SetSolver(std::shared_ptr<LevelSolver> solver);

  // What is known of a level now: Unsolvable at once when a colour is short of cubes, a
  // finished search's verdict, else Pending.
  Verdict Lookup(const LevelGrid& level) const;

  // The levels of the document, the one on the canvas first. When they differ from the last
  // ones given, the search under way stops at once and, once they have settled, the undecided
  // ones are searched in this order.
  void LevelsChanged(const std::vector<LevelGrid>& levels);

  // Starts searching what LevelsChanged last gave without waiting for it to settle.
  void SearchNow();

  // True while a search runs or levels wait for one (tests wait on this).
  bool Working() const;
  // How many searches the solver has been asked to run, cancelled ones included.
  std::size_t searchesStarted() const;

 signals:
  // A search finished; Lookup now knows its level.
  void VerdictReady();

 private:
  void Work();
  void Queue(const std::vector<LevelGrid>& levels);
  void Known(const LevelGrid& level, const Verdict& verdict);

  // Window thread only.
  std::map<LevelGrid, Verdict> known_;
  std::vector<LevelGrid> levels_;
  QTimer settle_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::shared_ptr<LevelSolver> solver_;     // guarded
  std::deque<LevelGrid> queue_;             // guarded
  std::optional<LevelGrid> running_;        // guarded
  std::size_t inFlight_ = 0;                // guarded: finished, not yet known on the window's thread
  std::size_t started_ = 0;                 // guarded
  bool stop_ = false;                       // guarded
  std::atomic<bool> cancel_{false};
  std::thread thread_;
};

}  // namespace mapwright
