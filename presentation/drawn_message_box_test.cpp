// The message box the game draws when the desktop cannot show one: its keys and buttons, its
// layout with and without its pictures and font, and SdlMessageBox falling back to it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/test_dir.h"
#include "presentation/drawn_message_box.h"
#include "presentation/message_box.h"
#include "presentation/synthetic_art.h"
#include "presentation/text.h"

namespace presentation {
namespace {

const char kFont[] = "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf";
const std::string kLongPath =
    "Would you like to import the /home/player/Downloads/packs from friends/a rather long name/"
    "glacier-run-2.cdn level pack to your level collection?";

// No pictures, no font file: the plainest box there is.
DrawnBoxArt Bare() { return DrawnBoxArt{"", {"/nonexistent/font.ttf"}}; }

int WhitePixels(const Surface& s, int top, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) == Rgb(255, 255, 255);
  return n;
}

struct KeyCase {
  bool yesNo;
  int key;
  bool closes;
  bool answer;
};

TEST(DrawnMessageBox, KeysAnswerAsTheDesktopsBoxWould) {
  const KeyCase cases[] = {
      {true, keys::Enter, true, true},      {true, keys::Escape, true, false},
      {true, keys::Letter('Y'), true, true}, {true, keys::Letter('n'), true, false},
      {true, keys::Space, false, false},    {false, keys::Enter, true, true},
      {false, keys::Escape, true, true},    {false, keys::Letter('N'), false, false},
      {false, keys::Letter('Y'), false, false},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.yesNo) + " key " + std::to_string(c.key));
    DrawnMessageBox box("Frostlide", "Question?", engine::MessageIcon::Question, c.yesNo, Bare());
    box.HandleInput(InputEvent::KeyPress(c.key));
    EXPECT_EQ(box.Closed(), c.closes);
    if (c.closes) {
      EXPECT_EQ(box.answer(), c.answer);
    }
  }
}

TEST(DrawnMessageBox, AClickNeedsPressAndReleaseOnOneButton) {
  DrawnMessageBox box("Frostlide", "Overwrite?", engine::MessageIcon::Question, true, Bare());
  const int y = box.Height() - 25;
  EXPECT_EQ(box.ButtonAt(60, y), 1);
  EXPECT_EQ(box.ButtonAt(230, y), 2);
  EXPECT_EQ(box.ButtonAt(150, y), 0);
  EXPECT_EQ(box.ButtonAt(60, 45), 0);

  const Surface before = box.picture();
  box.HandleInput(InputEvent::Move(60, y));
  EXPECT_EQ(box.hover(), 1);
  EXPECT_NE(box.picture().pixel(60, y), before.pixel(60, y)) << "the button under the pointer lights up";
  // Pressed on Yes, released on No: nothing.
  box.HandleInput(InputEvent::Down(60, y));
  box.HandleInput(InputEvent::Up(230, y));
  EXPECT_FALSE(box.Closed());
  box.HandleInput(InputEvent::Down(230, y, buttons::Right));
  box.HandleInput(InputEvent::Up(230, y, buttons::Right));
  EXPECT_FALSE(box.Closed());
  box.HandleInput(InputEvent::Down(230, y));
  box.HandleInput(InputEvent::Up(230, y));
  ASSERT_TRUE(box.Closed());
  EXPECT_FALSE(box.answer());
}

TEST(DrawnMessageBox, ReadableWithoutItsPicturesOrFont) {
  DrawnMessageBox box("Frostlide", kLongPath, engine::MessageIcon::Question, true, Bare());
  EXPECT_TRUE(box.builtinLetters());
  EXPECT_FALSE(box.framePicture());
  ASSERT_GT(box.lines().size(), 1u);
  std::string joined;
  for (const std::string& line : box.lines()) {
    joined += line;
    EXPECT_LE(box.textX() + static_cast<int>(line.size()) * 12, 294) << line;
  }
  // Every letter of the text is on a line (only the blanks at the breaks go).
  std::string letters;
  for (char ch : kLongPath)
    if (ch != ' ') letters += ch;
  std::string shown;
  for (char ch : joined)
    if (ch != ' ') shown += ch;
  EXPECT_EQ(shown, letters);
  // The box grew for the lines; the text is drawn in white on each of them.
  EXPECT_EQ(box.Height(), DrawnMessageBox::kBaseHeight + static_cast<int>(box.lines().size() - 1) * box.lineHeight());
  for (std::size_t i = 0; i < box.lines().size(); ++i) {
    const int top = 40 + static_cast<int>(i) * box.lineHeight();
    EXPECT_GT(WhitePixels(box.picture(), top, top + box.lineHeight()), 20) << "line " << i;
  }
  // The buttons stay at the bottom, where the clicks count.
  EXPECT_EQ(box.ButtonAt(60, box.Height() - 25), 1);
}

