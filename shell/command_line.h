#pragma once
// The game's command line. The described form is the whole argument text taken as one path
// (a pack opened from the file manager); the editor's test play adds one form of its own:
//   Frostlide --test-level N PACK
// which plays PACK from level N at once and writes nothing (StartOptions::testLevel and
// writeNothing).
#include <string>
#include <vector>

#include "shell/application.h"

namespace shell {

// Fills options.commandLine (and, for the test-play form, testLevel and writeNothing) from the
// arguments after the program name. The test-play form is exactly three arguments with N a
// level number 1 .. 999; anything else is the described one-path command line, so a pack whose
// path merely starts with these words opens as before.
void ReadCommandLine(const std::vector<std::string>& args, StartOptions& options);

}  // namespace shell
