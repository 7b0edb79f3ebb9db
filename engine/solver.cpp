#include "engine/solver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <limits>
#include <memory>
#include <sstream>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "engine/cell_codes.h"
#include "engine/simulation.h"

namespace engine {
namespace {

constexpr int kCells = kBoardSize * kBoardSize;
constexpr std::uint8_t kGone = 255;      // a crushed cube's slot
constexpr std::uint8_t kFar = 255;       // no relaxed path
constexpr std::uint32_t kNoParent = std::numeric_limits<std::uint32_t>::max();
constexpr int kMaxHeuristic = 254;

inline int PosOf(int x, int y) { return (y - 1) * kBoardSize + (x - 1); }
inline int XOf(int pos) { return pos % kBoardSize + 1; }
inline int YOf(int pos) { return pos / kBoardSize + 1; }

constexpr std::array<Direction, 4> kDirections{Direction::Left, Direction::Right, Direction::Up,
                                               Direction::Down};

inline std::uint64_t HashBytes(const std::uint8_t* p, std::size_t n) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
  while (n >= 8) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    h = (h ^ v) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
    p += 8;
    n -= 8;
  }
  std::uint64_t v = 0;
  std::memcpy(&v, p, n);
  h = (h ^ v) * 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 29;
  return h;
}

// What stays fixed while a level is played, and how a state is laid out.
//
// A state is a byte string: one byte per cube of the start position (its cell, or kGone once
// crushed), grouped by colour; then one bit per cracked block (broken), one bit per trapdoor
// (closed); then one flag byte that marks a board that shows every sphere covered although no
// move has come to rest on it (the start, or after a crush), which the game does not count as
// a win.
struct Level {
  Board empty;  // the start board without its cubes
  int cubeCount = 0;
  std::array<int, kColorCount + 2> groupStart{};  // group g: slots [groupStart[g], groupStart[g+1])
  std::vector<int> slotGroup;
  std::vector<int> crackedCells;
  std::vector<int> trapCells;
  std::array<int, kCells> crackedIndex{};
  std::array<int, kCells> trapIndex{};
  int crackedOffset = 0, trapOffset = 0, flagOffset = 0, keyLength = 0;
  struct Sphere {
    int pos;
    int color;
  };
  std::vector<Sphere> spheres;
  std::array<std::vector<int>, kColorCount + 1> spheresOfColor;  // indices into spheres
};

int GroupOf(CubeColor c) {
  int v = static_cast<int>(c);
  return (v >= 1 && v <= kColorCount) ? v : 0;
}

CellKind FloorUnder(CellKind k) {
  switch (k) {
    case CellKind::Cube: return CellKind::Empty;
    case CellKind::CubeOnSphere: return CellKind::Sphere;
    case CellKind::CubeOnTrapdoor: return CellKind::Trapdoor;
    default: return k;
  }
}

CellKind WithCube(CellKind floor) {
  switch (floor) {
    case CellKind::Sphere: return CellKind::CubeOnSphere;
    case CellKind::Trapdoor: return CellKind::CubeOnTrapdoor;
    default: return CellKind::Cube;
  }
}

