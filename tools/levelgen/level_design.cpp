#include "tools/levelgen/level_design.h"

#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "engine/level_loader.h"
#include "engine/pack_reader.h"
#include "engine/simulation.h"

namespace levelgen {

using engine::Board;
using engine::CellKind;

Board BoardFromRows(const Rows& rows) { return engine::LoadBoardFromRows(rows); }

Grade GradeLevel(const Rows& rows, std::size_t maxStates) {
  Grade g;
  const Board start = BoardFromRows(rows);
  engine::SolverOptions opt;
  opt.maxStates = maxStates;
  // One thread: generation runs beside other work, and the grade is the same either way.
  opt.threads = 1;
  const engine::SolveResult r = engine::Solve(start, opt);
  g.status = r.status;
  g.states = r.statesVisited;
  if (r.status != engine::SolveStatus::Solved) return g;
  g.solution = r.moves;
  g.moves = static_cast<int>(r.moves.size());

  // Replay through the engine's slide and count what happened on the way.
  Board b = start;
  std::set<std::pair<int, int>> moved;  // cells where a cube that has moved now rests
  std::set<std::pair<int, int>> seen;   // start cells of cubes moved the first time
  for (const engine::SolverMove& m : r.moves) {
    int trapsBefore = 0, trapsAfter = 0;
    for (int x = 1; x <= engine::kBoardSize; ++x)
      for (int y = 1; y <= engine::kBoardSize; ++y) {
        CellKind k = b.at(x, y).kind;
        trapsBefore += (k == CellKind::Trapdoor || k == CellKind::CubeOnTrapdoor);
      }
    const std::pair<int, int> from{m.x, m.y};
    if (!moved.count(from)) seen.insert(from);
    moved.erase(from);
    const engine::MoveOutcome out = engine::SlideCube(b, m.x, m.y, m.direction);
    for (int x = 1; x <= engine::kBoardSize; ++x)
      for (int y = 1; y <= engine::kBoardSize; ++y) {
        CellKind k = b.at(x, y).kind;
        trapsAfter += (k == CellKind::Trapdoor || k == CellKind::CubeOnTrapdoor);
      }
    g.trapsClosed += trapsBefore - trapsAfter;
    if (out.brokenDirection != engine::Direction::None) ++g.breaks;
    if (out.crushed) {
      ++g.crushes;
      continue;
    }
    moved.insert({out.toX, out.toY});
    if (!engine::AtEdge(out.toX, out.toY, m.direction)) {
      auto [nx, ny] = engine::StepFrom(out.toX, out.toY, m.direction);
      if (engine::IsCubeKind(b.at(nx, ny).kind)) ++g.cubeStops;
    }
  }
  g.cubesMoved = static_cast<int>(seen.size());
  return g;
}

NoviceResult MeasureNovice(const Rows& rows, int minimumMoves, int tries, std::uint64_t seed) {
  NoviceResult result;
  const Board start = BoardFromRows(rows);
  engine::LowerBoundEstimator bound(start);
  const int startBound = bound.Estimate(start);
  constexpr engine::Direction kPushes[] = {engine::Direction::Left, engine::Direction::Right, engine::Direction::Up,
                                           engine::Direction::Down};
  struct Option {
    engine::SolverMove move;
    int bound;
    bool wins;
  };
  std::vector<Option> options, lowering;
  for (int t = 0; t < tries; ++t) {
    ++result.tries;
    std::mt19937_64 rng(seed + static_cast<std::uint64_t>(t));
    Board board = start;
    int current = startBound;
    bool won = false;
    for (int step = 0; step < 3 * minimumMoves && !won && current != engine::kCannotWin; ++step) {
      options.clear();
      lowering.clear();
      for (int y = 1; y <= engine::kBoardSize; ++y)
        for (int x = 1; x <= engine::kBoardSize; ++x)
          for (engine::Direction d : kPushes) {
            if (!engine::CanPush(board, x, y, d)) continue;
            Board next = board;
            const engine::MoveOutcome out = engine::SlideCube(next, x, y, d);
            const Option o{{x, y, d}, bound.Estimate(next), !out.crushed && engine::IsSolved(next)};
            options.push_back(o);
            if (o.bound < current) lowering.push_back(o);
          }
      if (options.empty()) break;
      const std::vector<Option>& pool = lowering.empty() ? options : lowering;
      const Option& pick =
          pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)];
      engine::SlideCube(board, pick.move.x, pick.move.y, pick.move.direction);
      current = pick.bound;
      won = pick.wins;
    }
    if (won) ++result.wins;
  }
  return result;
}

std::string FormatPack(const std::string& title, const std::string& author, const std::string& comment,
                       const std::vector<Rows>& levels) {
  std::string out;
  auto line = [&](const std::string& s) {
    out += s;
    out += "\r\n";
  };
  line("[PackHeader]");
  line("CollectionName=" + title);
  line("Author=" + author);
  line("Comment=" + comment);
  line("NumberOfLevels=" + std::to_string(levels.size()));
  line("");
  for (std::size_t i = 0; i < levels.size(); ++i) {
    line("[Level" + std::to_string(i + 1) + "Data]");
    for (const std::string& row : levels[i]) {
      std::string r = row.substr(0, engine::kBoardSize);
      r.resize(engine::kBoardSize, '.');
      line(r);
    }
    line("");
  }
  return out;
}

bool ReadPackLevels(const std::string& path, std::vector<Rows>& levels, std::string* title) {
  engine::PackHeader header;
  {
    std::ifstream file;
    if (!engine::OpenBoundedFile(path, file)) return false;
    engine::LineReader reader(file);
    if (engine::ReadPackHeader(reader, header) != engine::HeaderStatus::Ok) return false;
  }
  if (title != nullptr) *title = header.collectionName;
  levels.clear();
  for (int n = 1; n <= header.numberOfLevels; ++n) {
    std::ifstream file;
    if (!engine::OpenBoundedFile(path, file)) return false;
    engine::LineReader reader(file);
    const engine::LevelRows found = engine::FindLevelRows(reader, n);
    Rows rows;
    for (int y = 0; y < engine::kBoardSize; ++y) {
      std::string r = y < found.rowCount ? found.rows[static_cast<std::size_t>(y)] : std::string();
      r = r.substr(0, engine::kBoardSize);
      r.resize(engine::kBoardSize, '.');
      rows[static_cast<std::size_t>(y)] = r;
    }
    levels.push_back(rows);
  }
  return true;
}

}  // namespace levelgen
