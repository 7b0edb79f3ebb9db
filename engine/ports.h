#pragma once
// What the engine needs from the outside world. The engine draws, plays sounds, asks
// questions, reads the clock and tells the shell what to do only through these interfaces;
// the renderer, the shell, the tests and frostlide-cli implement them.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/board.h"

namespace engine {

// Sprites cross into the renderer as ids, never as surfaces.
enum class SpriteKind {
  Cube,          // arrow 0..4, color 1..6
  Sphere,        // color 1..6
  CubeMask,
  SphereMask,
  BlockMask,
  Block,         // the current scenery's block
  CrackedBlock,  // the current scenery's cracked block
  CrushBlock,
};
struct SpriteId {
  SpriteKind kind = SpriteKind::CubeMask;
  int arrow = 0;
  int color = 0;
  friend bool operator==(const SpriteId&, const SpriteId&) = default;
};
inline SpriteId CubeSprite(int arrow, CubeColor color) {
  return {SpriteKind::Cube, arrow, static_cast<int>(color)};
}
inline SpriteId SphereSprite(CubeColor color) { return {SpriteKind::Sphere, 0, static_cast<int>(color)}; }
inline constexpr SpriteId CubeMask{SpriteKind::CubeMask, 0, 0};
inline constexpr SpriteId SphereMask{SpriteKind::SphereMask, 0, 0};
inline constexpr SpriteId BlockMask{SpriteKind::BlockMask, 0, 0};
inline constexpr SpriteId BlockSprite{SpriteKind::Block, 0, 0};
inline constexpr SpriteId CrackedBlockSprite{SpriteKind::CrackedBlock, 0, 0};
inline constexpr SpriteId CrushBlockSprite{SpriteKind::CrushBlock, 0, 0};

enum class RasterOp { SrcCopy, SrcAnd, SrcPaint };
enum class BoardSurface { BoardBuffer, PicBg };

// The board renderer's requests.
class BoardPainter {
 public:
  virtual ~BoardPainter() = default;
  // Level set-up: loads the scenery's background picture (data/backgrounds/bg<s>.jpg) into
  // picbg and copies it to boardBuffer.
  virtual void LoadBackground(int scenery) = 0;
  // Replaces the block and cracked-block sprites by those of scenery s.
  virtual void LoadBlockSet(int scenery) = 0;
  // Draws every cell of the board into boardBuffer and picbg, then presents (with the fade
  // unless the shell suppresses it or the fade option is off).
  virtual void DrawLevel(const Board& board) = 0;
  virtual void PresentBoard(bool fade) = 0;
  virtual void DrawBoardSprite(int x, int y, SpriteId sprite, RasterOp op, bool pixelCoordinates,
                               bool deferPresent, bool masked) = 0;
  virtual void DrawBackgroundSprite(int x, int y, SpriteId sprite, RasterOp op) = 0;
  virtual void DrawTrapdoor(int x, int y, SpriteId sprite, BoardSurface target, bool restoreFirst) = 0;
  virtual void DrawCubeLayer(const Board& board) = 0;
  // Plain copy of a rectangle from picbg to the same place in boardBuffer (no present).
  virtual void RestoreFromBackground(int px, int py, int width, int height) = 0;
};

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // "click", "btnclick", "break", "victory", "match", "crush", "trapdoor", "btnhover".
  // The implementation honours the Sound option.
  virtual void PlaySoundEffect(std::string_view name) = 0;
};

enum class MessageIcon { None, Error, Question, Information, Warning };

class Prompt {
 public:
  virtual ~Prompt() = default;
  // The game's own message box: a Yes/No question (true for Yes) or a notice with its
  // single close button (returns false).
  virtual bool ShowMessage(const std::string& text, bool yesNo) = 0;
  // The platform's standard message box with the title "Frostlide".
  virtual bool SystemMessage(const std::string& text, MessageIcon icon, bool yesNo) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t TickCount() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

// What the shell does on the engine's behalf.
class GameHost {
 public:
  virtual ~GameHost() = default;
  // The in-game menu must redraw (Undo or Next level changed between enabled and disabled).
  virtual void RedrawGameMenu() = 0;
  // Pointer moved onto the board: drop any in-game menu highlight.
  virtual void ClearGameMenuHighlight() = 0;
  // The last level of the pack was solved: credits over the main menu, main menu shown.
  virtual void ShowCredits() = 0;
  virtual void FocusBoard() = 0;
  virtual void UseGameCursor() = 0;
  virtual bool MainMenuVisible() = 0;
  // Runs in-game menu item 1..6 (a board key was released).
  virtual void RunGameMenuCommand(int item) = 0;

  // What the status panel follows; hosts without one ignore them.
  // A level was set up (a new level, a restart, the next level after a win).
  virtual void LevelSetUp() {}
  // A move or an undo changed the position of the level being played.
  virtual void PositionChanged() {}
  // The level was won in moves, after the described win steps; newBest: a record was set.
  virtual void LevelSolved(int /*level*/, int /*moves*/, bool /*newBest*/) {}
};

}  // namespace engine
