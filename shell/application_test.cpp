// The whole program in a temporary program folder: start-up with the command-line import
// dialogue, the main menu, the game screen and its menu, the close question, the credits.
#include <cstdlib>
#include <filesystem>

#include "presentation/synthetic_art.h"
#include "shell/app_test_fixture.h"

namespace shell::testing {
namespace {

namespace fs = std::filesystem;
using presentation::synthetic::ScreenColour;

const std::string kImport = "Would you like to import the ";
const std::string kOverwrite = "You already have a level pack with this name. Overwrite?";
const std::string kPlayNow = "Would you like to play this level pack now?";

bool StartsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

// --- Start-up: the command-line pack ---------------------------------------------------------

struct ImportCase {
  const char* name;
  const char* packAt;           // where the pack given on the command line lies
  const char* existingInLevels; // content of levels/<name> before the start, or nullptr
  std::vector<bool> answers;
  std::vector<std::string> askedPrefixes;
  StartResult result;
  const char* playedFrom;       // "given", "levels", or nullptr for the main menu
  const char* levelsContent;    // levels/<name> afterwards, nullptr for no file
};

void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }

class ImportTest : public AppTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(ImportTest, FollowsTheDialogue) {
  const ImportCase& c = GetParam();
  dir.Put("settings.ini", kQuietSettings);
  const std::string given = dir / c.packAt;
  dir.Put(c.packAt, TestPack(2, "Given"));
  const std::string inLevels = dir / ("levels/" + fs::path(given).filename().string());
  if (c.existingInLevels) dir.Put("levels/" + fs::path(given).filename().string(), c.existingInLevels);
  box.answers.assign(c.answers.begin(), c.answers.end());

  Make(given);
  EXPECT_EQ(app->Main(), c.result);
  ASSERT_EQ(box.asked.size(), c.askedPrefixes.size()) << ::testing::PrintToString(box.asked);
  for (std::size_t i = 0; i < box.asked.size(); ++i)
    EXPECT_TRUE(StartsWith(box.asked[i], c.askedPrefixes[i])) << box.asked[i];

