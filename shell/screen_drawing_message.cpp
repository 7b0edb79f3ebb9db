// The message box's picture: frame, the buttons of its form, one line of white text.
#include "shell/message_box.h"

namespace shell {

namespace {
constexpr int kButtonW = 73;
constexpr int kButtonH = 39;
constexpr std::uint32_t kTextColour = presentation::Rgb(255, 255, 255);
}  // namespace

void MessageScreen::ComposeMessage() {
  Surface& s = sprites_.surfaces().messageSurface;
  CopySprite(s, 0, 0, sprites_.FindSprite("msg"), kWidth, kHeight);
  if (box_.messageYesNo) {
    CopySprite(s, 45, 100, sprites_.FindSprite("msgyes"), kButtonW, kButtonH);
    CopySprite(s, 213, 100, sprites_.FindSprite("msgno"), kButtonW, kButtonH);
  } else {
    CopySprite(s, 115, 100, sprites_.FindSprite("msgclose"), kButtonW, kButtonH);
  }
  PresentMessage();
}

void MessageScreen::PresentMessage() {
  CopySprite(picture(), 0, 0, &sprites_.surfaces().messageSurface, kWidth, kHeight);
  // The text goes on the picture box, not into the surface, and is cut at the box's edge.
  if (font_) font_->DrawText(picture(), 10, 40, box_.messageText, kTextColour);
  Invalidate();
}

void MessageScreen::HighlightMessage(int item) {
  Surface& s = sprites_.surfaces().messageSurface;
  if (!box_.messageYesNo) {
    CopySprite(s, 115, 100, sprites_.FindSprite("msgclosehigh"), kButtonW, kButtonH);
  } else if (item == 1) {
    CopySprite(s, 45, 100, sprites_.FindSprite("msgyeshigh"), kButtonW, kButtonH);
  } else if (item == 2) {
    CopySprite(s, 213, 100, sprites_.FindSprite("msgnohigh"), kButtonW, kButtonH);
  }
  sound_.PlaySoundEffect("btnhover");
  PresentMessage();
  messageHover_ = item;
}

}  // namespace shell
