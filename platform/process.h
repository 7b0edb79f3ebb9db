#pragma once
// Starting other programs, without waiting for them.
#include <string>
#include <vector>

namespace platform {

// Starts program with args, detached; true when it could be started.
bool StartProgram(const std::string& program, const std::vector<std::string>& args = {});
// Opens an address or a file with the desktop's opener (xdg-open); the result is not checked.
bool OpenWithDesktop(const std::string& target);
// Full path of an executable found on PATH, or empty.
std::string FindOnPath(const std::string& name);

}  // namespace platform
