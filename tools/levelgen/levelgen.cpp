// levelgen: makes the built-in level pack.
//
//   levelgen generate PARAMS OUTDIR [--levels A-B]   searches the levels PARAMS describes and
//                                                    writes OUTDIR/levelNNN.txt, one per level
//   levelgen pack PARAMS OUTDIR PACK SOLUTIONS [--plain-limit N]
//                                                    grades every level again, writes the pack
//                                                    and the solutions, prints the table (with
//                                                    the states of a plain search bounded at N)
//   levelgen grade PACK [LEVEL]                      prints moves and states of a pack's levels
//
// A level of PARAMS is either written out by hand ("fixed", followed by its 15 rows) or
// described by a line of key=value pairs that drive a seeded search: a room shape with walls
// placed in mirror symmetry, cubes and spheres, the chapter's mechanic, then hill-climbing on
// the solver's minimum number of moves (and states) towards the target range. The search is
// deterministic for a given line, so the pack can be made again byte for byte.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tools/levelgen/level_design.h"

namespace levelgen {
namespace {

constexpr int N = engine::kBoardSize;

struct LevelRecipe {
  int level = 0;
  bool fixed = false;
  Rows rows;  // fixed levels
  std::uint64_t seed = 1;
  int width = 9, height = 9;
  std::string shape = "rect";  // rect, oct, cross, twin, hall
  std::string sym = "lr";      // lr, ud, rot, quad
  std::string cubes = "R";     // cube letters
  std::string spheres = "r";   // sphere letters
  int walls = 4;               // symmetric wall pieces inside the room
  int cracked = 0, traps = 0, crush = 0;
  int lo = 1, hi = 3;          // target minimum moves
  int iters = 150;             // hill-climbing steps per restart
  int restarts = 6;
  std::size_t maxStates = 150000;
  std::set<std::string> need;  // stop, cracked, trap, crush, spare, two
  // A level of an earlier pack the search starts from ("start", followed by its 15 rows).
  bool start = false;
  // Highest share of wins, in percent, the simple player may have (MeasureNovice); < 0: any.
  double noviceMax = -1;
};

// Tries of the simple player while searching; the pack's table uses kNoviceTries.
constexpr int kNoviceSearchTries = 50;
constexpr int kNoviceTries = 200;

bool ParseRange(const std::string& v, int& lo, int& hi) {
  const std::size_t dash = v.find('-');
  try {
    if (dash == std::string::npos) {
      lo = hi = std::stoi(v);
    } else {
      lo = std::stoi(v.substr(0, dash));
      hi = std::stoi(v.substr(dash + 1));
    }
  } catch (...) {
    return false;
  }
  return lo >= 1 && hi >= lo;
}

struct Params {
  std::string title, author, comment;
  std::vector<LevelRecipe> recipes;
};

bool ReadParams(const std::string& path, Params& p, std::string& error) {
  std::string text;
  if (!platform::ReadFile(path, text)) {
    error = "cannot read " + path;
    return false;
  }
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    error = path + ":" + std::to_string(lineNo) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("title=", 0) == 0) { p.title = line.substr(6); continue; }
    if (line.rfind("author=", 0) == 0) { p.author = line.substr(7); continue; }
    if (line.rfind("comment=", 0) == 0) { p.comment = line.substr(8); continue; }
    std::istringstream words(line);
    std::string word;
    LevelRecipe s;
    while (words >> word) {
      const std::size_t eq = word.find('=');
      if (word == "fixed") { s.fixed = true; continue; }
      if (word == "start") { s.start = true; continue; }
      if (eq == std::string::npos) return fail("expected key=value, got " + word);
      const std::string key = word.substr(0, eq), v = word.substr(eq + 1);
      try {
        if (key == "level") s.level = std::stoi(v);
        else if (key == "seed") s.seed = std::stoull(v);
        else if (key == "room") {
          const std::size_t x = v.find('x');
          if (x == std::string::npos) return fail("room=WxH");
          s.width = std::stoi(v.substr(0, x));
          s.height = std::stoi(v.substr(x + 1));
          if (s.width < 5 || s.width > N || s.height < 5 || s.height > N) return fail("room size");
        } else if (key == "shape") s.shape = v;
        else if (key == "sym") s.sym = v;
        else if (key == "cubes") s.cubes = v;
        else if (key == "spheres") s.spheres = v;
        else if (key == "walls") s.walls = std::stoi(v);
        else if (key == "cracked") s.cracked = std::stoi(v);
        else if (key == "traps") s.traps = std::stoi(v);
        else if (key == "crush") s.crush = std::stoi(v);
        else if (key == "moves") { if (!ParseRange(v, s.lo, s.hi)) return fail("moves=LO-HI"); }
        else if (key == "iters") s.iters = std::stoi(v);
        else if (key == "restarts") s.restarts = std::stoi(v);
        else if (key == "states") s.maxStates = std::stoull(v);
        else if (key == "novice") s.noviceMax = std::stod(v);
        else if (key == "need") {
          std::istringstream parts(v);
          std::string part;
          while (std::getline(parts, part, ',')) s.need.insert(part);
        } else return fail("unknown key " + key);
      } catch (...) {
        return fail("bad value in " + word);
      }
    }
    if (s.level < 1 || s.level > 100) return fail("level=1..100 missing");
    if (s.fixed && s.start) return fail("a level is either fixed or searched from a start");
    if (s.fixed || s.start) {
      for (int y = 0; y < N; ++y) {
        if (!std::getline(in, line)) return fail("fixed level needs 15 rows");
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() != static_cast<std::size_t>(N)) return fail("row must have 15 characters");
        s.rows[static_cast<std::size_t>(y)] = line;
      }
    }
    p.recipes.push_back(s);
  }
  std::sort(p.recipes.begin(), p.recipes.end(), [](const LevelRecipe& a, const LevelRecipe& b) { return a.level < b.level; });
  for (std::size_t i = 0; i < p.recipes.size(); ++i) {
    if (p.recipes[i].level != static_cast<int>(i) + 1) {
      error = "levels must run 1.." + std::to_string(p.recipes.size()) + " without gaps";
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------------------------------
// Candidate levels.

struct Design {
  std::array<std::string, N> g;  // the grid, rows top first
  std::array<std::string, N> shape;  // 'X' where the room's shape puts a wall (kept as it is)
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the room's frame, inclusive
  char& at(int x, int y) { return g[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; }
  char at(int x, int y) const { return g[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; }
  bool Inside(int x, int y) const { return x > x0 && x < x1 && y > y0 && y < y1; }
  Rows rows() const {
    Rows r;
    for (int y = 0; y < N; ++y) r[static_cast<std::size_t>(y)] = g[static_cast<std::size_t>(y)];
    return r;
  }
};

using Rng = std::mt19937_64;

int Uniform(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// The cells a wall cell is repeated on under the level's symmetry.
std::vector<std::pair<int, int>> Images(const Design& d, const std::string& sym, int x, int y) {
  const int mx = d.x0 + d.x1 - x, my = d.y0 + d.y1 - y;
  std::vector<std::pair<int, int>> out{{x, y}};
  if (sym == "lr" || sym == "quad") out.push_back({mx, y});
  if (sym == "ud" || sym == "quad") out.push_back({x, my});
  if (sym == "quad") out.push_back({mx, my});
  if (sym == "rot") out.push_back({mx, my});
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

bool IsFloor(char c) { return c == '.'; }

void BuildRoom(Design& d, const LevelRecipe& s, Rng& rng) {
  for (auto& row : d.g) row.assign(N, '.');
  d.x0 = (N - s.width) / 2;
  d.y0 = (N - s.height) / 2;
  d.x1 = d.x0 + s.width - 1;
  d.y1 = d.y0 + s.height - 1;
  for (int x = d.x0; x <= d.x1; ++x) d.at(x, d.y0) = d.at(x, d.y1) = 'X';
  for (int y = d.y0; y <= d.y1; ++y) d.at(d.x0, y) = d.at(d.x1, y) = 'X';
  const int w = s.width - 2, h = s.height - 2;  // inner size
  auto wall = [&](int x, int y) {
    if (x >= d.x0 && x <= d.x1 && y >= d.y0 && y <= d.y1) d.at(x, y) = 'X';
  };
  if (s.shape == "oct") {
    // Corners cut on the diagonal: a rounder room.
    const int c = std::max(1, std::min(w, h) / 4);
    for (int i = 0; i < c; ++i)
      for (int j = 0; j < c - i; ++j) {
        wall(d.x0 + 1 + i, d.y0 + 1 + j);
        wall(d.x1 - 1 - i, d.y0 + 1 + j);
        wall(d.x0 + 1 + i, d.y1 - 1 - j);
        wall(d.x1 - 1 - i, d.y1 - 1 - j);
      }
  } else if (s.shape == "cross") {
    // A plus-shaped room: square corners filled.
    const int cx = std::max(1, w / 3), cy = std::max(1, h / 3);
    for (int i = 0; i < cx; ++i)
      for (int j = 0; j < cy; ++j) {
        wall(d.x0 + 1 + i, d.y0 + 1 + j);
        wall(d.x1 - 1 - i, d.y0 + 1 + j);
        wall(d.x0 + 1 + i, d.y1 - 1 - j);
        wall(d.x1 - 1 - i, d.y1 - 1 - j);
      }
  } else if (s.shape == "twin") {
    // Two rooms side by side, joined by doors in the middle wall.
    const int mid = (d.x0 + d.x1) / 2;
    for (int y = d.y0; y <= d.y1; ++y) wall(mid, y);
    const int doors = Uniform(rng, 1, 2);
    if (doors == 1) {
      d.at(mid, (d.y0 + d.y1) / 2) = '.';
    } else {
      const int off = Uniform(rng, 1, std::max(1, h / 2 - 1));
      d.at(mid, d.y0 + off) = '.';
      d.at(mid, d.y1 - off) = '.';
    }
  } else if (s.shape == "hall") {
    // A room with pillars in a regular grid.
    for (int y = d.y0 + 2; y < d.y1 - 1; y += 3)
      for (int x = d.x0 + 2; x < d.x1 - 1; x += 3) wall(x, y);
  }
  d.shape = d.g;
  // Wall pieces, each repeated under the symmetry: short bars from the frame inwards, or
  // free-standing bars and pillars.
  for (int p = 0; p < s.walls; ++p) {
    for (int tries = 0; tries < 20; ++tries) {
      const bool fromFrame = Uniform(rng, 0, 2) == 0;
      const bool horizontal = Uniform(rng, 0, 1) == 0;
      const int len = Uniform(rng, 1, fromFrame ? 2 : 3);
      int x, y;
      if (fromFrame) {
        if (horizontal) {
          x = Uniform(rng, 0, 1) ? d.x0 + 1 : d.x1 - len;
          y = Uniform(rng, d.y0 + 2, d.y1 - 2);
        } else {
          x = Uniform(rng, d.x0 + 2, d.x1 - 2);
          y = Uniform(rng, 0, 1) ? d.y0 + 1 : d.y1 - len;
        }
      } else {
        x = Uniform(rng, d.x0 + 2, d.x1 - 2);
        y = Uniform(rng, d.y0 + 2, d.y1 - 2);
      }
      std::vector<std::pair<int, int>> cells;
      for (int i = 0; i < len; ++i) cells.push_back(horizontal ? std::pair{x + i, y} : std::pair{x, y + i});
      bool ok = true;
      for (auto [cx, cy] : cells) ok = ok && d.Inside(cx, cy) && IsFloor(d.at(cx, cy));
      if (!ok) continue;
      for (auto [cx, cy] : cells)
        for (auto [ix, iy] : Images(d, s.sym, cx, cy))
          if (d.Inside(ix, iy)) d.at(ix, iy) = 'X';
      break;
    }
  }
}

std::vector<std::pair<int, int>> FreeCells(const Design& d) {
  std::vector<std::pair<int, int>> out;
  for (int y = d.y0 + 1; y < d.y1; ++y)
    for (int x = d.x0 + 1; x < d.x1; ++x)
      if (IsFloor(d.at(x, y))) out.push_back({x, y});
  return out;
}

bool PlaceOne(Design& d, Rng& rng, char c) {
  auto free = FreeCells(d);
  if (free.empty()) return false;
  auto [x, y] = free[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(free.size()) - 1))];
  d.at(x, y) = c;
  return true;
}

// Cracked blocks and crush blocks sit in symmetric pairs when the symmetry allows; trapdoors
// go where a cube must pass.
bool PlaceMechanic(Design& d, const LevelRecipe& s, Rng& rng, char c) {
  auto free = FreeCells(d);
  if (free.empty()) return false;
  auto [x, y] = free[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(free.size()) - 1))];
  d.at(x, y) = c;
  (void)s;
  return true;
}

bool Populate(Design& d, const LevelRecipe& s, Rng& rng) {
  for (int i = 0; i < s.cracked; ++i)
    if (!PlaceMechanic(d, s, rng, 'x')) return false;
  for (int i = 0; i < s.traps; ++i)
    if (!PlaceMechanic(d, s, rng, 'T')) return false;
  for (int i = 0; i < s.crush; ++i)
    if (!PlaceMechanic(d, s, rng, 'C')) return false;
  for (char c : s.spheres)
    if (!PlaceOne(d, rng, c)) return false;
  for (char c : s.cubes)
    if (!PlaceOne(d, rng, c)) return false;
  return true;
}

// One small change: a cube, sphere or mechanic moved, or a symmetric wall piece added or taken
// away.
Design Mutate(const Design& base, const LevelRecipe& s, Rng& rng) {
  Design d = base;
  const int kind = Uniform(rng, 0, 9);
  auto free = FreeCells(d);
  if (free.empty()) return d;
  auto pick = [&]() { return free[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(free.size()) - 1))]; };
  if (kind <= 6) {
    // Move a piece (cube, sphere, or mechanic cell).
    std::vector<std::pair<int, int>> pieces;
    for (int y = d.y0 + 1; y < d.y1; ++y)
      for (int x = d.x0 + 1; x < d.x1; ++x) {
        char c = d.at(x, y);
        if (c != '.' && c != 'X') pieces.push_back({x, y});
      }
    if (pieces.empty()) return d;
    auto [px, py] = pieces[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(pieces.size()) - 1))];
    auto [qx, qy] = pick();
    if (kind <= 3) {
      // Short hops keep good structure more often than jumps across the room.
      std::vector<std::pair<int, int>> near;
      for (auto [fx, fy] : free)
        if (std::abs(fx - px) + std::abs(fy - py) <= 3) near.push_back({fx, fy});
      if (!near.empty()) std::tie(qx, qy) = near[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(near.size()) - 1))];
    }
    d.at(qx, qy) = d.at(px, py);
    d.at(px, py) = '.';
  } else if (kind <= 8) {
    // Add a symmetric wall cell.
    auto [x, y] = pick();
    auto imgs = Images(d, s.sym, x, y);
    for (auto [ix, iy] : imgs)
      if (!d.Inside(ix, iy) || !IsFloor(d.at(ix, iy))) return d;
    for (auto [ix, iy] : imgs) d.at(ix, iy) = 'X';
  } else {
    // Take a symmetric wall cell away.
    std::vector<std::pair<int, int>> walls;
    for (int y = d.y0 + 1; y < d.y1; ++y)
      for (int x = d.x0 + 1; x < d.x1; ++x)
        if (d.at(x, y) == 'X' && d.shape[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] != 'X')
          walls.push_back({x, y});
    if (walls.empty()) return d;
    auto [x, y] = walls[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(walls.size()) - 1))];
    for (auto [ix, iy] : Images(d, s.sym, x, y))
      if (d.Inside(ix, iy) && d.at(ix, iy) == 'X' && d.shape[static_cast<std::size_t>(iy)][static_cast<std::size_t>(ix)] != 'X')
        d.at(ix, iy) = '.';
  }
  return d;
}

