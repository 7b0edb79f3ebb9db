#pragma once
// Paths. Both programs treat file names without regard to letter case, as their players'
// desktops do: "levels" and "Levels" are one folder, and "MyPack.CDN" is found as "mypack.cdn".
// Paths use '/' as separator; folder paths that callers build from end in '/'.
// Letter case is that of ASCII; other bytes must match exactly.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Resolves path component by component: each component that exists on disk under another case
// is replaced by its stored name (an exact match wins, otherwise the first case-insensitive
// match in sorted byte order, so the answer is always the same). Components from the first one
// that does not exist on are kept as given. Relative paths resolve against the working folder
// and stay relative; a trailing '/' is kept.
std::string ResolvePath(const std::string& path);

// True when a file or a folder exists at path (after case-insensitive resolution); false for
// an empty path or on any error.
bool FileExists(const std::string& path);
// True when path names an existing folder or file; any error counts as false.
bool DirExists(const std::string& path);
// The path with every component as stored on disk; empty when a component does not exist or
// the input is empty. A trailing '/' of the input does not appear in the result.
std::string GetLongFileName(const std::string& path);

// The folder of the running program, ending in '/'.
std::string ExecutableDir();
// The last component of a path ("a/b/c.cdn" -> "c.cdn").
std::string FileNamePart(const std::string& path);
// Everything up to and including the last '/' ("a/b/c.cdn" -> "a/b/"); empty when there is none.
std::string FolderPart(const std::string& path);

// Names (not paths) of the regular files in folder whose names match pattern ("*.cdn"),
// compared without regard to case, sorted by name without regard to case. Empty when the
// folder is missing.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern);

// Case-insensitive match of a name against a pattern with '*' and '?'.
bool WildcardMatch(const std::string& name, const std::string& pattern);

// ASCII case-insensitive equality and ordering of names.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool LessNoCase(std::string_view a, std::string_view b);

}  // namespace platform
