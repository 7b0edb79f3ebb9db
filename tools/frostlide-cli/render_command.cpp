// render: a level set up and played by the engine against the game's real renderer and
// sprites, written out as the PNG of the board picture.
#include <charconv>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "engine/cube_movement.h"
#include "engine/game.h"
#include "engine/null_ports.h"
#include "platform/paths.h"
#include "presentation/board_renderer.h"
#include "presentation/image.h"
#include "presentation/sprite_store.h"
#include "tools/frostlide-cli/cli_ports.h"
#include "tools/frostlide-cli/command_table.h"
#include "tools/frostlide-cli/move_text.h"

namespace cli {
namespace {

// The program folder's pictures are missing or damaged, or the PNG could not be written.
constexpr int kExitDataError = 3;

constexpr const char* kUsage =
    "usage: frostlide-cli render PACK LEVEL OUT.png [--data DIR] [--colorblind] [--yes] [--save-progress] MOVE...\n";

// Prints like `play`, and remembers whether the platform's error box came up (a missing
// background stops the level's drawing, so there is no picture to write).
class RenderPrompt : public engine::Prompt {
 public:
  RenderPrompt(std::ostream& out, bool yes) : text_(out, yes) {}
  bool ShowMessage(const std::string& text, bool yesNo) override { return text_.ShowMessage(text, yesNo); }
  bool SystemMessage(const std::string& text, engine::MessageIcon icon, bool yesNo) override {
    if (icon == engine::MessageIcon::Error) failed = true;
    return text_.SystemMessage(text, icon, yesNo);
  }
  bool failed = false;

 private:
  TextPrompt text_;
};

int Render(const CommandContext& c, const std::vector<std::string>& args) {
  std::vector<std::string> rest;
  std::string dataDir;
  bool colorBlind = false, yes = false, saveProgress = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--data") {
      if (i + 1 == args.size()) {
        c.err << "error: --data needs a folder\n" << kUsage;
        return kExitUsage;
      }
      dataDir = args[++i];
    } else if (args[i] == "--colorblind") {
      colorBlind = true;
    } else if (args[i] == "--yes") {
      yes = true;
    } else if (args[i] == "--save-progress") {
      saveProgress = true;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (rest.size() < 3) {
    c.err << kUsage;
    return kExitUsage;
  }
  std::vector<Move> moves;
  if (!ParseMoves(rest, 3, c.err, moves)) return kExitUsage;
  const std::string& packPath = rest[0];
  const std::string& outPath = rest[2];
  // The program folder: where the game would run from.
  std::string appPath = dataDir.empty() ? platform::ExecutableDir() : dataDir;
  if (appPath.back() != '/') appPath += '/';

  RenderPrompt prompt(c.out, yes);
  engine::NullSound sound;
  engine::InstantClock clock;
  TextHost host(c.out);
  // A sprite that cannot be loaded ends the program, as in the game, after its message.
  presentation::SpriteStore store(appPath, prompt, [&c, &appPath] {
    c.out.flush();
    c.err << "error: the pictures below " << appPath << "data/ are incomplete\n";
    c.err.flush();
    std::_Exit(kExitDataError);
  });
  store.CreateSurfaces();
  store.LoadSprites(colorBlind);
  const bool fadeEffect = false, suppressFade = true;
  presentation::BoardRenderer renderer(store, clock, &fadeEffect, &suppressFade);
  // Animation on: the glide's frames are drawn too, so the picture is the game's own.
  engine::Game game({renderer, sound, prompt, clock, host}, engine::GameSettings{0, appPath, true});
  // As play: a win is written to the progress and records only when asked.
  game.SetWritesFiles(saveProgress);

  if (!game.OpenPack(packPath)) return kExitPackError;
  int level = 0;
  if (!ParseInt(rest[1], level) || level < 1 || level > game.state().numberOfLevels) {
    c.err << "error: level '" << rest[1] << "' is not a level of this pack (1 .. " << game.state().numberOfLevels << ")\n";
    return kExitUsage;
  }
  // The pack's progress as the game knows it, without creating a progress file.
  game.ResetSolved();
  game.ReadProgress();
  game.ReadRecords();
  game.LoadLevel(level);
  if (prompt.failed) {
    c.err << "error: the level's background is missing below " << appPath << "data/\n";
    return kExitDataError;
  }

  // As in play: nothing reaches the board once the credits are up.
  const int played = PlayMoves(game, host, moves, c.err, [&] {
    if (!prompt.failed) return kExitOk;
    c.err << "error: the next level's background is missing below " << appPath << "data/\n";
    return kExitDataError;
  });
  if (played != kExitOk) return played;

  PrintBoard(game, c.out);
  if (!presentation::SavePng(store.surfaces().boardBuffer, outPath)) {
    c.err << "error: cannot write " << outPath << "\n";
    return kExitDataError;
  }
  c.out << "image: " << outPath << "\n";
  return kExitOk;
}

}  // namespace

void RegisterRenderCommands(CommandTable& table) {
  table.Add({"render", "render PACK LEVEL OUT.png [--data DIR] [--colorblind] [--yes] [--save-progress] MOVE...",
             "sets LEVEL of PACK up with the game's pictures (from DIR, default the program folder), "
             "plays MOVEs as play does and writes the board as PNG; exit 3 when pictures are missing. "
             "Like play, writes no progress or records unless --save-progress is given",
             Render});
}

}  // namespace cli