int CountWalls(const Design& d) {
  int n = 0;
  for (int y = d.y0 + 1; y < d.y1; ++y)
    for (int x = d.x0 + 1; x < d.x1; ++x) n += d.at(x, y) == 'X';
  return n;
}

// A wall with no wall or frame beside it (in the four directions) looks stray.
int LoneWalls(const Design& d) {
  int n = 0;
  for (int y = d.y0 + 1; y < d.y1; ++y)
    for (int x = d.x0 + 1; x < d.x1; ++x) {
      if (d.at(x, y) != 'X') continue;
      bool touching = d.at(x - 1, y) == 'X' || d.at(x + 1, y) == 'X' || d.at(x, y - 1) == 'X' || d.at(x, y + 1) == 'X';
      n += !touching;
    }
  return n;
}

struct Scored {
  Design d;
  Grade grade;
  bool valid = false;
  double score = -1;
};

// The needs a replay of the solution answers.
bool MeetsCheapNeeds(const LevelRecipe& s, const Grade& g) {
  if (g.status != engine::SolveStatus::Solved) return false;
  if (g.moves > s.hi) return false;
  if (s.need.count("stop") && g.cubeStops == 0) return false;
  if (s.need.count("cracked") && g.breaks == 0) return false;
  if (s.need.count("trap") && g.trapsClosed == 0) return false;
  if (s.need.count("crushuse") && g.crushes == 0) return false;
  if (s.need.count("all")) {
    // Every cube must be pushed at some point: no decoration cubes.
    if (g.cubesMoved < static_cast<int>(s.cubes.size())) return false;
  }
  return true;
}

