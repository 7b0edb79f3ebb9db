// The real engine drawing through the real renderer on small, exactly known sprites.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "platform/files.h"
#include "platform/test_dir.h"
#include "presentation/board_renderer.h"
#include "presentation/image.h"
#include "presentation/synthetic_art.h"
#include "presentation/test_ports.h"

namespace presentation {
namespace {

using engine::CellKind;
using engine::Direction;
using platform::testing::TestDir;
using testing::FakeClock;
using testing::RecordingPrompt;
namespace art = synthetic;

struct Move {
  int x, y;
  Direction d;
};

// Counts what the player is shown.
class CountingScreen : public BoardScreen {
 public:
  void ShowBoard(const Surface&) override { ++frames; }
  int frames = 0;
};

std::string Pack(const std::vector<std::string>& rows) {
  std::string text = "[PackHeader]\r\nCollectionName=Drawing\r\nAuthor=t\r\nComment=c\r\nNumberOfLevels=1\r\n\r\n[Level1Data]\r\n";
  for (int y = 0; y < 15; ++y)
    text += (static_cast<std::size_t>(y) < rows.size() ? rows[static_cast<std::size_t>(y)] : std::string()) + "\r\n";
  return text + "\r\n";
}

class EngineDrawingTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() {
    artDir_ = new TestDir();
    ASSERT_TRUE(art::WriteSyntheticArt(artDir_->path(), false));
  }
  static void TearDownTestSuite() {
    delete artDir_;
    artDir_ = nullptr;
  }

  void SetUp() override {
    store.CreateSurfaces();
    store.LoadSprites(false);
  }

  void Start(const std::vector<std::string>& rows) {
    ASSERT_TRUE(platform::WriteFileAtomic(packs / "drawing.cdn", Pack(rows)));
    ASSERT_TRUE(game.StartPack(packs / "drawing.cdn"));
    ASSERT_TRUE(prompt.messages.empty());
    background = *LoadImage(artDir_->path() + "data/backgrounds/bg0.jpg");
  }
  std::uint32_t BoardPixel(int x, int y, int px = 15, int py = 15) {
    return store.surfaces().boardBuffer.pixel((x - 1) * 31 + px, (y - 1) * 31 + py);
  }
  bool ShowsFloor(int x, int y) {
    for (int py = 0; py < 31; ++py)
      for (int px = 0; px < 31; ++px)
        if (BoardPixel(x, y, px, py) != background.pixel((x - 1) * 31 + px, (y - 1) * 31 + py)) return false;
    return true;
  }

  static TestDir* artDir_;
  TestDir packs;
  RecordingPrompt prompt;
  SpriteStore store{artDir_->path(), prompt, [] { FAIL() << "a sprite failed to load"; }};
  FakeClock clock;
  CountingScreen screen;
  bool fadeEffect = false, suppressFade = true;
  BoardRenderer renderer{store, clock, &fadeEffect, &suppressFade, &screen};
  engine::NullSound sound;
  engine::NullHost host;
  engine::Game game{{renderer, sound, prompt, clock, host},
                    {.animationLevel = GetParam(), .appPath = artDir_->path()}};
  Surface background;
};
TestDir* EngineDrawingTest::artDir_ = nullptr;

// Each case: a level, moves made one after another, then undone newest first. After the undos
// the board must look exactly as it did when the level was set up.
struct Case {
  const char* name;
  std::vector<std::string> rows;
  std::vector<Move> moves;
};

TEST_P(EngineDrawingTest, MovesThenUndosLeaveTheBoardAsItWas) {
  const std::vector<Case> cases = {
      {"slide to the edge", {"R"}, {{1, 1, Direction::Right}}},
      {"over a sphere onto another", {"R.b.gX"}, {{1, 1, Direction::Right}}},
      {"off a sphere again", {"R.gX"}, {{1, 1, Direction::Right}, {3, 1, Direction::Down}}},
      {"across trapdoors onto one", {"RT.TTX"}, {{1, 1, Direction::Right}}},
      {"off a trapdoor, which closes", {"R.TX"}, {{1, 1, Direction::Right}, {3, 1, Direction::Down}}},
      {"breaks a cracked block", {"", "...B", "", "", "...x"}, {{4, 2, Direction::Down}}},
      {"crushed", {"H..C"}, {{1, 1, Direction::Right}}},
      {"two cubes in turn", {"R....", "", "..G"}, {{1, 1, Direction::Right}, {3, 3, Direction::Up}, {3, 1, Direction::Left}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start(c.rows);
    const Surface atStart = store.surfaces().boardBuffer;
    for (const Move& m : c.moves) {
      ASSERT_TRUE(game.ShowArrow(m.x, m.y, m.d));
      game.MoveCube(m.x, m.y, m.d);
    }
    EXPECT_NE(store.surfaces().boardBuffer.pixels(), atStart.pixels());
    EXPECT_EQ(renderer.cubeBox().pixels(), store.surfaces().boardBuffer.pixels());
    for (std::size_t i = 0; i < c.moves.size(); ++i) game.UndoMove();
    EXPECT_EQ(store.surfaces().boardBuffer.pixels(), atStart.pixels());
    EXPECT_EQ(renderer.cubeBox().pixels(), atStart.pixels());
  }
}

TEST_P(EngineDrawingTest, AMoveShowsTheCubeWhereItStops) {
  Start({"B..gX", "", "T"});
  const int before = screen.frames;
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.board().at(4, 1).kind, CellKind::CubeOnSphere);
  EXPECT_TRUE(ShowsFloor(1, 1));
  EXPECT_TRUE(ShowsFloor(2, 1));
  EXPECT_EQ(BoardPixel(4, 1), art::SphereColour(3, false));  // sphere drawn over the cube
  EXPECT_EQ(BoardPixel(4, 1, 3, 3), art::CubeColour(0, 2, false));
  // A glide presents every frame: 3 cells of 8 frames, and more.
  if (GetParam() != 1) {
    EXPECT_GE(screen.frames - before, 24);
  }
  EXPECT_EQ(renderer.cubeBox().pixels(), store.surfaces().boardBuffer.pixels());
}

TEST_P(EngineDrawingTest, ACrossedTrapdoorBecomesASolidBlock) {
  Start({"RT.X"});
  game.MoveCube(1, 1, Direction::Right);
  EXPECT_EQ(game.board().at(2, 1).kind, CellKind::Block);
  EXPECT_EQ(BoardPixel(2, 1), art::BlockColour(0));
  EXPECT_EQ(BoardPixel(3, 1), art::CubeColour(0, 1, false));
}

// 1 is the setting without glide; 0 glides.
INSTANTIATE_TEST_SUITE_P(Animation, EngineDrawingTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace presentation
