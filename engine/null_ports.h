#pragma once
// Ports that do nothing, for tools that run the engine without a screen (frostlide-cli, a
// solver) and for tests that do not look at the drawing. The clock never waits.
#include "engine/ports.h"

namespace engine {

class NullPainter : public BoardPainter {
 public:
  void LoadBackground(int) override {}
  void LoadBlockSet(int) override {}
  void DrawLevel(const Board&) override {}
  void PresentBoard(bool) override {}
  void DrawBoardSprite(int, int, SpriteId, RasterOp, bool, bool, bool) override {}
  void DrawBackgroundSprite(int, int, SpriteId, RasterOp) override {}
  void DrawTrapdoor(int, int, SpriteId, BoardSurface, bool) override {}
  void DrawCubeLayer(const Board&) override {}
  void RestoreFromBackground(int, int, int, int) override {}
};

class NullSound : public SoundPlayer {
 public:
  void PlaySoundEffect(std::string_view) override {}
};

// Answers every question with a fixed answer.
class FixedPrompt : public Prompt {
 public:
  explicit FixedPrompt(bool answer = false) : answer_(answer) {}
  bool ShowMessage(const std::string&, bool yesNo) override { return yesNo && answer_; }
  bool SystemMessage(const std::string&, MessageIcon, bool yesNo) override { return yesNo && answer_; }

 private:
  bool answer_;
};

// Time passes only by sleeping.
class InstantClock : public Clock {
 public:
  std::uint32_t TickCount() override { return now_; }
  void Sleep(std::uint32_t ms) override { now_ += ms; }

 private:
  std::uint32_t now_ = 0;
};

class NullHost : public GameHost {
 public:
  void RedrawGameMenu() override {}
  void ClearGameMenuHighlight() override {}
  void ShowCredits() override {}
  void FocusBoard() override {}
  void UseGameCursor() override {}
  bool MainMenuVisible() override { return false; }
  void RunGameMenuCommand(int) override {}
};

}  // namespace engine
