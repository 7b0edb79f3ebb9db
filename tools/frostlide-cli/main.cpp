// frostlide-cli: the puzzle engine on the command line (see command_table.h for the commands).
#include <iostream>
#include <string>
#include <vector>

#include "tools/frostlide-cli/command_table.h"

int main(int argc, char** argv) {
  cli::CommandTable table;
  cli::RegisterAllCommands(table);
  std::vector<std::string> args(argv + 1, argv + argc);
  const cli::CommandContext context{std::cout, std::cerr};
  const int code = cli::Dispatch(table, args, context);
  std::cout.flush();
  return code;
}
