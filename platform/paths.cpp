#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

namespace platform {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool Exists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

// The stored name of `name` inside folder `dir` ("" means the working folder), or empty when
// nothing there matches.
std::string FindEntry(const std::string& dir, const std::string& name) {
  const std::string exact = dir + name;
  struct stat st {};
  if (::lstat(exact.c_str(), &st) == 0) return name;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (d == nullptr) return {};
  std::string best;
  bool found = false;
  while (dirent* e = ::readdir(d)) {
    std::string_view entry(e->d_name);
    if (entry == "." || entry == "..") continue;
    if (EqualsNoCase(entry, name) && (!found || entry < best)) {
      best.assign(entry);
      found = true;
    }
  }
  ::closedir(d);
  return best;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool LessNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(Lower(a[i]));
    const auto cb = static_cast<unsigned char>(Lower(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

std::string ResolvePath(const std::string& path) {
  if (path.empty()) return path;
  std::string result;
  std::size_t pos = 0;
  if (path[0] == '/') {
    result = "/";
    pos = 1;
  }
  bool missing = false;
  while (pos <= path.size()) {
    std::size_t slash = path.find('/', pos);
    const bool last = slash == std::string::npos;
    if (last) slash = path.size();
    std::string component = path.substr(pos, slash - pos);
    if (!component.empty() && component != "." && component != ".." && !missing) {
      std::string stored = FindEntry(result, component);
      if (stored.empty()) {
        missing = true;
      } else {
        component = std::move(stored);
      }
    }
    result += component;
    if (last) break;
    result += '/';
    pos = slash + 1;
  }
  return result;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  return Exists(ResolvePath(path));
}

bool DirExists(const std::string& path) { return FileExists(path); }

std::string GetLongFileName(const std::string& path) {
  if (path.empty()) return {};
  std::string input = path;
  while (input.size() > 1 && input.back() == '/') input.pop_back();
  std::string resolved = ResolvePath(input);
  // Every component must exist: checking the whole path is enough, as ResolvePath keeps
  // everything from the first missing component as given, and that one makes stat fail.
  if (!Exists(resolved)) return {};
  return resolved;
}

std::string ExecutableDir() {
  std::vector<char> buf(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n > 0) {
    std::string exe(buf.data(), static_cast<std::size_t>(n));
    std::string dir = FolderPart(exe);
    if (!dir.empty()) return dir;
  }
  if (::getcwd(buf.data(), buf.size()) != nullptr) {
    std::string dir(buf.data());
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
  }
  return "./";
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  std::string dir = folder.empty() ? std::string() : ResolvePath(folder);
  if (!dir.empty() && dir.back() != '/') dir += '/';
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (d == nullptr) return names;
  while (dirent* e = ::readdir(d)) {
    std::string name(e->d_name);
    if (name == "." || name == "..") continue;
    if (!WildcardMatch(name, pattern)) continue;
    struct stat st {};
    if (::stat((dir + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    names.push_back(std::move(name));
  }
  ::closedir(d);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    if (LessNoCase(a, b)) return true;
    if (LessNoCase(b, a)) return false;
    return a < b;  // names equal but for case: still one fixed order
  });
  return names;
}

bool WildcardMatch(const std::string& name, const std::string& pattern) {
  // Greedy match with one back-tracking point, linear in practice and never recursive.
  std::size_t n = 0, p = 0;
  std::size_t starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace platform
