// Runs `frostlide-cli render` on synthetic pictures and checks the PNG it writes.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/test_dir.h"
#include "presentation/image.h"
#include "presentation/synthetic_art.h"

namespace {

using platform::testing::TestDir;
using presentation::Surface;
namespace art = presentation::synthetic;

struct Result {
  int code = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Pack(const std::string& title, const std::vector<std::string>& rows) {
  std::string t = "[PackHeader]\r\nCollectionName=" + title + "\r\nAuthor=A\r\nComment=C\r\nNumberOfLevels=1\r\n\r\n[Level1Data]\r\n";
  for (std::size_t r = 0; r < 15; ++r) t += (r < rows.size() ? rows[r] : std::string()) + "\r\n";
  return t + "\r\n";
}

class RenderCommandTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    art_ = new TestDir();
    ASSERT_TRUE(art::WriteSyntheticArt(art_->path(), false));
  }
  static void TearDownTestSuite() {
    delete art_;
    art_ = nullptr;
  }
  void SetUp() override { pack = Put("pack.cdn", Pack("Render", {"R...X", "", "..g", "", "T"})); }

  Result Run(std::vector<std::string> args, const std::string& data = art_->path()) {
    std::string command = Quote(FROSTLIDE_CLI) + " render";
    for (const auto& a : args) command += " " + Quote(a);
    if (!data.empty()) command += " --data " + Quote(data);
    command += " 2>" + Quote(dir / "stderr.txt");
    Result r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int status = ::pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = dir.Get("stderr.txt");
    return r;
  }
  std::string Put(const std::string& name, const std::string& text) {
    dir.Put(name, text);
    return dir / name;
  }
  static std::uint32_t Cell(const Surface& s, int x, int y, int px = 15, int py = 15) {
    return s.pixel((x - 1) * 31 + px, (y - 1) * 31 + py);
  }
  static std::string ArtPath() { return art_->path(); }

  static TestDir* art_;
  TestDir dir;
  std::string pack;
};
TestDir* RenderCommandTest::art_ = nullptr;

TEST_F(RenderCommandTest, WritesTheBoardAsTheGameDrawsIt) {
  const Result r = Run({pack, "1", dir / "board.png"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("image: " + (dir / "board.png")), std::string::npos);
  EXPECT_NE(r.out.find("scenery: 0"), std::string::npos);
  auto image = presentation::LoadImage(dir / "board.png");
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width(), 465);
  ASSERT_EQ(image->height(), 465);
  const Surface floor = *presentation::LoadImage(ArtPath() + "data/backgrounds/bg0.jpg");
  EXPECT_EQ(Cell(*image, 1, 1), art::CubeColour(0, 1, false));
  EXPECT_EQ(Cell(*image, 1, 1, 0, 0), Cell(floor, 1, 1, 0, 0));
  EXPECT_EQ(Cell(*image, 5, 1), art::BlockColour(0));
  EXPECT_EQ(Cell(*image, 3, 3), art::SphereColour(3, false));
  EXPECT_EQ(Cell(*image, 9, 9), Cell(floor, 9, 9));
  EXPECT_NE(Cell(*image, 1, 5), Cell(floor, 1, 5));  // the open trapdoor
}

TEST_F(RenderCommandTest, MovesAndUndosArePlayed) {
  ASSERT_EQ(Run({pack, "1", dir / "start.png"}).code, 0);
  const Result moved = Run({pack, "1", dir / "moved.png", "1,1,r"});
  ASSERT_EQ(moved.code, 0) << moved.err;
  const Result undone = Run({pack, "1", dir / "undone.png", "1,1,r", "undo"});
  ASSERT_EQ(undone.code, 0) << undone.err;
  const Surface start = *presentation::LoadImage(dir / "start.png");
  const Surface after = *presentation::LoadImage(dir / "moved.png");
  EXPECT_EQ(Cell(after, 4, 1), art::CubeColour(0, 1, false));
  EXPECT_EQ(Cell(after, 1, 1), Cell(*presentation::LoadImage(ArtPath() + "data/backgrounds/bg0.jpg"), 1, 1));
  EXPECT_EQ(presentation::LoadImage(dir / "undone.png")->pixels(), start.pixels());
  // Rendering writes no progress file beside the pack.
  EXPECT_FALSE(std::filesystem::exists(dir / "pack.cdx"));
}

