#include "shell/how_to_play_screen.h"

#include "presentation/synthetic_art.h"
#include "presentation/text.h"
#include "shell/custom_levels_screen.h"
#include "shell/screens_test_support.h"
#include "shell/utilities.h"

namespace shell {
namespace {

using presentation::synthetic::ScreenColour;
using testing::Log;

class HowToPlayTest : public testing::ScreensTest {};

TEST_F(HowToPlayTest, OnlyTheHighlightedOkButtonClosesWithAClick) {
  HowToPlayScreen s(services);
  EXPECT_EQ(s.picture().pixel(250, 410), ScreenColour("howtoplay"));
  s.OnMouseMove(100, 100, 0);
  s.OnClick();
  EXPECT_FALSE(s.Closed());
  s.OnMouseMove(250, 410, 0);
  s.OnMouseMove(252, 411, 0);
  EXPECT_TRUE(s.okHighlighted());
  EXPECT_EQ(s.picture().pixel(250, 410), ScreenColour("howtoplayhigh1"));
  s.OnMouseMove(236, 410, 0);  // the bound itself is outside
  EXPECT_FALSE(s.okHighlighted());
  EXPECT_EQ(s.picture().pixel(250, 410), ScreenColour("howtoplay"));
  EXPECT_EQ(Only("sound"), (Log{"sound btnhover"}));
  s.OnMouseMove(270, 429, 0);
  s.OnClick();
  EXPECT_TRUE(s.Closed());
  EXPECT_EQ(Only("sound"), (Log{"sound btnhover", "sound btnhover", "sound btnclick"}));
}

TEST_F(HowToPlayTest, AnyKeyClosesWithoutASound) {
  for (int key : {keys::Escape, keys::Letter('Q'), keys::Space}) {
    HowToPlayScreen s(services);
    s.OnKeyDown(key, false);
    s.OnKeyUp(key, false);
    EXPECT_TRUE(s.Closed());
  }
  EXPECT_TRUE(Only("sound").empty());
}

TEST_F(HowToPlayTest, ShowHowToPlayRunsTheScreenModally) {
  auto screens = CreateSecondaryScreens(services);
  bool seen = false;
  modal.script = [&](Screen& s) {
    seen = dynamic_cast<HowToPlayScreen*>(&s) != nullptr;
    s.OnKeyDown(keys::Enter, false);
    s.OnKeyUp(keys::Enter, false);
  };
  screens->ShowHowToPlay();
  EXPECT_TRUE(seen);
}

// The game's message box writes one line from x = 10 and cuts it at its right edge (304).
TEST(ScreenMessages, FitOnOneLineOfTheMessageBox) {
  auto font = presentation::TextRenderer::Open(FROSTLIDE_TEST_FONT, 12);
  ASSERT_NE(font, nullptr);
  for (const char* text : {kCopyFailedMessage, kNoBrowserMessage, kWebPageAddress, "Please restart Frostlide.",
                           "Specified file does not exist!", "Overwrite current level pack?"}) {
    int w = 0, h = 0;
    font->Measure(text, w, h);
    EXPECT_LE(10 + w, 304 - 4) << text;
  }
}

}  // namespace
}  // namespace shell
