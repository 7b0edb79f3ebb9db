// The built-in pack and its stored solutions: every solution, replayed through the game's own
// move path, wins its level on the last move and not before. A later change of the rules that
// breaks a level fails here.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cube_movement.h"
#include "engine/game.h"
#include "engine/game_rules.h"
#include "engine/hint.h"
#include "engine/level_loader.h"
#include "engine/null_ports.h"
#include "platform/files.h"
#include "platform/test_dir.h"
#include "tools/levelgen/level_design.h"

namespace levelgen {
namespace {

const std::string kSource = FROSTLIDE_SOURCE_DIR;
const std::string kPack = kSource + "/data/ogpice.cdn";
const std::string kSolutions = kSource + "/data/ogpice.solutions";

class CreditsHost : public engine::NullHost {
 public:
  void ShowCredits() override { ++credits; }
  int credits = 0;
};

std::vector<std::string> SplitCrLf(const std::string& text, bool& onlyCrLf) {
  std::vector<std::string> lines;
  onlyCrLf = true;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      onlyCrLf = false;  // a last line without its line end
      lines.push_back(text.substr(start));
      break;
    }
    if (end == start || text[end - 1] != '\r') onlyCrLf = false;
    lines.push_back(text.substr(start, end > start ? end - start - 1 : 0));
    start = end + 1;
  }
  return lines;
}

TEST(BuiltInPack, IsWrittenInThePackLayout) {
  std::string text;
  ASSERT_TRUE(platform::ReadFile(kPack, text));
  bool onlyCrLf = false;
  const std::vector<std::string> lines = SplitCrLf(text, onlyCrLf);
  EXPECT_TRUE(onlyCrLf);
  ASSERT_EQ(lines.size(), 6u + 17u * 100u);
  EXPECT_EQ(lines[0], "[PackHeader]");
  EXPECT_EQ(lines[1], "CollectionName=Frostlide: Ice");
  EXPECT_EQ(lines[2].rfind("Author=", 0), 0u);
  EXPECT_EQ(lines[3].rfind("Comment=", 0), 0u);
  EXPECT_EQ(lines[4], "NumberOfLevels=100");
  EXPECT_EQ(lines[5], "");
  const std::string cells = ".XxCTRrBbGgWwLlHh";
  for (int n = 1; n <= 100; ++n) {
    const std::size_t base = 6 + 17 * static_cast<std::size_t>(n - 1);
    EXPECT_EQ(lines[base], "[Level" + std::to_string(n) + "Data]");
    for (std::size_t r = 1; r <= 15; ++r) {
      const std::string& row = lines[base + r];
      EXPECT_EQ(row.size(), 15u) << "level " << n << " row " << r;
      EXPECT_EQ(row.find_first_not_of(cells), std::string::npos) << "level " << n << " row " << r;
    }
    EXPECT_EQ(lines[base + 16], "") << "level " << n;
  }
}

TEST(BuiltInPack, ChaptersFollowTheSceneries) {
  // The pack's title is what gives its levels the six sceneries.
  std::vector<Rows> levels;
  std::string title;
  ASSERT_TRUE(ReadPackLevels(kPack, levels, &title));
  ASSERT_EQ(levels.size(), 100u);
  const int firstOfChapter[] = {1, 17, 33, 50, 67, 84};
  for (int s = 1; s <= 6; ++s) EXPECT_EQ(engine::SceneryFor(title, firstOfChapter[s - 1]), s);
  EXPECT_EQ(engine::SceneryFor(title, 100), 6);
}

TEST(BuiltInPack, EveryStoredSolutionWinsItsLevelThroughTheGame) {
  platform::testing::TestDir dir;
  std::string pack, solutionsText;
  ASSERT_TRUE(platform::ReadFile(kPack, pack));
  ASSERT_TRUE(platform::ReadFile(kSolutions, solutionsText));
  // The game writes its progress file beside the pack: play a copy.
  dir.Put("ogpice.cdn", pack);
  std::vector<std::vector<engine::SolverMove>> solutions;
  ASSERT_TRUE(ParseSolutions(solutionsText, solutions));
  ASSERT_EQ(solutions.size(), 101u);

  engine::NullPainter painter;
  engine::NullSound sound;
  engine::FixedPrompt prompt(false);
  engine::InstantClock clock;
  CreditsHost host;
  engine::Game game({painter, sound, prompt, clock, host},
                    {.animationLevel = 1, .appPath = dir.path(), .checkDataFiles = false});
  ASSERT_TRUE(game.StartPack(dir / "ogpice.cdn"));
  ASSERT_EQ(game.state().numberOfLevels, 100);

  for (int n = 1; n <= 100; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto& moves = solutions[static_cast<std::size_t>(n)];
    ASSERT_FALSE(moves.empty());
    game.SetSolved(n, false);
    game.LoadLevel(n);
    for (std::size_t i = 0; i < moves.size(); ++i) {
      const engine::SolverMove& m = moves[i];
      ASSERT_EQ(game.state().currentLevel, n) << "won before move " << i + 1;
      ASSERT_FALSE(game.IsLevelSolved(n));
      // As the pointer and the click would: the arrow must be one board input shows.
      ASSERT_TRUE(game.ShowArrow(m.x, m.y, m.direction)) << "move " << i + 1 << " is not allowed";
      game.Click();
    }
    EXPECT_TRUE(game.IsLevelSolved(n));
    if (n < 100) {
      EXPECT_EQ(game.state().currentLevel, n + 1);
    } else {
      EXPECT_EQ(host.credits, 1);
    }
  }
  EXPECT_EQ(host.credits, 1);
}

