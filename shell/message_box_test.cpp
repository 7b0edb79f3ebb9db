// frmMsg driven through its handlers: hot areas that differ from the drawn buttons, keys of
// both forms, the answer, a message asked for while one is open, the one-line text.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/test_dir.h"
#include "presentation/synthetic_art.h"
#include "shell/app_test_fixture.h"
#include "shell/message_box.h"

namespace shell {
namespace {

using presentation::synthetic::ScreenColour;

class Sounds : public engine::SoundPlayer {
 public:
  void PlaySoundEffect(std::string_view name) override { played.emplace_back(name); }
  std::vector<std::string> played;
};

class NoPrompt : public engine::Prompt {
 public:
  bool ShowMessage(const std::string&, bool) override { return false; }
  bool SystemMessage(const std::string&, engine::MessageIcon, bool) override { return false; }
};

// Runs each modal screen through the next script instead of a window loop.
class ScriptedModal : public ModalRunner {
 public:
  void RunModal(presentation::ScreenView& view) override {
    ASSERT_FALSE(scripts.empty());
    auto script = scripts.front();
    scripts.erase(scripts.begin());
    auto& screen = dynamic_cast<MessageScreen&>(view);
    script(screen);
    closed = screen.Closed();
  }
  std::vector<std::function<void(MessageScreen&)>> scripts;
  bool closed = false;
};

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::LinkArt(dir);
    sprites.CreateSurfaces();
    sprites.LoadSprites(false);
    font = presentation::TextRenderer::Open("/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf", 12);
    ASSERT_TRUE(font);
    box.SetFont(font.get());
  }
  // Shows a box whose handlers the script drives; returns the answer.
  bool Show(bool yesNo, std::function<void(MessageScreen&)> script, const std::string& text = "Question?") {
    modal.scripts.push_back(std::move(script));
    return box.ShowMessage(text, yesNo);
  }

  platform::testing::TestDir dir;
  NoPrompt prompt;
  presentation::SpriteStore sprites{dir.path(), prompt};
  Sounds sound;
  ScriptedModal modal;
  std::unique_ptr<presentation::TextRenderer> font;
  GameMessageBox box{modal, sprites, sound};
};

TEST_F(MessageBoxTest, HotAreasAreNotTheDrawnButtons) {
  struct P {
    bool yesNo;
    int x, y, button;
  } points[] = {
      {true, 46, 101, 1},  {true, 99, 129, 1},  {true, 100, 115, 0}, {true, 110, 115, 0},  // drawn Yes ends at 117
      {true, 45, 115, 0},  {true, 60, 100, 0},  {true, 60, 130, 0},
      {true, 207, 115, 0}, {true, 208, 115, 2}, {true, 212, 115, 2}, {true, 257, 115, 2},
      {true, 258, 115, 0}, {true, 280, 115, 0},                                            // right part of No
      {false, 110, 115, 0}, {false, 111, 115, 1}, {false, 189, 115, 1}, {false, 190, 115, 0},
      {false, 60, 115, 0},
  };
  for (const P& p : points) {
    Show(p.yesNo, [&](MessageScreen& s) {
      EXPECT_EQ(s.ButtonAt(p.x, p.y), p.button) << (p.yesNo ? "yes/no " : "close ") << p.x << "," << p.y;
      s.Close();
    });
  }
}

TEST_F(MessageBoxTest, PointerHighlightsAndClickAnswers) {
  const bool yes = Show(true, [&](MessageScreen& s) {
    EXPECT_EQ(s.picture().pixel(50, 110), ScreenColour("msgyes"));
    EXPECT_EQ(s.picture().pixel(220, 110), ScreenColour("msgno"));
    s.OnMouseMove(60, 110, 0);
    s.OnMouseMove(70, 111, 0);  // same button: no second sound
    EXPECT_EQ(s.messageHover(), 1);
    EXPECT_EQ(s.picture().pixel(50, 110), ScreenColour("msgyeshigh"));
    s.OnMouseMove(150, 110, 0);  // the gap
    EXPECT_EQ(s.messageHover(), 0);
    EXPECT_EQ(s.picture().pixel(50, 110), ScreenColour("msgyes"));
    s.OnClick();  // on nothing
    EXPECT_FALSE(s.Closed());
    s.OnMouseMove(60, 110, 0);
    s.OnClick();
  });
  EXPECT_TRUE(yes);
  EXPECT_TRUE(modal.closed);
  EXPECT_EQ(sound.played, (std::vector<std::string>{"btnhover", "btnhover", "btnclick"}));

  sound.played.clear();
  const bool no = Show(true, [&](MessageScreen& s) {
    s.HandleInput(InputEvent::Move(230, 110));
    s.HandleInput(InputEvent::Down(230, 110));
    s.HandleInput(InputEvent::Up(230, 110));
  });
  EXPECT_FALSE(no);
  EXPECT_EQ(sound.played, (std::vector<std::string>{"btnhover", "btnclick"}));
}

