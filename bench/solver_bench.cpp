// The solver on the whole built-in pack. First a side-by-side run, each in a process of its own
// so that each gets its own peak memory: the first informed search (SolverOptions::Classic())
// against today's default, with the time ratio and a check that every level's minimum agrees.
// The default uses a second thread on big searches: wall time is what a player waits, processor
// time what the machine spends. Then the Google Benchmark cases: the informed search against plain breadth-first search over
// the same moves (bounded per level; the counters say how many levels it still finished).
//
//   build-levels/solver_bench --benchmark_min_time=0.01
//   build-levels/solver_bench --compare-only              (just the side-by-side run)
//   FROSTLIDE_PACK=path/to/pack.cdn build-levels/solver_bench   (another pack)
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

namespace {

struct PackRun {
  bool ok = false;
  double seconds = 0;          // wall clock, as the child measured it
  double cpuSeconds = 0;       // the child's processor time: steadier on a busy machine
  double states = 0;
  long peakKb = 0;             // the process's peak resident memory
  std::vector<long> minimum;   // per level: moves, or -1 when not solved
};

// Solves every level with `options` in a child process and reads back what it found.
PackRun RunInChild(const engine::SolverOptions& options) {
  PackRun run;
  const auto& levels = Levels();
  int fds[2];
  if (pipe(fds) != 0) return run;
  const pid_t pid = fork();
  if (pid < 0) return run;
  if (pid == 0) {
    close(fds[0]);
    FILE* out = fdopen(fds[1], "w");
    double states = 0;
    std::vector<long> minimum;
    const auto t0 = std::chrono::steady_clock::now();
    for (const engine::Board& board : levels) {
      const engine::SolveResult r = engine::Solve(board, options);
      states += static_cast<double>(r.statesVisited);
      minimum.push_back(r.status == engine::SolveStatus::Solved ? static_cast<long>(r.moves.size()) : -1);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::fprintf(out, "%.6f %.0f", seconds, states);
    for (long m : minimum) std::fprintf(out, " %ld", m);
    std::fclose(out);
    _exit(0);
  }
  close(fds[1]);
  FILE* in = fdopen(fds[0], "r");
  run.ok = std::fscanf(in, "%lf %lf", &run.seconds, &run.states) == 2;
  for (long m = 0; run.ok && std::fscanf(in, "%ld", &m) == 1;) run.minimum.push_back(m);
  std::fclose(in);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) run.ok = false;
  run.peakKb = usage.ru_maxrss;
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  run.ok = run.ok && run.minimum.size() == levels.size();
  return run;
}

// Prints the two configurations side by side; false when a run failed or a minimum differs.
bool CompareConfigurations() {
  const auto& levels = Levels();
  if (levels.empty()) {
    std::fprintf(stderr, "built-in pack not found\n");
    return false;
  }
  engine::SolverOptions classic = engine::SolverOptions::Classic();
  engine::SolverOptions today;
  // Room enough for the first search on the deepest levels.
  classic.maxStates = today.maxStates = 60'000'000;
  classic.maxMemoryBytes = today.maxMemoryBytes = std::size_t{4} << 30;
  const PackRun a = RunInChild(classic);
  const PackRun b = RunInChild(today);
  if (!a.ok || !b.ok) {
    std::fprintf(stderr, "a solving run failed\n");
    return false;
  }
  auto solved = [](const PackRun& r) {
    long n = 0;
    for (long m : r.minimum) n += m >= 0;
    return n;
  };
  std::printf("%zu levels of %s\n", levels.size(), PackPath().c_str());
  std::printf("%-20s %7s %11s %10s %10s %11s %13s\n", "configuration", "solved", "states", "wall s", "cpu s",
              "states/cpu s", "peak RSS");
  for (const auto& [name, r] : {std::pair{"classic (first A*)", &a}, std::pair{"default", &b}}) {
    std::printf("%-20s %7ld %11.0f %10.3f %10.3f %11.0f %9ld KiB\n", name, solved(*r), r->states, r->seconds,
                r->cpuSeconds, r->states / r->cpuSeconds, r->peakKb);
  }
  std::printf("ratio default / classic: cpu time %.3f, wall time %.3f, states %.3f, peak memory %.3f\n",
              b.cpuSeconds / a.cpuSeconds, b.seconds / a.seconds, b.states / a.states,
              static_cast<double>(b.peakKb) / static_cast<double>(a.peakKb));
  bool same = true;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (a.minimum[i] != b.minimum[i]) {
      std::printf("level %zu: classic %ld moves, default %ld moves\n", i + 1, a.minimum[i], b.minimum[i]);
      same = false;
    }
  }
  std::printf(same ? "every level: the same minimum number of moves\n" : "MINIMA DIFFER\n");
  std::fflush(stdout);
  return same;
}

}  // namespace

int main(int argc, char** argv) {
  bool compareOnly = false;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--compare-only") == 0) {
      compareOnly = true;
    } else {
      rest.push_back(argv[i]);
    }
  }
  const bool same = CompareConfigurations();
  if (compareOnly) return same ? 0 : 1;
  int count = static_cast<int>(rest.size());
  benchmark::Initialize(&count, rest.data());
  if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return same ? 0 : 1;
}