// The needs that take another solver run on a changed level.
bool MeetsCostlyNeeds(const LevelRecipe& s, const Grade& g, const Rows& rows) {
  if (s.need.count("crush")) {
    // The crush blocks must matter: as plain walls they would make the level shorter, or
    // the solution throws a cube onto one.
    if (g.crushes == 0) {
      Rows walls = rows;
      for (auto& r : walls)
        for (char& c : r)
          if (c == 'C') c = 'X';
      Grade w = GradeLevel(walls, s.maxStates);
      if (w.status == engine::SolveStatus::Solved && w.moves >= g.moves) return false;
    }
  }
  if (s.noviceMax >= 0 && g.moves >= s.lo) {
    // Deep enough: the simple player must not win it too often.
    if (MeasureNovice(rows, g.moves, kNoviceSearchTries).share() * 100.0 > s.noviceMax) return false;
  }
  if (s.need.count("trapmatters")) {
    // As plain floor the trapdoors would give a shorter solution or none at all.
    Rows open = rows;
    for (auto& r : open)
      for (char& c : r)
        if (c == 'T') c = '.';
    Grade o = GradeLevel(open, s.maxStates);
    if (o.status == engine::SolveStatus::Solved && o.moves >= g.moves) return false;
  }
  return true;
}

double ScoreOf(const LevelRecipe& s, const Grade& g, const Design& d) {
  // Minimum moves first; among equals more states (a harder search); few stray walls.
  double sc = g.moves * 1000.0 + std::min<double>(999.0, static_cast<double>(g.states) / 100.0);
  sc -= 150.0 * LoneWalls(d);
  (void)s;
  return sc;
}

