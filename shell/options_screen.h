#pragma once
// frmOptions: six option rows with check boxes and a close button (picOptions, 304 x 313).
// Every click writes all six options to settings.ini; the display mode follows the Full screen
// row when the screen closes.
#include "shell/screen.h"
#include "shell/screens.h"

namespace shell {

class OptionsScreen final : public Screen {
 public:
  static constexpr int kWidth = 304;
  static constexpr int kHeight = 313;
  static constexpr int kCloseItem = 7;

  // Load: remembers fullScreen and colorBlindOption and composes the panel.
  explicit OptionsScreen(AppServices& services);

  void OnMouseMove(int x, int y, int button) override;
  void OnClick() override;
  // Up/Left and Down/Right move between the switches and the close button (highlight and sound
  // as the pointer's), Space works the one highlighted, Enter or Esc closes the screen.
  void OnKeyDown(int key, bool shift) override;
  void Paint() override { PresentOptions(); }
  // While hidden (CloseOptions showing its message) the screen draws nothing.
  void DrawInto(Surface& frame, int x, int y) const override;

  // Drawing (screen_drawing_options.cpp).
  void ComposeOptions();
  void PresentOptions();
  void DrawOptionChecks();
  void HighlightOptions(int item);

  void SaveOptions();
  void CloseOptions();

  // Item 1..6 (a row) or 7 (close) under the pointer, 0 for none; the close button first.
  static int ItemAt(int x, int y);
  int optionsHover() const { return optionsHover_; }
  bool hidden() const { return hidden_; }

 private:
  AppServices& s_;
  int optionsHover_ = 0;
  bool loadFullScreen_ = false;
  bool loadColorBlind_ = false;
  bool hidden_ = false;
};

}  // namespace shell
