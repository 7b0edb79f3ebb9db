#include "shell/file_association.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/profile.h"

namespace shell {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string XmlEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// Writes the file only when its content differs; true when it was (re)written.
bool WriteIfChanged(const std::string& path, const std::string& content) {
  std::string old;
  if (platform::ReadFile(path, old, content.size() + 1) && old == content) return false;
  return platform::WriteFileAtomic(path, content);
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr &&
                                                   pw->pw_dir[0] == '/') {
    return pw->pw_dir;
  }
  return {};
}

std::string XdgFolder(const char* variable, const std::string& home, const char* below) {
  const char* value = std::getenv(variable);
  // Relative values are invalid and are ignored, as the base directory rules say.
  if (value != nullptr && value[0] == '/') return WithSlash(value);
  return home.empty() ? std::string() : WithSlash(home) + below;
}

std::string Extension(const std::string& path) {
  const std::string name = platform::FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? std::string() : Lower(name.substr(dot));
}

}  // namespace

AssociationPlaces DefaultAssociationPlaces() {
  const std::string home = HomeFolder();
  return {XdgFolder("XDG_DATA_HOME", home, ".local/share/"),
          XdgFolder("XDG_CONFIG_HOME", home, ".config/")};
}

void RunDesktopTool(const std::string& program, const std::vector<std::string>& args) {
  if (platform::FindOnPath(program).empty()) return;
  (void)platform::StartProgram(program, args);
}

std::string AssociationMimeType(const std::string& typeName) {
  return "application/x-" + Lower(typeName) + "-pack";
}

std::string DesktopExecArgument(const std::string& path) {
  std::string value;
  for (char c : path) {
    value += c;
    if (c == '%') value += '%';  // a lone '%' would start a field code
  }
  if (value.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos) {
    std::string quoted = "\"";
    for (char c : value) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    quoted += '"';
    value = std::move(quoted);
  }
  // The string escapes of the file format apply on top of the quoting.
  std::string escaped;
  for (char c : value) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string DesktopEntryContent(const std::string& typeName, const std::string& mimeType,
                                const std::string& programPath) {
  std::string s;
  s += "[Desktop Entry]\n";
  s += "Type=Application\n";
  s += "Name=" + typeName + "\n";
  s += "Exec=" + DesktopExecArgument(programPath) + " %f\n";
  s += "Icon=" + Lower(typeName) + "\n";
  s += "Terminal=false\n";
  s += "Categories=Game;LogicGame;\n";
  s += "MimeType=" + mimeType + ";\n";
  return s;
}

std::string MimePackageContent(const std::string& mimeType, const std::string& extension,
                               const std::string& description, const std::string& iconName) {
  std::string s;
  s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  s += "  <mime-type type=\"" + XmlEscape(mimeType) + "\">\n";
  s += "    <comment>" + XmlEscape(description) + "</comment>\n";
  s += "    <glob pattern=\"*." + XmlEscape(extension) + "\" case-sensitive=\"false\"/>\n";
  s += "    <icon name=\"" + XmlEscape(iconName) + "\"/>\n";
  s += "  </mime-type>\n";
  s += "</mime-info>\n";
  return s;
}

std::vector<std::string> SystemDataDirs() {
  const char* value = std::getenv("XDG_DATA_DIRS");
  const std::string list = value != nullptr && value[0] != '\0' ? value : "/usr/local/share/:/usr/share/";
  std::vector<std::string> dirs;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    // Relative entries are invalid and are ignored, as the base directory rules say.
    if (end > start && list[start] == '/') dirs.push_back(WithSlash(list.substr(start, end - start)));
    start = end + 1;
  }
  return dirs;
}

bool SystemDeclaresFileType(const std::string& typeName, const std::vector<std::string>& dataDirs) {
  if (typeName.empty()) return false;
  const std::string id = Lower(typeName);
  const std::string mimeType = AssociationMimeType(typeName);
  for (const std::string& dir : dataDirs) {
    const std::string data = WithSlash(dir);
    if (!platform::FileExists(data + "mime/packages/" + id + ".xml")) continue;
    const std::string types =
        platform::GetProfileString(data + "applications/" + id + ".desktop", "Desktop Entry", "MimeType", "");
    std::size_t start = 0;
    while (start <= types.size()) {
      const std::size_t end = std::min(types.find(';', start), types.size());
      if (types.compare(start, end - start, mimeType) == 0) return true;
      start = end + 1;
    }
  }
  return false;
}

void RegisterFileType(const std::string& typeName, const std::string& extension,
                      const std::string& description, const std::string& iconValue,
                      const std::string& programPath, const AssociationPlaces& places,
                      const ToolRunner& runTool) {
  if (typeName.empty() || extension.empty()) return;
  const std::string id = Lower(typeName);
  const std::string mimeType = AssociationMimeType(typeName);
  const std::string desktopFile = id + ".desktop";

  if (!places.dataHome.empty()) {
    const std::string data = WithSlash(places.dataHome);
    const std::string apps = data + "applications/";
    const std::string mime = data + "mime/";

    bool desktopChanged = false;
    if (platform::MakeDirs(apps)) {
      desktopChanged = WriteIfChanged(apps + desktopFile,
                                      DesktopEntryContent(typeName, mimeType, programPath));
    }
    bool mimeChanged = false;
    if (platform::MakeDirs(mime + "packages/")) {
      mimeChanged = WriteIfChanged(mime + "packages/" + id + ".xml",
                                   MimePackageContent(mimeType, extension, description, id));
    }
    if (!iconValue.empty() && platform::FileExists(iconValue)) {
      const std::string iconFolder = data + "icons/hicolor/32x32/apps/";
      const std::string ext = Extension(iconValue);
      std::string icon;
      if (!ext.empty() && platform::MakeDirs(iconFolder) &&
          platform::ReadFile(iconValue, icon, 16u << 20)) {
        (void)WriteIfChanged(iconFolder + id + ext, icon);
      }
    }
    if (runTool) {
      if (mimeChanged || !platform::FileExists(mime + "mime.cache")) {
        runTool("update-mime-database", {mime});
      }
      if (desktopChanged || !platform::FileExists(apps + "mimeinfo.cache")) {
        runTool("update-desktop-database", {apps});
      }
    }
  }

  if (!places.configHome.empty()) {
    const std::string config = WithSlash(places.configHome);
    const std::string list = config + "mimeapps.list";
    if (platform::MakeDirs(config) &&
        platform::GetProfileString(list, "Default Applications", mimeType, "") != desktopFile) {
      // The desktop's own file: LF line ends, as its other writers use.
      (void)platform::WriteProfileString(list, "Default Applications", mimeType, desktopFile, "\n");
    }
  }
}

}  // namespace shell