// Grades a candidate; one that would score below `threshold` is not checked further.
Scored Evaluate(const Design& d, const LevelRecipe& s, double threshold) {
  Scored r;
  r.d = d;
  const Rows rows = d.rows();
  r.grade = GradeLevel(rows, s.maxStates);
  if (!MeetsCheapNeeds(s, r.grade)) return r;
  r.score = ScoreOf(s, r.grade, d);
  if (r.score < threshold) return r;
  if (!MeetsCostlyNeeds(s, r.grade, rows)) return r;
  r.valid = true;
  return r;
}

Scored GenerateLevel(const LevelRecipe& s, bool verbose) {
  Scored best;
  for (int restart = 0; restart < s.restarts; ++restart) {
    Rng rng(s.seed * 1000003ull + static_cast<std::uint64_t>(restart) * 7919ull + static_cast<std::uint64_t>(s.level));
    Scored cur;
    int wallLimit = s.walls * 4 + 6;
    if (s.start) {
      // Grow the given level: the room's frame and shape as the recipe builds them, the cells
      // as given.
      Design d;
      BuildRoom(d, s, rng);
      d.g = s.rows;
      cur = Evaluate(d, s, -1e9);
      wallLimit = std::max(wallLimit, CountWalls(d) + 4);
      if (verbose)
        std::fprintf(stderr, "  level %d restart %d: start %s, %d moves\n", s.level, restart,
                     cur.valid ? "valid" : "not valid", cur.grade.moves);
    }
    for (int tries = 0; tries < 200 && !cur.valid; ++tries) {
      Design d;
      BuildRoom(d, s, rng);
      if (!Populate(d, s, rng)) continue;
      cur = Evaluate(d, s, -1e9);
    }
    if (!cur.valid) continue;
    // Hill-climbing; the best level seen is what counts.
    Scored top = cur;
    for (int it = 0; it < s.iters; ++it) {
      Design m = Mutate(cur.d, s, rng);
      if (Uniform(rng, 0, 2) == 0) m = Mutate(m, s, rng);
      if (m.g == cur.d.g) continue;
      if (CountWalls(m) > wallLimit) continue;
      // Now and then a step one move down is taken, to leave a plateau.
      const bool downhill = Uniform(rng, 0, 9) == 0;
      Scored c = Evaluate(m, s, downhill ? cur.score - 1000.0 : cur.score);
      if (!c.valid) continue;
      cur = c;
      if (cur.score > top.score) top = cur;
      if (top.grade.moves >= s.hi) break;
    }
    cur = top;
    if (verbose)
      std::fprintf(stderr, "  level %d restart %d: %d moves, %zu states\n", s.level, restart, cur.grade.moves,
                   cur.grade.states);
    bool inRange = cur.grade.moves >= s.lo;
    bool bestInRange = best.valid && best.grade.moves >= s.lo;
    if (!best.valid || (inRange && !bestInRange) || (inRange == bestInRange && cur.score > best.score)) best = cur;
    if (best.grade.moves >= s.hi || (restart >= 1 && best.grade.moves >= s.lo)) break;
  }
  return best;
}

