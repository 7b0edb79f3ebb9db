// The whole game with the real secondary screens, under SDL's dummy drivers. A modal screen
// runs its own loop, so what the player does in it is queued as SDL events before the action
// that opens it.
#include "shell/app_test_fixture.h"
#include "shell/settings.h"

namespace shell {
namespace {

class ScreensAppTest : public testing::AppTest {
 protected:
  // Builds the application as the fixture does, but with the real screens (the fixture's
  // record that they were asked for).
  Application& MakeReal() {
    StartOptions o;
    o.appPath = dir.path();
    o.systemBox = &box;
    o.effects = &effects;
    o.musicPlayer = [] { return std::make_unique<testing::SilentTracker>(); };
    o.associationPlaces = AssociationPlaces{dir.path() + "xdg-data", dir.path() + "xdg-config"};
    o.desktopTool = [](const std::string&, const std::vector<std::string>&) {};
    o.startProgram = [](const std::string&, const std::vector<std::string>&) { return true; };
    o.openDesktop = [](const std::string&) { return true; };
    o.terminate = [] { ADD_FAILURE() << "a sprite failed to load"; };
    o.fontPath = "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf";
    app = std::make_unique<Application>(std::move(o));
    return *app;
  }
  Application& StartReal() {
    if (!FileExists(dir / "settings.ini")) dir.Put("settings.ini", testing::kQuietSettings);
    MakeReal();
    EXPECT_EQ(app->Main(), StartResult::Running);
    effects.played.clear();
    return *app;
  }
  // A left click at frame pixel (x, y), queued.
  static void QueueClick(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      SDL_Event b{};
      b.type = type;
      b.button.button = SDL_BUTTON_LEFT;
      b.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      b.button.x = x;
      b.button.y = y;
      SDL_PushEvent(&b);
    }
  }
  // Input events still waiting (window events the program causes itself are not counted).
  static int QueuedEvents() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_MOUSEWHEEL);
  }
  static void QueueKeyUp(SDL_Keycode sym) {
    SDL_Event e{};
    e.type = SDL_KEYUP;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
  }
  static void DropQueuedEvents() { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }

  void TearDown() override { DropQueuedEvents(); }

  // Where the screens lie in the frame: centred over the 640 x 480 window.
  static constexpr int kOptionsX = (640 - 304) / 2, kOptionsY = (480 - 313) / 2;
  static constexpr int kSelectX = (640 - 304) / 2, kSelectY = (480 - 349) / 2;
};

TEST_F(ScreensAppTest, OptionsFromTheMainMenuSaveAndCloseAndFullScreenFollows) {
  StartReal();
  QueueClick(kOptionsX + 150, kOptionsY + 33);   // Sound
  QueueClick(kOptionsX + 150, kOptionsY + 239);  // Full screen
  QueueClick(kOptionsX + 152, kOptionsY + 287);  // close
  Click(200, 270);
  EXPECT_EQ(app->window()->ModalDepth(), 0);
  EXPECT_EQ(QueuedEvents(), 0);
  EXPECT_FALSE(app->settings()->soundEnabled);
  EXPECT_EQ(app->settings()->ReadSetting("Options", "Sound"), "0");
  EXPECT_EQ(app->settings()->ReadSetting("Options", "FullScreen"), "1");
  EXPECT_TRUE(app->display()->fullScreen());
  EXPECT_TRUE(app->window()->DesktopFullScreen());
}

TEST_F(ScreensAppTest, OptionsFromTheGameMenuAndLevelSelectChoosesALevel) {
  StartReal();
  Click(200, 185);
  ASSERT_FALSE(app->flags().mainMenuVisible);
  ASSERT_EQ(app->game()->state().currentLevel, 1);
  QueueClick(kSelectX + 45 + 11, kSelectY + 30 + 11);  // level 2
  KeyUp('L');
  EXPECT_EQ(app->game()->state().currentLevel, 2);
  // Escape cancels and keeps the level; its release does not reach the board (where it would
  // ask to exit to the menu).
  Forget();
  QueueKey(SDLK_ESCAPE);
  QueueKeyUp(SDLK_ESCAPE);
  KeyUp('L');
  EXPECT_EQ(app->game()->state().currentLevel, 2);
  EXPECT_EQ(QueuedEvents(), 0);
  EXPECT_EQ(LastMessage(), "");
  EXPECT_FALSE(app->flags().mainMenuVisible);
  // Options from the game screen: animation off reaches the engine at once.
  ASSERT_EQ(app->settings()->animationLevel, 1);
  QueueClick(kOptionsX + 150, kOptionsY + 105);
  QueueClick(kOptionsX + 152, kOptionsY + 287);
  KeyUp('O');
  EXPECT_EQ(app->settings()->animationLevel, 2);
  EXPECT_EQ(app->game()->settings().animationLevel, 2);
  EXPECT_EQ(app->settings()->ReadSetting("Options", "Animation"), "2");
  EXPECT_EQ(QueuedEvents(), 0);
}

TEST_F(ScreensAppTest, CustomLevelsPlaysAPackOfTheEditorsFolder) {
  dir.Put("Levels/Zeta.cdn", testing::TestPack(2, "Zeta"));
  StartReal();
  QueueKey(SDLK_p);
  Click(200, 230);
  EXPECT_EQ(app->window()->ModalDepth(), 0);
  EXPECT_FALSE(app->flags().mainMenuVisible);
  EXPECT_EQ(app->game()->state().packPath, dir / "Levels/Zeta.cdn");
  EXPECT_EQ(app->game()->state().collectionName, "Zeta");
}

TEST_F(ScreensAppTest, HowToPlayShowsOnTheFirstPlayOfTheFirstRunOnly) {
  box.answers = {false};  // windowed
  MakeReal();
  ASSERT_EQ(app->Main(), StartResult::Running);
  ASSERT_TRUE(app->settings()->firstRun);
  effects.played.clear();
  // The page's OK button, pointed at and clicked.
  const int ox = (640 - 503) / 2, oy = (480 - 431) / 2;
  QueueClick(ox + 253, oy + 413);
  Click(200, 185);
  EXPECT_EQ(QueuedEvents(), 0) << "the page took the click";
  EXPECT_EQ(effects.played, (std::vector<std::string>{"btnhover", "btnclick", "btnhover", "btnclick"}));
  EXPECT_FALSE(app->flags().mainMenuVisible);
  EXPECT_FALSE(app->settings()->firstRun);

  // Back to the menu and Play again: no page this time, so the queued key stays unread.
  app->flags().mainMenuVisible = true;
  Move(10, 10);
  QueueKey(SDLK_x);
  Click(200, 185);
  EXPECT_EQ(QueuedEvents(), 1);
  EXPECT_EQ(app->window()->ModalDepth(), 0);
  EXPECT_FALSE(app->flags().mainMenuVisible);
}

TEST_F(ScreensAppTest, AKeyThatClosesHowToPlayDoesNotReachTheGame) {
  box.answers = {false};
  MakeReal();
  ASSERT_EQ(app->Main(), StartResult::Running);
  QueueKey(SDLK_s);    // S on the board is Next level
  QueueKeyUp(SDLK_s);
  Click(200, 185);
  EXPECT_EQ(QueuedEvents(), 0);
  EXPECT_EQ(app->window()->ModalDepth(), 0);
  EXPECT_EQ(app->game()->state().currentLevel, 1);
}

}  // namespace
}  // namespace shell
