#pragma once
// frostlide-cli is a dispatcher over a table of subcommands. Each source file that brings
// commands has one registration function that adds them to the table; command_list.cpp calls
// every registration function. To add a command: write name_commands.cpp with
// `void RegisterNameCommands(CommandTable&)`, declare it below, call it in command_list.cpp and
// add the file to FROSTLIDE_CLI_SOURCES in CMakeLists.txt.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitPackError = 1;  // the pack is missing or damaged (the game's message was printed)
inline constexpr int kExitUsage = 2;      // bad arguments, or a move board input would not allow

struct CommandContext {
  std::ostream& out;  // results, and the engine's messages, questions and sounds
  std::ostream& err;  // "error: ..." lines and usage
};

// args are the arguments after the command's name.
using CommandFunction = int (*)(const CommandContext& context, const std::vector<std::string>& args);

struct Command {
  std::string name;
  std::string usage;    // e.g. "show PACK LEVEL"
  std::string summary;  // one line
  CommandFunction run = nullptr;
};

class CommandTable {
 public:
  // Later registrations of the same name replace earlier ones.
  void Add(Command command);
  const Command* Find(std::string_view name) const;
  const std::vector<Command>& commands() const { return commands_; }

 private:
  std::vector<Command> commands_;
};

// Runs the command line (argv without the program name) against the table.
int Dispatch(const CommandTable& table, const std::vector<std::string>& args, const CommandContext& context);

// The registration functions, one per source file.
void RegisterBoardCommands(CommandTable& table);  // show, play, hint, status
void RegisterRenderCommands(CommandTable& table);  // render
void RegisterSolveCommands(CommandTable& table);   // solve
void RegisterAllCommands(CommandTable& table);

}  // namespace cli