  if (c.result == StartResult::Running) {
    if (c.playedFrom == nullptr) {
      EXPECT_TRUE(app->flags().mainMenuVisible);
    } else {
      EXPECT_FALSE(app->flags().mainMenuVisible);
      const std::string expected = std::string(c.playedFrom) == "given" ? given : inLevels;
      EXPECT_EQ(app->game()->state().packPath, expected);
      EXPECT_EQ(app->game()->state().currentLevel, 1);
    }
  }
  if (c.levelsContent) {
    EXPECT_EQ(dir.Get("levels/" + fs::path(given).filename().string()), c.levelsContent);
  } else {
    EXPECT_FALSE(fs::exists(inLevels));
  }
  // The pack given is never lost.
  EXPECT_TRUE(fs::exists(given));
}

const std::string kGiven = TestPack(2, "Given");
INSTANTIATE_TEST_SUITE_P(
    Dialogue, ImportTest,
    ::testing::Values(
        ImportCase{"UpperCaseExtensionIsIgnored", "elsewhere/Big.CDN", nullptr, {}, {}, StartResult::Running,
                   nullptr, nullptr},
        ImportCase{"InsideLevelsOnlyThePlayQuestion", "levels/mine.cdn", nullptr, {true}, {kPlayNow},
                   StartResult::Running, "levels", kGiven.c_str()},
        ImportCase{"ImportDeclinedPlaysFromWhereItLies", "elsewhere/pack.cdn", nullptr, {false, true},
                   {kImport, kPlayNow}, StartResult::Running, "given", nullptr},
        ImportCase{"ImportCopiesIntoLevels", "elsewhere/pack.cdn", nullptr, {true, true}, {kImport, kPlayNow},
                   StartResult::Running, "levels", kGiven.c_str()},
        ImportCase{"OverwriteDeclinedKeepsTheOldPack", "elsewhere/pack.cdn", "old", {true, false, true},
                   {kImport, kOverwrite, kPlayNow}, StartResult::Running, "given", "old"},
        ImportCase{"OverwriteReplacesTheOldPack", "elsewhere/pack.cdn", "old", {true, true, true},
                   {kImport, kOverwrite, kPlayNow}, StartResult::Running, "levels", kGiven.c_str()},
        ImportCase{"PlayDeclinedEndsTheProgramKeepingTheCopy", "elsewhere/pack.cdn", nullptr, {true, false},
                   {kImport, kPlayNow}, StartResult::Declined, nullptr, kGiven.c_str()}),
    [](const auto& p) { return std::string(p.param.name); });

// --- Start-up on a desktop that cannot show a message box ------------------------------------

int QueuedKeys() { return SDL_PeepEvents(nullptr, 16, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN); }

// The game draws the questions itself; keys answer them, and the text goes to stderr as well.
struct DrawnStartCase {
  const char* name;
  std::vector<SDL_Keycode> keys;
  StartResult result;
  const char* playedFrom;  // "given", "levels", nullptr: not started
  bool imported;
  bool fullScreen;
};
void PrintTo(const DrawnStartCase& c, std::ostream* os) { *os << c.name; }

class DrawnStartTest : public AppTest, public ::testing::WithParamInterface<DrawnStartCase> {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  }
  void TearDown() override {
    app.reset();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
};

TEST_P(DrawnStartTest, WithoutADesktopBoxTheStartUpQuestionsAreDrawnAndAnswered) {
  const DrawnStartCase& c = GetParam();
  const std::vector<std::string> questions = {kImport, kPlayNow, "Would you like to play in a full screen mode?"};
  dir.Put("elsewhere/pack.cdn", kGiven);
  for (SDL_Keycode k : c.keys) QueueKey(k);
  failingSystemBox = true;
  ::testing::internal::CaptureStderr();
  Make(dir / "elsewhere/pack.cdn");
  EXPECT_EQ(app->Main(), c.result);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(QueuedKeys(), 0) << "every key answered a box";
  ASSERT_EQ(box.asked.size(), c.keys.size());
  for (std::size_t i = 0; i < box.asked.size(); ++i) {
    EXPECT_TRUE(StartsWith(box.asked[i], questions[i])) << box.asked[i];
    EXPECT_NE(err.find("Frostlide: " + box.asked[i] + "\n"), std::string::npos) << err;
  }
  EXPECT_EQ(fs::exists(dir / "levels/pack.cdn"), c.imported);
  if (c.playedFrom) {
    const std::string from =
        std::string(c.playedFrom) == "given" ? dir / "elsewhere/pack.cdn" : dir / "levels/pack.cdn";
    EXPECT_EQ(app->game()->state().packPath, from);
    EXPECT_FALSE(app->flags().mainMenuVisible);
    EXPECT_EQ(app->display()->fullScreen(), c.fullScreen);
    EXPECT_TRUE(fs::exists(dir / "settings.ini"));
  } else {
    EXPECT_FALSE(fs::exists(dir / "settings.ini"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DrawnStartTest,
    ::testing::Values(
        DrawnStartCase{"EnterIsYesThenNoFullScreen", {SDLK_RETURN, SDLK_RETURN, SDLK_n}, StartResult::Running,
                       "levels", true, false},
        DrawnStartCase{"EscapeDeclinesTheImport", {SDLK_ESCAPE, SDLK_y, SDLK_RETURN}, StartResult::Running, "given",
                       false, true},
        DrawnStartCase{"NoToPlayEndsQuietly", {SDLK_RETURN, SDLK_n}, StartResult::Declined, nullptr, true, false}),
    [](const auto& p) { return std::string(p.param.name); });

// When not even the game's own box can open, the program ends with a failure, not as a No.
TEST_F(AppTest, WhenNoBoxAtAllCanBeShownStartUpFails) {
  dir.Put("elsewhere/pack.cdn", kGiven);
  failingSystemBox = true;
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  const std::string saved = driver ? driver : "";
  ::setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  Make(dir / "elsewhere/pack.cdn");
  ::testing::internal::CaptureStderr();
  const StartResult result = app->Main();
  const std::string err = ::testing::internal::GetCapturedStderr();
  if (driver) ::setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
  else ::unsetenv("SDL_VIDEODRIVER");
  EXPECT_EQ(result, StartResult::Failed);
  EXPECT_NE(err.find("no message box could be shown"), std::string::npos) << err;
  // Unanswered, the import did not happen.
  EXPECT_FALSE(fs::exists(dir / "levels/pack.cdn"));
  EXPECT_FALSE(fs::exists(dir / "settings.ini"));
}

TEST_F(AppTest, AMissingSpriteIsShownInTheDrawnBoxBeforeTheGameEnds) {
  dir.Put("settings.ini", kQuietSettings);
  // A sprite folder of our own, one picture short.
  fs::remove(dir / "data/sprites");
  fs::copy(SharedArt() + "data/sprites", dir / "data/sprites", fs::copy_options::recursive);
  fs::remove(dir / "data/sprites/gui/options.bmp");
  int ended = 0;
  terminate = [&ended] { ++ended; };
  failingSystemBox = true;
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  QueueKey(SDLK_RETURN);
  Make();
  ::testing::internal::CaptureStderr();
  app->Main();
  const std::string err = ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(box.asked.size(), 1u);
  EXPECT_TRUE(StartsWith(box.asked[0], "Error has occured. ")) << box.asked[0];
  EXPECT_NE(box.asked[0].find("options.bmp unable to load!"), std::string::npos) << box.asked[0];
  EXPECT_NE(err.find(box.asked[0]), std::string::npos);
  EXPECT_EQ(QueuedKeys(), 0) << "the OK was taken by the box";
  EXPECT_EQ(ended, 1) << "the game ends after the player saw the message";
  app.reset();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST_F(AppTest, ANameThatIsNoFileIsIgnored) {
  dir.Put("settings.ini", kQuietSettings);
  Make(dir / "nothing here.cdn");
  EXPECT_EQ(app->Main(), StartResult::Running);
  EXPECT_TRUE(box.asked.empty());
  EXPECT_TRUE(app->flags().mainMenuVisible);
}

TEST_F(AppTest, APathWithBlanksIsOnePath) {
  dir.Put("settings.ini", kQuietSettings);
  dir.Put("my packs/ice cave.cdn", TestPack(1));
  box.answers = {false, true};
  Make(dir / "my packs/ice cave.cdn");
  EXPECT_EQ(app->Main(), StartResult::Running);
  ASSERT_EQ(box.asked.size(), 2u);
  EXPECT_EQ(box.asked[0], kImport + dir / "my packs/ice cave.cdn" + " level pack to your level collection?");
  EXPECT_EQ(app->game()->state().packPath, dir / "my packs/ice cave.cdn");
}

TEST_F(AppTest, OverwritingAPackWithItselfKeepsIt) {
  // "other" is another name of the levels folder, so P and D are one file.
  dir.Put("settings.ini", kQuietSettings);
  dir.Put("levels/pack.cdn", TestPack(2, "Same"));
  fs::create_directory_symlink(dir / "levels", dir / "other");
  box.answers = {true, true, true};
  Make(dir / "other/pack.cdn");
  EXPECT_EQ(app->Main(), StartResult::Running);
  EXPECT_EQ(box.asked.size(), 3u);
  EXPECT_EQ(dir.Get("levels/pack.cdn"), TestPack(2, "Same"));
  EXPECT_EQ(app->game()->state().packPath, dir / "levels/pack.cdn");
}

// People keep packs, settings and progress as links to their own files elsewhere. An import
// replaces the link in the levels folder with the copy and leaves the file it pointed to alone;
// settings and progress go on being written to the files their links point to.
TEST_F(AppTest, ImportReplacesALinkWhileSettingsAndProgressWriteThroughTheirs) {
  dir.Put("mine/pack.cdn", "the player's own");
  dir.Put("mine/pack.cdx", "1\r\nu\r\n2\r\nu\r\n");
  dir.Put("mine/settings.ini", kQuietSettings);
  dir.Mkdir("levels");
  fs::create_symlink(dir / "mine/pack.cdn", dir / "levels/pack.cdn");
  fs::create_symlink(dir / "mine/pack.cdx", dir / "levels/pack.cdx");
  fs::create_symlink(dir / "mine/settings.ini", dir / "settings.ini");
  dir.Put("elsewhere/pack.cdn", kGiven);
  box.answers = {true, true, true};
  Make(dir / "elsewhere/pack.cdn");
  ASSERT_EQ(app->Main(), StartResult::Running);
  ASSERT_EQ(box.asked.size(), 3u);
  EXPECT_EQ(box.asked[1], kOverwrite);
  EXPECT_FALSE(fs::is_symlink(dir / "levels/pack.cdn"));
  EXPECT_EQ(dir.Get("levels/pack.cdn"), kGiven);
  EXPECT_EQ(dir.Get("mine/pack.cdn"), "the player's own");
  EXPECT_EQ(app->game()->state().packPath, dir / "levels/pack.cdn");

  SolveByMouse();
  EXPECT_EQ(app->game()->state().currentLevel, 2);
  EXPECT_TRUE(fs::is_symlink(dir / "levels/pack.cdx"));
  EXPECT_EQ(dir.Get("mine/pack.cdx"), "1\r\nd\r\n2\r\nu\r\n");
  app->settings()->WriteSetting("Options", "Sound", "0");
  EXPECT_TRUE(fs::is_symlink(dir / "settings.ini"));
  EXPECT_NE(dir.Get("mine/settings.ini").find("Sound=0"), std::string::npos) << dir.Get("mine/settings.ini");
}

TEST_F(AppTest, AFailedCopyIsReportedAndThePackPlaysFromWhereItLies) {
  dir.Put("settings.ini", kQuietSettings);
  dir.Put("elsewhere/pack.cdn", TestPack(2));
  dir.Put("levels", "a file where the folder should be");
  box.answers = {true, true};
  Make(dir / "elsewhere/pack.cdn");
  EXPECT_EQ(app->Main(), StartResult::Running);
  ASSERT_EQ(box.asked.size(), 3u);
  EXPECT_TRUE(StartsWith(box.asked[1], "Could not copy the level pack")) << box.asked[1];
  EXPECT_EQ(box.asked[2], kPlayNow);
  EXPECT_EQ(app->game()->state().packPath, dir / "elsewhere/pack.cdn");
}

TEST_F(AppTest, DecliningToPlayOnAFirstStartCreatesNoSettings) {
  dir.Put("elsewhere/pack.cdn", TestPack(2));
  box.answers = {false, false};
  Make(dir / "elsewhere/pack.cdn");
  EXPECT_EQ(app->Main(), StartResult::Declined);
  EXPECT_FALSE(fs::exists(dir / "settings.ini"));
  EXPECT_EQ(app->window(), nullptr);
}

TEST_F(AppTest, FirstStartAsksAboutFullScreenThenOpensWindowedAndSwitches) {
  box.answers = {true};
  Make();
  EXPECT_EQ(app->Main(), StartResult::Running);
  ASSERT_EQ(box.asked.size(), 1u);
  EXPECT_EQ(box.asked[0], "Would you like to play in a full screen mode?");
  EXPECT_TRUE(app->settings()->firstRun);
  EXPECT_TRUE(app->window()->Shown());
  EXPECT_TRUE(app->display()->fullScreen());
  EXPECT_TRUE(app->window()->DesktopFullScreen());
  EXPECT_FALSE(app->style().Titlebar());
}

// --- Main menu -------------------------------------------------------------------------------

TEST_F(AppTest, HoverHighlightsOnceAndLeavesWithoutSound) {
  Start();
  MainMenu& menu = *app->mainMenu();
  const std::uint32_t plain = ScreenColour("mainmenu");
  const std::uint32_t third = ScreenColour("mainmenuhighlight3");
  EXPECT_EQ(menu.picture().pixel(100, 260), plain);

  Move(100, 260);
  Move(300, 290);  // the same item
  EXPECT_EQ(menu.mainMenuHover(), 3);
  EXPECT_EQ(Count("btnhover"), 1);
  EXPECT_EQ(menu.picture().pixel(80, 249), third);
  EXPECT_EQ(menu.picture().pixel(637, 292), third);
  EXPECT_EQ(menu.picture().pixel(79, 249), plain);

  Move(85, 260);  // the left bound itself is outside
  EXPECT_EQ(menu.mainMenuHover(), 0);
  EXPECT_EQ(Count("btnhover"), 1);
  EXPECT_EQ(menu.picture().pixel(100, 260), plain);

  Click(20, 20);
  EXPECT_EQ(Count("btnclick"), 0);
  EXPECT_TRUE(screenLog.empty());
  EXPECT_TRUE(app->flags().mainMenuVisible);
}

TEST_F(AppTest, ItemBoundsOfTheMainMenu) {
  struct P {
    int x, y, item;
  } points[] = {{86, 166, 1}, {409, 204, 1}, {410, 180, 0}, {200, 205, 0}, {200, 211, 0},
                {200, 212, 2}, {200, 253, 0}, {200, 296, 3}, {200, 297, 0}, {200, 298, 0}, {200, 299, 4},
                {200, 384, 5}, {200, 385, 0}, {200, 424, 6}, {200, 425, 0}};
  for (const P& p : points) EXPECT_EQ(MainMenu::ItemAt(p.x, p.y), p.item) << p.x << "," << p.y;
}

TEST_F(AppTest, PlayStartsTheGamePackAndShowsHowToPlayOnceOnAFirstStart) {
  box.answers = {false};  // windowed
  Make();
  ASSERT_EQ(app->Main(), StartResult::Running);
  app->settings()->animationLevel = 1;
  Click(200, 185);
  EXPECT_FALSE(app->flags().mainMenuVisible);
  EXPECT_EQ(app->game()->state().packPath, dir / "data/ogpice.cdn");
  EXPECT_EQ(app->game()->state().currentLevel, 1);
  EXPECT_EQ(screenLog, (std::vector<std::string>{"howtoplay"}));
  EXPECT_FALSE(app->settings()->firstRun);

  app->flags().mainMenuVisible = true;
  Move(10, 10);
  Click(200, 185);
  EXPECT_EQ(screenLog, (std::vector<std::string>{"howtoplay"}));
}

TEST_F(AppTest, PlayStartsAtTheFirstUnsolvedLevel) {
  dir.Put("data/ogpice.cdx", "1\r\nd\r\n2\r\nu\r\n3\r\nu\r\n");
  Start();
  Click(200, 185);
  EXPECT_EQ(app->game()->state().currentLevel, 2);
}

TEST_F(AppTest, CustomLevelsAndOptionsOpenTheirScreens) {
  Start();
  Click(200, 230);
  Click(200, 270);
  EXPECT_EQ(screenLog, (std::vector<std::string>{"custom", "options"}));
  EXPECT_EQ(Count("btnclick"), 2);
}

TEST_F(AppTest, WebPageAndEditorLeaveFullScreenFirst) {
  Start();
  app->display()->SetFullScreen(true);
  Click(200, 320);
  EXPECT_EQ(opened, (std::vector<std::string>{kWebPageAddress}));
  EXPECT_FALSE(app->display()->fullScreen());
  EXPECT_FALSE(app->window()->DesktopFullScreen());

  // No editor in the program folder.
  app->display()->SetFullScreen(true);
  QueueKey(SDLK_ESCAPE);
  Click(200, 360);
  EXPECT_EQ(LastMessage(), "Could not find editor, reinstall please.");
  EXPECT_FALSE(app->display()->fullScreen());
  EXPECT_TRUE(started.empty());

  dir.Put("Mapwright", "#!/bin/sh\n");
  Forget();
  Move(10, 10);
  Click(200, 360);
  EXPECT_EQ(started, (std::vector<std::string>{dir / "Mapwright"}));
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(AppTest, WithoutABrowserThePlayerIsGivenTheAddress) {
  browserStarts = false;
  Start();
  // Two notices, each closed with Esc (Enter does nothing in a notice).
  QueueKey(SDLK_ESCAPE);
  QueueKey(SDLK_ESCAPE);
  Click(200, 320);
  EXPECT_EQ(opened, (std::vector<std::string>{kWebPageAddress}));
  EXPECT_EQ(LastMessage(), kWebPageAddress);
  EXPECT_EQ(SDL_PeepEvents(nullptr, 4, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN), 0) << "both notices were shown";
  EXPECT_TRUE(app->flags().mainMenuVisible);
}

TEST_F(AppTest, ExitQuitsWithoutAQuestionAndRestoresTheDesktop) {
  Start();
  app->display()->SetFullScreen(true);
  Click(200, 400);
  EXPECT_TRUE(app->quitting());
  EXPECT_TRUE(app->window()->QuitRequested());
  EXPECT_FALSE(app->window()->DesktopFullScreen());
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(app->sprites()->FindSprite("mainmenu"), nullptr);
  EXPECT_EQ(app->Run(), 0);
}

TEST_F(AppTest, CloseQuestionNoKeepsPlayingYesQuits) {
  Start();
  Click(200, 185);
  Answer(false);
  app->CloseRequested();
  EXPECT_EQ(LastMessage(), "Are you sure want to quit Frostlide?");
  EXPECT_FALSE(app->quitting());
  EXPECT_FALSE(app->flags().mainMenuVisible);
  EXPECT_EQ(app->game()->state().currentLevel, 1);

  app->display()->SetFullScreen(true);
  Answer(true);
  app->CloseRequested();
  EXPECT_TRUE(app->quitting());
  EXPECT_FALSE(app->display()->fullScreen());
}

// --- The game screen -------------------------------------------------------------------------

TEST_F(AppTest, DisabledUndoNeverHighlightsAndItsClickIsSilent) {
  Start();
  Click(200, 185);
  GameScreen& g = *app->gameScreen();
  effects.played.clear();
  ASSERT_FALSE(app->game()->state().undoAvailable);
  EXPECT_EQ(g.picture().pixel(10, 130), ScreenColour("gamemenudisabled1"));

  Move(50, 200);  // Restart
  EXPECT_EQ(g.gameMenuHover(), 2);
  Move(50, 150);  // Undo, disabled: Restart stays highlighted
  EXPECT_EQ(g.gameMenuHover(), 2);
  EXPECT_EQ(g.picture().pixel(10, 180), ScreenColour("gamemenuhighlight2"));
  EXPECT_EQ(Count("btnhover"), 1);
  g.GameMenuAction(1);
  EXPECT_EQ(Count("btnclick"), 0);
}

// A right or middle press takes the pointer like a left one, and its own release gives it back:
// the menu and the board then both answer the pointer again.
TEST_F(AppTest, AnyButtonsReleaseEndsThePointerCapture) {
  struct Case {
    const char* where;
    int x, y, button;
  };
  const Case cases[] = {
      {"right on the board", 300, 300, presentation::buttons::Right},
      {"middle on the board", 300, 300, presentation::buttons::Middle},
      {"right on the menu", 50, 420, presentation::buttons::Right},
      {"middle on the menu", 50, 420, presentation::buttons::Middle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    Start();
    Click(200, 185);
    ASSERT_EQ(app->game()->state().currentLevel, 1);
    Move(c.x, c.y);
    app->mainWindow()->HandleInput(presentation::InputEvent::Down(c.x, c.y, c.button));
    app->mainWindow()->HandleInput(presentation::InputEvent::Up(c.x, c.y, c.button));
    Move(50, 200);  // Restart
    EXPECT_EQ(app->gameScreen()->gameMenuHover(), 2);
    SolveByMouse();
    EXPECT_EQ(app->game()->state().currentLevel, 2);
    app.reset();
    fs::remove(dir / "data/ogpice.cdx");
  }
}

TEST_F(AppTest, AMoveEnablesUndoAndUndoTakesItBack) {
  Start();
  Click(200, 185);
  // Level 1 of three: the move solves it and level 2 comes; undo is then off again.
  SolveByMouse();
  EXPECT_EQ(app->game()->state().currentLevel, 2);
  const engine::Board before = app->game()->board();
  EXPECT_TRUE(app->game()->IsLevelSolved(1));
  EXPECT_FALSE(app->flags().mainMenuVisible);

  // A move that does not solve: push the cube up.
  const int x = GameScreen::kBoardX + 3 * 31 + 15, y = GameScreen::kBoardY + 7 * 31 + 3;
  Click(x, y);
  ASSERT_TRUE(app->game()->state().undoAvailable);
  GameScreen& g = *app->gameScreen();
  EXPECT_EQ(g.picture().pixel(10, 130), ScreenColour("gamemenu"));
  Move(50, 150);
  EXPECT_EQ(g.gameMenuHover(), 1);
  EXPECT_EQ(g.picture().pixel(10, 130), ScreenColour("gamemenuhighlight1"));
  // Moving onto the board drops the highlight.
  Move(300, 300);
  EXPECT_EQ(g.gameMenuHover(), 0);
  KeyDown('U');
  EXPECT_TRUE(app->game()->state().undoAvailable);  // keys act on release
  KeyUp('U');
  EXPECT_FALSE(app->game()->state().undoAvailable);
  for (int cy = 1; cy <= 15; ++cy)
    for (int cx = 1; cx <= 15; ++cx) {
      const engine::Cell& a = app->game()->board().at(cx, cy);
      const engine::Cell& b = before.at(cx, cy);
      // Only what the board shows: the kind, and a cube's colour.
      EXPECT_EQ(a.kind, b.kind) << cx << "," << cy;
      if (engine::IsCubeKind(a.kind)) {
        EXPECT_EQ(a.cubeColor, b.cubeColor) << cx << "," << cy;
      }
    }
}

TEST_F(AppTest, NextLevelOnTheLastLevelStartsLevelOne) {
  Start();
  Click(200, 185);
  app->game()->LoadLevel(3);
  KeyUp('S');
  EXPECT_EQ(app->game()->state().currentLevel, 1);
  Click(50, 250);
  EXPECT_EQ(app->game()->state().currentLevel, 2);
}

TEST_F(AppTest, ALockedNextLevelIsRefused) {
  dir.Put("data/ogpice.cdn", TestPack(5));
  Start();
  Click(200, 185);
  app->game()->LoadLevel(3);  // 1..3 open, 4 locked
  QueueKey(SDLK_RETURN);       // does nothing in a notice
  QueueKey(SDLK_ESCAPE);
  app->gameScreen()->GameMenuAction(3);
  EXPECT_EQ(LastMessage(), "Next level is locked.");
  EXPECT_EQ(app->game()->state().currentLevel, 3);
  // A solved next level is open whatever the count says.
  app->game()->SetSolved(4, true);
  app->gameScreen()->GameMenuAction(3);
  EXPECT_EQ(app->game()->state().currentLevel, 4);
}

TEST_F(AppTest, RestartAndExitToMenuAsk) {
  Start();
  Click(200, 185);
  const int x = GameScreen::kBoardX + 3 * 31 + 15, y = GameScreen::kBoardY + 7 * 31 + 3;
  Click(x, y);  // cube pushed up
  const engine::Board moved = app->game()->board();

  Answer(false);
  KeyUp('R');
  EXPECT_EQ(LastMessage(), "Do you want to restart this level?");
  EXPECT_EQ(app->game()->board(), moved);
  EXPECT_TRUE(app->game()->state().undoAvailable);

  Answer(true);
  app->gameScreen()->GameMenuAction(2);
  EXPECT_NE(app->game()->board(), moved);
  EXPECT_FALSE(app->game()->state().undoAvailable);

  Answer(false);
  KeyUp(keys::Escape);
  EXPECT_EQ(LastMessage(), "Are you sure want to exit to menu?");
  EXPECT_FALSE(app->flags().mainMenuVisible);
  Answer(true);
  KeyUp(keys::Escape);
  EXPECT_TRUE(app->flags().mainMenuVisible);
  EXPECT_EQ(app->game()->state().currentLevel, 1);  // kept behind the menu
  // Keys do nothing while the menu shows.
  Forget();
  KeyUp(keys::Escape);
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(AppTest, SelectLevelAndOptionsUseTheirScreens) {
  Start();
  Click(200, 185);
  screens->selected = 3;
  KeyUp('L');
  EXPECT_EQ(app->game()->state().currentLevel, 3);
  screens->selected = -1;
  Click(50, 290);
  EXPECT_EQ(app->game()->state().currentLevel, 3);
  KeyUp('O');
  EXPECT_EQ(screenLog, (std::vector<std::string>{"levelselect", "levelselect", "options"}));
}

TEST_F(AppTest, AOneLevelPackShowsNextLevelDisabledAndRestartsIt) {
  dir.Put("data/ogpice.cdn", TestPack(1));
  Start();
  Click(200, 185);
  GameScreen& g = *app->gameScreen();
  EXPECT_EQ(g.picture().pixel(10, 230), ScreenColour("gamemenudisabled3"));
  Move(50, 200);  // Restart highlighted: both disabled forms stay
  EXPECT_EQ(g.picture().pixel(10, 130), ScreenColour("gamemenudisabled1"));
  EXPECT_EQ(g.picture().pixel(10, 230), ScreenColour("gamemenudisabled3"));
  const int x = GameScreen::kBoardX + 3 * 31 + 15, y = GameScreen::kBoardY + 7 * 31 + 3;
  Click(x, y);
  const engine::Board moved = app->game()->board();
  Forget();
  KeyUp('S');
  EXPECT_EQ(LastMessage(), "");
  EXPECT_NE(app->game()->board(), moved);
  QueueKey(SDLK_ESCAPE);
  KeyUp('L');
  EXPECT_EQ(LastMessage(), "This pack contains only one level.");
  EXPECT_TRUE(screenLog.empty());
}

TEST_F(AppTest, InputDuringAGlideWaitsInTheQueueAndComesAfterInOrder) {
  std::string settings = kQuietSettings;
  settings.replace(settings.find("Animation=1"), 11, "Animation=2");
  dir.Put("settings.ini", settings);
  Start();
  Click(200, 185);
  ASSERT_EQ(app->settings()->animationLevel, 2);
  // Queued before the push: a glide frame presents without taking anything from the queue.
  QueueKey(SDLK_u);
  SDL_Event up{};
  up.type = SDL_KEYUP;
  up.key.keysym.sym = SDLK_u;
  SDL_PushEvent(&up);
  const int x = GameScreen::kBoardX + 3 * 31 + 15, y = GameScreen::kBoardY + 7 * 31 + 3;
  Click(x, y);  // the cube glides up five cells, frame by frame
  EXPECT_TRUE(app->game()->state().undoAvailable);
  EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYUP), 2);
  app->window()->HandlePendingEvents();
  EXPECT_FALSE(app->game()->state().undoAvailable);  // U pressed and released: the move undone
}

// --- Credits ---------------------------------------------------------------------------------

TEST_F(AppTest, CreditsFollowTheLastLevelUntilAClickOrKey) {
  Start();
  Click(200, 185);
  app->game()->LoadLevel(3);
  SolveByMouse();
  MainMenu& menu = *app->mainMenu();
  EXPECT_TRUE(app->flags().mainMenuVisible);
  EXPECT_TRUE(menu.creditsShown());
  EXPECT_EQ(menu.picture().pixel(320, 240), ScreenColour("credits"));
  EXPECT_EQ(dir.Get("data/ogpice.cdx"), "1\r\nu\r\n2\r\nu\r\n3\r\nd\r\n");

  effects.played.clear();
  Move(200, 300);  // ignored: Play, chosen before the game, stays the item last highlighted
  EXPECT_EQ(menu.mainMenuHover(), 1);
  EXPECT_EQ(Count("btnhover"), 0);
  Click(200, 400);  // over Exit: only the credits go
  EXPECT_FALSE(menu.creditsShown());
  EXPECT_FALSE(app->quitting());
  EXPECT_EQ(Count("btnclick"), 1);
  EXPECT_EQ(menu.picture().pixel(320, 240), ScreenColour("mainmenu"));

  // Once more, taken away by a key, silently.
  Click(200, 185);
  EXPECT_EQ(app->game()->state().currentLevel, 1);
  app->game()->LoadLevel(3);
  SolveByMouse();
  ASSERT_TRUE(menu.creditsShown());
  effects.played.clear();
  KeyDown('A');
  EXPECT_FALSE(menu.creditsShown());
  EXPECT_TRUE(effects.played.empty());
}

// --- Music follows the window ------------------------------------------------------------------

class CountingTracker : public presentation::TrackerPlayer {
 public:
  explicit CountingTracker(std::vector<std::string>& log) : log_(log) {}
  bool Load(const std::string& path) override {
    log_.push_back("load " + path.substr(path.find_last_of('/') + 1));
    return true;
  }
  void SetVolume(int) override {}
  void Play() override {
    playing_ = true;
    log_.push_back("play");
  }
  void Stop() override {
    playing_ = false;
    log_.push_back("stop");
  }
  bool IsPlaying() override { return playing_; }
  bool HasOutput() override { return true; }

 private:
  std::vector<std::string>& log_;
  bool playing_ = false;
};

TEST_F(AppTest, MinimisingSilencesTheMusicAndTheTimerWaitsForTheRestore) {
  std::string settings = kQuietSettings;
  settings.replace(settings.find("Music=0"), 7, "Music=1");
  dir.Put("settings.ini", settings);
  std::vector<std::string> music;
  tracker = [&music] { return std::make_unique<CountingTracker>(music); };
  Make();
  ASSERT_EQ(app->Main(), StartResult::Running);
  EXPECT_EQ(music, (std::vector<std::string>{"load track1.pak", "play"}));
  music.clear();
  app->OnMinimized();
  EXPECT_EQ(music, (std::vector<std::string>{"stop"}));
  music.clear();
  app->OnRestored();
  EXPECT_EQ(music, (std::vector<std::string>{"play"}));
  // A tick while something plays changes nothing; after the track ended, the next one starts.
  music.clear();
  app->OnMusicTimer();
  EXPECT_TRUE(music.empty());
  app->music()->StopMusic();
  music.clear();
  app->OnMusicTimer();
  EXPECT_EQ(music, (std::vector<std::string>{"stop", "load track2.pak", "play"}));
}

// --- The window shows what the screens draw --------------------------------------------------

TEST_F(AppTest, TheFrameShowsTheGameScreenWithTheBoardAtItsPlace) {
  Start();
  Click(200, 185);
  app->window()->HandlePendingEvents();
  const presentation::Surface& f = app->window()->frame();
  const presentation::Surface& board = app->gameScreen()->cubeBox();
  for (int y = 0; y < 465; y += 31)
    for (int x = 0; x < 465; x += 29) ASSERT_EQ(f.pixel(168 + x, 7 + y), board.pixel(x, y)) << x << "," << y;
  EXPECT_EQ(f.pixel(10, 20), ScreenColour("gamemenu"));
}

}  // namespace
}  // namespace shell::testing
