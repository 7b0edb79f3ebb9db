#pragma once
// The platform's standard message box: title "Frostlide", an icon, Yes/No or OK. It serves the
// questions asked before the main window exists and the file and settings errors; everything
// else goes through the game's own box. Behind an interface so tests script the answers.
#include <string>

#include "engine/ports.h"

struct SDL_Window;

namespace presentation {

class SystemMessageBox {
 public:
  virtual ~SystemMessageBox() = default;
  // True for Yes (or OK); No, a closed box and any failure count as No.
  virtual bool Show(const std::string& text, engine::MessageIcon icon, bool yesNo) = 0;
};

class SdlMessageBox : public SystemMessageBox {
 public:
  explicit SdlMessageBox(std::string title = "Frostlide") : title_(std::move(title)) {}
  // The box is modal for this window once it exists; nullptr before.
  void SetParent(SDL_Window* parent) { parent_ = parent; }
  bool Show(const std::string& text, engine::MessageIcon icon, bool yesNo) override;

 private:
  std::string title_;
  SDL_Window* parent_ = nullptr;
};

}  // namespace presentation
