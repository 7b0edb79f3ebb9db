#pragma once
// The desktop's real message boxes, file dialogs and browser.
#include <QPointer>
#include <QWidget>

#include "editor/editor_ui.h"

namespace mapwright {

class QtEditorUi : public EditorUi {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer Ask(const std::string& text, const std::string& title, MessageIcon icon,
             Buttons buttons) override;
  void Tell(const std::string& text, const std::string& title, MessageIcon icon) override;
  std::string OpenFileName(const std::string& title, const std::string& filter,
                           const std::string& folder) override;
  std::string SaveFileName(const std::string& title, const std::string& filter,
                           const std::string& folder, const std::string& fileName) override;
  bool OpenUrl(const std::string& url) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override;
  void SetBusyPointer(bool busy) override;
  void PumpPendingInput() override;

 private:
  QPointer<QWidget> parent_;
  int busyDepth_ = 0;
};

}  // namespace mapwright