Level Analyse(const Board& start, std::vector<std::uint8_t>& startKey) {
  Level lv;
  lv.empty = start;
  lv.crackedIndex.fill(-1);
  lv.trapIndex.fill(-1);
  std::array<std::vector<int>, kColorCount + 1> cubesOfGroup;
  for (int y = 1; y <= kBoardSize; ++y) {
    for (int x = 1; x <= kBoardSize; ++x) {
      Cell& c = lv.empty.at(x, y);
      int pos = PosOf(x, y);
      if (IsCubeKind(c.kind)) cubesOfGroup[static_cast<std::size_t>(GroupOf(c.cubeColor))].push_back(pos);
      c.kind = FloorUnder(c.kind);
      c.arrow = 0;
      c.cubeColor = CubeColor::None;
      if (c.kind != CellKind::Sphere && c.kind != CellKind::CubeOnSphere) c.sphereColor = CubeColor::None;
      if (c.kind == CellKind::CrackedBlock) {
        lv.crackedIndex[static_cast<std::size_t>(pos)] = static_cast<int>(lv.crackedCells.size());
        lv.crackedCells.push_back(pos);
      } else if (c.kind == CellKind::Trapdoor) {
        lv.trapIndex[static_cast<std::size_t>(pos)] = static_cast<int>(lv.trapCells.size());
        lv.trapCells.push_back(pos);
      } else if (c.kind == CellKind::Sphere) {
        int color = GroupOf(c.sphereColor);
        lv.spheres.push_back({pos, color});
        lv.spheresOfColor[static_cast<std::size_t>(color)].push_back(static_cast<int>(lv.spheres.size()) - 1);
      }
    }
  }
  for (int g = 0; g <= kColorCount; ++g) {
    lv.groupStart[static_cast<std::size_t>(g)] = lv.cubeCount;
    for (int pos : cubesOfGroup[static_cast<std::size_t>(g)]) {
      startKey.push_back(static_cast<std::uint8_t>(pos));
      lv.slotGroup.push_back(g);
      ++lv.cubeCount;
    }
  }
  lv.groupStart[kColorCount + 1] = lv.cubeCount;
  lv.crackedOffset = lv.cubeCount;
  lv.trapOffset = lv.crackedOffset + static_cast<int>((lv.crackedCells.size() + 7) / 8);
  lv.flagOffset = lv.trapOffset + static_cast<int>((lv.trapCells.size() + 7) / 8);
  lv.keyLength = lv.flagOffset + 1;
  startKey.resize(static_cast<std::size_t>(lv.keyLength), 0);
  startKey[static_cast<std::size_t>(lv.flagOffset)] = IsSolved(start) ? 1 : 0;
  return lv;
}

inline bool Bit(const std::uint8_t* key, int offset, int i) {
  return (key[offset + i / 8] >> (i % 8)) & 1;
}
inline void SetBit(std::uint8_t* key, int offset, int i) {
  key[offset + i / 8] = static_cast<std::uint8_t>(key[offset + i / 8] | (1u << (i % 8)));
}

void Decode(const Level& lv, const std::uint8_t* key, Board& board) {
  board = lv.empty;
  for (std::size_t i = 0; i < lv.crackedCells.size(); ++i) {
    if (Bit(key, lv.crackedOffset, static_cast<int>(i))) {
      int pos = lv.crackedCells[i];
      board.at(XOf(pos), YOf(pos)).kind = CellKind::Empty;
    }
  }
  for (std::size_t i = 0; i < lv.trapCells.size(); ++i) {
    if (Bit(key, lv.trapOffset, static_cast<int>(i))) {
      int pos = lv.trapCells[i];
      board.at(XOf(pos), YOf(pos)).kind = CellKind::Block;
    }
  }
  for (int s = 0; s < lv.cubeCount; ++s) {
    if (key[s] == kGone) continue;
    Cell& c = board.at(XOf(key[s]), YOf(key[s]));
    c.kind = WithCube(c.kind);
    int g = lv.slotGroup[static_cast<std::size_t>(s)];
    c.cubeColor = static_cast<CubeColor>(g);
  }
}

