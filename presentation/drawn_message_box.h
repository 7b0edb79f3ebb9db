#pragma once
// The message box the game draws itself, for when the desktop cannot show one (no helper
// program for it, no fonts on the X server): the same text, the icon's meaning and the same
// buttons, in the look of the game's own box. It runs over the main window once that is on the
// screen, and in a small window of its own before. It stays readable when its pictures or the
// font are missing: a plain frame, and letters compiled into the game.
//
// Keys: Enter gives the default button (Yes, or OK), Esc gives No (or OK), Y and N answer a
// question. Closing its window counts as Esc.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ports.h"
#include "presentation/surface.h"
#include "presentation/window.h"

namespace presentation {

class TextRenderer;

// Where the box finds its pictures and type; any of them may be missing.
struct DrawnBoxArt {
  std::string appPath;             // data/sprites/gui/msg*.bmp below it
  std::vector<std::string> fonts;  // TrueType files tried in order
};

class DrawnMessageBox final : public ScreenView {
 public:
  static constexpr int kWidth = 304;  // the game's box; it grows downwards for longer texts
  static constexpr int kBaseHeight = 140;
  static constexpr int kMaxHeight = 470;

  DrawnMessageBox(std::string title, const std::string& text, engine::MessageIcon icon, bool yesNo,
                  const DrawnBoxArt& art);
  ~DrawnMessageBox() override;
  DrawnMessageBox(const DrawnMessageBox&) = delete;
  DrawnMessageBox& operator=(const DrawnMessageBox&) = delete;

  int Width() const override { return picture_.width(); }
  int Height() const override { return picture_.height(); }
  void DrawInto(Surface& frame, int x, int y) const override;
  void HandleInput(const InputEvent& event) override;
  void Paint() override;
  bool Closed() const override { return closed_; }
  bool TakeRepaintRequest() override;

  // Opens a window of the box's size, runs it there until it is answered and closes it again.
  // False (and no answer) when no window can be opened. The caller keeps SDL's video running.
  bool RunInOwnWindow();

  // True for Yes (or OK); only meaningful once Closed().
  bool answer() const { return answer_; }
  const Surface& picture() const { return picture_; }
  // The text as it is laid out, one entry per line.
  const std::vector<std::string>& lines() const { return lines_; }
  bool builtinLetters() const { return !font_; }
  bool framePicture() const { return frame_.has_value(); }
  // 1 Yes (or OK), 2 No, 0 none: the button under (x, y), and the one under the pointer.
  int ButtonAt(int x, int y) const;
  int hover() const { return hover_; }
  // Where the text starts (right of the icon when there is one) and its line height.
  int textX() const { return textX_; }
  int lineHeight() const;

 private:
  int TextWidth(const std::string& s) const;
  void DrawLetters(Surface& target, int x, int y, const std::string& s, std::uint32_t colour) const;
  void Compose();
  void DrawBackground();
  void DrawButton(int x, int y, int button, const char* label, const std::optional<Surface>& normal,
                  const std::optional<Surface>& high);
  void DrawIcon();
  void Answer(int button);

  std::string title_;
  engine::MessageIcon icon_;
  bool yesNo_;
  std::unique_ptr<TextRenderer> font_;
  std::optional<Surface> frame_, yes_, yesHigh_, no_, noHigh_, close_, closeHigh_;
  std::vector<std::string> lines_;
  int textX_ = 10;
  Surface picture_;
  int hover_ = 0;
  int pressed_ = 0;
  bool closed_ = false;
  bool answer_ = false;
  bool repaint_ = true;
};

}  // namespace presentation
