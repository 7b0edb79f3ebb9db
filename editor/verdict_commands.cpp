// Mapwright's verdicts: the status line and the list entries that say whether each level can be
// solved, and Show solution, which plays the shortest solution on the canvas.
#include <algorithm>

#include "editor/level_editor.h"
#include "engine/cell_codes.h"
#include "engine/cube_movement.h"

namespace mapwright {

namespace {

// A move every half second: the pushed cube shows its arrow first, then slides a cell per
// frame, and the rest of the half second shows where it came to rest.
constexpr int kMoveMs = 500;
constexpr int kStepMs = 40;
constexpr int kArrowMs = 150;
// The solved level stays on the canvas this long before the level comes back by itself.
constexpr int kEndHoldMs = 1500;

// Records the board before every cell of a slide, arrows and closing trapdoors included.
struct FrameRecorder {
  const engine::Board* board = nullptr;
  std::vector<engine::Board> steps;
  void Motion(int, int, engine::Direction, int, engine::CubeColor) { steps.push_back(*board); }
  void TrapdoorClosed(int, int) {}
  void Crushed(int, int) {}
  void CrackedBroken(int, int) {}
};

char GroundChar(const engine::Cell& cell) {
  using engine::CellKind;
  switch (cell.kind) {
    case CellKind::Sphere:
    case CellKind::CubeOnSphere: return engine::SphereLetter(cell.sphereColor);
    case CellKind::Trapdoor:
    case CellKind::CubeOnTrapdoor: return 'T';
    case CellKind::Block: return 'X';
    case CellKind::CrackedBlock: return 'x';
    case CellKind::CrushBlock: return 'C';
    default: break;
  }
  return kEmptyCell;
}

}  // namespace

void LevelEditor::LevelsChanged() {
  // Anything that changes the levels while a solution is shown ends the showing first.
  if (controls_.showingSolution) StopSolution();
  std::vector<LevelGrid> levels;
  levels.reserve(static_cast<std::size_t>(pack_.numberOfLevels) + 1);
  if (pack_.numberOfLevels > 0 && pack_.shownLevel > 0) levels.push_back(pack_.working());
  for (int n = 1; n <= pack_.numberOfLevels; ++n) levels.push_back(pack_.levels[static_cast<std::size_t>(n)]);
  checker_.LevelsChanged(levels);
  UpdateVerdictTexts();
}

void LevelEditor::UpdateVerdictTexts() {
  if (controls_.showingSolution) return;
  controls_.statusText =
      pack_.numberOfLevels > 0 && pack_.shownLevel > 0 ? VerdictText(VerdictOf(pack_.working())) : "";
  controls_.levelVerdicts.assign(controls_.levelEntries.size(), "");
  for (std::size_t i = 0; i < controls_.levelEntries.size(); ++i) {
    const std::size_t slot = i + 1;
    if (slot >= pack_.levels.size() || static_cast<int>(slot) > pack_.numberOfLevels) break;
    controls_.levelVerdicts[i] = ListSuffix(VerdictOf(pack_.levels[slot]));
  }
}

void LevelEditor::VerdictArrived() {
  // In the middle of a load or save the pack is half built; the command's own update at its
  // end brings the texts up to date.
  if (pack_.busy || pumping()) return;
  UpdateVerdictTexts();
  if (view_ != nullptr) view_->VerdictsChanged();
}

std::string LevelEditor::ProvedUnsolvable() const {
  std::string list;
  for (int n = 1; n <= pack_.numberOfLevels; ++n) {
    const LevelGrid& level = pack_.levels[static_cast<std::size_t>(n)];
    // Levels short of cubes were named by the count question already.
    if (!mapwright::HasEnoughCubes(level)) continue;
    if (VerdictOf(level).kind == Verdict::Kind::Unsolvable) list += " " + std::to_string(n);
  }
  return list;
}

// ---------------------------------------------------------------------------------------------
// Show solution

void LevelEditor::ShowSolution() {
  if (controls_.showingSolution) {
    StopSolution();
    return;
  }
  if (pack_.numberOfLevels <= 0 || pack_.shownLevel <= 0 || pack_.busy) return;
  const Verdict verdict = VerdictOf(pack_.working());
  if (verdict.kind != Verdict::Kind::Solvable) {
    // Nothing to show yet, or nothing at all: the status line says which.
    checker_.SearchNow();
    return;
  }
  solutionFrames_.clear();
  engine::Board board = BoardFromLevel(pack_.working());
  solutionFrames_.push_back({board, kArrowMs, 0});
  int move = 0;
  for (const engine::SolverMove& m : verdict.moves) {
    ++move;
    board.at(m.x, m.y).arrow = static_cast<std::int32_t>(m.direction);
    FrameRecorder recorder;
    recorder.board = &board;
    engine::SlideCubeWith(board, m.x, m.y, m.direction, recorder);
    int used = 0;
    for (std::size_t i = 0; i < recorder.steps.size(); ++i) {
      const int delay = i == 0 ? kArrowMs : kStepMs;
      solutionFrames_.push_back({recorder.steps[i], delay, move});
      used += delay;
    }
    solutionFrames_.push_back({board, std::max(kMoveMs - used, kStepMs), move});
  }
  solutionFrames_.back().delayMs = kEndHoldMs;
  solutionMoves_ = move;
  solutionAt_ = 0;
  controls_.showingSolution = true;
  canvas_.ClearHoverFrame();
  SolutionFrame();
}

void LevelEditor::SolutionFrame() {
  if (!controls_.showingSolution) return;
  if (solutionAt_ >= solutionFrames_.size()) {
    StopSolution();
    return;
  }
  const SolutionFrameInfo& frame = solutionFrames_[solutionAt_++];
  DrawBoard(frame.board);
  controls_.statusText = "Showing the solution: move " + std::to_string(std::max(frame.move, 1)) +
                         " of " + std::to_string(solutionMoves_) +
                         " (any key or click ends it)";
  if (view_ != nullptr) view_->VerdictsChanged();
  solutionTimer_.start(frame.delayMs);
}

void LevelEditor::StopSolution() {
  if (!controls_.showingSolution) return;
  solutionTimer_.stop();
  controls_.showingSolution = false;
  solutionFrames_.clear();
  // The canvas shows the level exactly as it is; nothing of the playing was kept.
  canvas_.DrawLevel(pack_.working());
  Refresh();
  UpdateVerdictTexts();
  if (view_ != nullptr) view_->VerdictsChanged();
}

void LevelEditor::DrawBoard(const engine::Board& board) {
  for (int row = 0; row < kGridSize; ++row)
    for (int col = 0; col < kGridSize; ++col) {
      const engine::Cell& cell = board.at(col + 1, row + 1);
      const char cube = engine::IsCubeKind(cell.kind) ? engine::CubeLetter(cell.cubeColor) : '\0';
      canvas_.DrawPlayCell(col, row, GroundChar(cell), cube, cube != '\0' ? cell.arrow : 0);
    }
  Refresh();
}

}  // namespace mapwright
