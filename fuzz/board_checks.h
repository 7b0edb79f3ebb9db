#pragma once
// Checks every fuzz target of the engine makes on a board.
#include <string>

#include "engine/board.h"
#include "fuzz/fuzz_support.h"

namespace fuzz {

// Row 0 and column 0 are never played and stay zero; every played cell holds a known kind and
// colours the table knows.
inline void CheckBoard(const engine::Board& b, const char* where) {
  using engine::CellKind;
  const engine::Cell zero{};
  for (int i = 0; i <= engine::kBoardSize; ++i) {
    Check(b.at(0, i) == zero && b.at(i, 0) == zero, "row 0 / column 0 stay zero", where);
  }
  for (int x = 1; x <= engine::kBoardSize; ++x) {
    for (int y = 1; y <= engine::kBoardSize; ++y) {
      const engine::Cell& c = b.at(x, y);
      const int kind = static_cast<int>(c.kind);
      Check(kind >= 1 && kind <= 9, "known cell kind", where);
      const int cube = static_cast<int>(c.cubeColor), sphere = static_cast<int>(c.sphereColor);
      Check(cube >= 0 && cube <= engine::kColorCount && sphere >= 0 && sphere <= engine::kColorCount,
            "known colours", where);
      if (engine::IsCubeKind(c.kind)) Check(cube >= 1, "a cube has a colour", where);
      if (c.kind == CellKind::Sphere || c.kind == CellKind::CubeOnSphere)
        Check(sphere >= 1, "a sphere has a colour", where);
      Check(c.arrow >= 0 && c.arrow <= 4, "arrow code", where);
    }
  }
}

}  // namespace fuzz
