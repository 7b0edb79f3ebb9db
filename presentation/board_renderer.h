#pragma once
// The board renderer: composes the playing field in boardBuffer from picbg and the board
// sprites, and presents it in CubeBox, the picture the player sees. The engine drives it
// through engine::BoardPainter.
#include <cstddef>
#include <string>

#include "engine/ports.h"
#include "presentation/sprite_store.h"
#include "presentation/surface.h"

namespace presentation {

// Whatever shows CubeBox to the player: the game window, a test, a PNG writer.
class BoardScreen {
 public:
  virtual ~BoardScreen() = default;
  // CubeBox changed (after every present and every fade step); cubeBox is 465 x 465 and
  // stays valid for the renderer's lifetime.
  virtual void ShowBoard(const Surface& cubeBox) = 0;
};

class BoardRenderer final : public engine::BoardPainter {
 public:
  // store supplies boardBuffer, picbg and the sprites; clock paces the fade. fadeEffect and
  // suppressFade point at the shell's flags and are read at every level draw; a null pointer
  // reads as off. screen may be null (nothing is shown, CubeBox is still kept).
  BoardRenderer(SpriteStore& store, engine::Clock& clock, const bool* fadeEffect,
                const bool* suppressFade, BoardScreen* screen = nullptr);

  void SetScreen(BoardScreen* screen) { screen_ = screen; }
  void SetFlags(const bool* fadeEffect, const bool* suppressFade) {
    fadeEffect_ = fadeEffect;
    suppressFade_ = suppressFade;
  }

  // What the player sees of the board.
  const Surface& cubeBox() const { return cubeBox_; }
  Surface& boardBuffer() { return store_.surfaces().boardBuffer; }
  Surface& picbg() { return store_.surfaces().picbg; }
  // Presents so far (fade steps count one each), for tests and the benchmarks.
  std::size_t presentCount() const { return presents_; }

  void LoadBackground(int scenery) override;
  void LoadBlockSet(int scenery) override;
  void DrawLevel(const engine::Board& board) override;
  void PresentBoard(bool fade) override;
  void DrawBoardSprite(int x, int y, engine::SpriteId sprite, engine::RasterOp op,
                       bool pixelCoordinates, bool deferPresent, bool masked) override;
  void DrawBackgroundSprite(int x, int y, engine::SpriteId sprite, engine::RasterOp op) override;
  void DrawTrapdoor(int x, int y, engine::SpriteId sprite, engine::BoardSurface target,
                    bool restoreFirst) override;
  void DrawCubeLayer(const engine::Board& board) override;
  void RestoreFromBackground(int px, int py, int width, int height) override;

 private:
  void Show();
  // Transparent draw of sprite through mask at pixel (px, py) of dst.
  void Masked(Surface& dst, int px, int py, engine::SpriteId mask, engine::SpriteId sprite);

  SpriteStore& store_;
  engine::Clock& clock_;
  const bool* fadeEffect_;
  const bool* suppressFade_;
  BoardScreen* screen_;
  Surface cubeBox_;
  std::size_t presents_ = 0;
};

// A BoardScreen that keeps the latest picture and writes it as PNG on request.
class PngBoardScreen final : public BoardScreen {
 public:
  void ShowBoard(const Surface& cubeBox) override;
  const Surface& last() const { return last_; }
  std::size_t frames() const { return frames_; }
  bool Write(const std::string& path) const;

 private:
  Surface last_;
  std::size_t frames_ = 0;
};

}  // namespace presentation
