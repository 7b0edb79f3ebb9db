#pragma once
// The release number every program of the project reports with --version.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// "1.0.0": the project's version as the build set it.
std::string_view ProgramVersion();

// The line --version prints: the program's name, a blank and the version ("frostlide-cli 1.0.0").
std::string VersionLine(std::string_view programName);

// True when the arguments after the program name are exactly "--version". Anything else,
// "--version" among other words included, is left to the program: the game takes its whole
// argument text as the path of a pack.
bool AsksForVersion(const std::vector<std::string>& args);
bool AsksForVersion(int argc, const char* const* argv);

}  // namespace platform
