#pragma once
// The platform's standard message box: title "Frostlide", an icon, Yes/No or OK. It serves the
// questions asked before the main window exists and the file and settings errors; everything
// else goes through the game's own box. Behind an interface so tests script the answers.
#include <functional>
#include <optional>
#include <string>

#include "engine/ports.h"
#include "presentation/drawn_message_box.h"

struct SDL_Window;

namespace presentation {

class ModalRunner;

class SystemMessageBox {
 public:
  virtual ~SystemMessageBox() = default;
  // True for Yes (or OK), false for No or a box closed without an answer; nothing when no box
  // could be shown at all, which the caller must never take for an answer.
  virtual std::optional<bool> Show(const std::string& text, engine::MessageIcon icon, bool yesNo) = 0;
};

// The desktop's box through SDL; when the desktop cannot show one (SDL needs a helper program
// or X core fonts for it), the game draws the box itself (DrawnMessageBox).
class SdlMessageBox : public SystemMessageBox {
 public:
  // The desktop's own box: the answer, or nothing when it could not be shown.
  using PlatformBox = std::function<std::optional<bool>(const std::string& title, const std::string& text,
                                                        engine::MessageIcon icon, bool yesNo, SDL_Window* parent)>;

  // platform empty: SDL_ShowMessageBox.
  explicit SdlMessageBox(std::string title = "Frostlide", PlatformBox platform = {});
  ~SdlMessageBox() override;
  SdlMessageBox(const SdlMessageBox&) = delete;
  SdlMessageBox& operator=(const SdlMessageBox&) = delete;

  // The box is modal for this window once it exists; nullptr before.
  void SetParent(SDL_Window* parent) { parent_ = parent; }
  // The main window once it is on the screen: a drawn box then opens over it.
  void SetModalRunner(ModalRunner* runner) { runner_ = runner; }
  // The pictures and type of the drawn box.
  void SetArt(DrawnBoxArt art) { art_ = std::move(art); }
  std::optional<bool> Show(const std::string& text, engine::MessageIcon icon, bool yesNo) override;

  static std::optional<bool> ShowWithSdl(const std::string& title, const std::string& text,
                                         engine::MessageIcon icon, bool yesNo, SDL_Window* parent);

 private:
  std::optional<bool> ShowDrawn(const std::string& text, engine::MessageIcon icon, bool yesNo);

  std::string title_;
  PlatformBox platform_;
  SDL_Window* parent_ = nullptr;
  ModalRunner* runner_ = nullptr;
  DrawnBoxArt art_;
  bool videoStarted_ = false;
};

}  // namespace presentation
