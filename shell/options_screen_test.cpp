#include "shell/options_screen.h"

#include <array>

#include "presentation/synthetic_art.h"
#include "shell/screens_test_support.h"

namespace shell {
namespace {

using presentation::synthetic::ScreenColour;
using testing::Log;

// A point inside each item's hot area: rows 1..6, then the close button.
constexpr std::array<std::array<int, 2>, 8> kPoint = {{{0, 0},
                                                       {150, 33},
                                                       {150, 70},
                                                       {150, 105},
                                                       {150, 143},
                                                       {150, 201},
                                                       {150, 239},
                                                       {152, 287}}};
constexpr int kCheckY[6] = {29, 66, 103, 140, 199, 235};
const char* const kKeys[6] = {"Sound", "Music", "Animation", "FadeEffect", "ColorBlind", "FullScreen"};

class OptionsScreenTest : public testing::ScreensTest {
 protected:
  // The six keys as the file holds them now.
  std::array<std::string, 6> Written() {
    std::array<std::string, 6> v;
    for (int i = 0; i < 6; ++i) v[i] = settings.ReadSetting("Options", kKeys[i]);
    return v;
  }
  // Puts a value into all six keys behind the screen's back, to see which ones a click rewrites.
  void Scribble() {
    for (const char* k : kKeys) settings.WriteSetting("Options", k, "9");
  }
  std::array<std::string, 6> Expected() {
    auto f = [](bool b) { return std::string(b ? "1" : "0"); };
    return {f(settings.soundEnabled), f(settings.musicEnabled), settings.animationLevel == 2 ? "2" : "1",
            f(settings.fadeEffect),   f(colorBlindOption),      f(display.fullScreen())};
  }
  void ClickItem(OptionsScreen& s, int item) {
    s.OnMouseMove(kPoint[item][0], kPoint[item][1], 0);
    s.OnClick();
  }
  bool Ticked(const OptionsScreen& s, int row) {
    const std::uint32_t c = s.picture().pixel(35, kCheckY[row - 1] + 5);
    EXPECT_TRUE(c == ScreenColour("optionscheckboxchecked") || c == ScreenColour("optionscheckboxunchecked"));
    return c == ScreenColour("optionscheckboxchecked");
  }
};

TEST_F(OptionsScreenTest, EveryRowTogglesItsOptionAndEveryClickRewritesAllSixKeys) {
  OptionsScreen s(services);
  // First-run values: everything on but colour-blind mode and full screen.
  const bool before[6] = {true, true, true, true, false, false};
  for (int row = 1; row <= 6; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(Ticked(s, row), before[row - 1]);
    Scribble();
    ClickItem(s, row);
    EXPECT_FALSE(s.Closed());
    EXPECT_EQ(Ticked(s, row), !before[row - 1]);
    EXPECT_EQ(Written(), Expected());
  }
  EXPECT_FALSE(settings.soundEnabled);
  EXPECT_FALSE(settings.musicEnabled);
  EXPECT_EQ(settings.animationLevel, 1);
  EXPECT_FALSE(settings.fadeEffect);
  EXPECT_TRUE(colorBlindOption);
  EXPECT_TRUE(display.fullScreen());
  // The colour-blind sprites in use stay until the next start.
  EXPECT_FALSE(settings.colorBlindMode);
}

TEST_F(OptionsScreenTest, AnimationIsWrittenAsOneOrTwoOnly) {
  // The first-run file says Animation=3, which reads as level 2.
  ASSERT_EQ(settings.ReadSetting("Options", "Animation"), "3");
  OptionsScreen s(services);
  ClickItem(s, 1);
  EXPECT_EQ(settings.ReadSetting("Options", "Animation"), "2");
  ClickItem(s, 3);
  EXPECT_EQ(settings.ReadSetting("Options", "Animation"), "1");
  EXPECT_EQ(game.settings().animationLevel, 1) << "the engine glides no more from the next move on";
  ClickItem(s, 3);
  EXPECT_EQ(settings.ReadSetting("Options", "Animation"), "2");
  EXPECT_EQ(game.settings().animationLevel, 2);
}

TEST_F(OptionsScreenTest, AClickOnEmptySpacePlaysNothingButStillSavesAllKeys) {
  OptionsScreen s(services);
  s.OnMouseMove(5, 5, 0);
  Scribble();
  s.OnClick();
  EXPECT_EQ(Written(), Expected());
  EXPECT_TRUE(Only("sound").empty());
  EXPECT_FALSE(s.Closed());
}

TEST_F(OptionsScreenTest, HoverHighlightsEachNewItemOnceWithItsSound) {
  OptionsScreen s(services);
  const std::uint32_t background = ScreenColour("options");
  EXPECT_EQ(s.picture().pixel(200, 33), background);
  s.OnMouseMove(150, 33, 0);
  s.OnMouseMove(160, 35, 0);  // same row: nothing new
  EXPECT_EQ(s.optionsHover(), 1);
  EXPECT_EQ(s.picture().pixel(200, 33), ScreenColour("optionshigh1"));
  EXPECT_TRUE(Ticked(s, 1)) << "the check box stays over the highlight";
  s.OnMouseMove(150, 50, 0);  // the gap between rows 1 and 2 (46..54)
  EXPECT_EQ(s.optionsHover(), 0);
  EXPECT_EQ(s.picture().pixel(200, 33), background);
  s.OnMouseMove(152, 287, 0);
  EXPECT_EQ(s.optionsHover(), 7);
  EXPECT_EQ(s.picture().pixel(140, 280), ScreenColour("optionshigh7"));
  s.OnMouseMove(150, 239, 0);  // straight to row 6: the close highlight goes
  EXPECT_EQ(s.picture().pixel(140, 280), background);
  EXPECT_EQ(Only("sound"), (Log{"sound btnhover", "sound btnhover", "sound btnhover"}));
}

TEST_F(OptionsScreenTest, HotAreaBoundsAreExclusive) {
  struct Case {
    int x, y, item;
  } cases[] = {
      {21, 22, 1},  {20, 30, 0},   {285, 30, 0},  {284, 45, 1}, {150, 21, 0}, {150, 46, 0},
      {150, 55, 2}, {150, 84, 2},  {150, 85, 0},  {150, 92, 3}, {150, 120, 0}, {150, 129, 4},
      {150, 158, 0}, {150, 188, 5}, {150, 215, 0}, {150, 226, 6}, {150, 253, 0}, {135, 276, 7},
      {134, 280, 0}, {170, 280, 0}, {150, 275, 0}, {150, 300, 0}, {169, 299, 7},
  };
  for (const Case& c : cases) EXPECT_EQ(OptionsScreen::ItemAt(c.x, c.y), c.item) << c.x << "," << c.y;
}

TEST_F(OptionsScreenTest, MusicRowStopsTheMusicAndStartsTheRememberedTrackAgain) {
  settings.WriteSetting("Music", "LastSong", "4");
  OptionsScreen s(services);
  ClickItem(s, 2);
  EXPECT_EQ(Only("music"), (Log{"music stop"}));
  EXPECT_FALSE(music.MusicTimerEnabled());
  log.clear();
  ClickItem(s, 1);  // another row leaves the music off
  EXPECT_TRUE(Only("music").empty());
  ClickItem(s, 2);
  EXPECT_EQ(Only("music"), (Log{"music load track4.pak", "music play"}));
  EXPECT_TRUE(music.MusicTimerEnabled());
  log.clear();
  ClickItem(s, 4);  // with music on, other rows do not restart it
  EXPECT_TRUE(Only("music").empty());
}

TEST_F(OptionsScreenTest, CloseButtonClosesWithItsSoundAndSaves) {
  OptionsScreen s(services);
  Scribble();
  ClickItem(s, 7);
  EXPECT_TRUE(s.Closed());
  EXPECT_EQ(Written(), Expected());
  EXPECT_EQ(Only("sound"), (Log{"sound btnhover", "sound btnclick"}));
  EXPECT_TRUE(Only("display").empty());
  EXPECT_TRUE(Only("tell").empty());
}

TEST_F(OptionsScreenTest, ArrowsMoveBetweenTheSwitchesAndSpaceTogglesOne) {
  OptionsScreen s(services);
  s.OnKeyDown(keys::Space, false);  // nothing highlighted: nothing toggles
  EXPECT_TRUE(settings.soundEnabled);
  struct Step {
    int key;
    int hover;
  } steps[] = {{keys::Down, 1}, {keys::Down, 2}, {keys::Right, 3}, {keys::Up, 2}, {keys::Left, 1},
               {keys::Up, 7},   {keys::Down, 1}};
  for (const Step& st : steps) {
    s.OnKeyDown(st.key, false);
    EXPECT_EQ(s.optionsHover(), st.hover) << st.key;
  }
  EXPECT_EQ(s.picture().pixel(kPoint[1][0], kPoint[1][1]), ScreenColour("optionshigh1"));
  log.clear();
  Scribble();
  s.OnKeyDown(keys::Space, false);
  EXPECT_FALSE(settings.soundEnabled);
  EXPECT_FALSE(Ticked(s, 1));
  EXPECT_EQ(Written(), Expected());
  EXPECT_EQ(Only("sound"), (Log{"sound btnclick"}));
  EXPECT_FALSE(s.Closed());
}

TEST_F(OptionsScreenTest, EnterAndEscCloseAsTheCloseButtonDoes) {
  for (int key : {keys::Enter, keys::Escape}) {
    OptionsScreen s(services);
    s.OnKeyDown(keys::Down, false);
    s.OnKeyDown(keys::Down, false);
    s.OnKeyDown(keys::Space, false);  // music off
    s.OnKeyDown(keys::Down, false);
    s.OnKeyDown(keys::Down, false);
    s.OnKeyDown(keys::Down, false);
    s.OnKeyDown(keys::Down, false);
    s.OnKeyDown(keys::Space, false);  // full screen asked for
    log.clear();
    s.OnKeyDown(key, false);
    EXPECT_TRUE(s.Closed()) << key;
    EXPECT_EQ(Only("display"), (Log{"display full"})) << key;
    EXPECT_EQ(Written(), Expected());
    display.SetFullScreen(false);
    settings.musicEnabled = true;
  }
}

// Full screen follows the option on closing only when it differs from the state at opening;
// the restart notice comes only when the colour-blind option differs from its opening value.
TEST_F(OptionsScreenTest, CloseAppliesOnlyRealChanges) {
  struct Case {
    const char* name;
    int fullScreenClicks;
    int colorBlindClicks;
    bool startFull;
    Log expected;
  } cases[] = {
      {"untouched", 0, 0, false, {}},
      {"full screen on", 1, 0, false, {"display full"}},
      {"full screen twice", 2, 0, false, {}},
      {"full screen off", 1, 0, true, {"display windowed"}},
      {"colour-blind on", 0, 1, false, {"tell Please restart Frostlide."}},
      {"colour-blind on and off", 0, 2, false, {}},
      {"both", 1, 1, false, {"display full", "tell Please restart Frostlide."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.startFull) display.SetFullScreen(true);
    else if (display.fullScreen()) display.SetFullScreen(false);
    colorBlindOption = false;
    log.clear();
    OptionsScreen s(services);
    for (int i = 0; i < c.fullScreenClicks; ++i) ClickItem(s, 6);
    for (int i = 0; i < c.colorBlindClicks; ++i) ClickItem(s, 5);
    EXPECT_TRUE(Only("display").empty()) << "the display mode waits for the close";
    EXPECT_EQ(settings.ReadSetting("Options", "FullScreen"), (c.startFull != (c.fullScreenClicks % 2 == 1)) ? "1" : "0");
    ClickItem(s, 7);
    EXPECT_TRUE(s.Closed());
    Log got = Only("display");
    for (const auto& t : Only("tell")) got.push_back(t);
    EXPECT_EQ(got, c.expected);
  }
}

TEST_F(OptionsScreenTest, TheScreenIsHiddenWhileTheRestartNoticeShows) {
  struct HiddenCheck final : engine::Prompt {
    OptionsScreen* screen = nullptr;
    bool hiddenDuringMessage = false;
    bool ShowMessage(const std::string&, bool) override {
      hiddenDuringMessage = screen && screen->hidden() && !screen->Closed();
      return false;
    }
    bool SystemMessage(const std::string&, engine::MessageIcon, bool) override { return false; }
  } check;
  AppServices local{app, modal, sound, check, sprites, settings, game, display, music, packs, colorBlindOption};
  OptionsScreen s(local);
  check.screen = &s;
  ClickItem(s, 5);
  ClickItem(s, 7);
  EXPECT_TRUE(check.hiddenDuringMessage);
  presentation::Surface frame(640, 480, 0x123456);
  s.DrawInto(frame, 0, 0);
  EXPECT_EQ(frame.pixel(10, 10), 0x123456u);
}

}  // namespace
}  // namespace shell
