// Verdicts: the texts, the game's solver on small levels, the worker that keeps up with the
// designer, the extra save question, Show solution, test play, and the publish fallback.
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "editor/test_support.h"
#include "engine/cube_movement.h"
#include "engine/solver.h"
#include "platform/codepage.h"
#include "platform/files.h"

namespace mapwright {
namespace {

using test::EditorTest;
using test::Level;
using test::PackText;
using namespace std::chrono_literals;

// Tool tags of the palette.
constexpr int kWall = 0, kCracked = 1, kCrush = 2, kRedSphere = 14;

// A walled room: the red cube at (3, 7) slides right onto its sphere at (12, 7) in one move.
LevelGrid OneMoveLevel() {
  std::vector<std::string> rows(15, "X.............X");
  rows[0] = rows[14] = "XXXXXXXXXXXXXXX";
  rows[7] = "X..R........rXX";
  return Level(rows);
}

// No walls: right to the corner, then down onto the sphere in the far corner.
LevelGrid TwoMoveLevel() {
  std::vector<std::string> rows(15, "");
  rows[0] = "R";
  rows[14] = "..............r";
  return Level(rows);
}

// The one-move room with a wall in the cube's way: it stops short, and nothing else gets it
// onto the sphere.
LevelGrid WalledOffLevel() {
  LevelGrid level = OneMoveLevel();
  level[CellIndex(8, 7)] = 'X';
  return level;
}

Verdict Solvable(int moves) {
  Verdict v;
  v.kind = Verdict::Kind::Solvable;
  v.moves.assign(static_cast<std::size_t>(moves), engine::SolverMove{1, 1, engine::Direction::Right});
  return v;
}

TEST(VerdictTexts, EachVerdictReadsAsTheDesignerSeesIt) {
  struct Case {
    Verdict verdict;
    const char* status;
    const char* suffix;
  };
  const Case cases[] = {
      {Solvable(1), "Solvable in 1 move", " - 1 move"},
      {Solvable(12), "Solvable in 12 moves", " - 12 moves"},
      {Verdict{Verdict::Kind::Unsolvable, {}, 0}, "Cannot be solved", " - no solution"},
      {Verdict{Verdict::Kind::Undecided, {}, 3000000}, "Not decided (gave up after 3000000 positions)", " - ?"},
      {Verdict{}, "Checking...", " - ..."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VerdictText(c.verdict), c.status);
    EXPECT_EQ(ListSuffix(c.verdict), c.suffix);
  }
}

TEST(EngineLevelSolver, DecidesSmallLevelsWithTheGamesMoves) {
  struct Case {
    const char* name;
    LevelGrid level;
    std::size_t maxPositions;
    Verdict::Kind kind;
    std::size_t moves;
  };
  const Case cases[] = {
      {"one move", OneMoveLevel(), EngineLevelSolver::kMaxPositions, Verdict::Kind::Solvable, 1},
      {"two moves", TwoMoveLevel(), EngineLevelSolver::kMaxPositions, Verdict::Kind::Solvable, 2},
      {"a sphere without a cube", Level({"r"}), EngineLevelSolver::kMaxPositions, Verdict::Kind::Unsolvable, 0},
      {"walled off", WalledOffLevel(), EngineLevelSolver::kMaxPositions, Verdict::Kind::Unsolvable, 0},
      {"bounds too small", TwoMoveLevel(), 1, Verdict::Kind::Undecided, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineLevelSolver solver(c.maxPositions);
    std::atomic<bool> cancel{false};
    const Verdict v = solver.Solve(c.level, cancel);
    EXPECT_EQ(v.kind, c.kind);
    EXPECT_EQ(v.moves.size(), c.moves);
  }
  // The moves are the game's: played on the level's board they cover its sphere.
  std::atomic<bool> cancel{false};
  const Verdict two = EngineLevelSolver().Solve(TwoMoveLevel(), cancel);
  engine::Board board = BoardFromLevel(TwoMoveLevel());
  for (const engine::SolverMove& m : two.moves) EXPECT_TRUE(engine::SlideCube(board, m.x, m.y, m.direction).moved);
  EXPECT_EQ(board.at(15, 15).kind, engine::CellKind::CubeOnSphere);
}

TEST(EngineLevelSolver, ACancelledSearchEndsAtOnce) {
  std::atomic<bool> cancel{true};
  std::vector<std::string> rows(15, "");
  rows[0] = "R.G.B.W.L.H....";
  rows[14] = "r.g.b.w.l.h....";
  const Verdict v = EngineLevelSolver().Solve(Level(rows), cancel);
  EXPECT_NE(v.kind, Verdict::Kind::Solvable);
}

// Waits (running the event loop) until the worker has nothing left to do.
bool Settle(LevelEditor& editor) {
  return QTest::qWaitFor([&] { return !editor.verdicts().Working(); }, 60000);
}

class VerdictTest : public EditorTest {
 protected:
  // Opens a pack of these levels from the pack folder.
  void OpenLevels(const std::vector<LevelGrid>& levels, const std::string& name = "p.cdn") {
    platform::MakeDirs(folder / "Levels");
    folder.WriteFile("Levels/" + name, PackText("Pack", "Me", "", levels));
    ui.fileNames = {folder / ("Levels/" + name)};
    ed->Open();
  }
  const std::string& Status() const { return ed->controls().statusText; }
  std::string Entry(int i) const {
    const auto& c = ed->controls();
    return c.levelEntries[static_cast<std::size_t>(i)] + c.levelVerdicts[static_cast<std::size_t>(i)];
  }
};

TEST_F(VerdictTest, AWallThatMakesTheLevelImpossibleAndItsUndo) {
  OpenLevels({OneMoveLevel()});
  EXPECT_EQ(Status(), "Checking...");
  ASSERT_TRUE(Settle(*ed));
  EXPECT_EQ(Status(), "Solvable in 1 move");
  EXPECT_EQ(Entry(0), "Level 1 - 1 move");

  Click(8, 7, kWall);
  EXPECT_EQ(Status(), "Checking...");
  ASSERT_TRUE(Settle(*ed));
  EXPECT_EQ(Status(), "Cannot be solved");
  EXPECT_EQ(Entry(0), "Level 1 - no solution");

  // The level as it was has its verdict already: no new search.
  const std::size_t searches = ed->verdicts().searchesStarted();
  ed->UndoLast();
  EXPECT_EQ(Status(), "Solvable in 1 move");
  ASSERT_TRUE(Settle(*ed));
  EXPECT_EQ(ed->verdicts().searchesStarted(), searches);
  EXPECT_EQ(Entry(0), "Level 1 - 1 move");
}

TEST_F(VerdictTest, AColourShortOfCubesIsToldAtOnceWithoutASearch) {
  ASSERT_TRUE(Settle(*ed));
  const std::size_t searches = ed->verdicts().searchesStarted();
  Click(4, 4, kRedSphere);
  EXPECT_EQ(Status(), "Cannot be solved");
  EXPECT_EQ(Entry(0), "Level 1 - no solution");
  ASSERT_TRUE(Settle(*ed));
  EXPECT_EQ(ed->verdicts().searchesStarted(), searches);
}

TEST_F(VerdictTest, TheListFollowsInsertMoveAndRemove) {
  OpenLevels({OneMoveLevel(), TwoMoveLevel()});
  ASSERT_TRUE(Settle(*ed));
  EXPECT_EQ(Entry(0), "Level 1 - 1 move");
  EXPECT_EQ(Entry(1), "Level 2 - 2 moves");
  ed->SelectEntry(1);
  ed->MoveLevelUp();
  ASSERT_TRUE(Settle(*ed));
  EXPECT_EQ(Entry(0), "Level 1 - 2 moves");
  EXPECT_EQ(Entry(1), "Level 2 - 1 move");
  EXPECT_EQ(Status(), "Solvable in 2 moves");
  ed->SelectEntry(1);
  EXPECT_EQ(Status(), "Solvable in 1 move");
  ui.answers = {Answer::Yes};
  ed->RemoveLevelCommand();
  ASSERT_TRUE(Settle(*ed));
  ASSERT_EQ(ed->controls().levelEntries.size(), 1u);
  EXPECT_EQ(Entry(0), "Level 1 - 2 moves");
}

// Stands in for a search that takes long: it runs until it is cancelled.
class SlowSolver : public LevelSolver {
 public:
  Verdict Solve(const LevelGrid&, const std::atomic<bool>& cancel) override {
    ++started;
    for (int i = 0; i < 400 && !cancel; ++i) std::this_thread::sleep_for(5ms);
    if (cancel) ++cancelled;
    return Verdict{Verdict::Kind::Undecided, {}, 42};
  }
  std::atomic<int> started{0};
  std::atomic<int> cancelled{0};
};

TEST(VerdictWorker, StrokesMadeWhileASearchRunsAreAllKept) {
  test::ProgramFolder folder;
  test::ScriptedUi ui;
  auto solver = std::make_shared<SlowSolver>();
  LevelEditor ed(folder.path(), ui, nullptr, solver);
  ASSERT_TRUE(ed.StartUp());
  ASSERT_TRUE(QTest::qWaitFor([&] { return solver->started > 0; }, 10000));

  // Strokes straight after one another, with no event loop between them: the search under
  // way is cancelled by the first, and none of them waits for it.
  ed.ChooseTool(kWall);
  for (int col = 0; col < 10; ++col) {
    ed.MouseDown(kLeftButton, test::Mid(col), test::Mid(3));
    ed.MouseUp(kLeftButton);
  }
  for (int col = 0; col < 10; ++col) {
    EXPECT_EQ(ed.pack().levels[1][static_cast<std::size_t>(CellIndex(col, 3))], 'X') << col;
    EXPECT_EQ(ed.pack().working()[static_cast<std::size_t>(CellIndex(col, 3))], 'X') << col;
  }
  EXPECT_EQ(ed.undo().size(), 5u);
  EXPECT_EQ(ed.controls().statusText, "Checking...");
  EXPECT_TRUE(QTest::qWaitFor([&] { return solver->cancelled > 0; }, 10000));
  ASSERT_TRUE(Settle(ed));
  EXPECT_EQ(ed.controls().statusText, "Not decided (gave up after 42 positions)");
  EXPECT_EQ(ed.controls().levelVerdicts, std::vector<std::string>{" - ?"});
}

// Decides by what a level holds: a cracked block means no solution, a crush block undecided.
class MarkerSolver : public LevelSolver {
 public:
  Verdict Solve(const LevelGrid& level, const std::atomic<bool>&) override {
    if (std::count(level.begin(), level.end(), 'x') > 0) return Verdict{Verdict::Kind::Unsolvable, {}, 10};
    if (std::count(level.begin(), level.end(), 'C') > 0) return Verdict{Verdict::Kind::Undecided, {}, 99};
    return Solvable(3);
  }
};

class SaveQuestionTest : public VerdictTest {
 protected:
  void SetUp() override {
    ed = std::make_unique<LevelEditor>(folder.path(), ui, nullptr, std::make_shared<MarkerSolver>());
    ASSERT_TRUE(ed->StartUp());
  }
  std::string Pack(const std::string& name) { return folder / ("Levels/" + name); }
};

TEST_F(SaveQuestionTest, LevelsProvedUnsolvableAreNamedNeverUndecidedOnes) {
  const LevelGrid cracked = Level({"R.r", "x"});
  const LevelGrid crush = Level({"R.r", "C"});
  const LevelGrid shortOfCubes = Level({"r", "x"});
  OpenLevels({OneMoveLevel(), cracked, crush, cracked, shortOfCubes});
  ASSERT_TRUE(Settle(*ed));
  EXPECT_EQ(Entry(1), "Level 2 - no solution");
  EXPECT_EQ(Entry(2), "Level 3 - ?");

  struct Case {
    std::deque<Answer> answers;
    SaveResult result;
  };
  // The count question first, exactly as it was; then the solver's, for levels it proved.
  for (const Case& c : {Case{{Answer::Yes, Answer::No}, SaveResult::Declined},
                        Case{{Answer::Yes, Answer::Yes}, SaveResult::Saved}}) {
    ui.messages.clear();
    ui.fileNames = {Pack("out")};
    ui.answers = c.answers;
    EXPECT_EQ(ed->SaveAs(), c.result);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text,
              "These levels can not be solved (insufficient number of cubes): 5. Do you want to continue?");
    EXPECT_EQ(ui.messages[1].text, "These levels have no solution: 2 4. Save anyway?");
    EXPECT_EQ(ui.messages[1].buttons, Buttons::YesNo);
    EXPECT_EQ(ed->saveDeclined(), c.result == SaveResult::Declined);
    EXPECT_EQ(QFile::exists(QString::fromStdString(Pack("out.cdn"))), c.result == SaveResult::Saved);
  }
}

TEST_F(SaveQuestionTest, NoQuestionWhileNothingIsProved) {
  OpenLevels({OneMoveLevel(), Level({"R.r", "C"})});
  // Asked before any verdict came in: nothing is proved yet, nothing is asked.
  ui.fileNames = {Pack("early")};
  EXPECT_EQ(ed->SaveAs(), SaveResult::Saved);
  ASSERT_TRUE(Settle(*ed));
  ui.fileNames = {Pack("late")};
  EXPECT_EQ(ed->SaveAs(), SaveResult::Saved);
  EXPECT_TRUE(ui.messages.empty()) << ui.LastText();
}

// A declined save writes nothing, so the pack keeps its old name everywhere.
TEST_F(SaveQuestionTest, DecliningASaveAsKeepsCaptionFileRecentAndDelete) {
  struct Case {
    const char* name;
    bool opened;        // the pack came from a file (else it was never saved)
    LevelGrid failing;  // what makes a question come
    std::deque<Answer> answers;
  };
  const Case cases[] = {
      {"count question, opened pack", true, Level({"r"}), {Answer::No}},
      {"count question, new pack", false, Level({"r"}), {Answer::No}},
      {"solver question, opened pack", true, Level({"R.r", "x"}), {Answer::No}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    if (c.opened) OpenLevels({OneMoveLevel(), c.failing}, "a.cdn");
    else {
      ed->InsertNewLevel();
      ed->pack().levels[2] = ed->pack().working() = c.failing;
      ed->SelectEntry(0);
    }
    ASSERT_TRUE(Settle(*ed));
    const EditorControls before = ed->controls();
    const std::string file = ed->pack().currentFile;
    ui.fileNames = {Pack("b")};
    ui.answers = c.answers;
    EXPECT_EQ(ed->SaveAs(), SaveResult::Declined);
    EXPECT_TRUE(ed->saveDeclined());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Pack("b.cdn"))));
    EXPECT_EQ(ed->pack().currentFile, file);
    EXPECT_EQ(ed->controls().caption, before.caption);
    EXPECT_EQ(ed->controls().deleteMenuEnabled, before.deleteMenuEnabled);
    ASSERT_EQ(ed->controls().recent.entries.size(), before.recent.entries.size());
    for (std::size_t i = 0; i < before.recent.entries.size(); ++i)
      EXPECT_EQ(ed->controls().recent.entries[i].path, before.recent.entries[i].path);
    EXPECT_EQ(ReadIniString(ed->iniPath(), "RecentFiles", "RecentFile1", ""), c.opened ? file : "");
    ui.messages.clear();
    folder.WriteFile("editor.ini", "");
  }
}

