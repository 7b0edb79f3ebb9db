#pragma once
// Profile (INI) files, read and written the way the desktop's classic profile routines do:
// section and key names match without regard to case, blanks around keys and values are
// trimmed on reading, a written key replaces its old line in place (keeping the old spelling
// of the key), a new key is appended at the end of its section (before the blank lines that
// close it), a new section at the end of the file. Lines end in CR LF on writing; CR LF, LF
// and CR are all accepted on reading. Text is 8-bit and passed through unchanged.
//
// Lines whose first non-blank character is ';' are comments. When a section or key occurs
// twice, the first occurrence counts for reading and for writing.
//
// Untrusted files: only the first kMaxProfileFile bytes of a file are read. A write to a file
// that is longer than that is refused (the file is kept as it is), because rewriting it from
// its first part would lose the rest.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Longest value a reader gets back; longer values are cut.
inline constexpr std::size_t kMaxProfileValue = 255;
// Longest part of a profile file that is read.
inline constexpr std::size_t kMaxProfileFile = 1u << 20;

// Value of [section] key in the file at path, or fallback when the file, section or key is
// missing (or the file cannot be read). Never throws.
std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view fallback);

// As GetProfileString, but tells a missing file (fallback returned) from a file that exists
// and cannot be read (a folder, no read permission, an I/O error): nullopt.
std::optional<std::string> TryGetProfileString(const std::string& path, std::string_view section,
                                               std::string_view key, std::string_view fallback);

// Writes [section] key=value, creating the file, section or key as needed. The file is
// replaced atomically. Returns false when the file could not be written (the old one is kept),
// and for names that cannot be stored (empty, a line break, '=' in a key, ']' in a section).
// A value is one line: it is cut at its first line break.
bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value);
// The same with another line end for the lines written (files that other programs own and
// that use LF, such as the desktop's mimeapps.list).
bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value, std::string_view lineEnd);

// The same rules on text already in memory, for callers and tests that hold the content.
// ProfileUpdate returns the content unchanged when the names cannot be stored.
std::string ProfileLookup(std::string_view content, std::string_view section,
                          std::string_view key, std::string_view fallback);
std::string ProfileUpdate(std::string_view content, std::string_view section,
                          std::string_view key, std::string_view value,
                          std::string_view lineEnd = "\r\n");

}  // namespace platform