// The canonical state of a board, read cell by cell: what the incremental update must match.
void EncodeBoard(const Level& lv, const Board& board, bool solvedFlag, std::vector<std::uint8_t>& key) {
  key.assign(static_cast<std::size_t>(lv.keyLength), 0);
  std::array<int, kColorCount + 1> fill{};
  for (int g = 0; g <= kColorCount; ++g) fill[static_cast<std::size_t>(g)] = lv.groupStart[static_cast<std::size_t>(g)];
  for (int pos = 0; pos < kCells; ++pos) {
    const Cell& c = board.at(XOf(pos), YOf(pos));
    if (IsCubeKind(c.kind)) {
      int g = GroupOf(c.cubeColor);
      int& f = fill[static_cast<std::size_t>(g)];
      if (f < lv.groupStart[static_cast<std::size_t>(g) + 1]) key[static_cast<std::size_t>(f++)] = static_cast<std::uint8_t>(pos);
    }
    int ci = lv.crackedIndex[static_cast<std::size_t>(pos)];
    if (ci >= 0 && c.kind != CellKind::CrackedBlock) SetBit(key.data(), lv.crackedOffset, ci);
    int ti = lv.trapIndex[static_cast<std::size_t>(pos)];
    if (ti >= 0 && c.kind == CellKind::Block) SetBit(key.data(), lv.trapOffset, ti);
  }
  for (int g = 0; g <= kColorCount; ++g) {
    for (int f = fill[static_cast<std::size_t>(g)]; f < lv.groupStart[static_cast<std::size_t>(g) + 1]; ++f)
      key[static_cast<std::size_t>(f)] = kGone;
  }
  key[static_cast<std::size_t>(lv.flagOffset)] = solvedFlag ? 1 : 0;
}

void SortGroups(const Level& lv, std::uint8_t* key) {
  for (int g = 0; g <= kColorCount; ++g) {
    int a = lv.groupStart[static_cast<std::size_t>(g)], b = lv.groupStart[static_cast<std::size_t>(g) + 1];
    if (b - a > 1) std::sort(key + a, key + b);
  }
}

// Lower bound on the moves still needed, from a relaxation: a cube may stop anywhere along a
// straight run over cells that are not walls, crush blocks or closed trapdoors (cracked blocks
// count as floor, other cubes as absent). Every real move is such a run, each sphere needs a
// cube of its own, and one move moves one cube, so the cheapest assignment of cubes to spheres
// is admissible; it is also consistent, since a move changes one cube's run count by at most 1
// and closing a trapdoor only adds walls.
class Bound {
 public:
  explicit Bound(const Level& lv) : lv_(lv) {}

  // kDead when some sphere can no longer get a cube of its colour.
  static constexpr int kDead = std::numeric_limits<int>::max();

  int Estimate(const std::uint8_t* key) {
    if (lv_.spheres.empty()) return 0;
    const std::uint8_t* dist = TableFor(key);
    int total = 0;
    for (int color = 0; color <= kColorCount; ++color) {
      const auto& sph = lv_.spheresOfColor[static_cast<std::size_t>(color)];
      if (sph.empty()) continue;
      if (color == 0) return kDead;  // a sphere of no valid colour can never be matched
      int a = lv_.groupStart[static_cast<std::size_t>(color)], b = lv_.groupStart[static_cast<std::size_t>(color) + 1];
      int cubes[kCells];
      int n = 0;
      for (int s = a; s < b; ++s)
        if (key[s] != kGone) cubes[n++] = key[s];
      int m = static_cast<int>(sph.size());
      if (n < m) return kDead;
      int cost = Assign(dist, sph, cubes, n);
      if (cost == kDead) return kDead;
      total += cost;
    }
    return total;
  }

 private:
  int Assign(const std::uint8_t* dist, const std::vector<int>& sph, const int* cubes, int n) {
    int m = static_cast<int>(sph.size());
    auto d = [&](int si, int ci) {
      return static_cast<int>(dist[static_cast<std::size_t>(sph[static_cast<std::size_t>(si)]) * kCells +
                                   static_cast<std::size_t>(cubes[ci])]);
    };
    constexpr int kInf = 1 << 20;
    if (n > 12) {
      // Too many cubes for the exact assignment: each sphere takes its nearest cube.
      int total = 0;
      for (int si = 0; si < m; ++si) {
        int best = kInf;
        for (int ci = 0; ci < n; ++ci) {
          int v = d(si, ci);
          if (v != kFar) best = std::min(best, v);
        }
        if (best == kInf) return kDead;
        total += best;
      }
      return total;
    }
    // dp over the set of cubes used by the first popcount(mask) spheres.
    std::size_t full = std::size_t{1} << n;
    dp_.assign(full, kInf);
    dp_[0] = 0;
    int best = kInf;
    for (std::size_t mask = 0; mask < full; ++mask) {
      int cur = dp_[mask];
      if (cur >= kInf) continue;
      int si = __builtin_popcount(static_cast<unsigned>(mask));
      if (si == m) {
        best = std::min(best, cur);
        continue;
      }
      for (int ci = 0; ci < n; ++ci) {
        if (mask & (std::size_t{1} << ci)) continue;
        int v = d(si, ci);
        if (v == kFar) continue;
        std::size_t next = mask | (std::size_t{1} << ci);
        dp_[next] = std::min(dp_[next], cur + v);
      }
    }
    return best >= kInf ? kDead : best;
  }

