// The progress file: LoadProgress on arbitrary bytes for a pack of 1 .. 255 levels. The flags
// are exactly the "d" lines at the flag positions, a short file leaves the rest unsolved, the
// lock rule answers for every level, and what SaveProgress writes reads back the same.
#include <cstddef>
#include <cstdint>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "engine/progress.h"
#include "fuzz/fuzz_support.h"
#include "platform/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int count = 1 + in.Byte() % 255;
  const std::string_view progress = in.Rest();

  const fuzz::ScratchFolder& dir = fuzz::Scratch();
  dir.Put("p.cdn", "[PackHeader]\r\nCollectionName=P\r\nAuthor=\r\nComment=\r\nNumberOfLevels=" +
                       std::to_string(count) + "\r\n\r\n");
  dir.Put("p.cdx", progress);

  engine::NullPainter painter;
  engine::NullSound sound;
  engine::FixedPrompt prompt;
  engine::InstantClock clock;
  engine::NullHost host;
  engine::Game game({painter, sound, prompt, clock, host}, {.animationLevel = 1, .checkDataFiles = false});
  fuzz::Check(game.OpenPack(dir / "p.cdn"), "the set-up pack opens");
  game.ResetSolved();
  game.LoadProgress();

  // What the file says, line by line (the same line ends the reader accepts).
  const std::vector<std::string> lines = platform::SplitLines(progress);
  for (int i = 1; i <= count; ++i) {
    const std::size_t flagLine = static_cast<std::size_t>(2 * i - 1);
    const bool expected = flagLine < lines.size() && lines[flagLine] == "d";
    if (game.IsLevelSolved(i) != expected) {
      fuzz::Fail("solved flag is the file's \"d\" line", "level " + std::to_string(i));
    }
  }
  fuzz::Check(!game.IsLevelSolved(0) && !game.IsLevelSolved(count + 1), "no flags outside the pack");

  // The lock rule: at most A unsolved levels open, the lowest-numbered ones.
  const int allowance = engine::UnsolvedAllowance(count);
  int unsolvedBefore = 0;
  for (int level = 1; level <= count; ++level) {
    const bool locked = game.IsLevelLocked(level);
    if (!game.IsLevelSolved(level)) {
      fuzz::Check(locked == (unsolvedBefore >= allowance), "lock rule for an unsolved level");
      ++unsolvedBefore;
    }
  }

  // A rewrite reads back to the same flags.
  std::vector<bool> before;
  for (int i = 0; i <= count; ++i) before.push_back(game.IsLevelSolved(i));
  fuzz::Check(game.SaveProgress(), "progress is written");
  game.ResetSolved();
  fuzz::Check(game.ReadProgress(), "a written progress file reads whole");
  for (int i = 0; i <= count; ++i) {
    fuzz::Check(game.IsLevelSolved(i) == before[static_cast<std::size_t>(i)], "round trip of the flags");
  }
  return 0;
}
