#pragma once
// frmHowToPlay: one illustrated page with an OK button (picHowToPlay, 503 x 431), shown once,
// on the first Play of the run that created settings.ini.
#include "shell/screen.h"
#include "shell/screens.h"

namespace shell {

class HowToPlayScreen final : public Screen {
 public:
  static constexpr int kWidth = 503;
  static constexpr int kHeight = 431;

  explicit HowToPlayScreen(AppServices& services);

  void OnMouseMove(int x, int y, int button) override;
  void OnClick() override;
  void OnKeyDown(int key, bool shift) override;
  void OnKeyUp(int key, bool shift) override;
  void Paint() override { PresentHowToPlay(); }

  // Drawing (screen_drawing_how_to_play.cpp).
  void ComposeHowToPlay();
  void PresentHowToPlay();
  void HighlightHowToPlay();

  static bool OverOk(int x, int y) { return x > 236 && x < 271 && y > 397 && y < 430; }
  bool okHighlighted() const { return okHover_; }

 private:
  AppServices& s_;
  bool okHover_ = false;
  int closeKey_ = 0;
};

}  // namespace shell