  const std::uint8_t* TableFor(const std::uint8_t* key) {
    const std::size_t maskBytes = static_cast<std::size_t>(lv_.flagOffset - lv_.trapOffset);
    if (last_ != nullptr && std::memcmp(lastMask_.data(), key + lv_.trapOffset, maskBytes) == 0) return last_;
    lastMask_.assign(reinterpret_cast<const char*>(key + lv_.trapOffset), maskBytes);
    last_ = Lookup(key);
    return last_;
  }

  const std::uint8_t* Lookup(const std::uint8_t* key) {
    std::string mask(reinterpret_cast<const char*>(key + lv_.trapOffset),
                     static_cast<std::size_t>(lv_.flagOffset - lv_.trapOffset));
    auto it = tables_.find(mask);
    if (it != tables_.end()) return it->second.data();
    if (tables_.size() >= kMaxTables) {
      // Fall back to the table with every trapdoor open: fewer walls, still a lower bound.
      std::string open(mask.size(), '\0');
      auto o = tables_.find(open);
      if (o == tables_.end()) o = tables_.emplace(open, Build(open)).first;
      return o->second.data();
    }
    return tables_.emplace(mask, Build(mask)).first->second.data();
  }

  std::vector<std::uint8_t> Build(const std::string& trapMask) const {
    std::array<bool, kCells> open{};
    for (int pos = 0; pos < kCells; ++pos) {
      CellKind k = lv_.empty.at(XOf(pos), YOf(pos)).kind;
      open[static_cast<std::size_t>(pos)] = k != CellKind::Block && k != CellKind::CrushBlock;
    }
    for (std::size_t i = 0; i < lv_.trapCells.size(); ++i) {
      if ((static_cast<unsigned char>(trapMask[i / 8]) >> (i % 8)) & 1)
        open[static_cast<std::size_t>(lv_.trapCells[i])] = false;
    }
    std::vector<std::uint8_t> table(lv_.spheres.size() * kCells, kFar);
    std::vector<int> queue;
    queue.reserve(kCells);
    for (std::size_t si = 0; si < lv_.spheres.size(); ++si) {
      std::uint8_t* dist = table.data() + si * kCells;
      queue.clear();
      int src = lv_.spheres[si].pos;
      dist[src] = 0;
      queue.push_back(src);
      for (std::size_t qi = 0; qi < queue.size(); ++qi) {
        int u = queue[qi];
        for (Direction d : kDirections) {
          int x = XOf(u), y = YOf(u);
          while (!AtEdge(x, y, d)) {
            auto [nx, ny] = StepFrom(x, y, d);
            int v = PosOf(nx, ny);
            if (!open[static_cast<std::size_t>(v)]) break;
            if (dist[v] == kFar) {
              dist[v] = static_cast<std::uint8_t>(dist[u] + 1);
              queue.push_back(v);
            }
            x = nx;
            y = ny;
          }
        }
      }
    }
    return table;
  }

  static constexpr std::size_t kMaxTables = 4096;
  const Level& lv_;
  // Node-based, so table pointers stay valid while more tables are added.
  std::unordered_map<std::string, std::vector<std::uint8_t>> tables_;
  std::string lastMask_;
  const std::uint8_t* last_ = nullptr;
  std::vector<int> dp_;
};

// Every state found so far: keys side by side in one arena, an open-addressing index on them.
class StateStore {
 public:
  explicit StateStore(int keyLength) : len_(static_cast<std::size_t>(keyLength)) { slots_.assign(1024, 0); }

