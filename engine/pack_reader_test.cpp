#include "engine/pack_reader.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/test_fakes.h"

namespace engine {
namespace {

using testing::GameTest;
using testing::Log;
using testing::PackText;

std::vector<std::string> Lines(const std::string& text, std::size_t maxBytes = kMaxPackBytes, std::size_t maxLine = kMaxLineBytes) {
  std::istringstream in(text);
  LineReader reader(in, maxBytes, maxLine);
  std::vector<std::string> out;
  std::string line;
  while (reader.Next(line)) out.push_back(line);
  return out;
}

TEST(LineReader, AcceptsEveryLineEnd) {
  EXPECT_EQ(Lines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Lines("\r\r\n"), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(Lines("").empty());
}

TEST(LineReader, KeepsEightBitBytes) {
  EXPECT_EQ(Lines("caf\xe9\r\n\x80\xff"), (std::vector<std::string>{"caf\xe9", "\x80\xff"}));
}

TEST(LineReader, CutsLongLinesAndStopsAtTheSizeBound) {
  const auto lines = Lines(std::string(100, 'a') + "\nxy\n", 1000, 10);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(10, 'a'));
  EXPECT_EQ(lines[1], "xy");

  std::istringstream in(std::string(5000, 'z'));
  LineReader reader(in, 1000, 10);
  std::string line;
  EXPECT_FALSE(reader.Next(line));
  EXPECT_TRUE(reader.failed());
}

TEST(LenientNumber, ReadsLikeTheGame) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"12", 12},     {" 12 ", 12},   {"1 2", 12},   {"12.5", 12.5}, {"12abc", 12}, {"abc", 0},
      {"", 0},        {"-3", -3},     {"+4", 4},     {".5", 0.5},    {"1.5.2", 1.5}, {"1e2", 100},
      {"2D1", 20},    {"12e", 12},    {"12e-", 12},  {"\t7", 7},     {"- 5", -5},   {"1e400", HUGE_VAL},
      {"1e-400", 0},  {"0x10", 0},    {"&H10", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(LenientNumber(c.text), c.value) << c.text;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, double> cases[] = {{12.5, 12}, {13.5, 14}, {0.5, 0}, {1.5, 2}, {2.4, 2},
                                             {2.6, 3},   {-0.5, 0},  {-1.5, -2}, {255.5, 256}, {254.5, 254}};
  for (const auto& [in, out] : cases) EXPECT_EQ(RoundHalfEven(in), out) << in;
}

TEST(HeaderValue, TextAfterTheFirstEquals) {
  EXPECT_EQ(HeaderValue("Author=A=B"), "A=B");
  EXPECT_EQ(HeaderValue("Author"), "Author");
  EXPECT_EQ(HeaderValue("="), "");
  EXPECT_EQ(HeaderValue("Whatever=x"), "x");
}

TEST(SectionLine, MatchesWithoutLetterCaseAnywhereInTheLine) {
  EXPECT_TRUE(IsSectionLine("[Level12Data]", 12));
  EXPECT_TRUE(IsSectionLine("[level12data]", 12));
  EXPECT_TRUE(IsSectionLine("junk [LEVEL12DATA] junk", 12));
  EXPECT_FALSE(IsSectionLine("[Level11Data]", 1));
  EXPECT_FALSE(IsSectionLine("[Level1Data]", 11));
  EXPECT_FALSE(IsSectionLine("[Level 1Data]", 1));
  EXPECT_FALSE(IsSectionLine("", 1));
}

// Every way the header can be read, with what the game tells the player.
struct HeaderCase {
  const char* name;
  std::string text;
  bool opens;
  const char* message;  // the log entry of the message, "" for none
  int levels;           // numberOfLevels afterwards (when read)
};

class OpenPackCases : public GameTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(OpenPackCases, OpensOrReports) {
  const HeaderCase& c = GetParam();
  dir.Put("p.cdn", c.text);
  EXPECT_EQ(game.OpenPack(dir / "p.cdn"), c.opens);
  EXPECT_EQ(log, c.message[0] ? Log{c.message} : Log{});
  if (c.levels >= 0) {
    EXPECT_EQ(game.state().numberOfLevels, c.levels);
  }
  EXPECT_EQ(game.state().packPath, dir / "p.cdn");
}

std::string Header(const std::string& count) {
  return "[PackHeader]\r\nCollectionName=T\r\nAuthor=A\r\nComment=C\r\nNumberOfLevels=" + count + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Headers, OpenPackCases,
    ::testing::Values(
        HeaderCase{"Plain", Header("3"), true, "", 3},
        HeaderCase{"HalfDown", Header("12.5"), true, "", 12},
        HeaderCase{"HalfUp", Header("13.5"), true, "", 14},
        HeaderCase{"Max", Header("255"), true, "", 255},
        HeaderCase{"TooMany", Header("256"), false, "message Damaged game pack!", 0},
        HeaderCase{"RoundsToTooMany", Header("255.5"), false, "message Damaged game pack!", 0},
        HeaderCase{"Negative", Header("-1"), false, "message Damaged game pack!", 0},
        HeaderCase{"Letters", Header("many"), false, "message Damaged level file!", 0},
        HeaderCase{"Zero", Header("0"), false, "message Damaged level file!", 0},
        HeaderCase{"HalfToZero", Header("0.5"), false, "message Damaged level file!", 0},
        HeaderCase{"Empty", Header(""), false, "message Damaged level file!", 0},
        HeaderCase{"NoEqualsDigits", "[PackHeader]\nCollectionName=T\nAuthor=A\nComment=C\n7\n", true, "", 7},
        HeaderCase{"FourLines", "[PackHeader]\r\nCollectionName=T\r\nAuthor=A\r\nComment=C\r\n", false,
                   "message Damaged game pack!", -1},
        HeaderCase{"EmptyFile", "", false, "message Damaged game pack!", -1},
        HeaderCase{"LastLineWithoutEnd", "[PackHeader]\nCollectionName=T\nAuthor=A\nComment=C\nNumberOfLevels=2", true, "", 2}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(GameTest, OpenPackKeepsTheHeaderTextsAsBytes) {
  dir.Put("p.cdn", "anything\r\nTitle=Caf\xe9: Ice\r\nAuthor\r\nX=a=b\r\nNumberOfLevels=2\r\n");
  ASSERT_TRUE(game.OpenPack(dir / "p.cdn"));
  EXPECT_EQ(game.state().collectionName, "Caf\xe9: Ice");
  EXPECT_EQ(game.state().author, "Author");
  EXPECT_EQ(game.state().comment, "a=b");
}

TEST_F(GameTest, OpenPackOfAMissingFile) {
  EXPECT_FALSE(game.OpenPack(dir / "none.cdn"));
  EXPECT_EQ(log, (Log{"system Level file does not exist! [error]"}));
  EXPECT_EQ(game.state().packPath, "");
}

TEST_F(GameTest, OpenPackFindsTheFileWithoutRegardToCase) {
  dir.Put("Levels/MyPack.CDN", PackText("T", {{}}));
  EXPECT_TRUE(game.OpenPack(dir / "levels/mypack.cdn"));
}

TEST_F(GameTest, OpenPackKeepsWhatWasReadBeforeAFailure) {
  OpenPackWith(PackText("First", {{}, {}}));
  dir.Put("bad.cdn", "[PackHeader]\r\nCollectionName=Second\r\nAuthor=B\r\n");
  EXPECT_FALSE(game.OpenPack(dir / "bad.cdn"));
  EXPECT_EQ(game.state().collectionName, "Second");
  EXPECT_EQ(game.state().author, "B");
  EXPECT_EQ(game.state().comment, "none");
  EXPECT_EQ(game.state().numberOfLevels, 2);
}

TEST_F(GameTest, OpenPackRejectsFoldersAndHugeFilesQuickly) {
  dir.Mkdir("folder.cdn");
  EXPECT_FALSE(game.OpenPack(dir / "folder.cdn"));
  // 20 MB without a single line end.
  dir.Put("huge.cdn", std::string(20u << 20, 'x'));
  EXPECT_FALSE(game.OpenPack(dir / "huge.cdn"));
  EXPECT_EQ(Only("message"), (Log{"message Damaged game pack!", "message Damaged game pack!"}));
}

TEST_F(GameTest, OpenPackCutsAVeryLongHeaderLine) {
  dir.Put("long.cdn", "[PackHeader]\nCollectionName=" + std::string(1u << 20, 'n') + "\nA\nC\nN=1\n");
  ASSERT_TRUE(game.OpenPack(dir / "long.cdn"));
  EXPECT_LE(game.state().collectionName.size(), kMaxLineBytes);
}

// Damaged packs of every shape: the game reports or plays them, it never crashes or hangs.
TEST_F(GameTest, GarbagePacksNeverHurt) {
  std::mt19937 random(7);
  const std::string alphabet = "[]=.XxCTRrBbGgWwLlHh0123456789 \r\n\t\x80\xff\0Level1Data";
  for (int round = 0; round < 150; ++round) {
    std::string text;
    if (round % 3 == 0) text = PackText("T", {{}, {}});
    const std::size_t size = random() % 3000;
    for (std::size_t i = 0; i < size; ++i) text.push_back(alphabet[random() % alphabet.size()]);
    if (round % 5 == 0) std::shuffle(text.begin(), text.end(), random);
    dir.Put("g.cdn", text);
    if (game.OpenPack(dir / "g.cdn")) {
      game.BeginPack();
      for (int level = 1; level <= std::min(game.state().numberOfLevels, 3); ++level) game.LoadLevel(level);
      ASSERT_TRUE(testing::EdgesZero(game.board()));
    }
  }
}

}  // namespace
}  // namespace engine
