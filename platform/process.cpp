#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

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

// argv for exec, built before fork: only async-signal-safe calls may run between fork and exec.
class ArgumentVector {
 public:
  ArgumentVector(const std::string& program, const std::vector<std::string>& args) {
    storage_.reserve(args.size() + 1);
    storage_.push_back(program);
    for (const std::string& a : args) storage_.push_back(a);
    for (std::string& s : storage_) pointers_.push_back(s.data());
    pointers_.push_back(nullptr);
  }
  char* const* data() { return pointers_.data(); }
  const char* program() const { return pointers_[0]; }

 private:
  std::vector<std::string> storage_;
  std::vector<char*> pointers_;
};

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
  return StartProgramWatched(program, args, 0);
}

bool StartProgramWatched(const std::string& program, const std::vector<std::string>& args, int watchMs) {
  const std::string file = FindOnPath(program);
  if (file.empty()) return false;

  // Everything the children need is prepared before fork.
  ArgumentVector argv(program, args);

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
    // Watching: a program that gives up at once (an opener that finds no browser) is reported
    // as not started; one still running when the time is up is left to init.
    for (int waited = 0; waited < watchMs; waited += 10) {
      int status = 0;
      const pid_t done = ::waitpid(grandchild, &status, WNOHANG);
      if (done == grandchild) {
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
          const int failed = -1;
          (void)!::write(report[1], &failed, sizeof failed);
        }
        break;
      }
      if (done < 0 && errno != EINTR) break;
      const struct timespec tick {0, 10 * 1000 * 1000};
      ::nanosleep(&tick, nullptr);
    }
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

bool OpenWithDesktopChecked(const std::string& target, int watchMs) {
  if (target.empty()) return false;
  return StartProgramWatched("xdg-open", {target}, watchMs);
}

ProgramOutput CaptureProgramOutput(const std::string& program, const std::vector<std::string>& args,
                                   std::size_t maxOutput) {
  ProgramOutput result;
  ArgumentVector argv(program, args);

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
    ::execv(argv.program(), argv.data());
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

}  // namespace platform