TEST_F(VerdictTest, ShowSolutionPlaysAndLeavesTheLevelExactlyAsItWas) {
  OpenLevels({TwoMoveLevel()});
  Click(7, 7, kCracked);  // one undo step and an unsaved change to keep
  ASSERT_TRUE(Settle(*ed));
  ASSERT_EQ(Status(), "Solvable in 2 moves");
  const QImage before = ed->canvas().backBuffer().copy();
  const LevelGrid level = ed->pack().working();
  const std::size_t undoSteps = ed->undo().size();

  ed->ShowSolution();
  ASSERT_TRUE(ed->showingSolution());
  EXPECT_EQ(Status(), "Showing the solution: move 1 of 2 (any key or click ends it)");
  // The cube leaves its corner on the canvas; the document does not change.
  EXPECT_TRUE(QTest::qWaitFor([&] { return ed->canvas().backBuffer() != before; }, 5000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Status().find("move 2 of 2") != std::string::npos; }, 5000));
  EXPECT_EQ(ed->pack().working(), level);
  // It ends by itself after the last move.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !ed->showingSolution(); }, 10000));
  EXPECT_EQ(ed->canvas().backBuffer(), before);
  EXPECT_EQ(ed->pack().working(), level);
  EXPECT_EQ(ed->pack().levels[1], level);
  EXPECT_EQ(ed->undo().size(), undoSteps);
  EXPECT_TRUE(ed->pack().modified);
  EXPECT_EQ(Status(), "Solvable in 2 moves");
}

