#include "tools/frostlide-cli/command_table.h"

namespace cli {

void RegisterAllCommands(CommandTable& table) {
  RegisterBoardCommands(table);
  RegisterRenderCommands(table);
  RegisterSolveCommands(table);
  // Further command files register here, one line each.
}

}  // namespace cli
