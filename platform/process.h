#pragma once
// Starting other programs: detached, or waited for with their output captured.
#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// Starts program with args, detached (its own session, adopted by init, so it never becomes
// a zombie of ours); true when it could be started, false when it is missing or cannot be
// executed. A program name without '/' is looked up on PATH.
bool StartProgram(const std::string& program, const std::vector<std::string>& args = {});
// StartProgram, then up to watchMs milliseconds of watching: false as well when the program
// ends within that time with a failure (exit status other than 0, or a signal). A program that
// succeeds or is still running then counts as started.
bool StartProgramWatched(const std::string& program, const std::vector<std::string>& args, int watchMs);
// Opens an address or a file with the desktop's opener (xdg-open), detached; true when the
// opener could be started (what it does then is not checked).
bool OpenWithDesktop(const std::string& target);
// The same, watching the opener for up to watchMs: false also when it gives up at once, as
// xdg-open does when no browser or handler can be started.
bool OpenWithDesktopChecked(const std::string& target, int watchMs);
// Full path of an executable found on PATH, or empty.
std::string FindOnPath(const std::string& name);

// What a finished program left: whether it could be started, its exit code and its standard
// output (at most a bounded amount).
struct ProgramOutput {
  bool started = false;
  int exitCode = -1;
  std::string output;
};
// Runs program (a full path) with args, waits for it and captures its standard output, keeping
// the first maxOutput bytes and discarding the rest (so a runaway program cannot fill memory).
ProgramOutput CaptureProgramOutput(const std::string& program, const std::vector<std::string>& args,
                                   std::size_t maxOutput = 64 * 1024);

}  // namespace platform
