// Playing the game screen from the keyboard: the board's selection frame and its pushes, the
// menu column by Up, Down and Enter after Tab, and F1. The mouse keeps working throughout; a
// key only ever adds what a pointer could have done.
#include <algorithm>

#include "engine/board_input.h"
#include "engine/game_rules.h"
#include "shell/game_screen.h"

namespace shell {

namespace {

engine::Direction DirectionOfKey(int key) {
  switch (key) {
    case keys::Left: return engine::Direction::Left;
    case keys::Right: return engine::Direction::Right;
    case keys::Up: return engine::Direction::Up;
    case keys::Down: return engine::Direction::Down;
    default: return engine::Direction::None;
  }
}

// The frame's colours: ice cyan on night navy, gold once a push is armed (white would melt into
// the pale ice of the frozen lake).
constexpr std::uint32_t kInk = 0x0E2233;
constexpr std::uint32_t kIce = 0x5CD6F5;
constexpr std::uint32_t kGold = 0xF0C24B;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// Draws on the board only (board pixels bx, by), whose top left is at (ox, oy) of dst.
struct BoardPen {
  Surface& dst;
  int ox, oy;
  void Put(int bx, int by, std::uint32_t c) const {
    if (bx < 0 || by < 0 || bx >= GameScreen::kBoardSize || by >= GameScreen::kBoardSize) return;
    const int x = ox + bx, y = oy + by;
    if (x < 0 || y < 0 || x >= dst.width() || y >= dst.height()) return;
    dst.setPixel(x, y, c);
  }
  // A one-pixel outline from (l, t) to (r, b), both included.
  void Ring(int l, int t, int r, int b, std::uint32_t c) const {
    for (int x = l; x <= r; ++x) {
      Put(x, t, c);
      Put(x, b, c);
    }
    for (int y = t; y <= b; ++y) {
      Put(l, y, c);
      Put(r, y, c);
    }
  }
  // A triangle pointing along (ax, ay) from `start` to `start + length` pixels beyond (cx, cy),
  // its base `half` pixels to each side.
  void Wedge(int cx, int cy, int ax, int ay, int start, int length, int half, std::uint32_t c) const {
    for (int t = 0; t <= length; ++t) {
      const int h = half * (length - t) / length;
      for (int s = -h; s <= h; ++s) Put(cx + ax * (start + t) + ay * s, cy + ay * (start + t) + ax * s, c);
    }
  }
};

}  // namespace

void GameScreen::OnGameKeyDown(int key, bool shift) {
  if (key == keys::F1) {
    d_.screens().ShowHowToPlay();
    return;
  }
  if (key == keys::Tab) {
    GiveKeyboardToMenu(!kb_.menu);
    return;
  }
  if (kb_.menu) {
    if (key == keys::Up) StepMenuHighlight(-1);
    else if (key == keys::Down) StepMenuHighlight(1);
    else if (key == keys::Right) GiveKeyboardToMenu(false);
    else if (key == keys::Enter || key == keys::Space) GameMenuAction(gameMenuHover_);
    else if (key == keys::Escape) {
      kb_.heldEscape = 1;
      GiveKeyboardToMenu(false);
    }
    return;
  }

  if (kb_.shown && !SelectionStillValid()) DropBoardSelection();
  const engine::Direction d = DirectionOfKey(key);
  const bool select = d != engine::Direction::None || key == keys::Enter || key == keys::Space;
  if (select && !kb_.shown) {
    // The first press shows the frame: on the cube chosen before, else on the one nearest the
    // centre.
    if (SelectionStillValid()) {
      SelectCube(kb_.cell);
    } else if (const auto first = engine::CubeNearestCentre(d_.game.board())) {
      SelectCube(*first);
    }
    return;
  }
  if (d != engine::Direction::None) {
    if (shift || kb_.armed) PushSelection(d);
    else MoveSelection(d);
  } else if (key == keys::Enter || key == keys::Space) {
    kb_.armed = !kb_.armed;
    PresentCubeBox();
  } else if (key == keys::Escape && kb_.shown) {
    // The selection goes first; only the next Esc asks to exit to the menu.
    kb_.heldEscape = 1;
    DropBoardSelection();
  }
}

bool GameScreen::TakeKeyRelease(int key) {
  if (key != keys::Escape || kb_.heldEscape == 0) return false;
  kb_.heldEscape = 0;
  return true;
}

bool GameScreen::SelectionStillValid() const {
  const engine::GameState& st = d_.game.state();
  return kb_.has && !d_.flags.mainMenuVisible && kb_.pack == st.packPath && kb_.level == st.currentLevel &&
         engine::OnBoard(kb_.cell.x, kb_.cell.y) && engine::IsCubeKind(st.board.at(kb_.cell.x, kb_.cell.y).kind);
}

void GameScreen::SelectCube(engine::CellPos cell) {
  const engine::GameState& st = d_.game.state();
  kb_.cell = cell;
  kb_.has = kb_.shown = true;
  kb_.armed = false;
  kb_.pack = st.packPath;
  kb_.level = st.currentLevel;
  // The cube shows the arrow pointing at it would show first.
  const engine::Direction arrow = engine::ArrowFor(st.board, cell.x, cell.y, engine::Direction::None);
  if (arrow == engine::Direction::None) d_.game.HideArrows();
  else d_.game.ShowArrow(cell.x, cell.y, arrow);
  PresentCubeBox();
}

void GameScreen::MoveSelection(engine::Direction d) {
  if (const auto to = engine::NearestCubeToward(d_.game.board(), kb_.cell.x, kb_.cell.y, d)) SelectCube(*to);
}

void GameScreen::PushSelection(engine::Direction d) {
  const engine::CellPos from = kb_.cell;
  kb_.armed = false;
  if (!engine::CanPush(d_.game.board(), from.x, from.y, d)) {
    PresentCubeBox();
    return;
  }
  // Where the cube will rest: the frame follows it there when the push played out as
  // simulated (no win that set up another level, no crush, no undo after the question).
  engine::Board expected = d_.game.board();
  const engine::MoveOutcome outcome = engine::SlideCube(expected, from.x, from.y, d);
  d_.game.ShowArrow(from.x, from.y, d);
  kb_.moving = true;
  ClickBoard();
  kb_.moving = false;
  const bool followed = !outcome.crushed && !d_.flags.mainMenuVisible && d_.game.state().currentLevel == kb_.level &&
                        engine::SamePosition(expected, d_.game.board());
  if (followed) {
    SelectCube({outcome.toX, outcome.toY});
  } else {
    kb_.has = false;
    DropBoardSelection();
  }
}

void GameScreen::DropBoardSelection() {
  const bool was = kb_.shown;
  kb_.shown = kb_.armed = false;
  if (was) PresentCubeBox();
}

void GameScreen::HideBoardSelection() { DropBoardSelection(); }

void GameScreen::StepMenuHighlight(int delta) {
  const bool undo = d_.game.state().undoAvailable;
  int item = gameMenuHover_;
  for (int tries = 0; tries < 6; ++tries) {
    item = item == 0 ? (delta > 0 ? 1 : 6) : (item - 1 + delta + 6) % 6 + 1;
    // Undo never highlights while there is nothing to undo, as with the pointer.
    if (!(item == 1 && !undo)) break;
  }
  if (item == gameMenuHover_) return;
  ComposeGameMenu();
  HighlightGameMenu(item);
}

void GameScreen::GiveKeyboardToMenu(bool menu) {
  kb_.menu = menu;
  if (menu) {
    if (gameMenuHover_ == 0) StepMenuHighlight(1);
  } else {
    ClearHighlight();
  }
  PresentCubeBox();
}

void GameScreen::PresentCubeBox() {
  if (d_.flags.mainMenuVisible || !d_.presentBoard) {
    Invalidate();
    return;
  }
  if (!kb_.shown || kb_.moving || kb_.menu) {
    d_.presentBoard(cubeBox_, kBoardX, kBoardY);
    return;
  }
  Surface shown = cubeBox_;
  DrawBoardSelection(shown, 0, 0);
  d_.presentBoard(shown, kBoardX, kBoardY);
}

void GameScreen::DrawBoardSelection(Surface& dst, int x, int y) const {
  if (!kb_.shown || kb_.moving || kb_.menu || !SelectionStillValid()) return;
  const BoardPen pen{dst, x, y};
  const int px = (kb_.cell.x - 1) * engine::kCellPixels, py = (kb_.cell.y - 1) * engine::kCellPixels;
  const int last = engine::kCellPixels - 1;
  const std::uint32_t colour = kb_.armed ? kGold : kIce;

  // Two bright rings between dark ones, in the gap around the cube: they read on light snow and
  // on the polar night alike, and by brightness rather than hue.
  pen.Ring(px - 3, py - 3, px + last + 3, py + last + 3, kInk);
  pen.Ring(px - 2, py - 2, px + last + 2, py + last + 2, colour);
  pen.Ring(px - 1, py - 1, px + last + 1, py + last + 1, colour);
  pen.Ring(px, py, px + last, py + last, kInk);
  if (kb_.armed) pen.Ring(px + 1, py + 1, px + last - 1, py + last - 1, kGold);
  // White corner brackets mark it as a selection, not a wall.
  for (int i = -2; i <= 5; ++i) {
    for (int w = -2; w <= -1; ++w) {
      pen.Put(px + i, py + w, kWhite);
      pen.Put(px + w, py + i, kWhite);
      pen.Put(px + last - i, py + w, kWhite);
      pen.Put(px + last - w, py + i, kWhite);
      pen.Put(px + i, py + last - w, kWhite);
      pen.Put(px + w, py + last - i, kWhite);
      pen.Put(px + last - i, py + last - w, kWhite);
      pen.Put(px + last - w, py + last - i, kWhite);
    }
  }

  // A wedge on every side the cube can be pushed to; larger once a push is armed.
  const engine::Board& board = d_.game.board();
  struct Side {
    engine::Direction d;
    int cx, cy, ax, ay;
  } const sides[] = {
      {engine::Direction::Left, px, py + 15, -1, 0},
      {engine::Direction::Right, px + last, py + 15, 1, 0},
      {engine::Direction::Up, px + 15, py, 0, -1},
      {engine::Direction::Down, px + 15, py + last, 0, 1},
  };
  const int length = kb_.armed ? 9 : 6, half = kb_.armed ? 7 : 5;
  for (const Side& s : sides) {
    if (!engine::CanPush(board, kb_.cell.x, kb_.cell.y, s.d)) continue;
    pen.Wedge(s.cx, s.cy, s.ax, s.ay, 4, length + 2, half + 2, kInk);
    pen.Wedge(s.cx, s.cy, s.ax, s.ay, 5, length, half, colour);
  }
}

}  // namespace shell