TEST_F(VerdictTest, AClickEndsTheSolutionAndPaintsNothing) {
  OpenLevels({TwoMoveLevel()});
  ASSERT_TRUE(Settle(*ed));
  const QImage before = ed->canvas().backBuffer().copy();
  ed->ChooseTool(kWall);
  ed->ShowSolution();
  ASSERT_TRUE(ed->showingSolution());
  // The press ends it; dragging on with the button held paints nothing until it is released.
  ed->MouseDown(kLeftButton, test::Mid(5), test::Mid(5));
  EXPECT_FALSE(ed->showingSolution());
  ed->MouseMove(kLeftButton, test::Mid(6), test::Mid(5));
  ed->MouseUp(kLeftButton);
  EXPECT_EQ(Cell(1, 5, 5), '.');
  EXPECT_EQ(Cell(1, 6, 5), '.');
  EXPECT_FALSE(ed->pack().modified);
  EXPECT_TRUE(ed->undo().empty());
  ed->PointerLeft();
  EXPECT_EQ(ed->canvas().backBuffer(), before);
  // Afterwards the canvas paints as ever.
  Click(5, 5, kWall);
  EXPECT_EQ(Cell(1, 5, 5), 'X');
}

TEST_F(VerdictTest, ShowSolutionOfALevelWithoutOneShowsNothing) {
  for (const LevelGrid& level : {Level({"r"}), WalledOffLevel()}) {
    OpenLevels({level});
    ASSERT_TRUE(Settle(*ed));
    ed->ShowSolution();
    EXPECT_FALSE(ed->showingSolution());
  }
}