// The stored solutions (solutions[n] for level n) and, where asked for, the pack's levels.
void ReadStored(std::vector<std::vector<engine::SolverMove>>& solutions, std::vector<Rows>* levels = nullptr) {
  std::string solutionsText;
  ASSERT_TRUE(platform::ReadFile(kSolutions, solutionsText));
  ASSERT_TRUE(ParseSolutions(solutionsText, solutions));
  ASSERT_EQ(solutions.size(), 101u);
  if (levels != nullptr) {
    ASSERT_TRUE(ReadPackLevels(kPack, *levels));
    ASSERT_EQ(levels->size(), 100u);
  }
}

TEST(BuiltInPack, OnlyTheFirstLevelsAreSolvedInOneMove) {
  std::vector<std::vector<engine::SolverMove>> solutions;
  ASSERT_NO_FATAL_FAILURE(ReadStored(solutions));
  for (int n = 4; n <= 100; ++n) EXPECT_GE(solutions[static_cast<std::size_t>(n)].size(), 2u) << "level " << n;
  // The last chapter ends long.
  for (int n = 95; n <= 100; ++n) EXPECT_GE(solutions[static_cast<std::size_t>(n)].size(), 15u) << "level " << n;
}

// The pack's levels of one chapter (scenery), as level numbers.
std::vector<int> LevelsOfChapter(int chapter) {
  std::string title;
  std::vector<Rows> levels;
  EXPECT_TRUE(ReadPackLevels(kPack, levels, &title));
  std::vector<int> out;
  for (int n = 1; n <= static_cast<int>(levels.size()); ++n)
    if (engine::SceneryFor(title, n) == chapter) out.push_back(n);
  return out;
}

// One chapter per test, so the long proofs of the late chapters run side by side.
class ChapterOfThePack : public ::testing::TestWithParam<int> {};

TEST_P(ChapterOfThePack, TheSolverFindsEveryStoredMinimum) {
  // The stored solutions are the generator's shortest; the solver as the game and the editor
  // run it must prove the same minimum for every level, or a shortcut of the search lost one.
  std::vector<std::vector<engine::SolverMove>> solutions;
  std::vector<Rows> levels;
  ASSERT_NO_FATAL_FAILURE(ReadStored(solutions, &levels));
  const std::vector<int> chapter = LevelsOfChapter(GetParam());
  ASSERT_FALSE(chapter.empty());
  for (int n : chapter) {
    const engine::SolveResult r = engine::Solve(BoardFromRows(levels[static_cast<std::size_t>(n - 1)]));
    ASSERT_EQ(r.status, engine::SolveStatus::Solved) << "level " << n;
    EXPECT_EQ(r.moves.size(), solutions[static_cast<std::size_t>(n)].size()) << "level " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(BuiltInPack, ChapterOfThePack, ::testing::Range(1, 7));

TEST(BuiltInPack, EveryChapterAfterTheFirstEndsInLevelsThatNeedAPlan) {
  // The last three levels of chapters 2 to 6 are long and the simple player (no plan, only the
  // bound) rarely wins them; the last five of the last chapter are longer still.
  std::vector<std::vector<engine::SolverMove>> solutions;
  std::vector<Rows> levels;
  ASSERT_NO_FATAL_FAILURE(ReadStored(solutions, &levels));
  for (int c = 2; c <= 6; ++c) {
    const std::vector<int> chapter = LevelsOfChapter(c);
    ASSERT_GE(chapter.size(), 5u);
    for (std::size_t k = 1; k <= (c == 6 ? 5u : 3u); ++k) {
      const int n = chapter[chapter.size() - k];
      const std::size_t moves = solutions[static_cast<std::size_t>(n)].size();
      EXPECT_GE(moves, c == 6 ? 30u : 18u) << "level " << n;
      if (k <= 3) {
        const NoviceResult novice =
            MeasureNovice(levels[static_cast<std::size_t>(n - 1)], static_cast<int>(moves), 200);
        EXPECT_LE(novice.share(), 0.05) << "level " << n;
      }
    }
  }
}

TEST(BuiltInPack, ChaptersGrowHarderTowardsTheirEnd) {
  std::vector<std::vector<engine::SolverMove>> solutions;
  ASSERT_NO_FATAL_FAILURE(ReadStored(solutions));
  auto moves = [&](int n) { return solutions[static_cast<std::size_t>(n)].size(); };
  const int lastOfChapter[] = {16, 32, 49, 66, 83, 100};
  for (int c = 1; c < 6; ++c) {
    // The searched levels go in order of length (the hand-made first ones aside).
    for (int n = lastOfChapter[c - 1] + 4; n < lastOfChapter[c]; ++n) EXPECT_LE(moves(n), moves(n + 1)) << "level " << n;
  }
}

TEST(BuiltInPack, TheSolverProvesTheEarlyMinimaQuickly) {
  // The stored solutions are the solver's; for the small levels check that nothing shorter
  // exists even for the plain search.
  std::vector<std::vector<engine::SolverMove>> solutions;
  std::vector<Rows> levels;
  ASSERT_NO_FATAL_FAILURE(ReadStored(solutions, &levels));
  for (int n = 1; n <= 12; ++n) {
    engine::SolverOptions plain = engine::SolverOptions::Plain();
    plain.maxStates = 200000;
    const engine::SolveResult r = engine::Solve(BoardFromRows(levels[static_cast<std::size_t>(n - 1)]), plain);
    ASSERT_EQ(r.status, engine::SolveStatus::Solved) << "level " << n;
    EXPECT_EQ(r.moves.size(), solutions[static_cast<std::size_t>(n)].size()) << "level " << n;
  }
}

}  // namespace
}  // namespace levelgen

