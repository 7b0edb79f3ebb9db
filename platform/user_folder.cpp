#include "platform/user_folder.h"

#include <cstdlib>

#include "platform/files.h"
#include "platform/paths.h"

namespace platform {

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The part of path below folder (folder ends in '/'), compared without regard to case as the
// file system is; nullopt when path does not lie below it.
std::optional<std::string> RelativeTo(const std::string& folder, const std::string& path) {
  if (folder.empty()) return std::nullopt;
  if (path.size() + 1 == folder.size() && EqualsNoCase(path, std::string_view(folder).substr(0, path.size())))
    return std::string();
  if (path.size() < folder.size() || !EqualsNoCase(std::string_view(path).substr(0, folder.size()), folder))
    return std::nullopt;
  return path.substr(folder.size());
}

}  // namespace

std::optional<std::string> SystemEnvironment(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

ProgramFolders ResolveProgramFolders(const std::string& appPath, const EnvironmentLookup& env,
                                     const WritableTest& writable) {
  ProgramFolders folders;
  folders.appPath = WithSlash(appPath);
  folders.writablePath = folders.appPath;
  const auto canWrite = [&](const std::string& folder) {
    return writable ? writable(folder) : FolderWritable(folder);
  };
  // A folder that does not exist is no install to protect (and nothing can be read from it).
  if (folders.appPath.empty() || !DirExists(folders.appPath) || canWrite(folders.appPath)) return folders;

  std::string base;
  if (env) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    if (auto xdg = env("XDG_DATA_HOME"); xdg && !xdg->empty() && xdg->front() == '/') {
      base = WithSlash(*xdg);
    } else if (auto home = env("HOME"); home && !home->empty() && home->front() == '/') {
      base = WithSlash(*home) + ".local/share/";
    }
  }
  if (base.empty()) return folders;
  const std::string user = base + "frostlide/";
  if (!MakeDirs(user) || !canWrite(user)) return folders;
  folders.writablePath = user;
  return folders;
}

std::string WritableCounterpart(const ProgramFolders& folders, const std::string& path) {
  if (!folders.Separate()) return path;
  const auto relative = RelativeTo(folders.appPath, path);
  if (!relative) return path;
  const std::string mapped = folders.writablePath + *relative;
  if (mapped.back() == '/') {
    MakeDirs(mapped);
  } else {
    const std::string parent = FolderPart(mapped);
    if (!parent.empty()) MakeDirs(parent);
  }
  return mapped;
}

std::string UserFilePath(const ProgramFolders& folders, const std::string& path) {
  const std::string mapped = WritableCounterpart(folders, path);
  if (mapped != path && !FileExists(mapped) && FileExists(path)) {
    // A failed copy only means the installed copy is not seen; the programs' defaults apply.
    CopyFile(ResolvePath(path), mapped);
  }
  return mapped;
}

}  // namespace platform
