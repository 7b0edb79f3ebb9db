#pragma once
// frmMsg, the game's own message box: a Yes/No question or a notice with one close button,
// drawn from bitmaps, shown modally over the main window. ShowMessage is its one entry point.
#include <memory>
#include <string>

#include "engine/ports.h"
#include "presentation/sprite_store.h"
#include "presentation/text.h"
#include "shell/screen.h"

namespace shell {

class GameMessageBox;

// The box while it is shown (picMsg, 304 x 140). Loaded by ShowMessage, gone once closed.
class MessageScreen final : public Screen {
 public:
  static constexpr int kWidth = 304;
  static constexpr int kHeight = 140;

  MessageScreen(GameMessageBox& box, presentation::SpriteStore& sprites, engine::SoundPlayer& sound,
                const presentation::TextRenderer* font);

  void OnMouseMove(int x, int y, int button) override;
  void OnClick() override;
  void OnKeyDown(int key, bool shift) override;
  void Paint() override { PresentMessage(); }

  // Drawing (screen_drawing_message.cpp).
  void ComposeMessage();
  void PresentMessage();
  void HighlightMessage(int item);

  void AnswerYes();
  void AnswerNo();
  void CloseMessage();

  // 1 Yes (or the close button), 2 No, 0 none, for the current form.
  int ButtonAt(int x, int y) const;
  int messageHover() const { return messageHover_; }

 private:
  GameMessageBox& box_;
  presentation::SpriteStore& sprites_;
  engine::SoundPlayer& sound_;
  const presentation::TextRenderer* font_;
  int messageHover_ = 0;
};

class GameMessageBox {
 public:
  GameMessageBox(ModalRunner& modal, presentation::SpriteStore& sprites, engine::SoundPlayer& sound)
      : modal_(modal), sprites_(sprites), sound_(sound) {}

  // The font of the message text (bold 12 points); without one the text is not drawn.
  void SetFont(const presentation::TextRenderer* font) { font_ = font; }

  // Shows the box and returns the answer (true for Yes; notices give the last answer too). A
  // message asked for while a box is open shows nothing and returns the current answer.
  bool ShowMessage(const std::string& text, bool yesNo);

  bool IsOpen() const { return current_ != nullptr; }
  // The box on the screen, nullptr when none is.
  MessageScreen* current() const { return current_; }

  bool messageYesNo = false;
  std::string messageText;
  bool messageAnswer = false;

 private:
  ModalRunner& modal_;
  presentation::SpriteStore& sprites_;
  engine::SoundPlayer& sound_;
  const presentation::TextRenderer* font_ = nullptr;
  MessageScreen* current_ = nullptr;
};

}  // namespace shell
