#include "engine/solver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <functional>
#include <memory>
#include <mutex>
#include <sstream>
#include <string_view>
#include <thread>
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
  // Cells where some cube may come to rest in some position reachable from the start (a
  // superset: see RestCells). A cube elsewhere can stop nothing.
  std::array<bool, kCells> canRest{};
};

constexpr std::array<int, 4> kDx{-1, 1, 0, 0};  // in the order of kDirections
constexpr std::array<int, 4> kDy{0, 0, -1, 1};
constexpr std::array<int, 4> kStep{-1, 1, -kBoardSize, kBoardSize};  // the same steps on a cell index

// Something a sliding cube may stop against at pos, now or later: a wall, a trapdoor (it may
// close), a cracked block (it may still stand), or a cell a cube may rest on. Off the board
// counts too.
bool MayStop(const Level& lv, int x, int y) {
  if (!OnBoard(x, y)) return true;
  const CellKind k = lv.empty.at(x, y).kind;
  return k == CellKind::Block || k == CellKind::Trapdoor || k == CellKind::CrackedBlock ||
         lv.canRest[static_cast<std::size_t>(PosOf(x, y))];
}

// A cube may be on or pass over this cell at some time: floor, spheres, trapdoors that are
// still open, cracked blocks once broken.
bool MayPass(CellKind k) {
  return k == CellKind::Empty || k == CellKind::Sphere || k == CellKind::Trapdoor || k == CellKind::CrackedBlock;
}

// Every cell a cube can come to rest on, over every position reachable from the start: the
// start cells, then, until nothing changes, every cell a slide from a cell found so far may
// end on (each cracked block taken as both broken and standing, each trapdoor as both open and
// closed, each cell found so far as holding a cube). A real push always ends on such a cell,
// so the set holds every cell a cube ever rests on; crush blocks stop no cube.
void RestCells(Level& lv, const std::vector<int>& cubeCells) {
  lv.canRest.fill(false);
  for (int pos : cubeCells) lv.canRest[static_cast<std::size_t>(pos)] = true;
  for (bool changed = true; changed;) {
    changed = false;
    for (int pos = 0; pos < kCells; ++pos) {
      if (!lv.canRest[static_cast<std::size_t>(pos)]) continue;
      for (std::size_t d = 0; d < 4; ++d) {
        for (int x = XOf(pos) + kDx[d], y = YOf(pos) + kDy[d]; OnBoard(x, y) && MayPass(lv.empty.at(x, y).kind);
             x += kDx[d], y += kDy[d]) {
          const auto at = static_cast<std::size_t>(PosOf(x, y));
          if (!lv.canRest[at] && MayStop(lv, x + kDx[d], y + kDy[d])) {
            lv.canRest[at] = true;
            changed = true;
          }
        }
      }
    }
  }
}

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
  std::vector<int> cubeCells;
  for (const auto& cells : cubesOfGroup) cubeCells.insert(cubeCells.end(), cells.begin(), cells.end());
  RestCells(lv, cubeCells);
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

// Set bits of a cube mask of the assignment (at most 12 cubes); a table, as the build targets no
// particular processor and the call into the compiler's runtime showed up in profiles.
inline int PopCount(std::size_t mask) {
  static const std::array<std::uint8_t, 4096> table = [] {
    std::array<std::uint8_t, 4096> t{};
    for (std::size_t i = 1; i < t.size(); ++i) t[i] = static_cast<std::uint8_t>(t[i / 2] + (i & 1));
    return t;
  }();
  return table[mask & 4095];
}

inline bool Bit(const std::uint8_t* key, int offset, int i) {
  return (key[offset + i / 8] >> (i % 8)) & 1;
}
inline void SetBit(std::uint8_t* key, int offset, int i) {
  key[offset + i / 8] = static_cast<std::uint8_t>(key[offset + i / 8] | (1u << (i % 8)));
}

