// Playing without a mouse, through the game's own input events: the board's selection frame and
// its pushes, Esc, Tab to the menu column, the main menu's arrows, F1, and the window's scale
// kept in settings.ini.
#include <fstream>
#include <map>
#include <queue>
#include <sstream>

#include "engine/cube_selection.h"
#include "platform/profile.h"
#include "presentation/synthetic_art.h"
#include "shell/app_test_fixture.h"

namespace shell::testing {
namespace {

using engine::CellPos;
using engine::Direction;
using presentation::synthetic::ScreenColour;

class KeyboardPlayTest : public AppTest {
 protected:
  void Press(int key, bool shift = false) {
    app->mainWindow()->HandleInput(presentation::InputEvent::KeyPress(key, shift));
    app->mainWindow()->HandleInput(presentation::InputEvent::KeyRelease(key, shift));
  }
  GameScreen& game() { return *app->gameScreen(); }
  const engine::Board& board() { return app->game()->board(); }

  // The arrow keys that take the selection from where it is to the cube at `to`, found the way
  // a player would look for them: trying where each key leads.
  std::vector<int> KeysTo(CellPos to) {
    const int arrows[] = {keys::Left, keys::Right, keys::Up, keys::Down};
    const Direction dirs[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
    const CellPos from = game().selection();
    std::map<std::pair<int, int>, std::pair<CellPos, int>> cameFrom;
    std::queue<CellPos> open;
    open.push(from);
    cameFrom[{from.x, from.y}] = {from, 0};
    while (!open.empty()) {
      const CellPos at = open.front();
      open.pop();
      if (at == to) break;
      for (int i = 0; i < 4; ++i) {
        const auto next = engine::NearestCubeToward(board(), at.x, at.y, dirs[i]);
        if (!next || cameFrom.count({next->x, next->y})) continue;
        cameFrom[{next->x, next->y}] = {at, arrows[i]};
        open.push(*next);
      }
    }
    std::vector<int> path;
    if (!cameFrom.count({to.x, to.y})) {
      ADD_FAILURE() << "no keys lead to " << to.x << "," << to.y;
      return path;
    }
    for (CellPos at = to; !(at == from);) {
      const auto& [prev, key] = cameFrom[{at.x, at.y}];
      path.insert(path.begin(), key);
      at = prev;
    }
    return path;
  }

  // One move of a solution, by keys alone: the selection to the cube, then the push, by Shift
  // and the arrow or by Space and then the arrow.
  void PlayMove(int x, int y, char d, bool withShift) {
    if (!game().selectionShown()) Press(keys::Down);  // the first press only shows the frame
    for (int key : KeysTo({x, y})) Press(key);
    ASSERT_EQ(game().selection(), (CellPos{x, y}));
    const int arrow = d == 'l' ? keys::Left : d == 'r' ? keys::Right : d == 'u' ? keys::Up : keys::Down;
    if (withShift) {
      Press(arrow, true);
    } else {
      Press(keys::Space);
      EXPECT_TRUE(game().pushArmed());
      Press(arrow);
    }
  }
};

// The built-in pack's own stored solutions, entered with the keyboard only.
TEST_F(KeyboardPlayTest, TheFirstThreeBuiltInLevelsAreSolvedWithKeysAlone) {
  std::ifstream pack(FROSTLIDE_SOURCE_DIR "/data/ogpice.cdn", std::ios::binary);
  ASSERT_TRUE(pack);
  std::stringstream text;
  text << pack.rdbuf();
  dir.Put("data/ogpice.cdn", text.str());
  std::ifstream solutions(FROSTLIDE_SOURCE_DIR "/data/ogpice.solutions");
  ASSERT_TRUE(solutions);
  Start();
  // Play from the main menu by keys: Down highlights Play, Enter chooses it.
  Press(keys::Down);
  Press(keys::Enter);
  ASSERT_FALSE(app->flags().mainMenuVisible);

  bool shift = true;
  std::string line;
  for (int level = 1; level <= 3 && std::getline(solutions, line); ++level) {
    ASSERT_EQ(app->game()->state().currentLevel, level);
    std::istringstream words(line.substr(line.find(':') + 1));
    std::string move;
    while (words >> move) {
      int x = 0, y = 0;
      char d = 0;
      ASSERT_EQ(std::sscanf(move.c_str(), "%d,%d,%c", &x, &y, &d), 3) << move;
      PlayMove(x, y, d, shift);
      shift = !shift;
    }
    EXPECT_TRUE(app->game()->IsLevelSolved(level));
  }
  EXPECT_EQ(app->game()->state().currentLevel, 4);
  EXPECT_EQ(dir.Get("data/ogpice.cdx").substr(0, 18), "1\r\nd\r\n2\r\nd\r\n3\r\nd\r\n");
}

TEST_F(KeyboardPlayTest, TheFrameFollowsTheCubeAndReadsOnTheBoard) {
  Start();
  Click(200, 185);
  GameScreen& g = game();
  EXPECT_FALSE(g.selectionShown());
  Press(keys::Right);  // the only cube, at (4, 8), is the one nearest the centre
  ASSERT_TRUE(g.selectionShown());
  EXPECT_EQ(g.selection(), (CellPos{4, 8}));
  // It shows the arrow pointing would show first (left), and the frame around its cell.
  EXPECT_EQ(board().at(4, 8).arrow, static_cast<int>(Direction::Left));
  const presentation::Surface& f = app->window()->frame();
  const int left = GameScreen::kBoardX + 3 * 31, top = GameScreen::kBoardY + 7 * 31;
  EXPECT_EQ(f.pixel(left - 1, top + 15), 0x5CD6F5u);
  EXPECT_EQ(f.pixel(left - 3, top + 15), 0x0E2233u);
  EXPECT_EQ(f.pixel(left + 30 + 2, top + 15), 0x5CD6F5u);
  // Space arms the push: the frame turns gold.
  Press(keys::Space);
  EXPECT_EQ(app->window()->frame().pixel(left - 1, top + 15), 0xF0C24Bu);
  Press(keys::Space);
  EXPECT_FALSE(g.pushArmed());

  // A push upwards: the frame goes along to where the cube came to rest, (4, 2).
  Press(keys::Up, true);
  EXPECT_EQ(board().at(4, 2).kind, engine::CellKind::Cube);
  EXPECT_TRUE(g.selectionShown());
  EXPECT_EQ(g.selection(), (CellPos{4, 2}));
  EXPECT_EQ(app->window()->frame().pixel(left - 1, GameScreen::kBoardY + 31 + 15), 0x5CD6F5u);
  // A push the cube cannot make does nothing.
  Press(keys::Up, true);
  EXPECT_EQ(g.selection(), (CellPos{4, 2}));
  EXPECT_TRUE(app->game()->state().undoAvailable);

  // The pointer moving hides the frame; the next arrow brings it back on the same cube.
  Move(50, 50);
  EXPECT_FALSE(g.selectionShown());
  EXPECT_EQ(app->window()->frame().pixel(left - 1, GameScreen::kBoardY + 31 + 15),
            g.cubeBox().pixel(3 * 31 - 1, 31 + 15));
  Press(keys::Right);
  EXPECT_EQ(g.selection(), (CellPos{4, 2}));
  // Undo takes the cube away from under the frame: the frame goes with it.
  Press('U');
  EXPECT_EQ(board().at(4, 8).kind, engine::CellKind::Cube);
  Press(keys::Down);
  EXPECT_EQ(g.selection(), (CellPos{4, 8}));
}

TEST_F(KeyboardPlayTest, EscDropsTheSelectionBeforeItAsksToExit) {
  Start();
  Click(200, 185);
  Press(keys::Down);
  ASSERT_TRUE(game().selectionShown());
  Forget();
  Press(keys::Escape);
  EXPECT_FALSE(game().selectionShown());
  EXPECT_EQ(LastMessage(), "");
  EXPECT_FALSE(app->flags().mainMenuVisible);
  Answer(true);
  Press(keys::Escape);
  EXPECT_EQ(LastMessage(), "Are you sure want to exit to menu?");
  EXPECT_TRUE(app->flags().mainMenuVisible);
}

TEST_F(KeyboardPlayTest, TabGivesTheArrowsToTheMenuColumn) {
  Start();
  Click(200, 185);
  Press(keys::Down);
  ASSERT_TRUE(game().selectionShown());
  effects.played.clear();
  Press(keys::Tab);
  // Undo has nothing to take back, so the first item the keys reach is Restart.
  EXPECT_TRUE(game().menuHasKeyboard());
  EXPECT_EQ(game().gameMenuHover(), 2);
  Press(keys::Up);
  EXPECT_EQ(game().gameMenuHover(), 6);
  Press(keys::Up);
  Press(keys::Up);
  EXPECT_EQ(game().gameMenuHover(), 4);
  EXPECT_EQ(Count("btnhover"), 4);
  EXPECT_EQ(game().picture().pixel(10, 270), ScreenColour("gamemenuhighlight4"));
  Press(keys::Down);
  Press(keys::Enter);  // Options
  EXPECT_EQ(screenLog.back(), "options");
  // Esc gives the keyboard back to the board, and asks nothing.
  Forget();
  Press(keys::Escape);
  EXPECT_FALSE(game().menuHasKeyboard());
  EXPECT_EQ(game().gameMenuHover(), 0);
  EXPECT_EQ(LastMessage(), "");
  EXPECT_TRUE(game().selectionShown());
}

TEST_F(KeyboardPlayTest, MainMenuArrowsEnterAndF1) {
  Start();
  MainMenu& menu = *app->mainMenu();
  const struct {
    int key;
    int hover;
  } steps[] = {{keys::Down, 1}, {keys::Down, 2}, {keys::Up, 1}, {keys::Up, 6}, {keys::Down, 1}};
  for (const auto& st : steps) {
    Press(st.key);
    EXPECT_EQ(menu.mainMenuHover(), st.hover);
  }
  EXPECT_EQ(Count("btnhover"), 5);
  EXPECT_EQ(menu.picture().pixel(200, 185), ScreenColour("mainmenuhighlight1"));
  Press(keys::F1);
  EXPECT_EQ(screenLog, (std::vector<std::string>{"howtoplay"}));
  Press(keys::Down);
  Press(keys::Down);
  Press(keys::Enter);  // Options
  EXPECT_EQ(screenLog.back(), "options");
  EXPECT_EQ(Count("btnclick"), 1);
  // In the game F1 shows the page too.
  Press(keys::Up);
  Press(keys::Up);
  Press(keys::Enter);
  ASSERT_FALSE(app->flags().mainMenuVisible);
  Press(keys::F1);
  EXPECT_EQ(screenLog.back(), "howtoplay");
}

TEST_F(KeyboardPlayTest, TheWindowScaleIsKeptForTheNextStart) {
  Start();
  ASSERT_EQ(app->window()->Scale(), app->window()->DefaultScale());
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Window", "Scale", "none"), "none");
  app->window()->SetScale(3);
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = SDLK_MINUS;
  e.key.keysym.mod = KMOD_LCTRL;
  SDL_PushEvent(&e);
  app->window()->HandlePendingEvents();
  EXPECT_EQ(app->window()->Scale(), 2);
  EXPECT_EQ(platform::GetProfileString(dir / "settings.ini", "Window", "Scale", ""), "2");
  EXPECT_EQ(app->display()->windowWidth(), 1280);
  EXPECT_EQ(app->display()->windowHeight(), 960);
  app.reset();

  // The next start takes it, as far as the desktop holds it (the dummy one: 1024 x 768).
  Start();
  EXPECT_EQ(app->window()->Scale(), std::min(2, app->window()->LargestScale()));
}

}  // namespace
}  // namespace shell::testing
