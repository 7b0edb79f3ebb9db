#include "presentation/board_renderer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "platform/test_dir.h"
#include "presentation/image.h"
#include "presentation/synthetic_art.h"
#include "presentation/test_ports.h"

namespace presentation {
namespace {

using engine::Board;
using engine::CellKind;
using engine::CubeColor;
using engine::RasterOp;
using platform::testing::TestDir;
using testing::FakeClock;
using testing::RecordingPrompt;
namespace art = synthetic;

constexpr int kCell = 31;

std::uint32_t Blend(std::uint32_t s, std::uint32_t d, int a) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const auto sc = static_cast<int>((s >> shift) & 255u), dc = static_cast<int>((d >> shift) & 255u);
    out |= static_cast<std::uint32_t>((sc * a + dc * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

// Rows of level characters, as in a pack; missing cells are empty floor.
Board MakeBoard(std::initializer_list<const char*> rows) {
  Board b;
  for (int y = 1; y <= 15; ++y)
    for (int x = 1; x <= 15; ++x) b.at(x, y).kind = CellKind::Empty;
  int y = 1;
  for (const char* row : rows) {
    for (int x = 1; x <= 15 && row[x - 1] != '\0'; ++x) {
      engine::Cell& c = b.at(x, y);
      const std::string cubes = "RBGWLH", spheres = "rbgwlh";
      const char ch = row[x - 1];
      if (auto i = cubes.find(ch); i != std::string::npos) {
        c.kind = CellKind::Cube;
        c.cubeColor = static_cast<CubeColor>(i + 1);
      } else if (auto j = spheres.find(ch); j != std::string::npos) {
        c.kind = CellKind::Sphere;
        c.sphereColor = static_cast<CubeColor>(j + 1);
      } else if (ch == 'X') {
        c.kind = CellKind::Block;
      } else if (ch == 'x') {
        c.kind = CellKind::CrackedBlock;
      } else if (ch == 'C') {
        c.kind = CellKind::CrushBlock;
      } else if (ch == 'T') {
        c.kind = CellKind::Trapdoor;
      }
    }
    ++y;
  }
  return b;
}

class RecordingScreen : public BoardScreen {
 public:
  explicit RecordingScreen(FakeClock& clock) : clock_(clock) {}
  void ShowBoard(const Surface& cubeBox) override {
    frames.push_back(cubeBox);
    times.push_back(clock_.now);
  }
  std::vector<Surface> frames;
  std::vector<std::uint32_t> times;

 private:
  FakeClock& clock_;
};

class BoardRendererTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    artDir_ = new TestDir();
    ASSERT_TRUE(art::WriteSyntheticArt(artDir_->path(), false));
  }
  static void TearDownTestSuite() {
    delete artDir_;
    artDir_ = nullptr;
  }
  static const std::string& appPath() { return artDir_->path(); }

  void SetUp() override {
    store.CreateSurfaces();
    store.LoadSprites(false);
    ASSERT_TRUE(prompt.messages.empty());
  }

  // What the level loader does before DrawLevel.
  void SetUpScenery(int s) {
    renderer.LoadBackground(s);
    renderer.LoadBlockSet(s);
    background = *LoadImage(appPath() + "data/backgrounds/bg" + std::to_string(s) + ".jpg");
  }

  std::uint32_t BoardPixel(int x, int y, int px, int py) {
    return renderer.boardBuffer().pixel((x - 1) * kCell + px, (y - 1) * kCell + py);
  }
  std::uint32_t BgPixel(int x, int y, int px, int py) {
    return renderer.picbg().pixel((x - 1) * kCell + px, (y - 1) * kCell + py);
  }
  std::uint32_t Floor(int x, int y, int px, int py) {
    return background.pixel((x - 1) * kCell + px, (y - 1) * kCell + py);
  }
  bool CellEquals(const Surface& a, const Surface& b, int x, int y) {
    for (int py = 0; py < kCell; ++py)
      for (int px = 0; px < kCell; ++px)
        if (a.pixel((x - 1) * kCell + px, (y - 1) * kCell + py) !=
            b.pixel((x - 1) * kCell + px, (y - 1) * kCell + py))
          return false;
    return true;
  }

  RecordingPrompt prompt;
  int terminations = 0;
  SpriteStore store{appPath(), prompt, [this] { ++terminations; }};
  FakeClock clock;
  bool fadeEffect = false;
  bool suppressFade = false;
  RecordingScreen screen{clock};
  BoardRenderer renderer{store, clock, &fadeEffect, &suppressFade, &screen};
  Surface background;

 private:
  static TestDir* artDir_;
};
TestDir* BoardRendererTest::artDir_ = nullptr;

TEST_F(BoardRendererTest, BackgroundGoesIntoPicbgAndTheBoardBuffer) {
  SetUpScenery(3);
  EXPECT_EQ(renderer.picbg().pixels(), background.pixels());
  EXPECT_EQ(renderer.boardBuffer().pixels(), background.pixels());
  EXPECT_EQ(store.Get(engine::BlockSprite).pixel(15, 15), art::BlockColour(3));
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(BoardRendererTest, AMissingBackgroundIsReportedLikeASprite) {
  renderer.LoadBackground(8);
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0].text,
            "Error has occured. " + appPath() + "data/backgrounds/bg8.jpg unable to load!");
  EXPECT_EQ(terminations, 1);
  EXPECT_EQ(renderer.picbg().width(), 465);
}

// Without spheres or trapdoors picbg stays the bare background; solid things go on the board.
TEST_F(BoardRendererTest, DrawLevelPutsBlocksAndCubesOnTheBoardOnly) {
  SetUpScenery(2);
  Board b = MakeBoard({"R.X", "xC.", "..H"});
  b.at(3, 3).arrow = 3;  // a level draw shows no arrow
  renderer.DrawLevel(b);
  EXPECT_EQ(renderer.picbg().pixels(), background.pixels());

  struct Expect {
    int x, y;
    std::uint32_t inside;
  };
  for (const Expect& e : {Expect{1, 1, art::CubeColour(0, 1, false)}, Expect{3, 1, art::BlockColour(2)},
                          Expect{1, 2, art::CrackedBlockColour(2)}, Expect{2, 2, art::CrushBlockColour()},
                          Expect{3, 3, art::CubeColour(0, 6, false)}}) {
    EXPECT_EQ(BoardPixel(e.x, e.y, 15, 15), e.inside) << e.x << "," << e.y;
    EXPECT_EQ(BoardPixel(e.x, e.y, 1, 29), e.inside) << e.x << "," << e.y;
    // The transparent ring lets the floor through.
    EXPECT_EQ(BoardPixel(e.x, e.y, 0, 0), Floor(e.x, e.y, 0, 0)) << e.x << "," << e.y;
    EXPECT_EQ(BoardPixel(e.x, e.y, 30, 12), Floor(e.x, e.y, 30, 12)) << e.x << "," << e.y;
  }
  EXPECT_TRUE(CellEquals(renderer.boardBuffer(), background, 2, 1));
  EXPECT_TRUE(CellEquals(renderer.boardBuffer(), background, 15, 15));
  // Presented once, without a fade.
  ASSERT_EQ(screen.frames.size(), 1u);
  EXPECT_EQ(screen.frames[0].pixels(), renderer.boardBuffer().pixels());
  EXPECT_EQ(renderer.cubeBox().pixels(), renderer.boardBuffer().pixels());
}

TEST_F(BoardRendererTest, SpheresArePaintedIntoBothSurfaces) {
  SetUpScenery(0);
  renderer.DrawLevel(MakeBoard({"", ".g"}));
  for (const Surface* s : {&renderer.boardBuffer(), &renderer.picbg()}) {
    EXPECT_EQ(s->pixel(31 + 15, 31 + 15), art::SphereColour(3, false));
    EXPECT_EQ(s->pixel(31 + 8, 31 + 22), art::SphereColour(3, false));
    EXPECT_EQ(s->pixel(31 + 7, 31 + 15), Floor(2, 2, 7, 15));
  }
  EXPECT_TRUE(CellEquals(renderer.picbg(), background, 1, 1));
}

// An open trapdoor is the block picture at 110/255 over the floor, black surround keyed out,
// in both surfaces; restoring its cell after a cube crossed brings the same look back.
TEST_F(BoardRendererTest, OpenTrapdoorIsTranslucentAndComesBackOnRestore) {
  SetUpScenery(4);
  renderer.DrawLevel(MakeBoard({"..T"}));
  for (const Surface* s : {&renderer.boardBuffer(), &renderer.picbg()}) {
    EXPECT_EQ(s->pixel(62 + 15, 15), Blend(art::BlockColour(4), Floor(3, 1, 15, 15), 110));
    EXPECT_EQ(s->pixel(62 + 1, 1), Blend(art::BlockColour(4), Floor(3, 1, 1, 1), 110));
    EXPECT_EQ(s->pixel(62, 0), Floor(3, 1, 0, 0));
  }
  const Surface open = renderer.boardBuffer();

  renderer.DrawBoardSprite(3, 1, engine::CubeSprite(0, CubeColor::Blue), RasterOp::SrcCopy, false, true, true);
  EXPECT_EQ(BoardPixel(3, 1, 15, 15), art::CubeColour(0, 2, false));
  renderer.RestoreFromBackground(62, 0, kCell, kCell);
  EXPECT_TRUE(CellEquals(renderer.boardBuffer(), open, 3, 1));
  EXPECT_EQ(renderer.boardBuffer().pixels(), open.pixels());
}

TEST_F(BoardRendererTest, TrapdoorRestoreFirstCombinesPicbgIntoTheBoard) {
  SetUpScenery(1);
  renderer.DrawLevel(MakeBoard({"T"}));
  Surface& board = renderer.boardBuffer();
  for (int py = 0; py < kCell; ++py)
    for (int px = 0; px < kCell; ++px) board.setPixel(px, py, Rgb(0x10, 0x01, 0x80));
  renderer.DrawTrapdoor(1, 1, engine::BlockSprite, engine::BoardSurface::BoardBuffer, true);
  const std::uint32_t combined = Rgb(0x10, 0x01, 0x80) | BgPixel(1, 1, 15, 15);
  EXPECT_EQ(BoardPixel(1, 1, 15, 15), Blend(art::BlockColour(1), combined, 110));
  EXPECT_EQ(BoardPixel(1, 1, 0, 0), Rgb(0x10, 0x01, 0x80) | BgPixel(1, 1, 0, 0));
  // On a cell that already shows picbg the combination changes nothing before the blend.
  const Surface picbgBefore = renderer.picbg();
  renderer.RestoreFromBackground(0, 0, kCell, kCell);
  renderer.DrawTrapdoor(1, 1, engine::BlockSprite, engine::BoardSurface::PicBg, true);
  EXPECT_EQ(BgPixel(1, 1, 15, 15), Blend(art::BlockColour(1), picbgBefore.pixel(15, 15), 110));
  EXPECT_TRUE(CellEquals(renderer.boardBuffer(), picbgBefore, 1, 1));
}

TEST_F(BoardRendererTest, CubeLayerShowsArrowsAndPutsSpheresOverCubes) {
  SetUpScenery(0);
  Board b = MakeBoard({"R"});
  renderer.DrawLevel(b);
  b.at(1, 1).arrow = 3;
  renderer.DrawCubeLayer(b);
  EXPECT_EQ(BoardPixel(1, 1, 15, 15), art::CubeColour(3, 1, false));  // "cubetop"
  for (int cube = 1; cube <= 6; ++cube)
    for (int sphere : {1, 4, 6}) {
      Board s = MakeBoard({});
      engine::Cell& c = s.at(5, 5);
      c.kind = CellKind::CubeOnSphere;
      c.cubeColor = static_cast<CubeColor>(cube);
      c.sphereColor = static_cast<CubeColor>(sphere);
      c.arrow = 2;  // never shown on a sphere
      renderer.DrawCubeLayer(s);
      EXPECT_EQ(BoardPixel(5, 5, 15, 15), art::SphereColour(sphere, false)) << cube << " on " << sphere;
      EXPECT_EQ(BoardPixel(5, 5, 3, 15), art::CubeColour(0, cube, false)) << cube << " on " << sphere;
    }
  // A cube on a trapdoor and every other kind are left alone.
  Board t = MakeBoard({"", "", "", "", "", "", "T"});
  t.at(1, 7).kind = CellKind::CubeOnTrapdoor;
  t.at(1, 7).cubeColor = CubeColor::Red;
  const Surface before = renderer.boardBuffer();
  renderer.DrawCubeLayer(t);
  EXPECT_EQ(renderer.boardBuffer().pixels(), before.pixels());
  EXPECT_EQ(screen.frames.size(), 1u);  // the cube layer never presents
}

TEST_F(BoardRendererTest, BoardSpritePlacementAndPresenting) {
  SetUpScenery(0);
  renderer.DrawLevel(MakeBoard({}));
  const std::size_t shown = screen.frames.size();

  // Pixel coordinates, masked (the operation is ignored), deferred: the board changes, the
  // screen does not.
  renderer.DrawBoardSprite(40, 7, engine::CubeSprite(2, CubeColor::Green), RasterOp::SrcCopy, true, true, true);
  EXPECT_EQ(renderer.boardBuffer().pixel(40 + 15, 7 + 15), art::CubeColour(2, 3, false));
  EXPECT_EQ(renderer.boardBuffer().pixel(40, 7), background.pixel(40, 7));
  EXPECT_EQ(screen.frames.size(), shown);
  EXPECT_NE(renderer.cubeBox().pixels(), renderer.boardBuffer().pixels());

  // A cell, unmasked SRCCOPY: the whole square including the sprite's black ring; presented.
  renderer.DrawBoardSprite(15, 15, engine::CrushBlockSprite, RasterOp::SrcCopy, false, false, false);
  EXPECT_EQ(BoardPixel(15, 15, 0, 0), 0u);
  EXPECT_EQ(BoardPixel(15, 15, 15, 15), art::CrushBlockColour());
  ASSERT_EQ(screen.frames.size(), shown + 1);
  EXPECT_EQ(renderer.cubeBox().pixels(), renderer.boardBuffer().pixels());

  // Block mask then block sprite, as a closing trapdoor is drawn.
  renderer.DrawBoardSprite(2, 1, engine::BlockMask, RasterOp::SrcAnd, false, true, false);
  renderer.DrawBoardSprite(2, 1, engine::BlockSprite, RasterOp::SrcPaint, false, false, false);
  EXPECT_EQ(BoardPixel(2, 1, 15, 15), art::BlockColour(0));
  EXPECT_EQ(BoardPixel(2, 1, 0, 0), Floor(2, 1, 0, 0));

  // Mid-glide positions past the board's edge are clipped, not written outside.
  renderer.DrawBoardSprite(450, -20, engine::CubeSprite(0, CubeColor::Red), RasterOp::SrcCopy, true, true, true);
  EXPECT_EQ(renderer.boardBuffer().pixel(464, 0), art::CubeColour(0, 1, false));
}

TEST_F(BoardRendererTest, BackgroundSpriteGoesIntoPicbgOnly) {
  SetUpScenery(0);
  const Surface board = renderer.boardBuffer();
  renderer.DrawBackgroundSprite(4, 2, engine::SphereMask, RasterOp::SrcAnd);
  renderer.DrawBackgroundSprite(4, 2, engine::SphereSprite(CubeColor::Black), RasterOp::SrcPaint);
  EXPECT_EQ(BgPixel(4, 2, 15, 15), art::SphereColour(5, false));
  EXPECT_EQ(BgPixel(4, 2, 2, 2), Floor(4, 2, 2, 2));
  EXPECT_EQ(renderer.boardBuffer().pixels(), board.pixels());
  EXPECT_TRUE(screen.frames.empty());
}

// Nine blend steps at alpha 0, 15, .., 120, each more than 20 ms, then the final copy.
TEST_F(BoardRendererTest, FadeDissolvesTheOldBoardIntoTheNew) {
  SetUpScenery(0);
  renderer.DrawLevel(MakeBoard({}));
  const Surface old = renderer.cubeBox();
  screen.frames.clear();
  screen.times.clear();

  fadeEffect = true;
  SetUpScenery(5);
  const std::uint32_t start = clock.now;
  renderer.DrawLevel(MakeBoard({"B"}));
  ASSERT_EQ(screen.frames.size(), 10u);
  EXPECT_EQ(screen.frames[0].pixels(), old.pixels());  // alpha 0
  std::uint32_t expected = old.pixel(100, 100);
  const std::uint32_t target = renderer.boardBuffer().pixel(100, 100);
  for (int step = 1; step < 9; ++step) {
    expected = Blend(target, expected, step * 15);
    EXPECT_EQ(screen.frames[static_cast<std::size_t>(step)].pixel(100, 100), expected) << step;
  }
  EXPECT_EQ(screen.frames[9].pixels(), renderer.boardBuffer().pixels());
  // Each step is shown at its start and the next begins more than 20 ms later.
  std::uint32_t previous = start;
  for (std::size_t i = 1; i < screen.times.size(); ++i) {
    EXPECT_GT(screen.times[i] - previous, 20u) << i;
    EXPECT_LE(screen.times[i] - previous, 22u) << i;
    previous = screen.times[i];
  }
  EXPECT_EQ(renderer.cubeBox().pixels(), renderer.boardBuffer().pixels());
}

TEST_F(BoardRendererTest, NoFadeWhenOffSuppressedOrNotAsked) {
  struct Case {
    bool fadeEffect, suppressFade;
    std::size_t frames;
  };
  for (const Case& c : {Case{false, false, 1}, Case{true, true, 1}, Case{false, true, 1}, Case{true, false, 10}}) {
    fadeEffect = c.fadeEffect;
    suppressFade = c.suppressFade;
    screen.frames.clear();
    const int sleeps = clock.sleeps;
    SetUpScenery(1);
    renderer.DrawLevel(MakeBoard({"R"}));
    EXPECT_EQ(screen.frames.size(), c.frames) << c.fadeEffect << c.suppressFade;
    if (c.frames == 1) {
      EXPECT_EQ(clock.sleeps, sleeps) << "no delay without the fade";
    }
    EXPECT_EQ(renderer.cubeBox().pixels(), renderer.boardBuffer().pixels());
  }
  // Any other present never fades, whatever the option says.
  fadeEffect = true;
  screen.frames.clear();
  renderer.PresentBoard(false);
  renderer.DrawBoardSprite(1, 1, engine::CubeSprite(1, CubeColor::Red), RasterOp::SrcCopy, false, false, true);
  EXPECT_EQ(screen.frames.size(), 2u);
}

TEST_F(BoardRendererTest, ASlowStepIsNotDelayedFurther) {
  fadeEffect = true;
  clock.readStep = 25;  // every reading of the clock finds 25 ms gone
  SetUpScenery(0);
  renderer.DrawLevel(MakeBoard({}));
  EXPECT_EQ(clock.sleeps, 0);
  EXPECT_EQ(screen.frames.size(), 10u);
}

TEST_F(BoardRendererTest, NullFlagsAndNoScreenStillKeepCubeBox) {
  BoardRenderer bare(store, clock, nullptr, nullptr);
  bare.LoadBackground(0);
  bare.LoadBlockSet(0);
  bare.DrawLevel(MakeBoard({"X"}));
  EXPECT_EQ(bare.cubeBox().pixels(), store.surfaces().boardBuffer.pixels());
  EXPECT_EQ(bare.presentCount(), 1u);
}

TEST_F(BoardRendererTest, PngScreenWritesTheLastPicture) {
  TestDir out;
  PngBoardScreen png;
  renderer.SetScreen(&png);
  SetUpScenery(6);
  renderer.DrawLevel(MakeBoard({"GgXT"}));
  EXPECT_EQ(png.frames(), 1u);
  ASSERT_TRUE(png.Write(out / "board.png"));
  auto back = LoadImage(out / "board.png");
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->pixels(), renderer.boardBuffer().pixels());
}

}  // namespace
}  // namespace presentation