TEST_F(VerdictTest, TestPlayStartsTheGameOnACopyWithTheUnsavedChanges) {
  OpenLevels({OneMoveLevel(), TwoMoveLevel()});
  const std::string real = folder.ReadFile("Levels/p.cdn");
  ed->SelectEntry(1);
  Click(5, 5, kCrush);  // unsaved

  // Without the game: our own message, nothing started.
  ed->TestPlay();
  EXPECT_EQ(ui.LastText(), "Could not find the game, reinstall please.");
  EXPECT_TRUE(ui.started.empty());

  folder.WriteFile("Frostlide", "");
  ui.messages.clear();
  ed->TestPlay();
  EXPECT_TRUE(ui.messages.empty()) << ui.LastText();
  ASSERT_EQ(ui.started.size(), 1u);
  EXPECT_EQ(ui.started[0].program, folder / "Frostlide");
  const std::string copy = ed->testPackPath();
  EXPECT_EQ(ui.started[0].args, (std::vector<std::string>{"--test-level", "2", copy}));
  LevelGrid changed = TwoMoveLevel();
  changed[CellIndex(5, 5)] = 'C';
  std::string bytes;
  ASSERT_TRUE(platform::ReadFile(copy, bytes));
  EXPECT_EQ(bytes, PackText("Pack", "Me", "", {OneMoveLevel(), changed}));
  // The pack itself is as it was, and still unsaved in the editor.
  EXPECT_EQ(folder.ReadFile("Levels/p.cdn"), real);
  EXPECT_EQ(folder.ReadFile("Levels/p.cdx"), "<missing>");
  EXPECT_TRUE(ed->pack().modified);
  EXPECT_EQ(ed->pack().currentFile, folder / "Levels/p.cdn");

  // A game that cannot be started is told too.
  ui.programStarts = false;
  ed->TestPlay();
  EXPECT_EQ(ui.LastText(), "Could not start the game (" + folder / "Frostlide" + ").");
}

