// Frostlide: the whole argument text is one path (a pack opened from the file manager).
#include <cstdio>
#include <string>

#include "platform/program_version.h"
#include "shell/application.h"

int main(int argc, char** argv) {
  if (platform::AsksForVersion(argc, argv)) {
    std::puts(platform::VersionLine("Frostlide").c_str());
    return 0;
  }
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  shell::StartOptions options;
  options.commandLine = commandLine;
  shell::Application app(std::move(options));
  switch (app.Main()) {
    case shell::StartResult::Running: return app.Run();
    case shell::StartResult::Declined: return 0;
    case shell::StartResult::Failed: return 1;
  }
  return 1;
}
