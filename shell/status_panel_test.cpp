// The status panel in the running game: level, moves, par and best, the records file, the
// solved moment, hints, and the solver working off the window thread.
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

#include "shell/app_test_fixture.h"

namespace shell::testing {
namespace {

using engine::Direction;
using engine::Hint;
using engine::HintKind;

// Answers what the test says, at once, counting the positions it was asked about.
class ScriptedSolver : public PositionSolver {
 public:
  explicit ScriptedSolver(std::function<Hint(const engine::Board&)> answer) : answer_(std::move(answer)) {}
  Hint Analyse(const engine::Board& board, const std::atomic<bool>&) override {
    ++asked;
    return answer_(board);
  }
  std::atomic<int> asked{0};

 private:
  std::function<Hint(const engine::Board&)> answer_;
};

// Thinks until released or cancelled: the window must go on meanwhile.
class SlowSolver : public PositionSolver {
 public:
  Hint Analyse(const engine::Board&, const std::atomic<bool>& cancel) override {
    ++started;
    while (!release && !cancel) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (cancel) {
      ++cancelled;
      return Hint{HintKind::NotFound, {}, 0, true};
    }
    return Hint{HintKind::Move, {4, 8, Direction::Right}, 1, false};
  }
  std::atomic<bool> release{false};
  std::atomic<int> started{0}, cancelled{0};
};

const Hint kSolve{HintKind::Move, {4, 8, Direction::Right}, 1, false};

class StatusPanelTest : public AppTest {
 protected:
  StatusPanel& Panel() { return app->gameScreen()->panel(); }
  // Runs the window's loop until pred holds (answers from the worker arrive through it).
  bool PumpUntil(const std::function<bool()>& pred, int ms = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      app->window()->HandlePendingEvents();
      if (pred()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return pred();
  }
  std::vector<std::string> Texts() {
    return {Panel().LevelText(), Panel().MovesText(), Panel().ParText(), Panel().BestText()};
  }
  // A pack of the player's own, without stored solutions: par comes from the solver.
  std::string CustomPack(int levels = 2) {
    dir.Put("levels/mine.cdn", TestPack(levels, "Mine"));
    return dir / "levels/mine.cdn";
  }
  void PutSolutions() { dir.Put("data/ogpice.solutions", "1: 4,8,r\r\n2: 4,8,r\r\n3: 4,8,r\r\n"); }
};

TEST_F(StatusPanelTest, LevelOneOfAFreshCopySolvedInOneMoveSetsTheRecord) {
  PutSolutions();
  ScriptedSolver scripted([](const engine::Board&) { return kSolve; });
  solver = &scripted;
  Start();
  ASSERT_TRUE(app->StartLevelPack(dir / "data/ogpice.cdn"));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Level 1 of 3", "Moves 0", "Par 1", "Best -"}));
  SolveByMouse();
  EXPECT_EQ(dir.Get("data/ogpice.best"), "[Best]\r\n1=1\r\n\r\n[Par]\r\n1=1\r\n");
  // The next level came up as ever; the solved moment shows meanwhile.
  EXPECT_EQ(app->game()->state().currentLevel, 2);
  EXPECT_EQ(Panel().NoticeText(), "Solved in 1 move Par! New best!");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Level 2 of 3", "Moves 0", "Par 1", "Best -"}));
  app->game()->LoadLevel(1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Level 1 of 3", "Moves 0", "Par 1", "Best 1"}));
  // A solve that sets no record says so by saying nothing of it.
  SolveByMouse();
  EXPECT_EQ(Panel().NoticeText(), "Solved in 1 move Par!");
  // The stored lines answered; the solver was never needed.
  EXPECT_EQ(scripted.asked, 0);
}

TEST_F(StatusPanelTest, ADamagedRecordsFileStartsThePackNormally) {
  PutSolutions();
  dir.Put("data/ogpice.best", std::string("\x01\x02[Best\r\n1=") + std::string(5000, '9'));
  Start();
  ASSERT_TRUE(app->StartLevelPack(dir / "data/ogpice.cdn"));
  EXPECT_FALSE(app->flags().mainMenuVisible);
  EXPECT_EQ(Panel().BestText(), "Best -");
  SolveByMouse();
  EXPECT_EQ(dir.Get("data/ogpice.best"), "[Best]\r\n1=1\r\n\r\n[Par]\r\n1=1\r\n");
}

TEST_F(StatusPanelTest, TheWindowPaintsAndTakesInputWhileTheSolverThinks) {
  SlowSolver slow;
  solver = &slow;
  Start();
  ASSERT_TRUE(app->StartLevelPack(CustomPack()));
  ASSERT_TRUE(PumpUntil([&] { return slow.started == 1; }));
  EXPECT_TRUE(Panel().Searching());
  EXPECT_EQ(Panel().ParText(), "Par -");

  // The menu answers the pointer and the frame shows it, while the search goes on.
  app->window()->PresentNow();
  const presentation::Surface before = app->window()->frame();
  Move(80, 200);
  app->window()->HandlePendingEvents();
  EXPECT_EQ(app->gameScreen()->gameMenuHover(), 2);
  EXPECT_EQ(Count("btnhover"), 1);
  bool repainted = false;
  for (int y = 176; y < 220 && !repainted; ++y)
    for (int x = 2; x < 166 && !repainted; ++x) repainted = before.pixel(x, y) != app->window()->frame().pixel(x, y);
  EXPECT_TRUE(repainted);
  // A hint asked for now comes when the answer does.
  KeyDown('H');
  KeyUp('H');
  EXPECT_FALSE(Panel().LitFlash());
  EXPECT_TRUE(Panel().Searching());

  slow.release = true;
  ASSERT_TRUE(PumpUntil([&] { return !Panel().Searching(); }));
  EXPECT_EQ(Panel().ParText(), "Par 1");
  const auto flash = Panel().LitFlash();
  ASSERT_TRUE(flash.has_value());
  EXPECT_EQ(flash->x, 4);
  EXPECT_EQ(flash->y, 8);
  EXPECT_EQ(flash->direction, Direction::Right);
  // Nothing moved: the hint only shows.
  EXPECT_EQ(app->game()->state().moves, 0);
  EXPECT_EQ(app->game()->board().at(4, 8).kind, engine::CellKind::Cube);
  // The flash goes out by itself.
  ASSERT_TRUE(PumpUntil([&] { return !Panel().LitFlash() && app->window()->frame().pixel(0, 0) != 0xFFFFFFFFu; }));
}

TEST_F(StatusPanelTest, ALevelChangeCancelsTheSearchAtOnceAndItsAnswerIsNeverShown) {
  SlowSolver slow;
  solver = &slow;
  Start();
  ASSERT_TRUE(app->StartLevelPack(CustomPack()));
  ASSERT_TRUE(PumpUntil([&] { return slow.started == 1; }));
  app->game()->LoadLevel(2);
  ASSERT_TRUE(PumpUntil([&] { return slow.cancelled == 1 && slow.started == 2; }));
  EXPECT_EQ(Panel().ParText(), "Par -");
  EXPECT_EQ(Panel().LevelText(), "Level 2 of 2");
  slow.release = true;
  ASSERT_TRUE(PumpUntil([&] { return !Panel().Searching(); }));
  EXPECT_EQ(Panel().ParText(), "Par 1");
  // Quitting stops a search too.
  slow.release = false;
  app->game()->LoadLevel(1);
  ASSERT_TRUE(PumpUntil([&] { return slow.started == 3; }));
  app->QuitGame();
  ASSERT_TRUE(PumpUntil([&] { return slow.cancelled == 2; }));
}

TEST_F(StatusPanelTest, NoWayToWinShowsAfterTheMoveAndTheNextMoveOrUndoClearsIt) {
  // With the cube where it starts the level can be won; anywhere else, says the solver, not.
  ScriptedSolver scripted([](const engine::Board& b) {
    return engine::IsCubeKind(b.at(4, 8).kind) ? kSolve : Hint{HintKind::NoWayToWin, {}, 0, false};
  });
  solver = &scripted;
  Start();
  ASSERT_TRUE(app->StartLevelPack(CustomPack()));
  ASSERT_TRUE(PumpUntil([&] { return !Panel().Searching(); }));
  EXPECT_EQ(Panel().NoticeText(), "");
  app->game()->MoveCube(4, 8, Direction::Up);
  EXPECT_EQ(Panel().MovesText(), "Moves 1");
  ASSERT_TRUE(PumpUntil([&] { return !Panel().Searching(); }));
  EXPECT_EQ(Panel().NoticeText(), "No way to win from here: Undo or Restart");
  // H says the same and shows no arrow.
  KeyUp('H');
  EXPECT_FALSE(Panel().LitFlash());
  EXPECT_EQ(Panel().NoticeText(), "No way to win from here: Undo or Restart");
  app->game()->UndoMove();
  EXPECT_EQ(Panel().NoticeText(), "");
  EXPECT_EQ(Panel().MovesText(), "Moves 0");
  app->game()->MoveCube(4, 8, Direction::Up);
  ASSERT_TRUE(PumpUntil([&] { return !Panel().NoticeText().empty(); }));
  app->game()->MoveCube(4, 2, Direction::Down);
  EXPECT_EQ(Panel().NoticeText(), "");
}

TEST_F(StatusPanelTest, WhatAHintShowsForEachAnswer) {
  struct Case {
    const char* name;
    Hint answer;
    bool flash;
    const char* notice;
  };
  const Case cases[] = {
      {"move", kSolve, true, ""},
      {"gave up", Hint{HintKind::NotFound, {}, 0, false}, false, "No hint found"},
      {"proved lost", Hint{HintKind::NoWayToWin, {}, 0, false}, false, "No way to win from here: Undo or Restart"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSolver scripted([&](const engine::Board&) { return c.answer; });
    solver = &scripted;
    Start();
    ASSERT_TRUE(app->StartLevelPack(CustomPack()));
    ASSERT_TRUE(PumpUntil([&] { return !Panel().Searching(); }));
    // The hint button in the panel does what H does.
    Click(128, 94);
    EXPECT_EQ(Count("btnclick"), 1);
    EXPECT_EQ(Panel().LitFlash().has_value(), c.flash);
    EXPECT_EQ(Panel().NoticeText(), c.notice);
    app.reset();
    effects.played.clear();
  }
}

TEST_F(StatusPanelTest, AHintOnAWonOrEmptyBoardDoesNothing) {
  dir.Put("levels/empty.cdn", "[PackHeader]\r\nCollectionName=E\r\nAuthor=T\r\nComment=\r\nNumberOfLevels=1\r\n\r\n");
  ScriptedSolver scripted([](const engine::Board&) { return kSolve; });
  solver = &scripted;
  Start();
  ASSERT_TRUE(app->StartLevelPack(dir / "levels/empty.cdn"));
  PumpUntil([] { return false; }, 50);
  KeyUp('H');
  PumpUntil([] { return false; }, 50);
  EXPECT_FALSE(Panel().LitFlash());
  EXPECT_EQ(Panel().NoticeText(), "");
  EXPECT_EQ(scripted.asked, 0);
}

}  // namespace
}  // namespace shell::testing