// Puts the state on a board that shows the level without its cubes (lv.empty, or a board
// Restore has cleared).
void Decode(const Level& lv, const std::uint8_t* key, Board& board) {
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

// Takes the state Decode put on the board off again, cell by cell: cheaper than a fresh copy.
void Restore(const Level& lv, const std::uint8_t* key, Board& board) {
  for (int pos : lv.crackedCells) board.at(XOf(pos), YOf(pos)) = lv.empty.at(XOf(pos), YOf(pos));
  for (int pos : lv.trapCells) board.at(XOf(pos), YOf(pos)) = lv.empty.at(XOf(pos), YOf(pos));
  for (int s = 0; s < lv.cubeCount; ++s) {
    if (key[s] != kGone) board.at(XOf(key[s]), YOf(key[s])) = lv.empty.at(XOf(key[s]), YOf(key[s]));
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

// Lower bound on the moves still needed, from a relaxation: a cube runs straight over cells that
// are not walls, crush blocks or closed trapdoors (cracked blocks count as floor, other cubes as
// absent) and stops where something may stop it (MayStop; without stopAware, anywhere). Every
// real move is such a run, each sphere needs a cube of its own, and one move moves one cube, so
// the cheapest assignment of cubes to spheres is admissible. It is also consistent: a move
// changes one cube's run count by at most 1, and closing a trapdoor only takes a way away
// (trapdoors count as stoppers whether open or closed).
class Bound {
 public:
  Bound(const Level& lv, bool stopAware) : lv_(lv), stopAware_(stopAware) {}

  // kDead when some sphere can no longer get a cube of its colour.
  static constexpr int kDead = std::numeric_limits<int>::max();

  // The bound of a state; with `costs`, also each colour's share of it (kColorCount + 1 entries).
  int Estimate(const std::uint8_t* key, int* costs = nullptr) {
    if (lv_.spheres.empty()) {
      if (costs != nullptr) std::fill(costs, costs + kColorCount + 1, 0);
      return 0;
    }
    const std::uint8_t* dist = TableFor(key);
    int total = 0;
    for (int color = 0; color <= kColorCount; ++color) {
      const int cost = ColourCost(dist, key, color);
      if (cost == kDead) return kDead;
      if (costs != nullptr) costs[color] = cost;
      total += cost;
    }
    return total;
  }

  // The bound of a successor whose push moved (or crushed) a cube of colour `group` and left
  // every trapdoor as it was: only that colour's share can have changed.
  int Reestimate(const std::uint8_t* key, const int* parentCosts, int parentTotal, int group) {
    if (lv_.spheres.empty()) return 0;
    const int cost = ColourCost(TableFor(key), key, group);
    if (cost == kDead) return kDead;
    return parentTotal - parentCosts[group] + cost;
  }

  // True when the two states have the same trapdoors closed (so the same distance table).
  bool SameTraps(const std::uint8_t* a, const std::uint8_t* b) const {
    return std::equal(a + lv_.trapOffset, a + lv_.flagOffset, b + lv_.trapOffset);
  }

 private:
  int ColourCost(const std::uint8_t* dist, const std::uint8_t* key, int color) {
    const auto& sph = lv_.spheresOfColor[static_cast<std::size_t>(color)];
    if (sph.empty()) return 0;
    if (color == 0) return kDead;  // a sphere of no valid colour can never be matched
    int a = lv_.groupStart[static_cast<std::size_t>(color)], b = lv_.groupStart[static_cast<std::size_t>(color) + 1];
    int cubes[kCells];
    int n = 0;
    for (int s = a; s < b; ++s)
      if (key[s] != kGone) cubes[n++] = key[s];
    if (n < static_cast<int>(sph.size())) return kDead;
    return Assign(dist, sph, cubes, n);
  }

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
    // kFar (255) stands for "no way"; sums of at most two stay below kInf's test.
    if (m == 1) {
      int best = kFar;
      for (int ci = 0; ci < n; ++ci) best = std::min(best, d(0, ci));
      return best >= kFar ? kDead : best;
    }
    if (m == 2) {
      int best = kInf;
      for (int a = 0; a < n; ++a) {
        const int va = d(0, a);
        if (va == kFar) continue;
        for (int b = 0; b < n; ++b) {
          const int vb = d(1, b);
          if (b != a && vb != kFar) best = std::min(best, va + vb);
        }
      }
      return best >= kInf ? kDead : best;
    }
    // dp over the set of cubes used by the first popcount(mask) spheres.
    std::size_t full = std::size_t{1} << n;
    std::fill(dp_.begin(), dp_.begin() + static_cast<std::ptrdiff_t>(full), kInf);
    dp_[0] = 0;
    int best = kInf;
    for (std::size_t mask = 0; mask < full; ++mask) {
      int cur = dp_[mask];
      if (cur >= kInf) continue;
      int si = PopCount(mask);
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
    if (last_ != nullptr && std::equal(key + lv_.trapOffset, key + lv_.flagOffset,
                                       reinterpret_cast<const std::uint8_t*>(lastMask_.data())))
      return last_;
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
        for (std::size_t di = 0; di < 4; ++di) {
          const Direction d = kDirections[di];
          int x = XOf(u), y = YOf(u);
          // A cube coming from this side stops on u only against something beyond it.
          if (stopAware_ && !MayStop(lv_, x - kDx[di], y - kDy[di])) continue;
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
  bool stopAware_;
  // Node-based, so table pointers stay valid while more tables are added.
  std::unordered_map<std::string, std::vector<std::uint8_t>> tables_;
  std::string lastMask_;
  const std::uint8_t* last_ = nullptr;
  std::array<int, std::size_t{1} << 12> dp_{};
};

// Every state found so far: keys side by side in one arena, an open-addressing index on them.
// Tagged, an index slot spends its top bits on a few bits of the key's hash, so a lookup reads a
// stored key only when those match (nearly always the key itself); such a store holds at most
// kMaxTagged states.
class StateStore {
 public:
  static constexpr int kIndexBits = 26;
  static constexpr std::size_t kMaxTagged = (std::size_t{1} << kIndexBits) - 2;

  StateStore(int keyLength, bool tagged) : len_(static_cast<std::size_t>(keyLength)), tagged_(tagged) {
    slots_.assign(1024, 0);
  }

  std::size_t size() const { return parent.size(); }
  const std::uint8_t* key(std::uint32_t i) const { return arena_.data() + std::size_t{i} * len_; }

  // The index of the key, or -1 when it is not stored.
  std::int64_t Find(const std::uint8_t* k, std::uint64_t h) const {
    const std::size_t mask = slots_.size() - 1;
    if (tagged_) {
      const std::uint32_t tag = Tag(h);
      for (std::size_t s = h & mask;; s = (s + 1) & mask) {
        const std::uint32_t v = slots_[s];
        if (v == 0) return -1;
        if ((v & ~kIndexMask) == tag && SameKey(key((v & kIndexMask) - 1), k)) return (v & kIndexMask) - 1;
      }
    }
    for (std::size_t s = h & mask;; s = (s + 1) & mask) {
      std::uint32_t v = slots_[s];
      if (v == 0) return -1;
      if (std::memcmp(key(v - 1), k, len_) == 0) return v - 1;
    }
  }

  // Asks the memory for the slot a lookup of h starts at, so it is there when Find comes.
  void Prefetch(std::uint64_t h) const { __builtin_prefetch(&slots_[h & (slots_.size() - 1)]); }

  std::uint32_t Add(const std::uint8_t* k, std::uint64_t h, std::uint32_t par, std::uint16_t mv,
                    std::uint8_t depth, std::uint8_t est, bool goal) {
    if ((size() + 1) * 2 > slots_.size()) Grow();
    auto index = static_cast<std::uint32_t>(size());
    arena_.insert(arena_.end(), k, k + len_);
    parent.push_back(par);
    move.push_back(mv);
    g.push_back(depth);
    h_.push_back(est);
    bound_.push_back(est);
    goalFlag.push_back(goal ? 1 : 0);
    Place(h, index);
    return index;
  }

  // What the queue orders a state by, less its depth: its bound, or more once a partial
  // expansion has handed out every successor below that.
  std::uint8_t est(std::uint32_t i) const { return h_[i]; }
  void SetEst(std::uint32_t i, std::uint8_t v) { h_[i] = v; }
  // The state's own bound (clamped).
  std::uint8_t bound(std::uint32_t i) const { return bound_[i]; }

  static std::size_t BytesPerState(int keyLength, bool astar) {
    // key, parent, move, depth, queue bound, bound, goal flag, two index slots, a queue entry
    return static_cast<std::size_t>(keyLength) + 4 + 2 + 1 + 1 + 1 + 1 + 8 + (astar ? 8 : 0);
  }

  std::vector<std::uint32_t> parent;
  std::vector<std::uint16_t> move;
  std::vector<std::uint8_t> g;
  std::vector<std::uint8_t> goalFlag;

 private:
  static constexpr std::uint32_t kIndexMask = (std::uint32_t{1} << kIndexBits) - 1;
  // The hash's top bits, where the slot's index leaves room (its low bits pick the slot).
  static std::uint32_t Tag(std::uint64_t h) { return static_cast<std::uint32_t>(h >> 32) & ~kIndexMask; }
  bool SameKey(const std::uint8_t* a, const std::uint8_t* b) const {
    for (std::size_t i = 0; i < len_; ++i)
      if (a[i] != b[i]) return false;
    return true;
  }
  void Place(std::uint64_t h, std::uint32_t index) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t s = h & mask;
    while (slots_[s] != 0) s = (s + 1) & mask;
    slots_[s] = tagged_ ? (Tag(h) | (index + 1)) : index + 1;
  }
  // Doubles the index. Its slots are fetched some states ahead: the placements land all over
  // the index, and waiting for each one's memory in turn cost more than everything else here.
  void Grow() {
    slots_.assign(slots_.size() * 2, 0);
    constexpr std::uint32_t kAhead = 16;
    std::array<std::uint64_t, kAhead> hashes{};
    const auto n = static_cast<std::uint32_t>(size());
    for (std::uint32_t i = 0; i < n + kAhead; ++i) {
      if (i >= kAhead) Place(hashes[i % kAhead], i - kAhead);
      if (i < n) {
        hashes[i % kAhead] = HashBytes(key(i), len_);
        Prefetch(hashes[i % kAhead]);
      }
    }
  }

  std::size_t len_;
  bool tagged_;
  std::vector<std::uint8_t> arena_;
  std::vector<std::uint32_t> slots_;
  std::vector<std::uint8_t> h_;
  std::vector<std::uint8_t> bound_;
};

// The A* queue: one bucket per estimated length f. Ordered by bound, each bucket keeps one list
// per bound h and hands out its smallest h (the state nearest a win) first; otherwise the last
// state queued comes first.
class OpenList {
 public:
  OpenList(std::size_t levels, bool byBound) : buckets_(levels), lowest_(levels, kNone), byBound_(byBound) {}

  std::size_t levels() const { return buckets_.size(); }

  void Push(std::size_t f, int h, std::uint32_t index) {
    auto& bucket = buckets_[f];
    const std::size_t sub = byBound_ ? static_cast<std::size_t>(h) : 0;
    if (bucket.size() <= sub) bucket.resize(sub + 1);
    bucket[sub].push_back(index);
    lowest_[f] = std::min(lowest_[f], sub);
  }

  // Takes a state of bucket f; false (and the bucket's memory given back) when it is empty.
  bool Pop(std::size_t f, std::uint32_t& index) {
    auto& bucket = buckets_[f];
    for (std::size_t h = lowest_[f]; h < bucket.size(); ++h) {
      if (bucket[h].empty()) continue;
      lowest_[f] = h;
      index = bucket[h].back();
      bucket[h].pop_back();
      return true;
    }
    std::vector<std::vector<std::uint32_t>>().swap(bucket);
    lowest_[f] = kNone;
    return false;
  }

 private:
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  std::vector<std::vector<std::vector<std::uint32_t>>> buckets_;
  std::vector<std::size_t> lowest_;
  bool byBound_;
};

// The bound of the state being expanded is not known (work out every successor's in full).
constexpr int kNoBound = -1;

// A successor waiting to be looked up in the store.
struct Pending {
  std::uint64_t hash;
  std::uint16_t move;
  bool crushed;
  int group;
  int raw;             // its bound
  std::uint32_t slot;  // the batch position of the state it came from
};

// What one thread needs to expand states: its own board to push on, its own bound with its
// tables, and the successors it found.
struct Lane {
  Lane(const Level& lv, const SolverOptions& opt)
      : board(lv.empty), scratch(static_cast<std::size_t>(lv.keyLength)), bound(std::make_unique<Bound>(lv, opt.stopAware)) {}
  Board board;
  std::vector<std::uint8_t> scratch;
  std::vector<std::uint8_t> current;
  std::unique_ptr<Bound> bound;
  // The bound of the state being expanded and each colour's share (kNoBound: not known).
  int parentBound = kNoBound;
  std::array<int, kColorCount + 1> parentCosts{};
  std::vector<Pending> batch;
  std::vector<std::uint8_t> batchKeys;
  std::size_t expanded = 0;
  std::size_t verifyFailures = 0;
};

// A thread that runs one job at a time for the search and waits for the next. A batch of
// expansions takes well under a millisecond, less than a sleeping thread takes to wake: so
// both sides spin for a short while first and only then sleep.
class Helper {
 public:
  Helper() : thread_([this] { Loop(); }) {}
  ~Helper() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

  void Start(std::function<void()> job) {
    job_ = std::move(job);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      started_.fetch_add(1, std::memory_order_release);
    }
    wake_.notify_one();
  }
  void Wait() {
    const std::uint64_t target = started_.load(std::memory_order_relaxed);
    for (int spin = 0; spin < kSpins; ++spin) {
      if (finished_.load(std::memory_order_acquire) == target) return;
      Pause();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return finished_.load(std::memory_order_acquire) == target; });
  }

 private:
  static constexpr int kSpins = 4000;
  static void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
  }

  void Loop() {
    std::uint64_t seen = 0;
    for (;;) {
      bool ready = false;
      for (int spin = 0; spin < kSpins && !ready; ++spin) {
        ready = started_.load(std::memory_order_acquire) != seen;
        if (!ready) Pause();
      }
      if (!ready) {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [&] { return quit_ || started_.load(std::memory_order_acquire) != seen; });
        if (started_.load(std::memory_order_acquire) == seen) return;  // quit, nothing left to do
      }
      seen = started_.load(std::memory_order_acquire);
      job_();
      {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_.store(seen, std::memory_order_release);
      }
      done_.notify_one();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::function<void()> job_;
  std::atomic<std::uint64_t> started_{0};
  std::atomic<std::uint64_t> finished_{0};
  bool quit_ = false;
  std::thread thread_;  // last: it starts once everything above is ready
};

class Search {
 public:
  Search(const Board& start, const SolverOptions& opt) : opt_(opt) {
    lv_ = Analyse(start, startKey_);
    store_ = std::make_unique<StateStore>(lv_.keyLength, opt.batchedLookups);
    // Only the batched informed search spreads expansions over helper lanes.
    // No more than the processor has cores: a lane waiting for another spins for a moment.
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int lanes = opt.astar && opt.batchedLookups ? std::clamp(std::min(opt.threads, cores), 1, kMaxLanes) : 1;
    for (int i = 0; i < lanes; ++i) lanes_.push_back(std::make_unique<Lane>(lv_, opt));
    std::size_t perState = StateStore::BytesPerState(lv_.keyLength, opt.astar);
    limit_ = std::min(opt.maxStates, opt.maxMemoryBytes / perState);
    limit_ = std::min<std::size_t>(limit_, std::numeric_limits<std::uint32_t>::max() - 1);
    if (opt.batchedLookups) limit_ = std::min(limit_, StateStore::kMaxTagged);
    maxMoves_ = std::clamp(opt.maxMoves, 0, 250);
  }

  SolveResult Run() {
    auto t0 = std::chrono::steady_clock::now();
    SolveResult r = opt_.astar ? RunAStar() : RunBfs();
    helpers_.clear();  // joins the helper threads before the lanes they work on go
    r.statesVisited = store_->size();
    for (const auto& ln : lanes_) {
      r.statesExpanded += ln->expanded;
      r.verifyMismatches += ln->verifyFailures;
    }
    r.cancelled = cancelled_;
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    return r;
  }

 private:
  // Applies every allowed push to the board of state `index`; calls fn(key, move, crushed)
  // with each successor's state while ln.board shows the position after that push.
  template <class Fn>
  void Expand(Lane& ln, std::uint32_t index, Fn&& fn) {
    ++ln.expanded;
    // fn may add states and so move the arena: work on a copy of this state.
    ln.current.assign(store_->key(index), store_->key(index) + lv_.keyLength);
    const std::uint8_t* key = ln.current.data();
    Decode(lv_, key, ln.board);
    struct Clear {
      const Level& lv;
      Lane& ln;
      const std::uint8_t* key;
      ~Clear() { Restore(lv, key, ln.board); }
    } clear{lv_, ln, key};
    ln.parentBound = kNoBound;
    if (opt_.incrementalBound && (opt_.astar || opt_.pruning)) {
      ln.parentBound = ln.bound->Estimate(key, ln.parentCosts.data());
      if (ln.parentBound == Bound::kDead) ln.parentBound = kNoBound;
    }
    for (int s = 0; s < lv_.cubeCount; ++s) {
      const int pos = key[s];
      if (pos == kGone) continue;
      const int x = XOf(pos), y = YOf(pos);
      const Cell startCell = ln.board.at(x, y);
      for (std::size_t di = 0; di < kDirections.size(); ++di) {
        const Direction d = kDirections[di];
        if (!CanPush(ln.board, x, y, d)) continue;
        const MoveOutcome outcome = SlideCube(ln.board, x, y, d);
        const bool crushed = outcome.crushed;
        const int end = PosOf(outcome.toX, outcome.toY);
        const int step = kStep[di];
        std::uint8_t* nk = ln.scratch.data();
        std::memcpy(nk, key, static_cast<std::size_t>(lv_.keyLength));
        // What a push changes follows from where it ended: every trapdoor the cube left (its
        // start included) closed behind it, and the cracked block it stopped against broke.
        for (int p = pos; p != end; p += step) {
          const int ti = lv_.trapIndex[static_cast<std::size_t>(p)];
          if (ti >= 0) SetBit(nk, lv_.trapOffset, ti);
        }
        if (outcome.brokenDirection != Direction::None)
          SetBit(nk, lv_.crackedOffset, lv_.crackedIndex[static_cast<std::size_t>(end + step)]);
        nk[s] = crushed ? kGone : static_cast<std::uint8_t>(end);
        // A crush never wins, but a board it leaves fully covered is a state of its own.
        nk[lv_.flagOffset] = (crushed && IsSolved(ln.board)) ? 1 : 0;
        if (opt_.symmetry) Resort(nk, s);
        if (opt_.verifyStates) Verify(ln, nk, lv_.slotGroup[static_cast<std::size_t>(s)], crushed);
        fn(static_cast<const std::uint8_t*>(nk), static_cast<std::uint16_t>(pos * 4 + static_cast<int>(d) - 1), crushed,
           lv_.slotGroup[static_cast<std::size_t>(s)]);
        // Put the board back: the cells the cube slid over held no cube and were what the
        // level shows there (a cracked block among them broken before), the broken block
        // stands again, the start holds the cube.
        const int dx = kDx[di], dy = kDy[di];
        for (int p = pos + step, cx = x + dx, cy = y + dy;; p += step, cx += dx, cy += dy) {
          Cell& c = ln.board.at(cx, cy);
          c = lv_.empty.at(cx, cy);
          if (lv_.crackedIndex[static_cast<std::size_t>(p)] >= 0) c.kind = CellKind::Empty;
          if (p == end) break;
        }
        if (outcome.brokenDirection != Direction::None)
          ln.board.at(outcome.toX + dx, outcome.toY + dy) = lv_.empty.at(outcome.toX + dx, outcome.toY + dy);
        ln.board.at(x, y) = startCell;
      }
    }
  }

  // Keeps a colour's cells sorted after the push changed slot s (the rest of its group is
  // sorted already): the same key a full sort gives, in a few steps.
  void Resort(std::uint8_t* key, int s) const {
    const int g = lv_.slotGroup[static_cast<std::size_t>(s)];
    const int a = lv_.groupStart[static_cast<std::size_t>(g)], b = lv_.groupStart[static_cast<std::size_t>(g) + 1];
    const std::uint8_t v = key[s];
    int i = s;
    while (i > a && key[i - 1] > v) {
      key[i] = key[i - 1];
      --i;
    }
    while (i + 1 < b && key[i + 1] < v) {
      key[i] = key[i + 1];
      ++i;
    }
    key[i] = v;
  }

  void Verify(Lane& ln, const std::uint8_t* nk, int group, bool crushed) {
    std::vector<std::uint8_t> full;
    EncodeBoard(lv_, ln.board, nk[lv_.flagOffset] != 0, full);
    std::vector<std::uint8_t> mine(nk, nk + lv_.keyLength);
    SortGroups(lv_, mine.data());
    if (full != mine) ln.verifyFailures++;
    // The bound is zero exactly on the boards the engine calls solved, and the shortcut for
    // the colours a push left alone gives the full answer.
    const int whole = ln.bound->Estimate(nk);
    if (!lv_.spheres.empty() && (whole == 0) != IsSolved(ln.board)) ln.verifyFailures++;
    if (RawBound(ln, nk, group) != whole && (opt_.astar || opt_.pruning)) ln.verifyFailures++;
    // The win read off the key is the engine's own test.
    if (!crushed && IsSolvedKey(nk) != IsSolved(ln.board)) ln.verifyFailures++;
  }

  // Expands state `index` and hands every successor to consider(key, hash, move, crushed,
  // group, raw bound or -1). Batched, the successors are gathered first, with their bounds
  // (cheap from the parent's), and their index slots fetched ahead.
  template <class Consider>
  void ExpandAll(Lane& ln, std::uint32_t index, Consider&& consider) {
    ExpandAll(ln, index, consider, [](int) { return true; });
  }
  // Batched, only the successors keep(raw bound) accepts are looked up.
  template <class Consider, class Keep>
  void ExpandAll(Lane& ln, std::uint32_t index, Consider&& consider, Keep&& keep) {
    if (!opt_.batchedLookups) {
      Expand(ln, index, [&](const std::uint8_t* k, std::uint16_t mv, bool crushed, int group) {
        consider(k, HashBytes(k, static_cast<std::size_t>(lv_.keyLength)), mv, crushed, group, -1);
      });
      return;
    }
    const auto len = static_cast<std::size_t>(lv_.keyLength);
    ln.batch.clear();
    ln.batchKeys.clear();
    Expand(ln, index, [&](const std::uint8_t* k, std::uint16_t mv, bool crushed, int group) {
      const int raw = RawBound(ln, k, group);
      if (!keep(raw)) return;
      const std::uint64_t hash = HashBytes(k, len);
      store_->Prefetch(hash);
      ln.batch.push_back({hash, mv, crushed, group, raw, 0});
      ln.batchKeys.insert(ln.batchKeys.end(), k, k + len);
    });
    for (std::size_t b = 0; b < ln.batch.size(); ++b) {
      const Pending& p = ln.batch[b];
      consider(ln.batchKeys.data() + b * len, p.hash, p.move, p.crushed, p.group, p.raw);
    }
  }

  // The win after a push that came to rest: every sphere holds a cube of its colour. Read off
  // the key, since the board may show another successor by now.
  bool IsSolvedKey(const std::uint8_t* key) const {
    for (const Level::Sphere& sphere : lv_.spheres) {
      if (sphere.color == 0) return false;
      bool covered = false;
      for (int s = lv_.groupStart[static_cast<std::size_t>(sphere.color)];
           s < lv_.groupStart[static_cast<std::size_t>(sphere.color) + 1] && !covered; ++s)
        covered = key[s] == sphere.pos;
      if (!covered) return false;
    }
    return true;
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
  // `group` is the colour of the cube the push moved, -1 for a state not made by a push.
  int RawBound(Lane& ln, const std::uint8_t* key, int group = -1) {
    if (!opt_.pruning && !opt_.astar) return -1;
    if (group >= 0 && ln.parentBound != kNoBound && ln.bound->SameTraps(key, ln.current.data()))
      return ln.bound->Reestimate(key, ln.parentCosts.data(), ln.parentBound, group);
    return ln.bound->Estimate(key);
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
    Lane& ln = *lanes_[0];
    const int raw0 = RawBound(ln, startKey_.data());
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
      ExpandAll(ln, i, [&](const std::uint8_t* k, std::uint64_t h, std::uint16_t mv, bool crushed, int group, int raw) {
        if (goal >= 0 || gaveUp) return;
        if (store_->Find(k, h) >= 0) return;
        if (raw < 0) raw = RawBound(ln, k, group);
        if (Dead(raw)) return;
        if (store_->size() >= limit_) {
          gaveUp = true;
          return;
        }
        const bool isGoal = !crushed && IsSolvedKey(k);
        std::uint32_t j = store_->Add(k, h, i, mv, depth, 0, isGoal);
        if (isGoal) goal = j;
      });
    }
    if (goal >= 0) return Finish(static_cast<std::uint32_t>(goal));
    if (gaveUp) return SolveResult{};
    return Exhausted();
  }

  // A state taken from the queue for expansion, with what its expansion found out.
  struct Slot {
    std::uint32_t index;
    std::uint8_t depth;            // of its successors
    bool firstExpansion;
    std::size_t nextLevel;         // partial expansion: the lowest level of the successors left out
  };

  // Partial expansion: only the successors on level f are stored now; the state goes back in
  // the queue at the lowest level of the others (its first expansion also takes any below f,
  // which only an inconsistent bound gives; later ones have taken those already).
  bool Keep(Slot& slot, std::size_t f, int raw) const {
    if (!opt_.partialExpansion || Dead(raw)) return true;
    const std::size_t fc = slot.depth + static_cast<std::size_t>(Priority(raw));
    if (fc > f) {
      slot.nextLevel = std::min(slot.nextLevel, fc);
      return false;
    }
    return fc >= f || slot.firstExpansion;
  }

  // Expands the slots lane `lane` of `count` lanes owns (every count-th one), gathering the
  // successors worth looking up, with their hashes and bounds, in the lane's list. Reads the
  // store only, so the lanes can run at once.
  void Gather(std::size_t lane, std::size_t count, std::vector<Slot>& slots, std::size_t f) {
    Lane& ln = *lanes_[lane];
    const auto len = static_cast<std::size_t>(lv_.keyLength);
    ln.batch.clear();
    ln.batchKeys.clear();
    for (std::size_t b = lane; b < slots.size(); b += count) {
      Slot& slot = slots[b];
      Expand(ln, slot.index, [&](const std::uint8_t* k, std::uint16_t mv, bool crushed, int group) {
        const int raw = RawBound(ln, k, group);
        if (Dead(raw) || !Keep(slot, f, raw)) return;  // a dead state is never stored
        ln.batch.push_back({HashBytes(k, len), mv, crushed, group, raw, static_cast<std::uint32_t>(b)});
        ln.batchKeys.insert(ln.batchKeys.end(), k, k + len);
      });
    }
  }

  // Runs Gather on every lane at once: the helper threads take the others, this thread lane 0.
  void GatherAll(std::vector<Slot>& slots, std::size_t f) {
    const std::size_t count = std::min(lanes_.size(), slots.size());
    if (count > 1 && helpers_.empty()) {
      for (std::size_t lane = 1; lane < lanes_.size(); ++lane)
        helpers_.push_back(std::make_unique<Helper>());
    }
    for (std::size_t lane = 1; lane < count; ++lane)
      helpers_[lane - 1]->Start([this, lane, count, &slots, f] { Gather(lane, count, slots, f); });
    Gather(0, count, slots, f);
    for (std::size_t lane = 1; lane < count; ++lane) helpers_[lane - 1]->Wait();
  }

  SolveResult RunAStar() {
    Lane& ln = *lanes_[0];
    const int raw0 = RawBound(ln, startKey_.data());
    AddStart(raw0);
    if (Dead(raw0)) return Exhausted();
    const int h0 = Priority(raw0);
    OpenList open(static_cast<std::size_t>(maxMoves_ + kMaxHeuristic + 2), opt_.deepestFirst);
    open.Push(static_cast<std::size_t>(h0), h0, 0);
    bool gaveUp = false;
    std::size_t f = static_cast<std::size_t>(h0);
    std::vector<Slot> slots;
    std::size_t expansions = 0;
    while (f < open.levels()) {
      if (Cancelled()) return SolveResult{};
      // One state at a time while the search is small; then, with more than one lane, a batch
      // of states of level f expanded side by side. Either way the successors are taken in
      // the order of their states, so a run's result never depends on the threads' timing.
      const std::size_t batch = lanes_.size() > 1 && expansions >= kSerialExpansions ? kBatchStates : 1;
      slots.clear();
      while (slots.size() < batch) {
        std::uint32_t i = 0;
        if (!open.Pop(f, i)) break;
        if (static_cast<std::size_t>(store_->g[i]) + store_->est(i) != f) continue;  // stale entry
        if (store_->goalFlag[i]) return Finish(i);
        if (store_->g[i] >= maxMoves_) {
          boundHit_ = true;
          continue;
        }
        slots.push_back({i, static_cast<std::uint8_t>(store_->g[i] + 1), store_->est(i) == store_->bound(i), kNoLevel});
      }
      if (slots.empty()) {
        ++f;
        continue;
      }
      expansions += slots.size();
      std::size_t lowest = f;
      std::int64_t goal = -1;
      std::uint32_t i = 0;
      std::uint8_t depth = 0;
      auto push = [&](std::uint32_t j) {
        std::size_t fj = static_cast<std::size_t>(store_->g[j]) + store_->est(j);
        open.Push(fj, store_->est(j), j);
        lowest = std::min(lowest, fj);
      };
      // raw < 0: not worked out yet (the state may be stored already).
      auto consider = [&](const std::uint8_t* k, std::uint64_t hash, std::uint16_t mv, bool crushed, int group,
                          int raw) {
        if (gaveUp || goal >= 0) return;
        std::int64_t found = store_->Find(k, hash);
        if (found >= 0) {
          auto j = static_cast<std::uint32_t>(found);
          if (depth < store_->g[j]) {
            // Reached by a shorter way: reopen it, every successor again.
            store_->g[j] = depth;
            store_->parent[j] = i;
            store_->move[j] = mv;
            store_->SetEst(j, store_->bound(j));
            push(j);
          }
          return;
        }
        if (raw < 0) raw = RawBound(ln, k, group);
        if (Dead(raw)) return;
        if (store_->size() >= limit_) {
          gaveUp = true;
          return;
        }
        const bool isGoal = crushed ? false : raw == 0 ? IsSolvedKey(k) : false;
        const std::uint32_t j = store_->Add(k, hash, i, mv, depth, static_cast<std::uint8_t>(Priority(raw)), isGoal);
        // Nothing open lies below f, so a win found at length f is a shortest one: no need to
        // queue it and work through the rest of this level first.
        if (isGoal && opt_.deepestFirst && depth == f && lowest == f) {
          goal = j;
          return;
        }
        push(j);
      };
      if (opt_.batchedLookups) GatherAll(slots, f);
      std::array<std::size_t, kMaxLanes> cursor{};
      const std::size_t count = std::min(lanes_.size(), slots.size());
      const auto len = static_cast<std::size_t>(lv_.keyLength);
      for (std::size_t b = 0; b < slots.size() && !gaveUp && goal < 0; ++b) {
        Slot& slot = slots[b];
        i = slot.index;
        depth = slot.depth;
        if (!opt_.batchedLookups) {
          Expand(ln, i, [&](const std::uint8_t* k, std::uint16_t mv, bool crushed, int group) {
            if (opt_.partialExpansion) {
              const int raw = RawBound(ln, k, group);
              if (!Keep(slot, f, raw)) return;
              consider(k, HashBytes(k, len), mv, crushed, group, raw);
            } else {
              consider(k, HashBytes(k, len), mv, crushed, group, -1);
            }
          });
        } else {
          // The lane that expanded this state holds its successors next in its list; the
          // index slots of those a few places ahead are fetched meanwhile.
          Lane& from = *lanes_[b % count];
          std::size_t& c = cursor[b % count];
          for (; c < from.batch.size() && from.batch[c].slot == b; ++c) {
            if (c + kPrefetchAhead < from.batch.size()) store_->Prefetch(from.batch[c + kPrefetchAhead].hash);
            const Pending& p = from.batch[c];
            consider(from.batchKeys.data() + c * len, p.hash, p.move, p.crushed, p.group, p.raw);
          }
        }
        if (gaveUp) return SolveResult{};
        if (goal >= 0) return Finish(static_cast<std::uint32_t>(goal));
        if (slot.nextLevel != kNoLevel) {
          store_->SetEst(i, static_cast<std::uint8_t>(slot.nextLevel - store_->g[i]));
          open.Push(slot.nextLevel, store_->est(i), i);
        }
      }
      // The rest of a batch cut short by a win or the limit goes unexpanded: the search ends.
      if (gaveUp) return SolveResult{};
      if (goal >= 0) return Finish(static_cast<std::uint32_t>(goal));
      // Only a bound that is not consistent (a clamped or fallback estimate) can queue a state
      // below the current level; go back for it so the first goal taken stays a shortest one.
      f = lowest;
    }
    return Exhausted();
  }

  static constexpr std::size_t kNoLevel = std::numeric_limits<std::size_t>::max();
  static constexpr int kMaxLanes = 8;
  // Searches this small end one state at a time, without starting a thread.
  static constexpr std::size_t kSerialExpansions = 2000;
  static constexpr std::size_t kBatchStates = 64;
  static constexpr std::size_t kPrefetchAhead = 4;

  const SolverOptions& opt_;
  Level lv_;
  std::vector<std::uint8_t> startKey_;
  std::unique_ptr<StateStore> store_;
  std::vector<std::unique_ptr<Lane>> lanes_;  // lanes_[0] is this thread's
  std::vector<std::unique_ptr<Helper>> helpers_;
  std::size_t limit_ = 0;
  int maxMoves_ = 0;
  bool boundHit_ = false;
  bool cancelled_ = false;
};

}  // namespace

SolveResult Solve(const Board& start, const SolverOptions& options) {
  Search search(start, options);
  return search.Run();
}

struct LowerBoundEstimator::Impl {
  std::vector<std::uint8_t> startKey;
  Level level;
  std::unique_ptr<Bound> bound;  // refers to level
  std::vector<std::uint8_t> key;
};

LowerBoundEstimator::LowerBoundEstimator(const Board& start) : impl_(std::make_unique<Impl>()) {
  impl_->level = Analyse(start, impl_->startKey);
  impl_->bound = std::make_unique<Bound>(impl_->level, SolverOptions{}.stopAware);
}

LowerBoundEstimator::~LowerBoundEstimator() = default;

int LowerBoundEstimator::Estimate(const Board& board) {
  EncodeBoard(impl_->level, board, false, impl_->key);
  const int bound = impl_->bound->Estimate(impl_->key.data());
  return bound == Bound::kDead ? kCannotWin : bound;
}

int MovesLowerBound(const Board& board) { return LowerBoundEstimator(board).Estimate(board); }

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