TEST_F(MessageBoxTest, TheNoticeShowsItsCloseButtonHighlightForAnyItem) {
  Show(false, [&](MessageScreen& s) {
    EXPECT_EQ(s.picture().pixel(120, 110), ScreenColour("msgclose"));
    EXPECT_EQ(s.picture().pixel(50, 110), ScreenColour("msg"));
    s.HighlightMessage(2);
    EXPECT_EQ(s.picture().pixel(120, 110), ScreenColour("msgclosehigh"));
    s.OnMouseMove(150, 110, 0);
    s.OnClick();
    EXPECT_TRUE(s.Closed());
  });
}

TEST_F(MessageBoxTest, KeysOfBothForms) {
  struct K {
    bool yesNo;
    int key;
    bool closes;
    bool answer;  // when it closes a question
  } cases[] = {
      {true, keys::Escape, true, false}, {true, keys::Enter, true, true}, {true, 'Y', true, true},
      {true, 'N', true, false},          {true, 'Q', false, false},       {true, keys::Space, false, false},
      {false, keys::Escape, true, false}, {false, keys::Enter, false, false}, {false, 'Y', false, false},
      {false, 'N', false, false},
  };
  for (const K& k : cases) {
    box.messageAnswer = !k.answer;  // so a closing key must set it
    bool closed = false;
    const bool answer = Show(k.yesNo, [&](MessageScreen& s) {
      s.OnKeyDown(k.key, false);
      closed = s.Closed();
      s.Close();
    });
    EXPECT_EQ(closed, k.closes) << k.yesNo << " key " << k.key;
    if (k.yesNo && k.closes) {
      EXPECT_EQ(answer, k.answer) << "key " << k.key;
    }
  }
}

// Without a pointer: Left, Right or Tab highlight the buttons in turn (with the hover sound) and
// Space presses the highlighted one.
TEST_F(MessageBoxTest, ArrowsHighlightTheButtonsAndSpacePressesOne) {
  struct Case {
    bool yesNo;
    std::vector<int> keys;
    int hover;     // before Space
    bool answer;   // of a question
  } cases[] = {
      {true, {keys::Right}, 1, true},
      {true, {keys::Right, keys::Right}, 2, false},
      {true, {keys::Left}, 2, false},
      {true, {keys::Tab, keys::Tab, keys::Tab}, 1, true},
      {false, {keys::Right, keys::Left}, 1, false},
  };
  for (const Case& c : cases) {
    box.messageAnswer = !c.answer;
    sound.played.clear();
    bool closed = false;
    int hover = -1;
    const bool answer = Show(c.yesNo, [&](MessageScreen& s) {
      s.OnKeyDown(keys::Space, false);  // nothing highlighted yet: nothing pressed
      EXPECT_FALSE(s.Closed());
      for (int k : c.keys) s.OnKeyDown(k, false);
      hover = s.messageHover();
      s.OnKeyDown(keys::Space, false);
      closed = s.Closed();
      s.Close();
    });
    EXPECT_EQ(hover, c.hover);
    EXPECT_TRUE(closed);
    if (c.yesNo) {
      EXPECT_EQ(answer, c.answer);
    }
    EXPECT_EQ(sound.played.back(), "btnclick");
    EXPECT_EQ(sound.played.front(), "btnhover");
  }
}

TEST_F(MessageBoxTest, AMessageWhileOneIsOpenReturnsTheCurrentAnswerAtOnce) {
  box.messageAnswer = true;
  bool inner = false;
  Show(true, [&](MessageScreen& s) {
    EXPECT_TRUE(box.IsOpen());
    inner = box.ShowMessage("Oops! You can't win now! Undo?", true);  // no script: nothing shown
    EXPECT_EQ(box.messageText, "Question?");
    s.AnswerNo();
  });
  EXPECT_TRUE(inner);
  EXPECT_FALSE(box.IsOpen());
  EXPECT_FALSE(box.messageAnswer);
}

TEST_F(MessageBoxTest, TheTextIsOneWhiteLineCutAtTheRightEdge) {
  Show(false, [&](MessageScreen& s) {
    const Surface& p = s.picture();
    const std::uint32_t frame = ScreenColour("msg");
    int changed = 0;
    bool white = false;
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x)
        if (p.pixel(x, y) != frame && !(y >= 100 && y < 139 && x >= 115 && x < 188)) {
          ++changed;
          white = white || p.pixel(x, y) == 0xFFFFFFu;
          EXPECT_TRUE(x >= 10 && y >= 40 && y < 64) << x << "," << y;
        }
    EXPECT_GT(changed, 50);
    EXPECT_TRUE(white);
    // Reaches the right edge of the picture box instead of wrapping.
    bool edge = false;
    for (int y = 40; y < 64; ++y)
      for (int x = 296; x < 304; ++x) edge = edge || p.pixel(x, y) != frame;
    EXPECT_TRUE(edge);
    // The surface itself holds no text.
    EXPECT_EQ(sprites.surfaces().messageSurface.pixel(50, 50), frame);
    s.CloseMessage();
  }, "Specified file does not exist! Specified file does not exist! Specified file does not exist!");
}

}  // namespace
}  // namespace shell
