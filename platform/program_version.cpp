#include "platform/program_version.h"

#ifndef FROSTLIDE_VERSION
#error "the build defines FROSTLIDE_VERSION"
#endif

namespace platform {

std::string_view ProgramVersion() { return FROSTLIDE_VERSION; }

std::string VersionLine(std::string_view programName) {
  std::string line(programName);
  line += ' ';
  line += ProgramVersion();
  return line;
}

bool AsksForVersion(const std::vector<std::string>& args) { return args.size() == 1 && args[0] == "--version"; }

bool AsksForVersion(int argc, const char* const* argv) {
  return argc == 2 && argv != nullptr && argv[1] != nullptr && std::string_view(argv[1]) == "--version";
}

}  // namespace platform