TEST(DrawnMessageBox, UsesTheGamesPicturesAndFontWhenThere) {
  platform::testing::TestDir dir;
  ASSERT_TRUE(synthetic::WriteSyntheticArt(dir.path()));
  DrawnMessageBox plain("Frostlide", "Level file does not exist!", engine::MessageIcon::None, false,
                        DrawnBoxArt{dir.path(), {"/nonexistent/font.ttf", kFont}});
  EXPECT_FALSE(plain.builtinLetters());
  EXPECT_TRUE(plain.framePicture());
  ASSERT_EQ(plain.lines().size(), 1u);
  EXPECT_EQ(plain.Width(), 304);
  EXPECT_EQ(plain.Height(), 140);
  EXPECT_EQ(plain.textX(), 10);
  EXPECT_EQ(plain.picture().pixel(2, 2), synthetic::ScreenColour("msg"));
  EXPECT_EQ(plain.picture().pixel(120, 105), synthetic::ScreenColour("msgclose"));
  plain.HandleInput(InputEvent::Move(150, 115));
  EXPECT_EQ(plain.picture().pixel(120, 105), synthetic::ScreenColour("msgclosehigh"));

  // A longer question: the frame stretches, the buttons move down with the bottom edge.
  DrawnMessageBox question("Frostlide", kLongPath, engine::MessageIcon::Question, true,
                           DrawnBoxArt{dir.path(), {kFont}});
  ASSERT_GT(question.lines().size(), 1u);
  EXPECT_EQ(question.textX(), 40) << "room for the icon";
  EXPECT_EQ(question.picture().pixel(2, question.Height() - 3), synthetic::ScreenColour("msg"));
  EXPECT_EQ(question.picture().pixel(50, question.Height() - 35), synthetic::ScreenColour("msgyes"));
  EXPECT_EQ(question.picture().pixel(220, question.Height() - 35), synthetic::ScreenColour("msgno"));
}

TEST(DrawnMessageBox, AnEndlessTextIsCutToWhatFits) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "word ";
  DrawnMessageBox box("Frostlide", text, engine::MessageIcon::Error, false, Bare());
  EXPECT_LE(box.Height(), DrawnMessageBox::kMaxHeight);
  EXPECT_EQ(box.lines().back().substr(box.lines().back().size() - 3), "...");
}

TEST(WrapText, BreaksAtBlanksThenAfterSlashesThenAnywhere) {
  const auto width = [](const std::string& s) { return static_cast<int>(s.size()); };
  struct Case {
    const char* text;
    int width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"fits", 10, {"fits"}},
      {"", 10, {""}},
      {"one two three", 7, {"one two", "three"}},
      {"a /very/long/path.cdn b", 8, {"a", "/very/", "long/", "path.cdn", "b"}},
      {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
      {"first\nsecond", 20, {"first", "second"}},
      {"caf\xc3\xa9\xc3\xa9", 4, {"caf", "\xc3\xa9\xc3\xa9"}},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapText(c.text, c.width, width), c.lines) << c.text;
}

// --- SdlMessageBox: the desktop's box first, the drawn one when that fails ----------------------

class SdlMessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
  void TearDown() override {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  static void QueueKey(SDL_Keycode sym) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
  }
  static int QueuedKeys() { return SDL_PeepEvents(nullptr, 16, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN); }

  std::vector<std::string> asked;
  SdlMessageBox::PlatformBox Failing() {
    return [this](const std::string&, const std::string& text, engine::MessageIcon, bool, SDL_Window*) {
      asked.push_back(text);
      return std::optional<bool>();
    };
  }
};

TEST_F(SdlMessageBoxTest, AFailedDesktopBoxIsNeverTheAnswer) {
  SdlMessageBox box("Frostlide", Failing());
  box.SetArt(Bare());
  // Two questions and their keys, queued at once: each box takes its own.
  QueueKey(SDLK_RETURN);
  QueueKey(SDLK_ESCAPE);
  EXPECT_EQ(box.Show("Would you like to play this level pack now?", engine::MessageIcon::Question, true),
            std::optional<bool>(true));
  EXPECT_EQ(QueuedKeys(), 1);
  EXPECT_EQ(box.Show("Would you like to play in a full screen mode?", engine::MessageIcon::Question, true),
            std::optional<bool>(false));
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(QueuedKeys(), 0);
}

TEST_F(SdlMessageBoxTest, ADesktopBoxThatAnswersIsTheOnlyOne) {
  SdlMessageBox box("Frostlide", [](const std::string&, const std::string&, engine::MessageIcon, bool, SDL_Window*) {
    return std::optional<bool>(false);
  });
  QueueKey(SDLK_y);
  EXPECT_EQ(box.Show("Overwrite?", engine::MessageIcon::Question, true), std::optional<bool>(false));
  EXPECT_EQ(QueuedKeys(), 1) << "no drawn box took the key";
}

// Stands for the main window: runs the box with scripted input, or ends without an answer as a
// quitting program does.
class ScriptedRunner : public ModalRunner {
 public:
  void RunModal(ScreenView& screen) override {
    ++runs;
    for (const InputEvent& e : input) screen.HandleInput(e);
  }
  std::vector<InputEvent> input;
  int runs = 0;
};

TEST_F(SdlMessageBoxTest, OverTheMainWindowTheBoxRunsInItsLoop) {
  SdlMessageBox box("Frostlide", Failing());
  box.SetArt(Bare());
  ScriptedRunner runner;
  box.SetModalRunner(&runner);
  runner.input = {InputEvent::KeyPress(keys::Letter('N'))};
  EXPECT_EQ(box.Show("Overwrite?", engine::MessageIcon::Question, true), std::optional<bool>(false));
  runner.input = {InputEvent::KeyPress(keys::Enter)};
  EXPECT_EQ(box.Show("Could not save", engine::MessageIcon::Warning, false), std::optional<bool>(true));
  runner.input.clear();
  EXPECT_EQ(box.Show("Overwrite?", engine::MessageIcon::Question, true), std::nullopt);
  EXPECT_EQ(runner.runs, 3);
}

}  // namespace
}  // namespace presentation