  std::size_t size() const { return parent.size(); }
  const std::uint8_t* key(std::uint32_t i) const { return arena_.data() + std::size_t{i} * len_; }

  // The index of the key, or -1 when it is not stored.
  std::int64_t Find(const std::uint8_t* k, std::uint64_t h) const {
    std::size_t mask = slots_.size() - 1;
    for (std::size_t s = h & mask;; s = (s + 1) & mask) {
      std::uint32_t v = slots_[s];
      if (v == 0) return -1;
      if (std::memcmp(key(v - 1), k, len_) == 0) return v - 1;
    }
  }

  std::uint32_t Add(const std::uint8_t* k, std::uint64_t h, std::uint32_t par, std::uint16_t mv,
                    std::uint8_t depth, std::uint8_t est, bool goal) {
    if ((size() + 1) * 2 > slots_.size()) Grow();
    auto index = static_cast<std::uint32_t>(size());
    arena_.insert(arena_.end(), k, k + len_);
    parent.push_back(par);
    move.push_back(mv);
    g.push_back(depth);
    h_.push_back(est);
    goalFlag.push_back(goal ? 1 : 0);
    Place(h, index);
    return index;
  }

  std::uint8_t est(std::uint32_t i) const { return h_[i]; }

  static std::size_t BytesPerState(int keyLength, bool astar) {
    // key, parent, move, depth, bound, goal flag, two index slots, a queue entry
    return static_cast<std::size_t>(keyLength) + 4 + 2 + 1 + 1 + 1 + 8 + (astar ? 8 : 0);
  }

  std::vector<std::uint32_t> parent;
  std::vector<std::uint16_t> move;
  std::vector<std::uint8_t> g;
  std::vector<std::uint8_t> goalFlag;

 private:
  void Place(std::uint64_t h, std::uint32_t index) {
    std::size_t mask = slots_.size() - 1;
    std::size_t s = h & mask;
    while (slots_[s] != 0) s = (s + 1) & mask;
    slots_[s] = index + 1;
  }
  void Grow() {
    slots_.assign(slots_.size() * 2, 0);
    for (std::uint32_t i = 0; i < size(); ++i) Place(HashBytes(key(i), len_), i);
  }

  std::size_t len_;
  std::vector<std::uint8_t> arena_;
  std::vector<std::uint32_t> slots_;
  std::vector<std::uint8_t> h_;
};

class Search {
 public:
  Search(const Board& start, const SolverOptions& opt) : opt_(opt) {
    lv_ = Analyse(start, startKey_);
    store_ = std::make_unique<StateStore>(lv_.keyLength);
    bound_ = std::make_unique<Bound>(lv_);
    std::size_t perState = StateStore::BytesPerState(lv_.keyLength, opt.astar);
    limit_ = std::min(opt.maxStates, opt.maxMemoryBytes / perState);
    limit_ = std::min<std::size_t>(limit_, std::numeric_limits<std::uint32_t>::max() - 1);
    maxMoves_ = std::clamp(opt.maxMoves, 0, 250);
  }

  SolveResult Run() {
    auto t0 = std::chrono::steady_clock::now();
    SolveResult r = opt_.astar ? RunAStar() : RunBfs();
    r.statesVisited = store_->size();
    r.statesExpanded = expanded_;
    r.verifyMismatches = verifyFailures_;
    r.cancelled = cancelled_;
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    return r;
  }

