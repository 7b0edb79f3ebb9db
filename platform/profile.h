#pragma once
// Profile (INI) files, read and written the way the desktop's classic profile routines do:
// section and key names match without regard to case, blanks around keys and values are
// trimmed on reading, a written key replaces its old line in place (keeping the old spelling
// of the key), a new key is appended at the end of its section, a new section at the end of
// the file. Lines end in CR LF; text is 8-bit and passed through unchanged.
#include <string>
#include <string_view>

namespace platform {

// Longest value a reader gets back; longer values are cut.
inline constexpr std::size_t kMaxProfileValue = 255;

// Value of [section] key in the file at path, or fallback when the file, section or key is
// missing. Never throws.
std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view fallback);

// Writes [section] key=value, creating the file, section or key as needed. The file is
// replaced atomically. Returns false when the file could not be written (the old one is kept).
bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value);

// The same rules on text already in memory, for callers and tests that hold the content.
std::string ProfileLookup(std::string_view content, std::string_view section,
                          std::string_view key, std::string_view fallback);
std::string ProfileUpdate(std::string_view content, std::string_view section,
                          std::string_view key, std::string_view value);

}  // namespace platform
