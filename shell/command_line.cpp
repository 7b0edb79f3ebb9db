#include "shell/command_line.h"

namespace shell {

namespace {

bool TestLevelForm(const std::vector<std::string>& args, StartOptions& options) {
  if (args.size() != 3 || args[0] != "--test-level") return false;
  const std::string& n = args[1];
  if (n.empty() || n.size() > 3 || n.find_first_not_of("0123456789") != std::string::npos) return false;
  const int level = std::stoi(n);
  if (level < 1 || args[2].empty()) return false;
  options.testLevel = level;
  options.writeNothing = true;
  options.commandLine = args[2];
  return true;
}

}  // namespace

void ReadCommandLine(const std::vector<std::string>& args, StartOptions& options) {
  if (TestLevelForm(args, options)) return;
  std::string commandLine;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += args[i];
  }
  options.commandLine = commandLine;
  options.testLevel = 0;
  options.writeNothing = false;
}

}  // namespace shell