TEST_F(VerdictTest, PublishWithoutABrowserGivesTheAddress) {
  for (bool browser : {true, false}) {
    ui.messages.clear();
    ui.browserStarts = browser;
    ed->Publish();
    EXPECT_EQ(ui.urls.back(), kPublishUrl);
    if (browser) {
      EXPECT_TRUE(ui.messages.empty());
    } else {
      ASSERT_EQ(ui.messages.size(), 1u);
      EXPECT_EQ(ui.messages[0].text,
                std::string("No web browser could be started. Open this address by hand:\n\n") + kPublishUrl);
      EXPECT_EQ(ui.messages[0].title, kEditorTitle);
    }
  }
}

// The built-in pack's list shows the solver's own move counts (the stored solutions are the
// solver's shortest ones).
TEST_F(VerdictTest, TheBuiltInPacksListShowsTheSolversMoveCounts) {
  const char* testdata = std::getenv("MAPWRIGHT_TESTDATA");
  ASSERT_NE(testdata, nullptr);
  const std::string source = std::string(testdata) + "/../../data/";
  std::string pack, solutions;
  ASSERT_TRUE(platform::ReadFile(source + "ogpice.cdn", pack));
  ASSERT_TRUE(platform::ReadFile(source + "ogpice.solutions", solutions));
  platform::MakeDirs(folder / "Levels");
  folder.WriteFile("Levels/ogpice.cdn", pack);
  ui.fileNames = {folder / "Levels/ogpice.cdn"};
  ed->Open();
  ASSERT_EQ(ed->pack().numberOfLevels, 100);

  std::vector<std::size_t> lengths(1, 0);
  for (const std::string& line : platform::SplitLines(solutions)) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::vector<engine::SolverMove> moves;
    ASSERT_TRUE(engine::ParseMoves(line.substr(colon + 2), moves)) << line;
    lengths.push_back(moves.size());
  }
  ASSERT_EQ(lengths.size(), 101u);
  // The list fills in from the top; the first levels are quick even in a checked build.
  constexpr int kChecked = 12;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return ed->controls().levelVerdicts[kChecked - 1] != " - ..."; }, 120000));
  for (int n = 1; n <= kChecked; ++n) {
    const std::size_t k = lengths[static_cast<std::size_t>(n)];
    EXPECT_EQ(Entry(n - 1), LevelLabel(n) + " - " + std::to_string(k) + (k == 1 ? " move" : " moves"));
  }
  EXPECT_EQ(Status(), "Solvable in 1 move");
}

}  // namespace
}  // namespace mapwright