// ---------------------------------------------------------------------------------------
// Files.

std::string LevelFile(const std::string& dir, int level) {
  char name[32];
  std::snprintf(name, sizeof name, "/level%03d.txt", level);
  return dir + name;
}

bool ReadLevelFile(const std::string& path, Rows& rows) {
  std::string text;
  if (!platform::ReadFile(path, text)) return false;
  std::istringstream in(text);
  std::string line;
  int y = 0;
  while (y < N && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != static_cast<std::size_t>(N)) continue;  // stats lines
    rows[static_cast<std::size_t>(y++)] = line;
  }
  return y == N;
}

std::string Chapter(int level) {
  if (level <= 16) return "1 Frozen lake";
  if (level <= 32) return "2 Snowfield";
  if (level <= 49) return "3 Glacier";
  if (level <= 66) return "4 Polar night";
  if (level <= 83) return "5 Ice cave";
  return "6 Aurora";
}

int CmdGenerate(const Params& p, const std::string& outDir, int from, int to) {
  platform::MakeDirs(outDir);
  int failed = 0;
  for (const LevelRecipe& s : p.recipes) {
    if (s.level < from || s.level > to) continue;
    Rows rows;
    Grade grade;
    if (s.fixed) {
      rows = s.rows;
      grade = GradeLevel(rows, s.maxStates * 10);
    } else {
      Scored best = GenerateLevel(s, true);
      if (!best.valid) {
        // Go on with the other levels; the parameters of this one need changing.
        std::fprintf(stderr, "level %d: no valid level found\n", s.level);
        std::printf("level %3d: none found\n", s.level);
        failed = 1;
        continue;
      }
      rows = best.d.rows();
      grade = best.grade;
    }
    std::string text;
    for (const auto& r : rows) text += r + "\n";
    text += "# moves=" + std::to_string(grade.moves) + " states=" + std::to_string(grade.states) + "\n";
    text += "# " + engine::FormatMoves(grade.solution) + "\n";
    if (!platform::WriteFileAtomic(LevelFile(outDir, s.level), text)) {
      std::fprintf(stderr, "cannot write %s\n", LevelFile(outDir, s.level).c_str());
      return 1;
    }
    std::printf("level %3d: %2d moves, %8zu states%s\n", s.level, grade.moves, grade.states,
                grade.moves < s.lo ? "  (below target)" : "");
    std::fflush(stdout);
  }
  return failed;
}

