// The engine driven by random moves and undos on random small levels. The game (MoveCube with
// null ports, UndoMove) and the pure simulation (SlideCube, RevertMove) must agree on every
// position; an undo restores the position before its move, up to 30 deep and no further; the
// board stays well formed and the count test matches a recount.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/null_ports.h"
#include "engine/simulation.h"
#include "fuzz/board_checks.h"

namespace {

// Recount of the count test: per colour, cubes (on anything) against spheres (covered or not).
bool Recount(const engine::Board& b) {
  int cubes[engine::kColorCount + 1] = {}, spheres[engine::kColorCount + 1] = {};
  for (int x = 1; x <= engine::kBoardSize; ++x) {
    for (int y = 1; y <= engine::kBoardSize; ++y) {
      const engine::Cell& c = b.at(x, y);
      if (engine::IsCubeKind(c.kind)) ++cubes[static_cast<int>(c.cubeColor)];
      if (c.kind == engine::CellKind::Sphere || c.kind == engine::CellKind::CubeOnSphere)
        ++spheres[static_cast<int>(c.sphereColor)];
    }
  }
  for (int k = 1; k <= engine::kColorCount; ++k)
    if (cubes[k] < spheres[k]) return false;
  return true;
}

class CountingPrompt : public engine::Prompt {
 public:
  explicit CountingPrompt(bool answer) : answer_(answer) {}
  bool ShowMessage(const std::string&, bool yesNo) override {
    ++asked;
    return yesNo && answer_;
  }
  bool SystemMessage(const std::string&, engine::MessageIcon, bool) override { return false; }
  int asked = 0;

 private:
  bool answer_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  static constexpr char kCells[] = "....XxCTRrBbGgWwLlHhRrBb";
  const int width = 2 + in.Byte() % 8, height = 2 + in.Byte() % 8;
  const bool undoAfterCrush = in.Bit();
  const bool glide = in.Bit();

  // The level inside a frame of blocks, written as a pack (so that a win writes its progress
  // into the scratch folder).
  std::array<std::string, engine::kBoardSize> rows;
  for (int y = 0; y < engine::kBoardSize; ++y) {
    for (int x = 0; x < engine::kBoardSize; ++x) {
      const bool inside = x < width && y < height;
      rows[static_cast<std::size_t>(y)] += inside ? kCells[in.Byte() % (sizeof kCells - 1)] : 'X';
    }
  }
  std::string pack = "[PackHeader]\r\nCollectionName=F\r\nAuthor=\r\nComment=\r\nNumberOfLevels=1\r\n\r\n[Level1Data]\r\n";
  for (const std::string& r : rows) pack += r + "\r\n";
  const fuzz::ScratchFolder& dir = fuzz::Scratch();
  dir.Put("m.cdn", pack + "\r\n");

  engine::NullPainter painter;
  engine::NullSound sound;
  CountingPrompt prompt(undoAfterCrush);
  engine::InstantClock clock;
  engine::NullHost host;
  engine::Game game({painter, sound, prompt, clock, host},
                    {.animationLevel = glide ? 2 : 1, .checkDataFiles = false});
  fuzz::Check(game.OpenPack(dir / "m.cdn"), "the level's pack opens");
  game.LoadLevel(1);

  engine::Board model = engine::LoadBoardFromRows(rows);
  fuzz::Check(engine::SamePosition(game.board(), model), "the pack gives the level's rows");
  std::deque<std::pair<engine::UndoRecord, engine::Board>> history;  // newest at the back

  int step = 0;
  while (!in.AtEnd() && step < 400) {
    ++step;
    const std::uint8_t op = in.Byte();
    if (op % 5 == 4) {
      game.UndoMove();
      if (!history.empty()) {
        engine::RevertMove(model, history.back().first);
        fuzz::Check(engine::SamePosition(model, history.back().second), "RevertMove restores the position");
        history.pop_back();
      }
    } else {
      // Mostly a cube of the level, sometimes any cell; any direction code, also invalid ones.
      int x, y;
      if (op & 0x80) {
        x = in.Byte() % 17;
        y = in.Byte() % 17;
      } else {
        std::vector<std::pair<int, int>> cubes;
        for (int cx = 1; cx <= engine::kBoardSize; ++cx)
          for (int cy = 1; cy <= engine::kBoardSize; ++cy)
            if (engine::IsCubeKind(model.at(cx, cy).kind)) cubes.emplace_back(cx, cy);
        if (cubes.empty()) break;
        std::tie(x, y) = cubes[in.Byte() % cubes.size()];
      }
      const auto d = static_cast<engine::Direction>((op & 0x40) ? op % 7 : 1 + op % 4);
      const bool allowed = engine::CanPush(model, x, y, d);
      const bool wasWinnable = engine::IsWinnable(model);
      const engine::Board before = model;
      const engine::TrapList traps = engine::RecordTrapdoors(model);
      const int asked = prompt.asked;

      game.MoveCube(x, y, d);
      const engine::MoveOutcome out = engine::SlideCube(model, x, y, d);
      fuzz::Check(out.moved == allowed, "SlideCube moves exactly when CanPush allows");
      if (out.moved) {
        history.emplace_back(engine::MakeUndoRecord(out, traps), before);
        if (history.size() > static_cast<std::size_t>(engine::kUndoDepth)) history.pop_front();
        const bool asks = out.crushed && wasWinnable && !engine::IsWinnable(model);
        fuzz::Check(prompt.asked == asked + (asks ? 1 : 0), "the unwinnable question comes exactly then");
        if (asks && undoAfterCrush) {
          engine::RevertMove(model, history.back().first);
          history.pop_back();
        }
      } else {
        fuzz::Check(engine::SamePosition(model, before), "a refused push changes nothing");
      }
    }
    fuzz::CheckBoard(game.board(), "during play");
    fuzz::Check(engine::SamePosition(game.board(), model), "MoveCube and SlideCube agree",
                "step " + std::to_string(step));
    fuzz::Check(game.state().undoAvailable == !history.empty(), "undo offered exactly when a move is kept");
    fuzz::Check(engine::IsWinnable(game.board()) == Recount(game.board()), "the count test matches a recount");
  }
  return 0;
}
