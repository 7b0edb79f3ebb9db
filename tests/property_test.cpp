// Properties of the move engine over many random levels and random legal moves, played through
// the game itself (MoveCube and UndoMove with null ports):
//   - undoing up to 30 moves gives back exactly the position from before them;
//   - row 0 and column 0 stay zero;
//   - the count test (IsWinnable) never disagrees with a recount of cubes and spheres.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "engine/simulation.h"
#include "platform/test_dir.h"

namespace {

using engine::Board;
using engine::CellKind;

// A random level: a frame-free 15 x 15 grid of cells drawn with weights that give many cubes,
// spheres of the same colours, blocks and every special block.
std::array<std::string, engine::kBoardSize> RandomRows(std::mt19937& random, int width, int height) {
  static constexpr char kCells[] = "........XXxCTTRrBbGgWwLlHhRB";
  std::array<std::string, engine::kBoardSize> rows;
  for (int y = 0; y < engine::kBoardSize; ++y) {
    for (int x = 0; x < engine::kBoardSize; ++x) {
      rows[static_cast<std::size_t>(y)] +=
          (x < width && y < height) ? kCells[random() % (sizeof kCells - 1)] : 'X';
    }
  }
  return rows;
}

std::string PackOf(const std::array<std::string, engine::kBoardSize>& rows) {
  std::string pack = "[PackHeader]\r\nCollectionName=Property\r\nAuthor=\r\nComment=\r\nNumberOfLevels=1\r\n\r\n"
                     "[Level1Data]\r\n";
  for (const std::string& r : rows) pack += r + "\r\n";
  return pack + "\r\n";
}

bool Recount(const Board& b) {
  int cubes[engine::kColorCount + 1] = {}, spheres[engine::kColorCount + 1] = {};
  for (int x = 1; x <= engine::kBoardSize; ++x) {
    for (int y = 1; y <= engine::kBoardSize; ++y) {
      const engine::Cell& c = b.at(x, y);
      if (engine::IsCubeKind(c.kind)) ++cubes[static_cast<int>(c.cubeColor)];
      if (c.kind == CellKind::Sphere || c.kind == CellKind::CubeOnSphere) ++spheres[static_cast<int>(c.sphereColor)];
    }
  }
  for (int k = 1; k <= engine::kColorCount; ++k)
    if (cubes[k] < spheres[k]) return false;
  return true;
}

bool FrameIsZero(const Board& b) {
  const engine::Cell zero{};
  for (int i = 0; i <= engine::kBoardSize; ++i)
    if (!(b.at(0, i) == zero && b.at(i, 0) == zero)) return false;
  return true;
}

// Every legal push of the position.
std::vector<std::tuple<int, int, engine::Direction>> LegalMoves(const Board& b) {
  std::vector<std::tuple<int, int, engine::Direction>> moves;
  for (int x = 1; x <= engine::kBoardSize; ++x)
    for (int y = 1; y <= engine::kBoardSize; ++y)
      for (int d = 1; d <= 4; ++d)
        if (engine::CanPush(b, x, y, static_cast<engine::Direction>(d)))
          moves.emplace_back(x, y, static_cast<engine::Direction>(d));
  return moves;
}

// What a player sees of a position: kinds and colours where they count (arrows and colours
// left on emptied cells are not part of it).
Board Normalized(Board b) {
  engine::NormalizeBoard(b);
  return b;
}

class EnginePropertyTest : public ::testing::Test {
 protected:
  platform::testing::TestDir dir;
  engine::NullPainter painter;
  engine::NullSound sound;
  engine::FixedPrompt prompt{false};  // never undo after a crush by itself
  engine::InstantClock clock;
  engine::NullHost host;
};

TEST_F(EnginePropertyTest, UndoRestoresTheBoardAndTheCountTestHolds) {
  std::mt19937 random(20261211);
  int levelsPlayed = 0, movesMade = 0, undone = 0;
  for (int round = 0; round < 300; ++round) {
    const auto rows = RandomRows(random, 3 + static_cast<int>(random() % 13), 3 + static_cast<int>(random() % 13));
    dir.Put("p.cdn", PackOf(rows));
    engine::Game game({painter, sound, prompt, clock, host},
                      {.animationLevel = (round % 2) ? 2 : 1, .appPath = dir.path(), .checkDataFiles = false});
    ASSERT_TRUE(game.OpenPack(dir / "p.cdn"));
    game.LoadLevel(1);
    ASSERT_TRUE(engine::SamePosition(game.board(), engine::LoadBoardFromRows(rows)));

    // Positions before each move, oldest first.
    std::vector<Board> before;
    const int moves = static_cast<int>(random() % 45);
    for (int m = 0; m < moves; ++m) {
      const auto legal = LegalMoves(game.board());
      if (legal.empty()) break;
      const auto [x, y, d] = legal[random() % legal.size()];
      before.push_back(Normalized(game.board()));
      game.MoveCube(x, y, d);
      ++movesMade;
      ASSERT_TRUE(FrameIsZero(game.board())) << "round " << round << " move " << m;
      ASSERT_EQ(game.IsWinnable(), Recount(game.board())) << "round " << round << " move " << m;
      ASSERT_TRUE(game.state().undoAvailable);
      // A win of the only level shows the credits; the board stays as it is.
      ASSERT_EQ(game.state().currentLevel, 1);
    }
    ++levelsPlayed;

    // Undo as far as the history reaches: at most the 30 newest moves.
    const int reach = std::min<int>(static_cast<int>(before.size()), engine::kUndoDepth);
    for (int u = 1; u <= reach; ++u) {
      game.UndoMove();
      ++undone;
      const Board& expected = before[before.size() - static_cast<std::size_t>(u)];
      ASSERT_EQ(Normalized(game.board()), expected) << "round " << round << " undo " << u;
      ASSERT_TRUE(FrameIsZero(game.board()));
      ASSERT_EQ(game.IsWinnable(), Recount(game.board()));
    }
    // Beyond that nothing is left to take back.
    EXPECT_FALSE(game.state().undoAvailable) << "round " << round;
    const Board rest = Normalized(game.board());
    game.UndoMove();
    EXPECT_EQ(Normalized(game.board()), rest) << "round " << round;
  }
  // The random levels really are played (guards against a generator that makes no moves).
  EXPECT_GT(levelsPlayed, 250);
  EXPECT_GT(movesMade, 3000);
  EXPECT_GT(undone, 2000);
}

// Undo interleaved with moves: the game's ring and a plain stack of the last 30 positions
// agree at every step.
TEST_F(EnginePropertyTest, MovesAndUndosInterleavedFollowAStackOfThirty) {
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    const auto rows = RandomRows(random, 15, 15);
    dir.Put("p.cdn", PackOf(rows));
    engine::Game game({painter, sound, prompt, clock, host}, {.animationLevel = 1, .appPath = dir.path(), .checkDataFiles = false});
    ASSERT_TRUE(game.OpenPack(dir / "p.cdn"));
    game.LoadLevel(1);
    std::vector<Board> stack;
    for (int step = 0; step < 200; ++step) {
      const auto legal = LegalMoves(game.board());
      if (random() % 3 == 0 || legal.empty()) {
        game.UndoMove();
        if (!stack.empty()) {
          ASSERT_EQ(Normalized(game.board()), stack.back()) << "round " << round << " step " << step;
          stack.pop_back();
        }
      } else {
        const auto [x, y, d] = legal[random() % legal.size()];
        stack.push_back(Normalized(game.board()));
        if (stack.size() > static_cast<std::size_t>(engine::kUndoDepth)) stack.erase(stack.begin());
        game.MoveCube(x, y, d);
      }
      ASSERT_EQ(game.state().undoAvailable, !stack.empty()) << "round " << round << " step " << step;
      ASSERT_TRUE(FrameIsZero(game.board()));
      ASSERT_EQ(game.IsWinnable(), Recount(game.board()));
    }
  }
}

}  // namespace
