#include "shell/file_dialog.h"

#include "platform/process.h"

namespace shell {

namespace {
// GTK matches filter patterns with letter case on this platform: each letter becomes a
// bracket of both cases ("*.cdn" -> "*.[cC][dD][nN]"), so the dialog shows every pack that
// the game's list shows.
std::string AnyCasePattern(const std::string& pattern) {
  std::string out;
  bool inBracket = false;
  for (char c : pattern) {
    const bool lower = c >= 'a' && c <= 'z', upper = c >= 'A' && c <= 'Z';
    if (c == '[') inBracket = true;
    if (c == ']') inBracket = false;
    if (inBracket || (!lower && !upper)) {
      out += c;
      continue;
    }
    out += '[';
    out += static_cast<char>(lower ? c : c - 'A' + 'a');
    out += static_cast<char>(lower ? c - 'a' + 'A' : c);
    out += ']';
  }
  return out;
}
}  // namespace

std::vector<std::string> ZenityArguments(const std::string& title, const std::string& filterLabel,
                                         const std::string& pattern) {
  return {"--file-selection", "--title=" + title, "--file-filter=" + filterLabel + " | " + AnyCasePattern(pattern)};
}

std::vector<std::string> KdialogArguments(const std::string& title, const std::string& filterLabel,
                                          const std::string& pattern) {
  // The start folder is left to the dialog (":frostlide" lets it remember the last one).
  return {"--title", title, "--getopenfilename", ":frostlide", filterLabel + " (" + pattern + ")"};
}

std::string DialogOutputPath(const std::string& output) {
  std::string line = output.substr(0, output.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

DesktopFileDialog::DesktopFileDialog(Finder findOnPath, ProgramCapture run)
    : find_(findOnPath ? std::move(findOnPath) : Finder([](const std::string& n) { return platform::FindOnPath(n); })),
      run_(run ? std::move(run)
               : ProgramCapture([](const std::string& p, const std::vector<std::string>& a) {
                   return CaptureProgramOutput(p, a);
                 })) {}

FileDialogAnswer DesktopFileDialog::OpenFile(const std::string& title, const std::string& filterLabel,
                                             const std::string& pattern) {
  struct Candidate {
    const char* name;
    std::vector<std::string> args;
  };
  const Candidate candidates[] = {
      {"zenity", ZenityArguments(title, filterLabel, pattern)},
      {"kdialog", KdialogArguments(title, filterLabel, pattern)},
  };
  for (const Candidate& c : candidates) {
    const std::string program = find_(c.name);
    if (program.empty()) continue;
    const ProgramOutput out = run_(program, c.args);
    if (!out.started) continue;
    // Both programs exit with 0 for a choice and 1 for Cancel; anything else (no display, a
    // crash) is no answer either, and the player is not left with a dialog that never came.
    if (out.exitCode == 0) {
      std::string path = DialogOutputPath(out.output);
      if (!path.empty()) return {FileDialogAnswer::Kind::Chosen, path};
      return {FileDialogAnswer::Kind::Cancelled, {}};
    }
    if (out.exitCode == 1) return {FileDialogAnswer::Kind::Cancelled, {}};
    return {FileDialogAnswer::Kind::Unavailable, {}};
  }
  return {FileDialogAnswer::Kind::Unavailable, {}};
}

}  // namespace shell
