// The game's reading of a level pack: OpenPack on the bytes as a file, then LoadLevel of every
// level it announces. Whatever the bytes, the game gives a result or one of its messages, and
// every board it sets up is a well-formed board that matches the reader's rows.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "engine/pack_reader.h"
#include "engine/simulation.h"
#include "fuzz/board_checks.h"

namespace {

class CountingPrompt : public engine::Prompt {
 public:
  bool ShowMessage(const std::string& text, bool) override {
    last = text;
    ++count;
    return false;
  }
  bool SystemMessage(const std::string& text, engine::MessageIcon, bool) override {
    last = text;
    ++count;
    return false;
  }
  std::string last;
  int count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::ScratchFolder& dir = fuzz::Scratch();
  const std::string path = dir / "pack.cdn";
  dir.Put("pack.cdn", std::string_view(reinterpret_cast<const char*>(data), size));

  engine::NullPainter painter;
  engine::NullSound sound;
  CountingPrompt prompt;
  engine::InstantClock clock;
  engine::NullHost host;
  engine::Game game({painter, sound, prompt, clock, host},
                    {.animationLevel = 1, .appPath = dir.path(), .checkDataFiles = false});

  const bool opened = game.OpenPack(path);
  const engine::GameState& s = game.state();
  if (!opened) {
    fuzz::Check(prompt.count == 1, "a refused pack is explained once");
    fuzz::Check(prompt.last == "Damaged game pack!" || prompt.last == "Damaged level file!",
                "the documented message", prompt.last);
    return 0;
  }
  fuzz::Check(prompt.count == 0, "an opened pack shows no message", prompt.last);
  fuzz::Check(s.numberOfLevels >= 1 && s.numberOfLevels <= 255, "level count in 1 .. 255",
              std::to_string(s.numberOfLevels));

  for (int n = 1; n <= s.numberOfLevels; ++n) {
    game.LoadLevel(n);
    fuzz::CheckBoard(game.board(), "after LoadLevel");
    fuzz::Check(s.currentLevel == n, "currentLevel follows LoadLevel");
    fuzz::Check(!s.undoAvailable, "a new level has no undo");

    // The board is exactly the rows the reader finds, cell by cell.
    std::ifstream file;
    engine::LevelRows rows;
    if (engine::OpenBoundedFile(path, file)) {
      engine::LineReader reader(file);
      rows = engine::FindLevelRows(reader, n);
    }
    std::array<std::string, engine::kBoardSize> lines;
    for (int y = 0; y < rows.rowCount; ++y) lines[static_cast<std::size_t>(y)] = rows.rows[static_cast<std::size_t>(y)];
    const engine::Board expected = engine::LoadBoardFromRows(lines);
    fuzz::Check(game.board() == expected, "LoadLevel gives the reader's rows", std::to_string(n));
  }
  fuzz::Check(prompt.count == 0, "loading levels shows no message", prompt.last);
  return 0;
}
