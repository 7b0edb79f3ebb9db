#include "presentation/sprite_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "platform/test_dir.h"
#include "presentation/synthetic_art.h"
#include "presentation/test_ports.h"

namespace presentation {
namespace {

using engine::CubeColor;
using platform::testing::TestDir;
using testing::RecordingPrompt;
using testing::Terminated;
namespace art = synthetic;

// 6 colours x (5 cubes + sphere + 3 highlights) + 4 masks and the crush block + 28 screens.
constexpr std::size_t kFixedSprites = 6 * 9 + 4 + 28;

CubeColor Colour(int c) { return static_cast<CubeColor>(c); }

class SpriteStoreTest : public ::testing::Test {
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

  RecordingPrompt prompt;
  int terminations = 0;
  SpriteStore store{appPath(), prompt, [this] { ++terminations; }};

 private:
  static TestDir* artDir_;
};
TestDir* SpriteStoreTest::artDir_ = nullptr;

TEST(ColorName, NamesTheSixColoursAndNothingElse) {
  const char* names[] = {"", "red", "blue", "green", "violet", "black", "orange", ""};
  for (int c = 0; c <= 7; ++c) EXPECT_EQ(ColorName(c), names[c]) << c;
  EXPECT_EQ(ColorName(-1), "");
  EXPECT_EQ(ColorName(256 + 1), "");
}

TEST_F(SpriteStoreTest, CreatesTheEightSurfacesAtTheirSizes) {
  store.CreateSurfaces();
  const Surfaces& s = store.surfaces();
  struct Expect {
    const Surface* surface;
    int w, h;
  };
  for (const Expect& e : {Expect{&s.boardBuffer, 465, 465}, Expect{&s.menuSurface, 640, 480},
                          Expect{&s.gameSurface, 640, 480}, Expect{&s.messageSurface, 304, 140},
                          Expect{&s.customSurface, 268, 180}, Expect{&s.levelSelectSurface, 304, 349},
                          Expect{&s.optionsSurface, 304, 313}, Expect{&s.howToPlaySurface, 503, 431},
                          Expect{&s.picbg, 465, 465}}) {
    EXPECT_EQ(e.surface->width(), e.w);
    EXPECT_EQ(e.surface->height(), e.h);
  }
  store.ReleaseSurfaces();
  EXPECT_TRUE(s.menuSurface.empty());
  EXPECT_TRUE(s.boardBuffer.empty());
}

TEST_F(SpriteStoreTest, LoadsEveryBoardSpriteIntoItsSlot) {
  store.LoadSprites(false);
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(terminations, 0);
  EXPECT_EQ(store.SpriteList().size(), kFixedSprites);
  for (int c = 1; c <= 6; ++c) {
    for (int a = 0; a <= 4; ++a)
      EXPECT_EQ(store.Get(engine::CubeSprite(a, Colour(c))).pixel(15, 15), art::CubeColour(a, c, false))
          << "arrow " << a << " colour " << c;
    EXPECT_EQ(store.Get(engine::SphereSprite(Colour(c))).pixel(15, 15), art::SphereColour(c, false));
  }
  EXPECT_EQ(store.Get(engine::CubeMask).pixel(0, 0), art::kWhite);
  EXPECT_EQ(store.Get(engine::CubeMask).pixel(1, 1), 0u);
  EXPECT_EQ(store.Get(engine::SphereMask).pixel(7, 7), art::kWhite);  // the plain mask
  EXPECT_EQ(store.Get(engine::BlockMask).pixel(15, 15), 0u);
  EXPECT_EQ(store.Get(engine::CrushBlockSprite).pixel(15, 15), art::CrushBlockColour());
  // The block set comes per level, not with the fixed set.
  EXPECT_TRUE(store.Get(engine::BlockSprite).empty());
  EXPECT_TRUE(store.Get(engine::CrackedBlockSprite).empty());
  // Ids out of range draw nothing rather than something else.
  EXPECT_TRUE(store.Get(engine::CubeSprite(5, CubeColor::Red)).empty());
  EXPECT_TRUE(store.Get(engine::CubeSprite(0, CubeColor::None)).empty());
  EXPECT_TRUE(store.Get(engine::SphereSprite(static_cast<CubeColor>(7))).empty());
}

TEST_F(SpriteStoreTest, ColourBlindModeSwapsOnlyPlainCubesSpheresAndTheSphereMask) {
  store.LoadSprites(true);
  ASSERT_TRUE(prompt.messages.empty());
  EXPECT_TRUE(store.colorBlindMode());
  for (int c = 1; c <= 6; ++c) {
    EXPECT_EQ(store.Get(engine::CubeSprite(0, Colour(c))).pixel(15, 15), art::CubeColour(0, c, true));
    for (int a = 1; a <= 4; ++a)
      EXPECT_EQ(store.Get(engine::CubeSprite(a, Colour(c))).pixel(15, 15), art::CubeColour(a, c, false));
    EXPECT_EQ(store.Get(engine::SphereSprite(Colour(c))).pixel(15, 15), art::SphereColour(c, true));
  }
  EXPECT_EQ(store.Get(engine::SphereMask).pixel(7, 7), 0u);  // the colour-blind mask
  EXPECT_EQ(store.Get(engine::CubeMask).pixel(1, 1), 0u);
  EXPECT_EQ(store.SpriteList().size(), kFixedSprites);
}

TEST_F(SpriteStoreTest, ScreenSpritesByName) {
  store.LoadSprites(false);
  for (const char* name : {"mainmenu", "mainmenuhighlight3", "gamemenuhighlight6", "optionshigh1",
                           "optionshigh7", "selectlevelnumberswon", "howtoplayhigh1", "credits"}) {
    const Surface* s = store.FindSprite(name);
    ASSERT_NE(s, nullptr) << name;
    EXPECT_EQ(s->pixel(0, 0), art::ScreenColour(name)) << name;
    EXPECT_EQ(&store.sprite(name), s);
  }
  EXPECT_EQ(store.FindSprite("mainmenu.bmp"), nullptr);
  EXPECT_EQ(store.FindSprite("redcube"), nullptr);
  EXPECT_TRUE(store.sprite("nosuchsprite").empty());
}

// Ten level loads keep one block and one cracked block; at exit each sprite goes exactly once.
TEST_F(SpriteStoreTest, BlockSetsAreReplacedAndEverySpriteReleasedOnce) {
  store.CreateSurfaces();
  store.LoadSprites(false);
  std::set<const Surface*> seen;
  for (int level = 0; level < 10; ++level) {
    const int scenery = (level * 3) % 7;
    store.LoadBlockSet(scenery);
    EXPECT_EQ(store.SpriteList().size(), kFixedSprites + 2);
    EXPECT_EQ(store.Get(engine::BlockSprite).pixel(15, 15), art::BlockColour(scenery));
    EXPECT_EQ(store.Get(engine::CrackedBlockSprite).pixel(15, 15), art::CrackedBlockColour(scenery));
    const Surface* block = &store.Get(engine::BlockSprite);
    int inList = 0;
    for (const auto& s : store.SpriteList()) inList += s.get() == block ? 1 : 0;
    EXPECT_EQ(inList, 1);
  }
  EXPECT_EQ(store.loadedCount(), kFixedSprites + 20);
  EXPECT_EQ(store.releasedCount(), 18u);
  store.ReleaseSurfaces();
  EXPECT_TRUE(store.SpriteList().empty());
  EXPECT_EQ(store.releasedCount(), store.loadedCount());
  EXPECT_TRUE(store.Get(engine::BlockSprite).empty());
  EXPECT_TRUE(store.Get(engine::CubeSprite(0, CubeColor::Red)).empty());
  EXPECT_EQ(store.FindSprite("mainmenu"), nullptr);
  // Releasing again releases nothing twice.
  store.ReleaseSprites();
  EXPECT_EQ(store.releasedCount(), store.loadedCount());
}

TEST_F(SpriteStoreTest, FileNamesAreFoundWhateverTheirLetterCase) {
  TestDir dir;
  ASSERT_TRUE(art::WriteSyntheticArt(dir.path(), false));
  namespace fs = std::filesystem;
  fs::rename(dir / "data/sprites/gui", dir / "data/sprites/GUI");
  fs::rename(dir / "data/sprites/GUI/mainmenu.bmp", dir / "data/sprites/GUI/MainMenu.BMP");
  fs::rename(dir / "data/sprites/cubes/redcube.bmp", dir / "data/sprites/cubes/RedCube.bmp");
  fs::rename(dir / "data", dir / "Data");
  SpriteStore other(dir.path(), prompt, [this] { ++terminations; });
  other.LoadSprites(false);
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_NE(other.FindSprite("mainmenu"), nullptr);
  EXPECT_FALSE(other.Get(engine::CubeSprite(0, CubeColor::Red)).empty());
}

// With no data at all every file is reported, one after another, in the documented order.
TEST_F(SpriteStoreTest, MissingFilesAreReportedInLoadOrder) {
  TestDir empty;
  std::vector<std::string> log;
  prompt.log = &log;
  SpriteStore bare(empty.path(), prompt, [&] { log.push_back("terminate"); });
  bare.LoadSprites(true);

  std::vector<std::string> expected;
  const std::string root = empty.path() + "data/sprites/";
  auto expect = [&](const std::string& rel) {
    expected.push_back("message: Error has occured. " + root + rel + " unable to load!");
    expected.push_back("terminate");
  };
  int colour = 0;
  for (const char* c : {"red", "blue", "green", "violet", "black", "orange"}) {
    const std::string name = c, n = std::to_string(++colour);
    for (const char* suffix : {"cubecolorblind", "cubeleft", "cubetop", "cuberight", "cubebottom"})
      expect("cubes/" + name + suffix + ".bmp");
    expect("spheres/" + name + "spherecolorblind.bmp");
    expect("gui/mainmenuhighlight" + n + ".bmp");
    expect("gui/gamemenuhighlight" + n + ".bmp");
    expect("gui/optionshigh" + n + ".bmp");
  }
  expect("spheres/spheremaskcolorblind.bmp");
  expect("blocks/blockmask.bmp");
  expect("cubes/cubemask.bmp");
  expect("blocks/crushblock.bmp");
  for (const char* gui :
       {"mainmenu", "gamemenu", "gamemenudisabled1", "gamemenudisabled3", "msg", "msgclose",
        "msgclosehigh", "msgno", "msgnohigh", "msgyes", "msgyeshigh", "playcustom",
        "playcustomhigh1", "playcustomhigh2", "playcustomhigh3", "selectlevel",
        "selectlevelnumbers", "selectlevelnumbersdisabled", "selectlevelnumberswon",
        "selectlevelnumbersselected", "selectlevelcancelhigh", "options", "optionshigh7",
        "optionscheckboxchecked", "optionscheckboxunchecked", "credits", "howtoplay",
        "howtoplayhigh1"})
    expect(std::string("gui/") + gui + ".bmp");
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(bare.SpriteList().empty());
  for (const auto& m : prompt.messages) {
    EXPECT_TRUE(m.system);
    EXPECT_EQ(m.icon, engine::MessageIcon::None);
    EXPECT_FALSE(m.yesNo);
  }
}

// The real end of the program stops at the first missing file: the plain red cube.
TEST_F(SpriteStoreTest, AMissingRedCubeStopsLoadingAtOnce) {
  TestDir dir;
  ASSERT_TRUE(art::WriteSyntheticArt(dir.path(), false));
  std::filesystem::remove(dir / "data/sprites/cubes/redcube.bmp");
  SpriteStore broken(dir.path(), prompt, [] { throw Terminated(); });
  EXPECT_THROW(broken.LoadSprites(false), Terminated);
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0].text,
            "Error has occured. " + dir.path() + "data/sprites/cubes/redcube.bmp unable to load!");
  EXPECT_TRUE(broken.SpriteList().empty());
}

