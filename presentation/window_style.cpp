#include "presentation/window_style.h"

namespace presentation {

void WindowStyle::SetClient(StyledWindow* client) {
  client_ = client;
  hWnd_ = client ? client->Handle() : 0;
}

void WindowStyle::SetAutoDrag(bool on) {
  autoDrag_ = on;
  // The desktop drags a window only when it knows beforehand which area grabs it.
  if (client_) client_->SetClientDrag(on);
}

bool WindowStyle::HasStyle(std::uint32_t bits) const {
  return client_ && (client_->GetStyle() & bits) != 0;
}
bool WindowStyle::HasExStyle(std::uint32_t bits) const {
  return client_ && (client_->GetExStyle() & bits) != 0;
}

void WindowStyle::WriteStyle(std::uint32_t bits, bool on) {
  if (!client_) return;
  const std::uint32_t word = client_->GetStyle();
  client_->SetStyle(on ? (word | bits) : (word & ~bits));
  pRedraw();
}

void WindowStyle::WriteExStyle(std::uint32_t bits, bool on) {
  if (!client_) return;
  const std::uint32_t word = client_->GetExStyle();
  client_->SetExStyle(on ? (word | bits) : (word & ~bits));
  pRedraw();
}

void WindowStyle::SetTopMost(bool on) {
  if (client_) client_->SetTopMost(on);
}

void WindowStyle::pRedraw() {
  if (client_) client_->RedrawFrame();
}

void WindowStyle::ShowSysMenu(int x, int y) {
  if (client_) client_->ShowWindowMenu(x, y);
}

void WindowStyle::OnClientMouseDown(int button) {
  // With AutoDrag the window manager already drags on a left press (SetClientDrag).
  (void)button;
}

void WindowStyle::OnClientMouseUp(int button, int screenX, int screenY) {
  if (button == 2 && autoSysMenu_) ShowSysMenu(screenX, screenY);
}

}  // namespace presentation
