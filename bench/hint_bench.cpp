// The hint's answer time on the built-in pack, for every position along every level's stored
// solution, as the game gets it (the stored line answers at once; any other position goes to
// the bounded search), and the bounded search itself from positions near a level's end.
//
//   <build>/hint_bench                 the figures
//   <build>/hint_bench --sweep         every level, every position along its stored solution:
//                                      the hint's move lowers the solver's minimum by exactly
//                                      one (slow: minutes; prints what it checked)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/cube_movement.h"
#include "engine/hint.h"
#include "engine/records.h"
#include "platform/files.h"
#include "tools/levelgen/level_design.h"

namespace {

struct Position {
  int level = 0;
  std::size_t step = 0;
  engine::Board start, board;
};

struct PackPositions {
  std::vector<std::vector<engine::SolverMove>> lines;
  std::vector<Position> positions;
  bool ok = false;
};

const PackPositions& Positions() {
  static const PackPositions p = [] {
    PackPositions out;
    const std::string source = FROSTLIDE_SOURCE_DIR;
    std::vector<levelgen::Rows> levels;
    std::string text;
    if (!levelgen::ReadPackLevels(source + "/data/ogpice.cdn", levels) ||
        !platform::ReadFile(source + "/data/ogpice.solutions", text) || !engine::ParseSolutions(text, out.lines) ||
        out.lines.size() != levels.size() + 1) {
      return out;
    }
    for (std::size_t n = 1; n <= levels.size(); ++n) {
      const engine::Board start = levelgen::BoardFromRows(levels[n - 1]);
      engine::Board b = start;
      const auto& line = out.lines[n];
      for (std::size_t k = 0; k < line.size(); ++k) {
        out.positions.push_back({static_cast<int>(n), k, start, b});
        engine::SlideCube(b, line[k].x, line[k].y, line[k].direction);
      }
    }
    out.ok = true;
    return out;
  }();
  return p;
}

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Every position of the pack once per iteration; the slowest single answer is a counter.
void BM_GameHintEveryPositionOfThePack(benchmark::State& state) {
  const PackPositions& p = Positions();
  if (!p.ok) {
    state.SkipWithError("data/ogpice.cdn or its solutions missing");
    return;
  }
  double slowest = 0;
  for (auto _ : state) {
    for (const Position& pos : p.positions) {
      const auto t0 = std::chrono::steady_clock::now();
      engine::Hint h = engine::FindHintWithLine(pos.start, p.lines[static_cast<std::size_t>(pos.level)], pos.board);
      benchmark::DoNotOptimize(h);
      slowest = std::max(slowest, Ms(std::chrono::steady_clock::now() - t0));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * p.positions.size()));
  state.counters["positions"] = static_cast<double>(p.positions.size());
  state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_GameHintEveryPositionOfThePack)->Unit(benchmark::kMillisecond);

// The bounded search alone (no stored line), from the position `moves left` before the end of
// the pack's last level, the hardest of the pack.
void BM_SearchedHintNearTheEndOfLevel100(benchmark::State& state) {
  const PackPositions& p = Positions();
  if (!p.ok) {
    state.SkipWithError("data/ogpice.cdn or its solutions missing");
    return;
  }
  const auto& line = p.lines[100];
  const std::size_t left = static_cast<std::size_t>(state.range(0));
  const Position* pos = nullptr;
  for (const Position& q : p.positions)
    if (q.level == 100 && q.step + left == line.size()) pos = &q;
  if (!pos) {
    state.SkipWithError("level 100 is shorter");
    return;
  }
  for (auto _ : state) {
    engine::Hint h = engine::FindHint(pos->board);
    benchmark::DoNotOptimize(h);
  }
}
BENCHMARK(BM_SearchedHintNearTheEndOfLevel100)->Arg(4)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

int Minimum(const engine::Board& board) {
  const engine::SolveResult r = engine::Solve(board, engine::HintSearchOptions());
  return r.status == engine::SolveStatus::Solved ? static_cast<int>(r.moves.size()) : -1;
}

int Sweep() {
  const PackPositions& p = Positions();
  if (!p.ok) {
    std::fprintf(stderr, "data/ogpice.cdn or its solutions missing\n");
    return 2;
  }
  int wrong = 0;
  double slowestHint = 0;
  const auto begin = std::chrono::steady_clock::now();
  for (const Position& pos : p.positions) {
    const auto t0 = std::chrono::steady_clock::now();
    const engine::Hint h = engine::FindHintWithLine(pos.start, p.lines[static_cast<std::size_t>(pos.level)], pos.board);
    slowestHint = std::max(slowestHint, Ms(std::chrono::steady_clock::now() - t0));
    bool good = h.kind == engine::HintKind::Move;
    int before = -1, after = -1;
    if (good) {
      engine::Board next = pos.board;
      engine::SlideCube(next, h.move.x, h.move.y, h.move.direction);
      before = Minimum(pos.board);
      after = h.movesToWin == 1 ? 0 : Minimum(next);
      good = before == h.movesToWin && after == before - 1;
    }
    if (!good) {
      ++wrong;
      std::printf("level %d after %zu moves: hint %s, minimum %d then %d\n", pos.level, pos.step,
                  h.kind == engine::HintKind::Move ? engine::FormatMoves({h.move}).c_str() : "none", before, after);
    }
  }
  std::printf("%zu positions of 100 levels: %d wrong; slowest hint %.2f ms; sweep %.0f s\n", p.positions.size(),
              wrong, slowestHint, Ms(std::chrono::steady_clock::now() - begin) / 1000.0);
  return wrong == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--sweep") == 0) return Sweep();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