TEST_F(SpriteStoreTest, AMissingBlockSetDuringPlayIsReportedToo) {
  store.LoadSprites(false);
  store.LoadBlockSet(2);
  store.LoadBlockSet(9);
  ASSERT_EQ(prompt.messages.size(), 2u);
  EXPECT_EQ(prompt.messages[0].text,
            "Error has occured. " + appPath() + "data/sprites/blocks/block9.bmp unable to load!");
  EXPECT_EQ(prompt.messages[1].text,
            "Error has occured. " + appPath() + "data/sprites/blocks/block9chapped.bmp unable to load!");
  EXPECT_EQ(terminations, 2);
  // The old set was released before the attempt; nothing is left half-referenced.
  EXPECT_TRUE(store.Get(engine::BlockSprite).empty());
  EXPECT_EQ(store.SpriteList().size(), kFixedSprites);
}

TEST_F(SpriteStoreTest, DamagedSpriteFileIsAFailureLikeAMissingOne) {
  TestDir dir;
  ASSERT_TRUE(art::WriteSyntheticArt(dir.path(), false));
  dir.Put("data/sprites/gui/credits.bmp", "BM\x10\0\0\0garbage");
  SpriteStore broken(dir.path(), prompt, [] { throw Terminated(); });
  EXPECT_THROW(broken.LoadSprites(false), Terminated);
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0].text,
            "Error has occured. " + dir.path() + "data/sprites/gui/credits.bmp unable to load!");
}

TEST_F(SpriteStoreTest, AppPathGetsItsTrailingSlash) {
  std::string bare = appPath();
  bare.pop_back();
  SpriteStore s(bare, prompt, [this] { ++terminations; });
  EXPECT_EQ(s.appPath(), appPath());
  s.LoadSprites(false);
  EXPECT_TRUE(prompt.messages.empty());
}

}  // namespace
}  // namespace presentation
