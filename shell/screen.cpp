#include "shell/screen.h"

namespace shell {

Screen::Screen(int width, int height) : picture_(width, height) {}

void Screen::OnMouseMove(int, int, int) {}
void Screen::OnMouseDown(int, int, int) {}
void Screen::OnMouseUp(int, int, int) {}
void Screen::OnClick() {}
void Screen::OnKeyDown(int, bool) {}
void Screen::OnKeyUp(int, bool) {}
void Screen::Paint() { Invalidate(); }

bool Screen::TakeRepaintRequest() {
  const bool r = repaint_;
  repaint_ = false;
  return r;
}

void Screen::HandleInput(const InputEvent& e) {
  const bool inside = e.x >= 0 && e.y >= 0 && e.x < Width() && e.y < Height();
  switch (e.type) {
    case InputType::MouseMove:
      OnMouseMove(e.x, e.y, e.button);
      break;
    case InputType::MouseDown:
      if (e.button == buttons::Left) leftPressedInside_ = inside;
      OnMouseDown(e.x, e.y, e.button);
      break;
    case InputType::MouseUp: {
      const bool click = e.button == buttons::Left && leftPressedInside_ && inside;
      if (e.button == buttons::Left) leftPressedInside_ = false;
      OnMouseUp(e.x, e.y, e.button);
      if (click && !closed_) OnClick();
      break;
    }
    case InputType::KeyDown:
      OnKeyDown(e.key, e.shift);
      break;
    case InputType::KeyUp:
      OnKeyUp(e.key, e.shift);
      break;
  }
}

void Screen::DrawInto(Surface& frame, int x, int y) const {
  presentation::BitBlt(frame, x, y, picture_.width(), picture_.height(), picture_, 0, 0,
                       presentation::RasterOp::SrcCopy);
}

void CopySprite(Surface& dst, int x, int y, const Surface* sprite, int width, int height) {
  if (!sprite || sprite->empty()) return;
  presentation::BitBlt(dst, x, y, width < 0 ? sprite->width() : width, height < 0 ? sprite->height() : height,
                       *sprite, 0, 0, presentation::RasterOp::SrcCopy);
}

int ItemAt(const HotArea* areas, int count, int x, int y) {
  for (int i = 0; i < count; ++i) {
    const HotArea& a = areas[i];
    if (x >= a.left && x <= a.right && y >= a.top && y <= a.bottom) return a.item;
  }
  return 0;
}

}  // namespace shell
