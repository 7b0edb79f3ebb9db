// The simple player levelgen measures levels with: what it wins, what it cannot, and that the
// measure is the same on every run.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/levelgen/level_design.h"

namespace levelgen {
namespace {

Rows Room(const std::vector<std::string>& lines) {
  Rows rows;
  for (std::size_t y = 0; y < rows.size(); ++y) {
    std::string r = y < lines.size() ? lines[y] : std::string();
    r.resize(engine::kBoardSize, 'X');
    rows[y] = r;
  }
  return rows;
}

TEST(Novice, WinsWhatTheBoundLeadsStraightTo) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int minimum;
    int wins;  // of 50 tries
  };
  const Case cases[] = {
      // One push lowers the bound and wins: every try takes it.
      {"one push", {"XXXXX", "XR.rX", "XXXXX"}, 1, 50},
      // Two cubes, each one run from its sphere: the bound falls with each right push.
      {"two in a row", {"XXXXXXX", "XR..rXX", "XB..bXX", "XXXXXXX"}, 2, 50},
      // Too few cubes: nothing can win it.
      {"cannot be won", {"XXXXXXX", "XR.r.rX", "XXXXXXX"}, 2, 0},
  };
  for (const Case& c : cases) {
    const NoviceResult r = MeasureNovice(Room(c.rows), c.minimum, 50);
    EXPECT_EQ(r.tries, 50) << c.name;
    EXPECT_EQ(r.wins, c.wins) << c.name;
  }
}

TEST(Novice, NeedsMoreThanGreedToWinAStopLevel) {
  // R must wait for B to stop it on its sphere; pushing R first lowers nothing, but any push
  // of R to the right runs past the sphere for good, so the player wins only when it happens
  // to move B first.
  const Rows rows = Room({"XXXXXXX", "XR..r.X", "XXXXX.X", "XXXXXBX", "XXXXXXX"});
  const NoviceResult r = MeasureNovice(rows, 2, 200);
  EXPECT_EQ(r.tries, 200);
  EXPECT_GT(r.wins, 0);
  EXPECT_LT(r.wins, 200);
  // Fixed seeds: the same answer every time, another answer for other seeds only by chance.
  EXPECT_EQ(MeasureNovice(rows, 2, 200).wins, r.wins);
  EXPECT_DOUBLE_EQ(r.share(), r.wins / 200.0);
}

}  // namespace
}  // namespace levelgen
