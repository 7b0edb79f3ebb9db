#include "shell/message_box.h"

namespace shell {

namespace {
// The areas that count; they are not the drawn buttons (exclusive bounds made inclusive).
constexpr HotArea kYesNoAreas[] = {
    {1, 46, 101, 99, 129},   // Yes: x 45 < x < 100
    {2, 208, 101, 257, 129}, // No: x 207 < x < 258
};
constexpr HotArea kCloseArea[] = {
    {1, 111, 101, 189, 129},  // close: 110 < x < 190
};
}  // namespace

MessageScreen::MessageScreen(GameMessageBox& box, presentation::SpriteStore& sprites,
                             engine::SoundPlayer& sound, const presentation::TextRenderer* font)
    : Screen(kWidth, kHeight), box_(box), sprites_(sprites), sound_(sound), font_(font) {}

int MessageScreen::ButtonAt(int x, int y) const {
  return box_.messageYesNo ? ItemAt(kYesNoAreas, 2, x, y) : ItemAt(kCloseArea, 1, x, y);
}

void MessageScreen::OnMouseMove(int x, int y, int) {
  const int button = ButtonAt(x, y);
  if (button != 0) {
    if (button != messageHover_) HighlightMessage(button);
  } else if (messageHover_ != 0) {
    messageHover_ = 0;
    ComposeMessage();
  }
}

void MessageScreen::OnClick() {
  if (box_.messageYesNo) {
    if (messageHover_ == 1) AnswerYes();
    else if (messageHover_ == 2) AnswerNo();
  } else if (messageHover_ == 1) {
    CloseMessage();
  }
}

void MessageScreen::OnKeyDown(int key, bool) {
  if (key == keys::Escape) {
    if (box_.messageYesNo) AnswerNo();
    else CloseMessage();
  } else if (box_.messageYesNo && (key == keys::Letter('Y') || key == keys::Enter)) {
    AnswerYes();
  } else if (box_.messageYesNo && key == keys::Letter('N')) {
    AnswerNo();
  } else if (key == keys::Left || key == keys::Right || key == keys::Tab) {
    // The buttons by keyboard: the highlight moves as the pointer's would, Space presses it.
    const int last = box_.messageYesNo ? 2 : 1;
    const int to = messageHover_ == 0 ? (key == keys::Left ? last : 1) : messageHover_ % last + 1;
    if (to != messageHover_) HighlightMessage(to);
  } else if (key == keys::Space && messageHover_ != 0) {
    OnClick();
  }
}

void MessageScreen::AnswerYes() {
  box_.messageAnswer = true;
  CloseMessage();
}

void MessageScreen::AnswerNo() {
  box_.messageAnswer = false;
  CloseMessage();
}

void MessageScreen::CloseMessage() {
  if (Closed()) return;
  sound_.PlaySoundEffect("btnclick");
  Close();
}

bool GameMessageBox::ShowMessage(const std::string& text, bool yesNo) {
  if (current_) return messageAnswer;
  messageYesNo = yesNo;
  messageText = text;
  MessageScreen screen(*this, sprites_, sound_, font_);
  current_ = &screen;
  screen.ComposeMessage();
  modal_.RunModal(screen);
  current_ = nullptr;
  return messageAnswer;
}

}  // namespace shell
