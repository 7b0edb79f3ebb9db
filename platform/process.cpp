#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/paths.h"

namespace platform {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Only async-signal-safe calls between fork and exec: the game has other threads (audio).
[[noreturn]] void RunGrandchild(const char* file, char* const* argv, int reportFd) {
  sigset_t all;
  sigemptyset(&all);
  ::sigprocmask(SIG_SETMASK, &all, nullptr);
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  ::sigaction(SIGPIPE, &dfl, nullptr);
  ::sigaction(SIGCHLD, &dfl, nullptr);
  const int devNull = ::open("/dev/null", O_RDONLY);
  if (devNull >= 0) {
    ::dup2(devNull, STDIN_FILENO);
    if (devNull != STDIN_FILENO) ::close(devNull);
  }
  ::execv(file, argv);
  const int err = errno;
  (void)!::write(reportFd, &err, sizeof err);
  ::_exit(127);
}

}  // namespace

std::string FindOnPath(const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) {
    const std::string resolved = ResolvePath(name);
    return IsExecutableFile(resolved) ? resolved : std::string();
  }
  const char* env = std::getenv("PATH");
  const std::string path = env != nullptr ? env : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t colon = path.find(':', start);
    if (colon == std::string::npos) colon = path.size();
    std::string candidate = colon > start ? path.substr(start, colon - start) : std::string(".");
    candidate.push_back('/');
    candidate.append(name);
    if (IsExecutableFile(candidate)) return candidate;
    start = colon + 1;
  }
  return {};
}

bool StartProgram(const std::string& program, const std::vector<std::string>& args) {
  const std::string file = FindOnPath(program);
  if (file.empty()) return false;

  // Everything the children need is prepared before fork.
  std::vector<std::string> storage;
  storage.reserve(args.size() + 1);
  storage.push_back(program);
  for (const std::string& a : args) storage.push_back(a);
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;

  // Fork twice: the middle child exits at once and is reaped here, so the program is adopted
  // by init and never becomes our zombie; setsid detaches it from our session and terminal.
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    ::close(report[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild < 0) {
      const int err = errno;
      (void)!::write(report[1], &err, sizeof err);
      ::_exit(1);
    }
    if (grandchild == 0) RunGrandchild(file.c_str(), argv.data(), report[1]);
    ::_exit(0);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes on a successful exec (close-on-exec); an error number arrives otherwise.
  int err = 0;
  ssize_t n;
  do {
    n = ::read(report[0], &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  ::close(report[0]);
  return n == 0;
}

bool OpenWithDesktop(const std::string& target) {
  if (target.empty()) return false;
  return StartProgram("xdg-open", {target});
}

}  // namespace platform
