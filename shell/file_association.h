#pragma once
// The .cdn file association, in the form a Linux desktop keeps it (freedesktop.org desktop
// entries, shared-mime-info and mimeapps.list), written at every start of the game:
//
//   <dataHome>/applications/<type>.desktop        the launcher that opens packs (%f)
//   <dataHome>/mime/packages/<type>.xml            the pack's MIME type, glob *.<extension>
//   <dataHome>/icons/hicolor/32x32/apps/<type>.*   the icon (when the icon file exists)
//   <configHome>/mimeapps.list                     [Default Applications] type=<type>.desktop
//
// <type> is the type name in lower case ("frostlide"), the MIME type
// "application/x-<type>-pack". Files whose content is already right are not rewritten, and
// the desktop's database tools run only when something changed or their cache is missing, so
// a normal start costs a few reads. Every result is ignored: a failure leaves the game as it is.
#include <functional>
#include <string>
#include <vector>

namespace shell {

struct AssociationPlaces {
  std::string dataHome;    // $XDG_DATA_HOME, by default ~/.local/share
  std::string configHome;  // $XDG_CONFIG_HOME, by default ~/.config
};

// The places from the environment ($XDG_DATA_HOME / $XDG_CONFIG_HOME when set to an absolute
// path, else below $HOME, else below the user's home folder from the user database). Empty
// members when no home folder is known; RegisterFileType then skips that part.
AssociationPlaces DefaultAssociationPlaces();

// Runs a desktop tool (update-mime-database, update-desktop-database) without waiting.
using ToolRunner = std::function<void(const std::string& program, const std::vector<std::string>& args)>;
// The game's runner: starts the tool detached when it is on PATH, else does nothing.
void RunDesktopTool(const std::string& program, const std::vector<std::string>& args);

// Records the game as the opener of *.<extension> files ("Frostlide", "cdn", "Frostlide Level
// Pack", the icon file's path). programPath is the game's program file; iconValue the path of
// its icon picture (PNG), skipped when missing.
void RegisterFileType(const std::string& typeName, const std::string& extension,
                      const std::string& description, const std::string& iconValue,
                      const std::string& programPath, const AssociationPlaces& places,
                      const ToolRunner& runTool = RunDesktopTool);

// The desktop's system data folders: the absolute entries of $XDG_DATA_DIRS, by default
// /usr/local/share/ and /usr/share/, each ending in '/'.
std::vector<std::string> SystemDataDirs();

// True when one of dataDirs declares the association as an installed package does: its
// applications/<type>.desktop lists the MIME type and mime/packages/<type>.xml exists. An
// installed game then writes none of the per-user files, which would only hide the package's
// fuller entry.
bool SystemDeclaresFileType(const std::string& typeName, const std::vector<std::string>& dataDirs);

// The pieces, for tests and for anyone who needs the same names.
std::string AssociationMimeType(const std::string& typeName);
std::string DesktopEntryContent(const std::string& typeName, const std::string& mimeType,
                                const std::string& programPath);
std::string MimePackageContent(const std::string& mimeType, const std::string& extension,
                               const std::string& description, const std::string& iconName);
// A program path as one argument of a desktop entry's Exec key: quoted when it holds a
// reserved character, with '%' doubled and the string escapes of desktop entry values applied.
std::string DesktopExecArgument(const std::string& path);

}  // namespace shell