// Small pockets of floor that no cube can ever reach (left between mirrored walls) are filled
// with wall: the level plays the same and reads cleaner.
Rows FillPockets(const Rows& in) {
  Rows rows = in;
  std::array<std::array<bool, N>, N> seen{};
  auto open = [&](int x, int y) { return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] != 'X'; };
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      if (seen[y][x] || !open(x, y)) continue;
      std::vector<std::pair<int, int>> part{{x, y}};
      seen[y][x] = true;
      bool reachable = false;
      for (std::size_t i = 0; i < part.size(); ++i) {
        auto [cx, cy] = part[i];
        if (rows[static_cast<std::size_t>(cy)][static_cast<std::size_t>(cx)] != '.') reachable = true;
        const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
          const int nx = cx + dx[k], ny = cy + dy[k];
          if (nx < 0 || ny < 0 || nx >= N || ny >= N || seen[ny][nx] || !open(nx, ny)) continue;
          seen[ny][nx] = true;
          part.push_back({nx, ny});
        }
      }
      if (reachable || part.size() > 3) continue;
      bool onEdge = false;
      for (auto [cx, cy] : part) onEdge = onEdge || cx == 0 || cy == 0 || cx == N - 1 || cy == N - 1;
      if (onEdge) continue;
      for (auto [cx, cy] : part) rows[static_cast<std::size_t>(cy)][static_cast<std::size_t>(cx)] = 'X';
    }
  return rows;
}

