#pragma once
// The engine's ports for a run without a screen: messages, questions and sounds become lines
// of text, drawing goes nowhere and the animation is off.
#include <ostream>
#include <string>
#include <string_view>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "engine/ports.h"

namespace cli {

class TextPrompt : public engine::Prompt {
 public:
  TextPrompt(std::ostream& out, bool answerYes) : out_(out), yes_(answerYes) {}
  bool ShowMessage(const std::string& text, bool yesNo) override { return Say(text, yesNo); }
  bool SystemMessage(const std::string& text, engine::MessageIcon, bool yesNo) override { return Say(text, yesNo); }

 private:
  bool Say(const std::string& text, bool yesNo);
  std::ostream& out_;
  bool yes_;
};

class TextSound : public engine::SoundPlayer {
 public:
  explicit TextSound(std::ostream& out) : out_(out) {}
  void PlaySoundEffect(std::string_view name) override { out_ << "sound: " << name << "\n"; }

 private:
  std::ostream& out_;
};

// The credits come up over the main menu, which then covers the board as in the game: board
// input and the board's keys no longer reach the level.
class TextHost : public engine::NullHost {
 public:
  explicit TextHost(std::ostream& out) : out_(out) {}
  void ShowCredits() override {
    out_ << "credits\n";
    mainMenuVisible_ = true;
  }
  bool MainMenuVisible() override { return mainMenuVisible_; }

 private:
  std::ostream& out_;
  bool mainMenuVisible_ = false;
};

// A Game wired to the text ports, needing no program folder.
class CliSession {
 public:
  CliSession(std::ostream& out, bool answerYes);
  engine::Game& game() { return game_; }
  TextHost& host() { return host_; }

 private:
  engine::NullPainter painter_;
  TextSound sound_;
  TextPrompt prompt_;
  engine::InstantClock clock_;
  TextHost host_;
  engine::Game game_;
};

// "pack: ...", "level: N of M", "scenery: S", the 15 rows, "won:", "winnable:", "undo:".
void PrintBoard(const engine::Game& game, std::ostream& out);
// The token of one cell in the board print ("." "X" "R" "r" "Rb" "RT" ...).
std::string CellToken(const engine::Cell& cell);
// Header texts are Windows-1252 bytes; the terminal gets UTF-8.
std::string ForTerminal(const std::string& text);

}  // namespace cli
