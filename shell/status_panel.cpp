#include "shell/status_panel.h"

#include "engine/game_rules.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace shell {

namespace {
SolverWorker::Deliver DeliverTo(presentation::LoopPoster* loop) {
  return [loop](std::function<void()> task) {
    if (loop) loop->Post(std::move(task));
  };
}

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

StatusPanel::StatusPanel(StatusPanelDeps deps)
    : d_(std::move(deps)), parWorker_(d_.solver, DeliverTo(d_.loop)), positionWorker_(d_.solver, DeliverTo(d_.loop)) {}

StatusPanel::~StatusPanel() { Stop(); }

void StatusPanel::Stop() {
  parWorker_.Cancel();
  positionWorker_.Cancel();
  ++noticeToken_;
  ++flashToken_;
}

void StatusPanel::Changed() {
  if (d_.changed) d_.changed();
}

void StatusPanel::LevelSetUp() {
  const engine::GameState& st = d_.game.state();
  // Whatever was being worked out belongs to the level that went.
  parWorker_.Cancel();
  positionWorker_.Cancel();
  analysis_.reset();
  hintWanted_ = false;
  flash_.reset();
  ++flashToken_;
  if (notice_ != Notice::None) SetNotice(Notice::None, 0);

  ApplyStoredPar();
  par_ = d_.game.KnownPar(st.currentLevel);
  parSearching_ = false;
  const bool stored = !solutions_.empty() && static_cast<std::size_t>(st.currentLevel) < solutions_.size() &&
                      par_ == static_cast<int>(solutions_[static_cast<std::size_t>(st.currentLevel)].size()) &&
                      engine::LineWins(st.board, solutions_[static_cast<std::size_t>(st.currentLevel)]);
  levelStart_ = st.board;
  if (stored) {
    line_ = solutions_[static_cast<std::size_t>(st.currentLevel)];
  } else {
    line_.reset();
  }
  if (searchedPack_ != st.packPath) {
    searchedPack_ = st.packPath;
    searchedPar_.clear();
  }
  const auto searched = searchedPar_.find(st.currentLevel);
  if (!stored && searched != searchedPar_.end()) {
    par_ = searched->second;
    d_.game.SetKnownPar(st.currentLevel, par_);
  }
  if (stored || searched != searchedPar_.end() || engine::IsSolved(st.board)) {
    AnalysePosition();
  } else {
    // Par from the solver; its answer is also the analysis of the start position.
    par_ = 0;
    parSearching_ = true;
    const int level = st.currentLevel;
    parWorker_.Submit(st.board, [this, level](const engine::Hint& h) {
      parSearching_ = false;
      par_ = h.kind == engine::HintKind::Move ? h.movesToWin : 0;
      if (!h.cancelled) searchedPar_[level] = par_;
      d_.game.SetKnownPar(level, par_);
      if (d_.game.state().moves == 0 && !positionWorker_.Busy()) OnAnalysis(h);
      Changed();
    });
  }
  Changed();
}

void StatusPanel::ApplyStoredPar() {
  const engine::GameState& st = d_.game.state();
  const std::string builtIn = d_.appPath + "data/ogpice.cdn";
  if (!platform::SameFile(platform::ResolvePath(st.packPath), platform::ResolvePath(builtIn))) {
    solutions_.clear();
    solutionsRead_ = false;
    return;
  }
  if (!solutionsRead_) {
    solutionsRead_ = true;
    std::string text;
    std::vector<std::vector<engine::SolverMove>> lines;
    if (platform::ReadFile(platform::ResolvePath(engine::SolutionsPathFor(builtIn)), text, 1u << 20) &&
        engine::ParseSolutions(text, lines)) {
      solutions_ = std::move(lines);
    }
  }
  // Only a file with a line for every level belongs to this pack.
  if (solutions_.size() != static_cast<std::size_t>(st.numberOfLevels) + 1) {
    solutions_.clear();
    return;
  }
  // The stored lines are the pack's own: they decide par over what an older record says, unless
  // the level's own line proved wrong and the solver was asked instead.
  for (int n = 1; n <= st.numberOfLevels; ++n) {
    const auto searched = searchedPar_.find(n);
    const bool ownSearch = searchedPack_ == st.packPath && searched != searchedPar_.end();
    d_.game.SetKnownPar(n, ownSearch ? searched->second : static_cast<int>(solutions_[static_cast<std::size_t>(n)].size()));
  }
}

void StatusPanel::PositionChanged() {
  analysis_.reset();
  flash_.reset();
  ++flashToken_;
  // The next move or undo clears what the solver said of the old position.
  if (notice_ == Notice::NoWay || notice_ == Notice::NoHint) SetNotice(Notice::None, 0);
  AnalysePosition();
  Changed();
}

void StatusPanel::AnalysePosition() {
  const engine::Board& board = d_.game.state().board;
  if (engine::IsSolved(board)) {
    positionWorker_.Cancel();
    analysis_ = engine::Hint{engine::HintKind::Nothing, {}, 0, false};
    return;
  }
  // On the stored line the answer is known at once.
  if (line_) {
    if (auto h = engine::HintAlongLine(levelStart_, *line_, board)) {
      positionWorker_.Cancel();
      OnAnalysis(*h);
      return;
    }
  }
  positionWorker_.Submit(board, [this](const engine::Hint& h) { OnAnalysis(h); });
}

void StatusPanel::OnAnalysis(const engine::Hint& h) {
  analysis_ = h;
  if (h.kind == engine::HintKind::NoWayToWin) {
    SetNotice(Notice::NoWay, 0);
  } else if (hintWanted_) {
    ShowHint();
  }
  hintWanted_ = false;
  Changed();
}

void StatusPanel::LevelSolved(int level, int moves, bool newBest) {
  solvedMoves_ = moves;
  const int par = d_.game.KnownPar(level);
  solvedInPar_ = par >= 1 && moves <= par;
  solvedNewBest_ = newBest;
  SetNotice(Notice::Solved, kSolvedMomentMs);
  Changed();
}

void StatusPanel::RequestHint() {
  const engine::Board& board = d_.game.state().board;
  // Nothing to hint on a won or empty board.
  if (engine::IsSolved(board)) return;
  if (!analysis_) {
    hintWanted_ = true;
    if (!positionWorker_.Busy() && !parSearching_) AnalysePosition();
    return;
  }
  ShowHint();
  Changed();
}

void StatusPanel::ShowHint() {
  if (!analysis_) return;
  switch (analysis_->kind) {
    case engine::HintKind::Move: {
      const engine::SolverMove& m = analysis_->move;
      flash_ = Flash{m.x, m.y, m.direction, d_.game.state().board.at(m.x, m.y).cubeColor};
      StepFlash(++flashToken_, 0);
      break;
    }
    case engine::HintKind::NoWayToWin: SetNotice(Notice::NoWay, 0); break;
    case engine::HintKind::NotFound: SetNotice(Notice::NoHint, kNoticeMs); break;
    case engine::HintKind::Nothing: break;
  }
}

void StatusPanel::StepFlash(std::uint64_t token, int step) {
  if (token != flashToken_) return;
  if (step >= kFlashSteps) {
    flash_.reset();
    Changed();
    return;
  }
  flashOn_ = step % 2 == 0;
  Changed();
  if (!d_.loop) return;
  std::weak_ptr<bool> alive = alive_;
  d_.loop->PostAfter(kFlashStepMs, [this, alive, token, step] {
    if (alive.lock()) StepFlash(token, step + 1);
  });
}

void StatusPanel::SetNotice(Notice n, std::uint32_t ms) {
  notice_ = n;
  const std::uint64_t token = ++noticeToken_;
  if (ms == 0 || !d_.loop) return;
  std::weak_ptr<bool> alive = alive_;
  d_.loop->PostAfter(ms, [this, alive, token] {
    if (!alive.lock() || token != noticeToken_) return;
    notice_ = Notice::None;
    Changed();
  });
}

std::string StatusPanel::LevelText() const {
  const engine::GameState& st = d_.game.state();
  return "Level " + std::to_string(st.currentLevel) + " of " + std::to_string(st.numberOfLevels);
}

std::string StatusPanel::MovesText() const { return "Moves " + std::to_string(d_.game.state().moves); }

std::string StatusPanel::ParText() const { return par_ >= 1 ? "Par " + std::to_string(par_) : "Par -"; }

std::string StatusPanel::BestText() const {
  const int best = d_.game.BestMoves(d_.game.state().currentLevel);
  return best >= 1 ? "Best " + std::to_string(best) : "Best -";
}

std::vector<std::string> StatusPanel::NoticeLines() const {
  switch (notice_) {
    case Notice::None: return {};
    case Notice::Solved: {
      std::vector<std::string> lines{"Solved in " + Count(solvedMoves_, "move", "moves")};
      std::string praise;
      if (solvedInPar_) praise = "Par!";
      if (solvedNewBest_) praise += praise.empty() ? "New best!" : " New best!";
      if (!praise.empty()) lines.push_back(praise);
      return lines;
    }
    case Notice::NoWay: return {"No way to win from here:", "Undo or Restart"};
    case Notice::NoHint: return {"No hint found"};
  }
  return {};
}

std::string StatusPanel::NoticeText() const {
  std::string text;
  for (const std::string& line : NoticeLines()) text += (text.empty() ? "" : " ") + line;
  return text;
}

std::optional<StatusPanel::Flash> StatusPanel::LitFlash() const {
  if (flash_ && flashOn_) return flash_;
  return std::nullopt;
}

bool StatusPanel::Searching() const { return parSearching_ || positionWorker_.Busy(); }

}  // namespace shell
