#pragma once
// Where the programs keep the files they write.
//
// Both programs keep everything in and below their program folder. An install the player
// cannot write to (a package under /opt or /usr) would then lose every setting and every
// solved level, so there the written files go to a per-user folder laid out like the program
// folder: $XDG_DATA_HOME/frostlide/, or ~/.local/share/frostlide/ when XDG_DATA_HOME is unset.
//
//   program folder (read only)         per-user folder
//   data/...                           data/ogpice.cdx   (progress of the built-in pack)
//                                      settings.ini  editor.ini  levels/...
//
// Files that are only read (the data folder's pictures, sounds, the built-in pack) still come
// from the program folder. Where the program folder is writable, both folders are the same and
// nothing changes.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct ProgramFolders {
  // The program folder, ending in '/'.
  std::string appPath;
  // Where written files go, ending in '/': appPath itself when it is writable.
  std::string writablePath;

  bool Separate() const { return writablePath != appPath; }
};

// Looks up an environment variable; nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;
// Tells whether new files can be created in a folder.
using WritableTest = std::function<bool(const std::string& folder)>;

// The process environment.
std::optional<std::string> SystemEnvironment(std::string_view name);

// Decides the two folders for a program folder. writable defaults to FolderWritable (which
// tries for real). XDG_DATA_HOME counts only when it is an absolute path; without it HOME is
// used. With neither, when the per-user folder cannot be created either, and for a program
// folder that does not exist, writablePath is appPath: the programs then run as before and
// report what they cannot write.
ProgramFolders ResolveProgramFolders(const std::string& appPath,
                                     const EnvironmentLookup& env = SystemEnvironment,
                                     const WritableTest& writable = {});

// The per-user counterpart of a path below appPath (the same relative path below
// writablePath), with its parent folders created; a path ending in '/' names a folder, which
// is created itself. Paths outside appPath, and every path when the folders are the same, are
// returned unchanged.
std::string WritableCounterpart(const ProgramFolders& folders, const std::string& path);

// As WritableCounterpart, for a file that is read first from the per-user folder: when the
// per-user copy does not exist yet but the program folder holds one (a settings file shipped
// with the install, progress kept by an earlier writable install), it is copied over first,
// so reading finds it and the first write keeps the rest of it.
std::string UserFilePath(const ProgramFolders& folders, const std::string& path);

}  // namespace platform
