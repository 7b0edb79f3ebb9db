// What the board costs to draw: one glide frame, a whole level, and the raw block copies.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/board.h"
#include "engine/ports.h"
#include "platform/test_dir.h"
#include "presentation/board_renderer.h"
#include "presentation/sprite_store.h"
#include "presentation/surface.h"
#include "presentation/synthetic_art.h"

namespace {

using engine::CellKind;
using engine::CubeColor;
using presentation::BoardRenderer;
using presentation::Surface;

class QuietPrompt : public engine::Prompt {
 public:
  bool ShowMessage(const std::string&, bool) override { return false; }
  bool SystemMessage(const std::string&, engine::MessageIcon, bool) override { return false; }
};

class NoWaitClock : public engine::Clock {
 public:
  std::uint32_t TickCount() override { return now; }
  void Sleep(std::uint32_t ms) override { now += ms; }
  std::uint32_t now = 0;
};

// A store with every sprite loaded from synthetic art in a temporary folder.
struct Scene {
  platform::testing::TestDir dir;
  QuietPrompt prompt;
  NoWaitClock clock;
  bool fadeEffect = false;
  bool suppressFade = true;
  std::unique_ptr<presentation::SpriteStore> store;
  std::unique_ptr<BoardRenderer> renderer;
  engine::Board board;

  Scene() {
    if (!presentation::synthetic::WriteSyntheticArt(dir.path(), false)) std::abort();
    store = std::make_unique<presentation::SpriteStore>(dir.path(), prompt, [] { std::abort(); });
    store->CreateSurfaces();
    store->LoadSprites(false);
    renderer = std::make_unique<BoardRenderer>(*store, clock, &fadeEffect, &suppressFade);
    renderer->LoadBackground(1);
    renderer->LoadBlockSet(1);
    // A busy level: a wall round the edge and every kind of cell inside.
    const CellKind kinds[] = {CellKind::Empty, CellKind::Cube, CellKind::Sphere, CellKind::Empty,
                              CellKind::CrackedBlock, CellKind::Trapdoor, CellKind::CrushBlock, CellKind::Empty};
    for (int y = 1; y <= 15; ++y)
      for (int x = 1; x <= 15; ++x) {
        engine::Cell& c = board.at(x, y);
        const bool edge = x == 1 || y == 1 || x == 15 || y == 15;
        c.kind = edge ? CellKind::Block : kinds[(x * 7 + y * 3) % 8];
        c.cubeColor = static_cast<CubeColor>(1 + (x + y) % 6);
        c.sphereColor = static_cast<CubeColor>(1 + (x * y) % 6);
      }
  }
};

Scene& SharedScene() {
  static Scene scene;
  return scene;
}

// One frame of a cube gliding right along row 8: the trailing strip restored from picbg, the
// cube drawn through its mask 4 pixels on, and the whole board presented into CubeBox.
void BM_GlideFrame(benchmark::State& state) {
  Scene& s = SharedScene();
  const int rowOrigin = 7 * 31;
  int p = 31;
  for (auto _ : state) {
    s.renderer->RestoreFromBackground(p, rowOrigin, 7, 31);
    p = p + 4 > 400 ? 31 : p + 4;
    s.renderer->DrawBoardSprite(p, rowOrigin, engine::CubeSprite(2, CubeColor::Blue), engine::RasterOp::SrcCopy,
                                true, false, true);
    benchmark::DoNotOptimize(s.renderer->cubeBox().pixels().data());
  }
}
BENCHMARK(BM_GlideFrame);

// A whole level composed from the background and presented (no fade, as from the menus).
void BM_DrawLevel(benchmark::State& state) {
  Scene& s = SharedScene();
  for (auto _ : state) {
    presentation::BitBlt(s.store->surfaces().boardBuffer, 0, 0, 465, 465, s.store->surfaces().picbg, 0, 0,
                         engine::RasterOp::SrcCopy);
    s.renderer->DrawLevel(s.board);
    benchmark::DoNotOptimize(s.renderer->cubeBox().pixels().data());
  }
}
BENCHMARK(BM_DrawLevel);

// One step of the level fade: the whole board blended onto CubeBox.
void BM_FadeStep(benchmark::State& state) {
  Scene& s = SharedScene();
  Surface box(465, 465, 0x123456);
  for (auto _ : state) {
    presentation::AlphaBlend(box, 0, 0, 465, 465, s.store->surfaces().boardBuffer, 0, 0, 60, 0, false);
    benchmark::DoNotOptimize(box.pixels().data());
  }
  state.SetBytesProcessed(state.iterations() * 465 * 465 * 4);
}
BENCHMARK(BM_FadeStep);

// The transparent draw (mask AND, then sprite OR) of a square of side n...
void BM_MaskedBlockCopy(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Surface dst(n, n, 0x336699), mask(n, n, 0xFFFFFF), sprite(n, n, 0x102030);
  for (auto _ : state) {
    presentation::BitBlt(dst, 0, 0, n, n, mask, 0, 0, engine::RasterOp::SrcAnd);
    presentation::BitBlt(dst, 0, 0, n, n, sprite, 0, 0, engine::RasterOp::SrcPaint);
    benchmark::DoNotOptimize(dst.pixels().data());
  }
  state.SetBytesProcessed(state.iterations() * 2 * n * n * 4);
}
BENCHMARK(BM_MaskedBlockCopy)->Arg(31)->Arg(465);

// ...next to memcpy moving the same bytes (two copies of the square, row by row as a blit does).
void BM_MemcpySameBytes(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::uint32_t> dst(static_cast<std::size_t>(n) * n), a(dst.size(), 1), b(dst.size(), 2);
  const std::size_t row = static_cast<std::size_t>(n) * 4;
  for (auto _ : state) {
    for (int y = 0; y < n; ++y) std::memcpy(dst.data() + y * n, a.data() + y * n, row);
    for (int y = 0; y < n; ++y) std::memcpy(dst.data() + y * n, b.data() + y * n, row);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 2 * n * n * 4);
}
BENCHMARK(BM_MemcpySameBytes)->Arg(31)->Arg(465);

}  // namespace

BENCHMARK_MAIN();
