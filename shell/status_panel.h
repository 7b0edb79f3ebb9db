#pragma once
// The game screen's status panel: which level this is, the moves made, par, the player's best,
// the hint and what the solver knows about the position. It follows the engine through the
// host's LevelSetUp / PositionChanged / LevelSolved, and keeps the solver off the window thread
// (solver_worker.h): par of a pack without stored solutions, and after every move whether the
// position can still be won, which is also the hint's answer.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/hint.h"
#include "presentation/loop_tasks.h"
#include "shell/solver_worker.h"

namespace shell {

struct StatusPanelDeps {
  engine::Game& game;
  std::string appPath;  // program folder, ends in '/': the built-in pack and its solutions
  PositionSolver& solver;
  // Where worker answers and timed steps go (the window). Without one no answer arrives and
  // nothing expires.
  presentation::LoopPoster* loop = nullptr;
  // The panel's texts or the hint's flash changed.
  std::function<void()> changed;
};

class StatusPanel {
 public:
  static constexpr std::uint32_t kSolvedMomentMs = 3500;
  static constexpr std::uint32_t kNoticeMs = 4000;
  static constexpr std::uint32_t kFlashStepMs = 250;
  static constexpr int kFlashSteps = 7;  // on, off, on, ... ending on

  explicit StatusPanel(StatusPanelDeps deps);
  ~StatusPanel();
  StatusPanel(const StatusPanel&) = delete;
  StatusPanel& operator=(const StatusPanel&) = delete;

  // The host's news from the engine.
  void LevelSetUp();
  void PositionChanged();
  void LevelSolved(int level, int moves, bool newBest);
  // Key H or the hint button.
  void RequestHint();
  // Quit: the searches stop, nothing more arrives.
  void Stop();

  // "Level 12 of 100", "Moves 7", "Par 9" / "Par -", "Best 8" / "Best -".
  std::string LevelText() const;
  std::string MovesText() const;
  std::string ParText() const;
  std::string BestText() const;
  // The notice under the menu: the solved moment, or what the solver says of the position; one
  // entry per line, empty for none.
  std::vector<std::string> NoticeLines() const;
  // The same as one sentence ("No way to win from here: Undo or Restart").
  std::string NoticeText() const;

  struct Flash {
    int x = 0, y = 0;  // cell of the cube
    engine::Direction direction = engine::Direction::None;
    engine::CubeColor color = engine::CubeColor::None;
  };
  // The hint's arrow while it is lit.
  std::optional<Flash> LitFlash() const;
  // The position's analysis or a par search is under way.
  bool Searching() const;
  // Par of the level being played, 0 while unknown.
  int par() const { return par_; }

 private:
  enum class Notice { None, Solved, NoWay, NoHint };
  void ApplyStoredPar();
  void AnalysePosition();
  void OnAnalysis(const engine::Hint& hint);
  void ShowHint();
  void SetNotice(Notice n, std::uint32_t ms);
  void StepFlash(std::uint64_t token, int step);
  void Changed();

  StatusPanelDeps d_;
  SolverWorker parWorker_;
  SolverWorker positionWorker_;
  // The built-in pack's stored solutions, read once.
  bool solutionsRead_ = false;
  std::vector<std::vector<engine::SolverMove>> solutions_;
  // The level being played as it was set up, with its stored line when that line wins it.
  engine::Board levelStart_;
  std::optional<std::vector<engine::SolverMove>> line_;

  int par_ = 0;
  bool parSearching_ = false;
  // Par the solver found (0: it gave up) for levels of the pack played, so a restart does not
  // search again.
  std::string searchedPack_;
  std::map<int, int> searchedPar_;
  std::optional<engine::Hint> analysis_;  // of the position as it stands
  bool hintWanted_ = false;

  Notice notice_ = Notice::None;
  int solvedMoves_ = 0;
  bool solvedInPar_ = false;
  bool solvedNewBest_ = false;
  std::optional<Flash> flash_;
  bool flashOn_ = false;
  // Timed steps carry the token they were posted with; a later change makes them stale.
  std::uint64_t noticeToken_ = 0;
  std::uint64_t flashToken_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace shell