 private:
  // Applies every allowed push to the board of state `index`; calls fn(key, move, crushed)
  // with each successor's state while board_ shows the position after that push.
  template <class Fn>
  void Expand(std::uint32_t index, Fn&& fn) {
    ++expanded_;
    // fn may add states and so move the arena: work on a copy of this state.
    current_.assign(store_->key(index), store_->key(index) + lv_.keyLength);
    const std::uint8_t* key = current_.data();
    Decode(lv_, key, board_);
    std::array<Cell, kBoardSize> line;
    for (int s = 0; s < lv_.cubeCount; ++s) {
      int pos = key[s];
      if (pos == kGone) continue;
      int x = XOf(pos), y = YOf(pos);
      for (Direction d : kDirections) {
        if (!CanPush(board_, x, y, d)) continue;
        // Everything a push changes lies on the cube's line, from its cell to the edge: keep
        // that line, push on the board itself, read the changes off the line, put it back.
        int n = 0;
        for (int cx = x, cy = y;; ++n) {
          line[static_cast<std::size_t>(n)] = board_.at(cx, cy);
          if (AtEdge(cx, cy, d)) break;
          std::tie(cx, cy) = StepFrom(cx, cy, d);
        }
        const MoveOutcome outcome = SlideCube(board_, x, y, d);
        const bool crushed = outcome.crushed;
        std::uint8_t* nk = scratch_.data();
        std::memcpy(nk, key, static_cast<std::size_t>(lv_.keyLength));
        int cx = x, cy = y;
        for (int i = 0; i <= n; ++i) {
          const Cell& before = line[static_cast<std::size_t>(i)];
          const Cell& after = board_.at(cx, cy);
          int p = PosOf(cx, cy);
          int ci = lv_.crackedIndex[static_cast<std::size_t>(p)];
          if (ci >= 0 && before.kind == CellKind::CrackedBlock && after.kind != CellKind::CrackedBlock)
            SetBit(nk, lv_.crackedOffset, ci);
          int ti = lv_.trapIndex[static_cast<std::size_t>(p)];
          if (ti >= 0 && before.kind != CellKind::Block && after.kind == CellKind::Block)
            SetBit(nk, lv_.trapOffset, ti);
          if (i < n) std::tie(cx, cy) = StepFrom(cx, cy, d);
        }
        nk[s] = crushed ? kGone : static_cast<std::uint8_t>(PosOf(outcome.toX, outcome.toY));
        // A crush never wins, but a board it leaves fully covered is a state of its own.
        nk[lv_.flagOffset] = (crushed && IsSolved(board_)) ? 1 : 0;
        if (opt_.symmetry) SortGroups(lv_, nk);
        if (opt_.verifyStates) Verify(nk);
        fn(static_cast<const std::uint8_t*>(nk), static_cast<std::uint16_t>(pos * 4 + static_cast<int>(d) - 1), crushed);
        cx = x;
        cy = y;
        for (int i = 0; i <= n; ++i) {
          board_.at(cx, cy) = line[static_cast<std::size_t>(i)];
          if (i < n) std::tie(cx, cy) = StepFrom(cx, cy, d);
        }
      }
    }
  }

  void Verify(const std::uint8_t* nk) {
    std::vector<std::uint8_t> full;
    EncodeBoard(lv_, board_, nk[lv_.flagOffset] != 0, full);
    std::vector<std::uint8_t> mine(nk, nk + lv_.keyLength);
    SortGroups(lv_, mine.data());
    if (full != mine) verifyFailures_++;
    // The bound is zero exactly on the boards the engine calls solved.
    if (!lv_.spheres.empty() && (bound_->Estimate(nk) == 0) != IsSolved(board_)) verifyFailures_++;
  }

  // The win after a push that came to rest: the engine's own test, asked only where the bound
  // (zero exactly when every sphere holds a cube of its colour) does not already rule it out.
  bool IsGoal(int rawBound, bool crushed) {
    if (crushed) return false;
    if (rawBound > 0) return false;
    return IsSolved(board_);
  }

  SolveResult Finish(std::uint32_t goalIndex) {
    SolveResult r;
    r.status = SolveStatus::Solved;
    for (std::uint32_t i = goalIndex; store_->parent[i] != kNoParent; i = store_->parent[i]) {
      int mv = store_->move[i];
      int pos = mv / 4;
      r.moves.push_back({XOf(pos), YOf(pos), static_cast<Direction>(mv % 4 + 1)});
    }
    std::reverse(r.moves.begin(), r.moves.end());
    return r;
  }

