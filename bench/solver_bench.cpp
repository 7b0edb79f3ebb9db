// The solver on the whole built-in pack: the informed search (A* on its bound, interchangeable
// cubes, dead states dropped) against plain breadth-first search over the same moves. The
// plain search is bounded per level; the counters say how many levels it still finished.
//
//   build-levels/solver_bench --benchmark_min_time=0.01
//   FROSTLIDE_PACK=path/to/pack.cdn build-levels/solver_bench   (another pack)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/level_loader.h"
#include "engine/pack_reader.h"
#include "engine/solver.h"

namespace {

std::string PackPath() {
  if (const char* p = std::getenv("FROSTLIDE_PACK"); p != nullptr && *p != '\0') return p;
  return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "ogpice.cdn").string();
}

const std::vector<engine::Board>& Levels() {
  static const std::vector<engine::Board> levels = [] {
    std::vector<engine::Board> out;
    const std::string path = PackPath();
    engine::PackHeader header;
    {
      std::ifstream file;
      if (!engine::OpenBoundedFile(path, file)) return out;
      engine::LineReader reader(file);
      if (engine::ReadPackHeader(reader, header) != engine::HeaderStatus::Ok) return out;
    }
    for (int n = 1; n <= header.numberOfLevels; ++n) {
      std::ifstream file;
      if (!engine::OpenBoundedFile(path, file)) break;
      engine::LineReader reader(file);
      engine::Board board;
      engine::ClearCells(board);
      engine::FillBoard(board, engine::FindLevelRows(reader, n));
      out.push_back(board);
    }
    return out;
  }();
  return levels;
}

void SolveAll(benchmark::State& state, const engine::SolverOptions& options) {
  const auto& levels = Levels();
  if (levels.empty()) {
    state.SkipWithError("built-in pack not found");
    return;
  }
  double states = 0, finished = 0, moves = 0;
  for (auto _ : state) {
    states = finished = moves = 0;
    for (const engine::Board& board : levels) {
      const engine::SolveResult r = engine::Solve(board, options);
      states += static_cast<double>(r.statesVisited);
      if (r.status == engine::SolveStatus::Solved) {
        finished += 1;
        moves += static_cast<double>(r.moves.size());
      }
      benchmark::DoNotOptimize(r.moves.data());
    }
  }
  state.counters["levels"] = static_cast<double>(levels.size());
  state.counters["levels_solved"] = finished;
  state.counters["moves_total"] = moves;
  state.counters["states"] = states;
  state.counters["states_per_s"] = benchmark::Counter(states * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

void BM_SolvePackInformed(benchmark::State& state) {
  engine::SolverOptions options;
  options.maxStates = 20'000'000;
  SolveAll(state, options);
}

// Plain breadth-first, cubes kept apart, nothing pruned; bounded at range(0) states a level.
void BM_SolvePackPlain(benchmark::State& state) {
  engine::SolverOptions options = engine::SolverOptions::Plain();
  options.maxStates = static_cast<std::size_t>(state.range(0));
  SolveAll(state, options);
}

// One level at a time, both searches, for the table of single levels.
void BM_SolveLevel(benchmark::State& state) {
  const auto& levels = Levels();
  const auto index = static_cast<std::size_t>(state.range(0) - 1);
  if (index >= levels.size()) {
    state.SkipWithError("no such level");
    return;
  }
  engine::SolverOptions options = state.range(1) != 0 ? engine::SolverOptions::Plain() : engine::SolverOptions{};
  options.maxStates = 4'000'000;
  double states = 0;
  for (auto _ : state) {
    const engine::SolveResult r = engine::Solve(levels[index], options);
    states = static_cast<double>(r.statesVisited);
    state.counters["solved"] = r.status == engine::SolveStatus::Solved ? 1 : 0;
    state.counters["moves"] = static_cast<double>(r.moves.size());
  }
  state.counters["states"] = states;
  state.counters["states_per_s"] =
      benchmark::Counter(states * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_SolvePackInformed)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SolvePackPlain)->Arg(2'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SolveLevel)
    ->ArgsProduct({{1, 16, 32, 49, 66, 83, 100}, {0, 1}})
    ->ArgNames({"level", "plain"})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
