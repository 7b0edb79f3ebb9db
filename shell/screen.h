#pragma once
// The screen framework of the game. A screen is a picture box with handlers: the window (or a
// test) feeds it our own input events in the screen's pixels, it draws into its picture, and
// the window shows that picture. A modal screen runs in a nested loop on the window thread:
//
//     MyScreen s(...);          // Load: compose the picture
//     modal.RunModal(s);        // returns once s.Close() was called
//
// Handlers run on the window thread; a handler may open further modal screens.
#include <string_view>

#include "presentation/input.h"
#include "presentation/surface.h"
#include "presentation/window.h"

namespace shell {

namespace keys = presentation::keys;
namespace buttons = presentation::buttons;
using presentation::InputEvent;
using presentation::InputType;
using presentation::ModalRunner;
using presentation::Surface;

class Screen : public presentation::ScreenView {
 public:
  Screen(int width, int height);

  int Width() const override { return picture_.width(); }
  int Height() const override { return picture_.height(); }

  // The picture box's content: what the window shows for this screen. The screen's Present
  // routines copy their composition surface here and call Invalidate.
  Surface& picture() { return picture_; }
  const Surface& picture() const { return picture_; }

  // Handlers; all do nothing unless a screen overrides them. Coordinates are the screen's own
  // pixels; button is 1 left, 2 right, 4 middle (for a move: the buttons held); key codes are
  // presentation::keys (letters 'A'..'Z' whatever the case).
  virtual void OnMouseMove(int x, int y, int button);
  virtual void OnMouseDown(int x, int y, int button);
  virtual void OnMouseUp(int x, int y, int button);
  // A left press and its release both inside the screen (after OnMouseUp).
  virtual void OnClick();
  virtual void OnKeyDown(int key, bool shift);
  virtual void OnKeyUp(int key, bool shift);
  // The window asks for an up-to-date picture (shown, uncovered): usually the Present routine.
  void Paint() override;

  // Ends the screen's modal loop.
  void Close() { closed_ = true; }
  bool Closed() const override { return closed_; }

  // Asks the window for a new frame after the current event.
  void Invalidate() { repaint_ = true; }
  bool TakeRepaintRequest() override;

  // Turns one input event into handler calls (MouseDown, MouseUp, Click, ...). The window calls
  // it; tests may call it or the handlers directly.
  void HandleInput(const InputEvent& event) override;
  // Copies the picture into the frame.
  void DrawInto(Surface& frame, int x, int y) const override;

 private:
  Surface picture_;
  bool closed_ = false;
  bool repaint_ = true;
  bool leftPressedInside_ = false;
};

// Plain copy of a whole sprite (or its top-left width x height) to dst at (x, y); a sprite that
// is missing draws nothing.
void CopySprite(Surface& dst, int x, int y, const Surface* sprite, int width = -1, int height = -1);

// Item under the pointer from a table of rectangles whose bounds count as given (see each
// screen): first match wins, 0 for none.
struct HotArea {
  int item;
  int left, top, right, bottom;  // inclusive bounds
};
int ItemAt(const HotArea* areas, int count, int x, int y);

}  // namespace shell
