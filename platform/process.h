#pragma once
// Starting other programs, without waiting for them.
#include <string>
#include <vector>

namespace platform {

// Starts program with args, detached (its own session, adopted by init, so it never becomes
// a zombie of ours); true when it could be started, false when it is missing or cannot be
// executed. A program name without '/' is looked up on PATH.
bool StartProgram(const std::string& program, const std::vector<std::string>& args = {});
// Opens an address or a file with the desktop's opener (xdg-open), detached; true when the
// opener could be started (what it does then is not checked).
bool OpenWithDesktop(const std::string& target);
// Full path of an executable found on PATH, or empty.
std::string FindOnPath(const std::string& name);

}  // namespace platform
