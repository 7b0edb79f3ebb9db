#pragma once
// Recording ports and a fake clock for the engine's tests: every drawing request, sound,
// question and host call goes into one log, in order, so a test can check the sequence.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/game.h"
#include "engine/simulation.h"
#include "engine/ports.h"
#include "platform/test_dir.h"

namespace engine::testing {

using Log = std::vector<std::string>;

inline std::string SpriteName(SpriteId s) {
  switch (s.kind) {
    case SpriteKind::Cube: return "Cube(" + std::to_string(s.arrow) + "," + std::to_string(s.color) + ")";
    case SpriteKind::Sphere: return "Sphere(" + std::to_string(s.color) + ")";
    case SpriteKind::CubeMask: return "CubeMask";
    case SpriteKind::SphereMask: return "SphereMask";
    case SpriteKind::BlockMask: return "BlockMask";
    case SpriteKind::Block: return "Block";
    case SpriteKind::CrackedBlock: return "CrackedBlock";
    case SpriteKind::CrushBlock: return "CrushBlock";
  }
  return "?";
}

inline std::string OpName(RasterOp op) {
  switch (op) {
    case RasterOp::SrcCopy: return "copy";
    case RasterOp::SrcAnd: return "and";
    case RasterOp::SrcPaint: return "paint";
  }
  return "?";
}

// Time moves only when the code sleeps, plus tickCost per reading (the work of a frame).
class FakeClock : public Clock {
 public:
  std::uint32_t TickCount() override {
    ++reads;
    const std::uint32_t t = now;
    now += tickCost;
    return t;
  }
  void Sleep(std::uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
  std::uint32_t now = 1000;
  std::uint32_t tickCost = 0;
  int reads = 0;
  std::vector<std::uint32_t> sleeps;
};

// A glide frame: the sprite drawn at a pixel position, with the time it was drawn.
struct Frame {
  int px, py;
  SpriteId sprite;
  std::uint32_t time;
};

class RecordingPainter : public BoardPainter {
 public:
  RecordingPainter(Log& log, FakeClock& clock) : log_(log), clock_(clock) {}
  void LoadBackground(int s) override { log_.push_back("LoadBackground " + std::to_string(s)); }
  void LoadBlockSet(int s) override { log_.push_back("LoadBlockSet " + std::to_string(s)); }
  void DrawLevel(const Board&) override { log_.push_back("DrawLevel"); }
  void PresentBoard(bool fade) override { log_.push_back(fade ? "Present fade" : "Present"); }
  void DrawBoardSprite(int x, int y, SpriteId sprite, RasterOp op, bool pixels, bool defer, bool masked) override {
    if (pixels) frames.push_back({x, y, sprite, clock_.now});
    std::string s = "Sprite " + std::string(pixels ? "px " : "") + std::to_string(x) + "," + std::to_string(y) +
                    " " + SpriteName(sprite);
    if (masked) {
      s += " masked";
    } else {
      s += " " + OpName(op);
    }
    if (defer) s += " defer";
    log_.push_back(s);
  }
  void DrawBackgroundSprite(int x, int y, SpriteId sprite, RasterOp op) override {
    log_.push_back("BgSprite " + std::to_string(x) + "," + std::to_string(y) + " " + SpriteName(sprite) + " " + OpName(op));
  }
  void DrawTrapdoor(int x, int y, SpriteId sprite, BoardSurface target, bool restore) override {
    log_.push_back("Trapdoor " + std::to_string(x) + "," + std::to_string(y) + " " + SpriteName(sprite) +
                   (target == BoardSurface::BoardBuffer ? " buffer" : " picbg") + (restore ? " restore" : ""));
  }
  void DrawCubeLayer(const Board&) override { log_.push_back("CubeLayer"); }
  void RestoreFromBackground(int px, int py, int w, int h) override {
    log_.push_back("Restore " + std::to_string(px) + "," + std::to_string(py) + " " + std::to_string(w) + "x" +
                   std::to_string(h));
  }
  std::vector<Frame> frames;

 private:
  Log& log_;
  FakeClock& clock_;
};

class RecordingSound : public SoundPlayer {
 public:
  explicit RecordingSound(Log& log) : log_(log) {}
  void PlaySoundEffect(std::string_view name) override { log_.push_back("sound " + std::string(name)); }