// "12 %" (of kNoviceTries tries), with one decimal below 10 %.
std::string NoviceText(const NoviceResult& n) {
  char buf[32];
  const double percent = n.share() * 100.0;
  std::snprintf(buf, sizeof buf, percent < 10.0 && percent > 0.0 ? "%.1f %%" : "%.0f %%", percent);
  return buf;
}

int CmdPack(const Params& p, const std::string& outDir, const std::string& packPath, const std::string& solPath,
            std::size_t plainLimit) {
  std::vector<Rows> levels;
  std::vector<std::vector<engine::SolverMove>> solutions(1);
  std::string table = "| level | chapter | minimum moves | simple player wins | states (informed) |";
  table += plainLimit > 0 ? " states (plain BFS) |\n|---:|---|---:|---:|---:|---:|\n" : "\n|---:|---|---:|---:|---:|\n";
  struct Found {
    int slot;
    bool fixed;
    Rows rows;
    Grade grade;
    NoviceResult novice;
  };
  std::vector<Found> found;
  for (const LevelRecipe& s : p.recipes) {
    Rows rows;
    if (!ReadLevelFile(LevelFile(outDir, s.level), rows)) {
      std::fprintf(stderr, "missing %s\n", LevelFile(outDir, s.level).c_str());
      return 1;
    }
    const Grade before = GradeLevel(rows, 20'000'000);
    if (!s.fixed) rows = FillPockets(rows);
    const Grade g = GradeLevel(rows, 20'000'000);
    if (g.status != engine::SolveStatus::Solved || g.moves != before.moves) {
      std::fprintf(stderr, "level %d is not solved by the solver\n", s.level);
      return 1;
    }
    found.push_back({s.level, s.fixed, rows, g, MeasureNovice(rows, g.moves, kNoviceTries)});
  }
  // Within each chapter the searched levels go in order of difficulty (fewest moves first, then
  // the ones the simple player wins most often, then fewest states); hand-made levels keep
  // their places.
  for (std::size_t a = 0; a < found.size();) {
    std::size_t b = a;
    while (b < found.size() && Chapter(found[b].slot) == Chapter(found[a].slot)) ++b;
    std::vector<std::size_t> free;
    std::vector<Found> searched;
    for (std::size_t i = a; i < b; ++i)
      if (!found[i].fixed) {
        free.push_back(i);
        searched.push_back(found[i]);
      }
    std::stable_sort(searched.begin(), searched.end(), [](const Found& x, const Found& y) {
      if (x.grade.moves != y.grade.moves) return x.grade.moves < y.grade.moves;
      if (x.novice.wins != y.novice.wins) return x.novice.wins > y.novice.wins;
      return x.grade.states < y.grade.states;
    });
    for (std::size_t k = 0; k < free.size(); ++k) found[free[k]] = searched[k];
    a = b;
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    const LevelRecipe& s = p.recipes[i];
    const Rows& rows = found[i].rows;
    const Grade& g = found[i].grade;
    levels.push_back(rows);
    solutions.push_back(g.solution);
    table += "| " + std::to_string(s.level) + " | " + Chapter(s.level) + " | " + std::to_string(g.moves) + " | " +
             NoviceText(found[i].novice) + " | " + std::to_string(g.states) + " |";
    if (plainLimit > 0) {
      engine::SolverOptions plain = engine::SolverOptions::Plain();
      plain.maxStates = plainLimit;
      const engine::SolveResult r = engine::Solve(BoardFromRows(rows), plain);
      if (r.status == engine::SolveStatus::Solved && static_cast<int>(r.moves.size()) != g.moves) {
        std::fprintf(stderr, "level %d: plain search disagrees\n", s.level);
        return 1;
      }
      table += r.status == engine::SolveStatus::Solved ? " " + std::to_string(r.statesVisited) + " |"
                                                       : " > " + std::to_string(plainLimit) + " |";
    }
    table += "\n";
    std::fprintf(stderr, "level %d graded\n", s.level);
  }
  if (!platform::WriteFileAtomic(packPath, FormatPack(p.title, p.author, p.comment, levels)) ||
      !platform::WriteFileAtomic(solPath, FormatSolutions(solutions))) {
    std::fprintf(stderr, "cannot write the pack or the solutions\n");
    return 1;
  }
  std::fputs(table.c_str(), stdout);
  return 0;
}

