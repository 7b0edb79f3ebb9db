#pragma once
// clsStyle: changes the frame of one top-level window after it was created (title bar, sizing
// border, the system-menu buttons, tool-window and context-help styles, always-on-top, dragging
// by the client area). The game uses it only to take the title bar and sizing border away for
// full screen and to give the title bar back.
//
// Our windows have no style words of their own, so the class keeps the classic style words and
// turns them into the window manager's calls: Titlebar (both caption bits) is the window
// border, Sizable the resize border, TopMost the always-on-top band. The other bits are kept in
// the words and read back, but there is nothing for them to change on our desktops.
#include <cstdint>

namespace presentation {

namespace style_bits {
inline constexpr std::uint32_t SysMenu = 0x80000;      // ControlBox
inline constexpr std::uint32_t MaximizeBox = 0x10000;  // MaxButton
inline constexpr std::uint32_t MinimizeBox = 0x20000;  // MinButton
inline constexpr std::uint32_t ThickFrame = 0x40000;   // Sizable
inline constexpr std::uint32_t Border = 0x800000;
inline constexpr std::uint32_t DlgFrame = 0x400000;
inline constexpr std::uint32_t Caption = Border | DlgFrame;  // Titlebar
inline constexpr std::uint32_t ExToolWindow = 0x80;
inline constexpr std::uint32_t ExContextHelp = 0x400;
inline constexpr std::uint32_t ExTopMost = 0x8;
}  // namespace style_bits

// The window calls the class needs; the SDL window implements them, tests record them.
class StyledWindow {
 public:
  virtual ~StyledWindow() = default;
  // A handle for hWnd: any non-zero number that names the window.
  virtual std::uintptr_t Handle() const = 0;
  virtual std::uint32_t GetStyle() const = 0;
  virtual void SetStyle(std::uint32_t style) = 0;
  virtual std::uint32_t GetExStyle() const = 0;
  virtual void SetExStyle(std::uint32_t exStyle) = 0;
  // Makes a frame change visible.
  virtual void RedrawFrame() = 0;
  virtual void SetTopMost(bool on) = 0;
  // The client area drags the window while on (the left button grabs it like a title bar).
  virtual void SetClientDrag(bool on) = 0;
  // Pops up the window menu at screen coordinates; nothing where the desktop has none.
  virtual void ShowWindowMenu(int x, int y) = 0;
};

class WindowStyle {
 public:
  // Client: the window whose frame is changed; nullptr for none (every call then does nothing).
  void SetClient(StyledWindow* client);
  StyledWindow* Client() const { return client_; }
  std::uintptr_t hWnd() const { return hWnd_; }

  bool AutoDrag() const { return autoDrag_; }
  void SetAutoDrag(bool on);
  bool AutoSysMenu() const { return autoSysMenu_; }
  void SetAutoSysMenu(bool on) { autoSysMenu_ = on; }

  bool ControlBox() const { return HasStyle(style_bits::SysMenu); }
  void SetControlBox(bool on) { WriteStyle(style_bits::SysMenu, on); }
  bool MaxButton() const { return HasStyle(style_bits::MaximizeBox); }
  void SetMaxButton(bool on) { WriteStyle(style_bits::MaximizeBox, on); }
  bool MinButton() const { return HasStyle(style_bits::MinimizeBox); }
  void SetMinButton(bool on) { WriteStyle(style_bits::MinimizeBox, on); }
  bool Sizable() const { return HasStyle(style_bits::ThickFrame); }
  void SetSizable(bool on) { WriteStyle(style_bits::ThickFrame, on); }
  // True when either caption bit is set.
  bool Titlebar() const { return HasStyle(style_bits::Caption); }
  void SetTitlebar(bool on) { WriteStyle(style_bits::Caption, on); }
  bool ToolWindow() const { return HasExStyle(style_bits::ExToolWindow); }
  void SetToolWindow(bool on) { WriteExStyle(style_bits::ExToolWindow, on); }
  bool WhatsThisButton() const { return HasExStyle(style_bits::ExContextHelp); }
  void SetWhatsThisButton(bool on) { WriteExStyle(style_bits::ExContextHelp, on); }
  bool TopMost() const { return HasExStyle(style_bits::ExTopMost); }
  void SetTopMost(bool on);

  void pRedraw();
  void ShowSysMenu(int x, int y);

  // The client's mouse events (buttons 1 left, 2 right; screen coordinates for the menu).
  void OnClientMouseDown(int button);
  void OnClientMouseUp(int button, int screenX, int screenY);

 private:
  bool HasStyle(std::uint32_t bits) const;
  bool HasExStyle(std::uint32_t bits) const;
  void WriteStyle(std::uint32_t bits, bool on);
  void WriteExStyle(std::uint32_t bits, bool on);

  std::uintptr_t hWnd_ = 0;
  bool autoSysMenu_ = false;
  bool autoDrag_ = false;
  StyledWindow* client_ = nullptr;
};

}  // namespace presentation