 private:
  Log& log_;
};

// Answers Yes/No questions from a queue (No when it is empty).
class ScriptedPrompt : public Prompt {
 public:
  explicit ScriptedPrompt(Log& log) : log_(log) {}
  bool ShowMessage(const std::string& text, bool yesNo) override {
    log_.push_back((yesNo ? "ask " : "message ") + text);
    return yesNo && Next();
  }
  bool SystemMessage(const std::string& text, MessageIcon icon, bool yesNo) override {
    log_.push_back("system " + text + (icon == MessageIcon::Error ? " [error]" : ""));
    return yesNo && Next();
  }
  std::deque<bool> answers;

 private:
  bool Next() {
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  Log& log_;
};

class RecordingHost : public GameHost {
 public:
  explicit RecordingHost(Log& log) : log_(log) {}
  void RedrawGameMenu() override { log_.push_back("host RedrawGameMenu"); }
  void ClearGameMenuHighlight() override { log_.push_back("host ClearHighlight"); }
  void ShowCredits() override { log_.push_back("host ShowCredits"); }
  void FocusBoard() override { log_.push_back("host FocusBoard"); }
  void UseGameCursor() override { log_.push_back("host UseGameCursor"); }
  bool MainMenuVisible() override { return mainMenuVisible; }
  void RunGameMenuCommand(int item) override { log_.push_back("host Command " + std::to_string(item)); }
  bool mainMenuVisible = false;

 private:
  Log& log_;
};

// Builds a pack file text in the layout the editor writes.
inline std::string PackText(const std::string& title, const std::vector<std::vector<std::string>>& levels,
                            const std::string& count = "") {
  std::string t = "[PackHeader]\r\nCollectionName=" + title + "\r\nAuthor=Tester\r\nComment=none\r\nNumberOfLevels=" +
                  (count.empty() ? std::to_string(levels.size()) : count) + "\r\n\r\n";
  for (std::size_t i = 0; i < levels.size(); ++i) {
    t += "[Level" + std::to_string(i + 1) + "Data]\r\n";
    for (std::size_t r = 0; r < 15; ++r) t += (r < levels[i].size() ? levels[i][r] : std::string(15, '.')) + "\r\n";
    t += "\r\n";
  }
  return t;
}

// A fresh game wired to recording ports, with a program folder that has every background.
class GameTest : public ::testing::Test {
 protected:
  GameTest() : painter(log, clock), sound(log), prompt(log), host(log), game({painter, sound, prompt, clock, host}, Settings()) {
    for (int s = 0; s <= 6; ++s) dir.Put("app/data/backgrounds/bg" + std::to_string(s) + ".jpg", "jpg");
  }
  GameSettings Settings() { return GameSettings{1, dir.path() + "app/", true}; }

  // Puts rows (top first, pack characters) on the board as a level set-up would.
  void SetBoard(const std::vector<std::string>& rows) {
    std::array<std::string, kBoardSize> r;
    for (std::size_t i = 0; i < rows.size() && i < r.size(); ++i) r[i] = rows[i];
    game.board() = LoadBoardFromRows(r);
  }
  // Writes a pack and opens it.
  std::string OpenPackWith(const std::string& text, const std::string& name = "pack.cdn") {
    dir.Put(name, text);
    const std::string path = dir / name;
    EXPECT_TRUE(game.OpenPack(path));
    return path;
  }
  // Entries of the log that start with prefix, in order.
  Log Only(const std::string& prefix) const {
    Log out;
    for (const auto& e : log) {
      if (e.rfind(prefix, 0) == 0) out.push_back(e);
    }
    return out;
  }
  const Cell& At(int x, int y) const { return game.board().at(x, y); }

  platform::testing::TestDir dir;
  Log log;
  FakeClock clock;
  RecordingPainter painter;
  RecordingSound sound;
  ScriptedPrompt prompt;
  RecordingHost host;
  Game game;
};

// Row 0 and column 0 never change.
inline bool EdgesZero(const Board& b) {
  for (int i = 0; i <= kBoardSize; ++i) {
    if (!(b.at(0, i) == Cell{}) || !(b.at(i, 0) == Cell{})) return false;
  }
  return true;
}

}  // namespace engine::testing
