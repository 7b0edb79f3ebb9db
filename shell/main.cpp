// Frostlide: the whole argument text is one path (a pack opened from the file manager), or the
// editor's test play (shell/command_line.h).
#include <cstdio>
#include <string>
#include <vector>

#include "platform/program_version.h"
#include "shell/application.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
  if (platform::AsksForVersion(argc, argv)) {
    std::puts(platform::VersionLine("Frostlide").c_str());
    return 0;
  }
  shell::StartOptions options;
  // The editor's test play has a form of its own; everything else is one path.
  shell::ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc), options);
  shell::Application app(std::move(options));
  switch (app.Main()) {
    case shell::StartResult::Running: return app.Run();
    case shell::StartResult::Declined: return 0;
    case shell::StartResult::Failed: return 1;
  }
  return 1;
}