namespace levelgen {
namespace {

// Fewest moves to win from board, by the solver; -1 when it finds none.
int Minimum(const engine::Board& board) {
  const engine::SolveResult r = engine::Solve(board, engine::HintSearchOptions());
  return r.status == engine::SolveStatus::Solved ? static_cast<int>(r.moves.size()) : -1;
}

// The hint the game gives along every stored line: its move brings the win exactly one move
// closer, by the solver's own count. Checked here on the levels whose whole search is small
// (a spread over every chapter); bench/hint_bench --sweep checks every level.
TEST(BuiltInPack, AHintAlongTheStoredSolutionBringsTheWinOneMoveCloser) {
  std::vector<Rows> levels;
  ASSERT_TRUE(ReadPackLevels(kPack, levels));
  std::string solutionsText;
  ASSERT_TRUE(platform::ReadFile(kSolutions, solutionsText));
  std::vector<std::vector<engine::SolverMove>> solutions;
  ASSERT_TRUE(ParseSolutions(solutionsText, solutions));
  int checked = 0;
  for (int n = 1; n <= 100; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const engine::Board start = BoardFromRows(levels[static_cast<std::size_t>(n - 1)]);
    const auto& line = solutions[static_cast<std::size_t>(n)];
    engine::SolverOptions small;
    small.maxStates = 3000;
    const bool sampled = engine::Solve(start, small).status == engine::SolveStatus::Solved;
    engine::Board b = start;
    for (std::size_t k = 0; k < line.size(); ++k) {
      const engine::Hint h = engine::FindHintWithLine(start, line, b);
      ASSERT_EQ(h.kind, engine::HintKind::Move) << "move " << k + 1;
      if (sampled) {
        EXPECT_EQ(Minimum(b), h.movesToWin) << "move " << k + 1;
        engine::Board after = b;
        engine::SlideCube(after, h.move.x, h.move.y, h.move.direction);
        EXPECT_EQ(h.movesToWin == 1 ? 0 : Minimum(after), h.movesToWin - 1) << "move " << k + 1;
      }
      engine::SlideCube(b, line[k].x, line[k].y, line[k].direction);
    }
    checked += sampled;
  }
  EXPECT_GE(checked, 12);
}

// A crush that loses a cube the level needs leaves no way to win, and the hint says so.
TEST(BuiltInPack, AfterACrushThatLosesANeededCubeTheHintSaysNoWayToWin) {
  std::vector<Rows> levels;
  ASSERT_TRUE(ReadPackLevels(kPack, levels));
  int found = 0;
  for (std::size_t n = 0; n < levels.size() && found < 3; ++n) {
    const engine::Board start = BoardFromRows(levels[n]);
    for (int x = 1; x <= engine::kBoardSize && found < 3; ++x) {
      for (int y = 1; y <= engine::kBoardSize && found < 3; ++y) {
        for (engine::Direction d : {engine::Direction::Left, engine::Direction::Right, engine::Direction::Up,
                                    engine::Direction::Down}) {
          if (!engine::CanPush(start, x, y, d)) continue;
          engine::Board b = start;
          if (!engine::SlideCube(b, x, y, d).crushed || engine::IsWinnable(b)) continue;
          EXPECT_EQ(engine::FindHint(b).kind, engine::HintKind::NoWayToWin) << "level " << n + 1;
          ++found;
          break;
        }
      }
    }
  }
  EXPECT_EQ(found, 3);
}

}  // namespace
}  // namespace levelgen
