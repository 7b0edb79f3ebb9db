#pragma once
// Everything the editor asks of the desktop: message boxes, file dialogs, the web browser and
// the busy pointer. The window implements it with real dialogs; tests script the answers.
#include <string>
#include <vector>

namespace mapwright {

enum class MessageIcon { None, Information, Question, Exclamation, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class EditorUi {
 public:
  virtual ~EditorUi() = default;
  // A question; the answer is one of the buttons offered.
  virtual Answer Ask(const std::string& text, const std::string& title, MessageIcon icon,
                     Buttons buttons) = 0;
  // A notice with an OK button.
  virtual void Tell(const std::string& text, const std::string& title, MessageIcon icon) = 0;
  // Filters are in the toolkit's form ("Name (*.cdn);;All files (*)"). Cancel gives "".
  virtual std::string OpenFileName(const std::string& title, const std::string& filter,
                                   const std::string& folder) = 0;
  virtual std::string SaveFileName(const std::string& title, const std::string& filter,
                                   const std::string& folder, const std::string& fileName) = 0;
  // Asks the desktop to open an address; false when no program to open it could be started.
  virtual bool OpenUrl(const std::string& url) = 0;
  // Starts another program detached; false when it could not be started.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& args) = 0;
  virtual void SetBusyPointer(bool /*busy*/) {}
  // Lets the window handle what is waiting in its queue during a long loop.
  virtual void PumpPendingInput() {}
};

// What the document tells the window, so that it can mirror the document in its controls.
class EditorView {
 public:
  virtual ~EditorView() = default;
  // The back buffer changed; copy it to the screen.
  virtual void RefreshCanvas() {}
  // Captions, texts, list entries, enabled states changed.
  virtual void ControlsChanged() {}
  // Only the status line and the verdicts beside the list entries changed.
  virtual void VerdictsChanged() {}
  // Move Up / Move Down give their button the keyboard focus to repeat.
  virtual void FocusMoveButton(bool /*up*/) {}
  // The header boxes hold what the user typed; the document reads them through this before
  // it uses them.
  virtual void CollectHeaderBoxes() {}
};

}  // namespace mapwright