  SolveResult Exhausted() const {
    SolveResult r;
    r.status = boundHit_ ? SolveStatus::NoSolutionWithinBound : SolveStatus::Unsolvable;
    return r;
  }

  // The bound of a state: -1 when not computed (plain search), Bound::kDead when the state
  // can no longer be won.
  int RawBound(const std::uint8_t* key) {
    if (!opt_.pruning && !opt_.astar) return -1;
    return bound_->Estimate(key);
  }
  // What the queue orders by; 0 for breadth-first.
  int Priority(int raw) const {
    if (!opt_.astar || raw < 0 || raw == Bound::kDead) return 0;
    return std::min(raw, kMaxHeuristic);
  }
  bool Dead(int raw) const { return opt_.pruning && raw == Bound::kDead; }
  // Polled once per expansion; a relaxed load costs next to nothing beside a push.
  bool Cancelled() {
    if (opt_.cancel != nullptr && opt_.cancel->load(std::memory_order_relaxed)) cancelled_ = true;
    return cancelled_;
  }

  std::uint32_t AddStart(int raw) {
    return store_->Add(startKey_.data(), HashBytes(startKey_.data(), startKey_.size()), kNoParent, 0, 0,
                       static_cast<std::uint8_t>(Priority(raw)), false);
  }

  SolveResult RunBfs() {
    scratch_.resize(static_cast<std::size_t>(lv_.keyLength));
    const int raw0 = RawBound(startKey_.data());
    AddStart(raw0);
    if (Dead(raw0)) return Exhausted();
    bool gaveUp = false;
    std::int64_t goal = -1;
    for (std::uint32_t i = 0; i < store_->size() && goal < 0 && !gaveUp; ++i) {
      if (Cancelled()) return SolveResult{};
      if (store_->g[i] >= maxMoves_) {
        boundHit_ = true;
        continue;
      }
      std::uint8_t depth = static_cast<std::uint8_t>(store_->g[i] + 1);
      Expand(i, [&](const std::uint8_t* k, std::uint16_t mv, bool crushed) {
        if (goal >= 0 || gaveUp) return;
        std::uint64_t h = HashBytes(k, static_cast<std::size_t>(lv_.keyLength));
        if (store_->Find(k, h) >= 0) return;
        const int raw = RawBound(k);
        if (Dead(raw)) return;
        if (store_->size() >= limit_) {
          gaveUp = true;
          return;
        }
        const bool isGoal = IsGoal(raw, crushed);
        std::uint32_t j = store_->Add(k, h, i, mv, depth, 0, isGoal);
        if (isGoal) goal = j;
      });
    }
    if (goal >= 0) return Finish(static_cast<std::uint32_t>(goal));
    if (gaveUp) return SolveResult{};
    return Exhausted();
  }

