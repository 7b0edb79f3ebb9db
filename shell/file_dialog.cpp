#include "shell/file_dialog.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/process.h"

namespace shell {

ProgramOutput CaptureProgramOutput(const std::string& program, const std::vector<std::string>& args,
                                   std::size_t maxOutput) {
  ProgramOutput result;
  // Everything the child needs is prepared before fork: the game has other threads (audio),
  // so only async-signal-safe calls may run between fork and exec.
  std::vector<std::string> storage;
  storage.reserve(args.size() + 1);
  storage.push_back(program);
  for (const std::string& a : args) storage.push_back(a);
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return result;
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(out[0]);
    ::close(out[1]);
    if (devNull >= 0) ::close(devNull);
    return result;
  }
  if (child == 0) {
    if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  if (devNull >= 0) ::close(devNull);

  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(out[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const std::size_t room = maxOutput > result.output.size() ? maxOutput - result.output.size() : 0;
    result.output.append(buf, static_cast<std::size_t>(n) < room ? static_cast<std::size_t>(n) : room);
  }
  ::close(out[0]);

  int status = 0;
  pid_t waited;
  do {
    waited = ::waitpid(child, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited != child) return result;
  result.started = true;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  // exec failed in the child: the program could not be run at all.
  if (result.exitCode == 127 && result.output.empty()) result.started = false;
  return result;
}

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
