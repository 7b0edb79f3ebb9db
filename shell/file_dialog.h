#pragma once
// cDialog: the desktop's own open-file dialog. We have no toolkit with file dialogs, so the
// desktop's dialog program does it (zenity on GNOME-like desktops, kdialog on KDE), and we
// read the chosen path from its output. Tests script the FileDialog interface instead.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/process.h"

namespace shell {

struct FileDialogAnswer {
  enum class Kind {
    Chosen,       // path names what the player chose (or typed)
    Cancelled,    // the player closed the dialog without a choice
    Unavailable,  // no dialog program could be run on this desktop
  };
  Kind kind = Kind::Cancelled;
  std::string path;
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Shows an open-file dialog with one filter entry: filterLabel ("Frostlide Level Pack") for
  // the pattern ("*.cdn"). Returns when the player has answered.
  virtual FileDialogAnswer OpenFile(const std::string& title, const std::string& filterLabel,
                                    const std::string& pattern) = 0;
};

using platform::CaptureProgramOutput;
using platform::ProgramOutput;
using ProgramCapture =
    std::function<ProgramOutput(const std::string& program, const std::vector<std::string>& args)>;
// The argument lists for the two dialog programs.
std::vector<std::string> ZenityArguments(const std::string& title, const std::string& filterLabel,
                                         const std::string& pattern);
std::vector<std::string> KdialogArguments(const std::string& title, const std::string& filterLabel,
                                          const std::string& pattern);

// The dialog program's output as a path: the first line, without its line end; empty when
// there is none.
std::string DialogOutputPath(const std::string& output);

class DesktopFileDialog final : public FileDialog {
 public:
  using Finder = std::function<std::string(const std::string& name)>;
  // findOnPath: full path of a program on PATH or empty (platform::FindOnPath); run: starts it
  // and captures its output (CaptureProgramOutput). Both default to the real ones.
  explicit DesktopFileDialog(Finder findOnPath = {}, ProgramCapture run = {});

  FileDialogAnswer OpenFile(const std::string& title, const std::string& filterLabel,
                            const std::string& pattern) override;

 private:
  Finder find_;
  ProgramCapture run_;
};

}  // namespace shell
