#include "tools/frostlide-cli/command_table.h"

#include <ostream>

#include "platform/program_version.h"

namespace cli {

void CommandTable::Add(Command command) {
  for (Command& c : commands_) {
    if (c.name == command.name) {
      c = std::move(command);
      return;
    }
  }
  commands_.push_back(std::move(command));
}

const Command* CommandTable::Find(std::string_view name) const {
  for (const Command& c : commands_) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

namespace {
void PrintUsage(const CommandTable& table, std::ostream& os) {
  os << "usage: frostlide-cli COMMAND ARGS...\n";
  for (const Command& c : table.commands()) os << "  frostlide-cli " << c.usage << "\n      " << c.summary << "\n";
  os << "  frostlide-cli --help\n      prints this list\n";
  os << "  frostlide-cli --version\n      prints the program's name and version\n";
  os << "exit status: 0 done, 1 the pack is missing or damaged, 2 bad arguments or a move the board\n"
        "refuses, 3 (render) pictures missing or the image not written\n";
}
}  // namespace

int Dispatch(const CommandTable& table, const std::vector<std::string>& args, const CommandContext& context) {
  if (args.empty()) {
    PrintUsage(table, context.err);
    return kExitUsage;
  }
  if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
    PrintUsage(table, context.out);
    return kExitOk;
  }
  if (platform::AsksForVersion(args)) {
    context.out << platform::VersionLine("frostlide-cli") << "\n";
    return kExitOk;
  }
  const Command* command = table.Find(args[0]);
  if (command == nullptr) {
    context.err << "error: unknown command '" << args[0] << "'\n";
    PrintUsage(table, context.err);
    return kExitUsage;
  }
  return command->run(context, std::vector<std::string>(args.begin() + 1, args.end()));
}

}  // namespace cli