TEST_F(RenderCommandTest, AWinIsWrittenToProgressAndRecordsOnlyWhenAsked) {
  std::string text = "[PackHeader]\r\nCollectionName=T\r\nAuthor=A\r\nComment=\r\nNumberOfLevels=2\r\n\r\n";
  for (int level = 1; level <= 2; ++level) {
    text += "[Level" + std::to_string(level) + "Data]\r\nR.rX...........\r\n";
    for (int row = 2; row <= 15; ++row) text += "...............\r\n";
    text += "\r\n";
  }
  const std::string won = Put("won.cdn", text);
  const Result trial = Run({won, "1", dir / "w.png", "1,1,r"});
  ASSERT_EQ(trial.code, 0) << trial.err;
  EXPECT_NE(trial.out.find("level: 2 of 2"), std::string::npos) << trial.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "won.cdx"));
  EXPECT_FALSE(std::filesystem::exists(dir / "won.best"));
  const Result saved = Run({won, "1", dir / "w.png", "--save-progress", "1,1,r"});
  ASSERT_EQ(saved.code, 0) << saved.err;
  EXPECT_EQ(dir.Get("won.cdx"), "1\r\nd\r\n2\r\nu\r\n");
  EXPECT_EQ(dir.Get("won.best"), "[Best]\r\n1=1\r\n");
}

TEST_F(RenderCommandTest, ColourBlindPictures) {
  const Result r = Run({"--colorblind", pack, "1", dir / "cb.png"});
  ASSERT_EQ(r.code, 0) << r.err;
  const Surface image = *presentation::LoadImage(dir / "cb.png");
  EXPECT_EQ(Cell(image, 1, 1), art::CubeColour(0, 1, true));
  EXPECT_EQ(Cell(image, 3, 3), art::SphereColour(3, true));
}

TEST_F(RenderCommandTest, RefusesBadArgumentsBeforeWriting) {
  struct Case {
    std::vector<std::string> args;
    int code;
  };
  const std::string out = dir / "x.png";
  // A level without spheres is won by its first move; the credits then cover the board.
  const std::string won = Put("won.cdn", Pack("Won", {"R.X"}));
  for (const Case& c : {Case{{pack, "1"}, 2}, Case{{won, "1", out, "1,1,r", "2,1,l"}, 2}, Case{{pack, "2", out}, 2}, Case{{pack, "one", out}, 2},
                        Case{{pack, "1", out, "1,1,q"}, 2}, Case{{pack, "1", out, "2,2,r"}, 2},
                        Case{{pack, "1", out, "1,1,l"}, 2}, Case{{dir / "none.cdn", "1", out}, 1}}) {
    const Result r = Run(c.args);
    EXPECT_EQ(r.code, c.code) << c.args.size() << " " << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  EXPECT_EQ(Run({pack, "1", out, "--data"}, "").code, 2);
}

TEST_F(RenderCommandTest, MissingPicturesEndWithTheGamesMessage) {
  TestDir broken;
  ASSERT_TRUE(art::WriteSyntheticArt(broken.path(), false));
  std::filesystem::remove(broken / "data/sprites/cubes/cubemask.bmp");
  const Result r = Run({pack, "1", dir / "x.png"}, broken.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.out.find("Error has occured. " + broken.path() + "data/sprites/cubes/cubemask.bmp unable to load!"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));

  std::filesystem::remove(broken / "data/backgrounds/bg0.jpg");
  ASSERT_TRUE(art::WriteSyntheticArt(broken.path(), false));
  std::filesystem::remove(broken / "data/backgrounds/bg0.jpg");
  const Result noBackground = Run({pack, "1", dir / "x.png"}, broken.path());
  EXPECT_EQ(noBackground.code, 3);
  EXPECT_NE(noBackground.out.find("Damaged game data. Please reinstall Frostlide"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

TEST_F(RenderCommandTest, UnwritableOutputIsAnError) {
  const Result r = Run({pack, "1", dir / "no/such/folder/x.png"});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.err.find("cannot write"), std::string::npos);
}

}  // namespace