  SolveResult RunAStar() {
    scratch_.resize(static_cast<std::size_t>(lv_.keyLength));
    const int raw0 = RawBound(startKey_.data());
    AddStart(raw0);
    if (Dead(raw0)) return Exhausted();
    const int h0 = Priority(raw0);
    std::vector<std::vector<std::uint32_t>> buckets(static_cast<std::size_t>(maxMoves_ + kMaxHeuristic + 2));
    buckets[static_cast<std::size_t>(h0)].push_back(0);
    bool gaveUp = false;
    std::size_t f = static_cast<std::size_t>(h0);
    while (f < buckets.size()) {
      if (Cancelled()) return SolveResult{};
      auto& bucket = buckets[f];
      if (bucket.empty()) {
        std::vector<std::uint32_t>().swap(bucket);
        ++f;
        continue;
      }
      std::uint32_t i = bucket.back();
      bucket.pop_back();
      if (static_cast<std::size_t>(store_->g[i]) + store_->est(i) != f) continue;  // stale entry
      if (store_->goalFlag[i]) return Finish(i);
      if (store_->g[i] >= maxMoves_) {
        boundHit_ = true;
        continue;
      }
      std::uint8_t depth = static_cast<std::uint8_t>(store_->g[i] + 1);
      std::size_t lowest = f;
      auto push = [&](std::uint32_t j) {
        std::size_t fj = static_cast<std::size_t>(store_->g[j]) + store_->est(j);
        buckets[fj].push_back(j);
        lowest = std::min(lowest, fj);
      };
      Expand(i, [&](const std::uint8_t* k, std::uint16_t mv, bool crushed) {
        if (gaveUp) return;
        std::uint64_t hash = HashBytes(k, static_cast<std::size_t>(lv_.keyLength));
        std::int64_t found = store_->Find(k, hash);
        if (found >= 0) {
          auto j = static_cast<std::uint32_t>(found);
          if (depth < store_->g[j]) {
            // Reached by a shorter way: reopen it.
            store_->g[j] = depth;
            store_->parent[j] = i;
            store_->move[j] = mv;
            push(j);
          }
          return;
        }
        const int raw = RawBound(k);
        if (Dead(raw)) return;
        if (store_->size() >= limit_) {
          gaveUp = true;
          return;
        }
        push(store_->Add(k, hash, i, mv, depth, static_cast<std::uint8_t>(Priority(raw)), IsGoal(raw, crushed)));
      });
      if (gaveUp) return SolveResult{};
      // Only a bound that is not consistent (a clamped or fallback estimate) can queue a state
      // below the current level; go back for it so the first goal taken stays a shortest one.
      f = lowest;
    }
    return Exhausted();
  }

  const SolverOptions& opt_;
  Level lv_;
  std::vector<std::uint8_t> startKey_;
  std::unique_ptr<StateStore> store_;
  std::unique_ptr<Bound> bound_;
  std::size_t limit_ = 0;
  int maxMoves_ = 0;
  bool boundHit_ = false;
  bool cancelled_ = false;
  std::size_t expanded_ = 0;
  Board board_{};
  std::vector<std::uint8_t> scratch_;
  std::vector<std::uint8_t> current_;

 public:
  std::size_t verifyFailures_ = 0;
};

}  // namespace

SolveResult Solve(const Board& start, const SolverOptions& options) {
  Search search(start, options);
  return search.Run();
}

std::string FormatMoves(const std::vector<SolverMove>& moves) {
  std::string out;
  for (const SolverMove& m : moves) {
    if (!out.empty()) out += ' ';
    char d = '?';
    switch (m.direction) {
      case Direction::Left: d = 'l'; break;
      case Direction::Right: d = 'r'; break;
      case Direction::Up: d = 'u'; break;
      case Direction::Down: d = 'd'; break;
      case Direction::None: break;
    }
    out += std::to_string(m.x) + ',' + std::to_string(m.y) + ',' + d;
  }
  return out;
}

bool ParseMoves(const std::string& text, std::vector<SolverMove>& moves) {
  std::vector<SolverMove> parsed;
  std::istringstream in(text);
  std::string token;
  while (in >> token) {
    SolverMove m;
    int x = 0, y = 0;
    char d = 0;
    std::size_t c1 = token.find(',');
    std::size_t c2 = c1 == std::string::npos ? c1 : token.find(',', c1 + 1);
    if (c2 == std::string::npos || c2 + 2 != token.size()) return false;
    auto number = [](std::string_view s, int& v) {
      if (s.empty() || s.size() > 2) return false;
      v = 0;
      for (char ch : s) {
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
      }
      return v >= 1 && v <= kBoardSize;
    };
    std::string_view tv(token);
    if (!number(tv.substr(0, c1), x) || !number(tv.substr(c1 + 1, c2 - c1 - 1), y)) return false;
    d = token[c2 + 1];
    switch (d) {
      case 'l': m.direction = Direction::Left; break;
      case 'r': m.direction = Direction::Right; break;
      case 'u': m.direction = Direction::Up; break;
      case 'd': m.direction = Direction::Down; break;
      default: return false;
    }
    m.x = x;
    m.y = y;
    parsed.push_back(m);
  }
  moves = std::move(parsed);
  return true;
}

}  // namespace engine