int CmdGrade(const std::string& packPath, int only) {
  std::vector<Rows> levels;
  if (!ReadPackLevels(packPath, levels)) {
    std::fprintf(stderr, "cannot read %s\n", packPath.c_str());
    return 1;
  }
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (only > 0 && static_cast<int>(i) + 1 != only) continue;
    const Grade g = GradeLevel(levels[i], 20'000'000);
    const std::string novice = g.status == engine::SolveStatus::Solved
                                   ? NoviceText(MeasureNovice(levels[i], g.moves, kNoviceTries))
                                   : std::string("-");
    std::printf("%3zu: %2d moves %9zu states  novice=%s breaks=%d traps=%d crushes=%d stops=%d\n", i + 1, g.moves,
                g.states, novice.c_str(), g.breaks, g.trapsClosed, g.crushes, g.cubeStops);
  }
  return 0;
}

int Usage() {
  std::fputs(
      "usage: levelgen generate PARAMS OUTDIR [--levels A-B]\n"
      "       levelgen pack PARAMS OUTDIR PACK SOLUTIONS [--plain-limit N]\n"
      "       levelgen grade PACK [LEVEL]\n",
      stderr);
  return 2;
}

}  // namespace
}  // namespace levelgen

int main(int argc, char** argv) {
  using namespace levelgen;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  if (args[0] == "grade" && (args.size() == 2 || args.size() == 3))
    return CmdGrade(args[1], args.size() == 3 ? std::atoi(args[2].c_str()) : 0);
  if (args.size() < 3) return Usage();
  Params p;
  std::string error;
  if (!ReadParams(args[1], p, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (args[0] == "generate") {
    int from = 1, to = 100;
    if (args.size() == 5 && args[3] == "--levels") {
      if (!ParseRange(args[4], from, to)) return Usage();
    } else if (args.size() != 3) {
      return Usage();
    }
    return CmdGenerate(p, args[2], from, to);
  }
  if (args[0] == "pack" && (args.size() == 5 || (args.size() == 7 && args[5] == "--plain-limit"))) {
    const std::size_t limit = args.size() == 7 ? static_cast<std::size_t>(std::strtoull(args[6].c_str(), nullptr, 10)) : 0;
    return CmdPack(p, args[2], args[3], args[4], limit);
  }
  return Usage();
}
