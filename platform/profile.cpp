#include "platform/profile.h"

#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key, trimmed
  std::string_view value;  // trimmed
};

ParsedLine Parse(std::string_view line, bool first) {
  // A byte-order mark written by some editors must not hide the first section header.
  if (first && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
  ParsedLine p;
  std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return p;
  if (t.front() == '[') {
    t.remove_prefix(1);
    const std::size_t close = t.find(']');
    p.kind = LineKind::Section;
    p.name = Trim(close == std::string_view::npos ? t : t.substr(0, close));
    return p;
  }
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return p;
  p.name = Trim(t.substr(0, eq));
  if (p.name.empty()) return p;
  p.kind = LineKind::Key;
  p.value = Trim(t.substr(eq + 1));
  return p;
}

std::string Cut(std::string_view s) { return std::string(s.substr(0, kMaxProfileValue)); }

bool ValidNames(std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty()) return false;
  if (HasLineBreak(section) || section.find(']') != std::string_view::npos) return false;
  if (HasLineBreak(key) || key.find('=') != std::string_view::npos) return false;
  // A key that starts like a header or a comment would not read back as a key.
  return key.front() != '[' && key.front() != ';';
}

std::optional<std::string> ReadProfile(const std::string& path, std::string_view section,
                                       std::string_view key, std::string_view fallback) {
  std::string content;
  if (!ReadFilePrefix(path, content, kMaxProfileFile)) {
    if (FileExists(path)) return std::nullopt;
    return Cut(fallback);
  }
  return ProfileLookup(content, section, key, fallback);
}

}  // namespace

std::string ProfileLookup(std::string_view content, std::string_view section,
                          std::string_view key, std::string_view fallback) {
  section = Trim(section);
  key = Trim(key);
  bool inSection = false;
  bool seen = false;
  bool first = true;
  std::size_t start = 0;
  // Walks the lines without copying them: the content may be a megabyte of garbage.
  while (start <= content.size()) {
    std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = content.size();
    const ParsedLine p = Parse(content.substr(start, end - start), first);
    first = false;
    if (p.kind == LineKind::Section) {
      if (inSection) break;  // the first section of that name is the one that counts
      inSection = !seen && EqualsNoCase(p.name, section);
      seen = seen || inSection;
    } else if (p.kind == LineKind::Key && inSection && EqualsNoCase(p.name, key)) {
      return Cut(p.value);
    }
    if (end == content.size()) break;
    start = end + ((content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1);
  }
  return Cut(fallback);
}

std::string ProfileUpdate(std::string_view content, std::string_view section,
                          std::string_view key, std::string_view value,
                          std::string_view lineEnd) {
  if (!ValidNames(section, key)) return std::string(content);
  section = Trim(section);
  key = Trim(key);
  value = value.substr(0, value.find_first_of("\r\n"));

  std::vector<std::string> lines = SplitLines(content);
  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine p = Parse(lines[i], i == 0);
    if (p.kind == LineKind::Section && EqualsNoCase(p.name, section)) {
      header = i;
      break;
    }
  }
  if (header == lines.size()) {
    // Built by appending: g++ 12 at -O2 warns falsely (-Wrestrict) about "[" + std::string.
    std::string head(1, '[');
    head += section;
    head += ']';
    lines.push_back(std::move(head));
    lines.push_back(std::string(key) + "=" + std::string(value));
  } else {
    std::size_t lastFilled = header;
    bool replaced = false;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
      const ParsedLine p = Parse(lines[i], false);
      if (p.kind == LineKind::Section) break;
      if (p.kind == LineKind::Key && EqualsNoCase(p.name, key)) {
        // The line keeps its place and the key its spelling; only the value changes.
        lines[i] = std::string(p.name) + "=" + std::string(value);
        replaced = true;
        break;
      }
      if (!Trim(lines[i]).empty()) lastFilled = i;
    }
    if (!replaced) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastFilled + 1),
                   std::string(key) + "=" + std::string(value));
    }
  }
  std::string out;
  out.reserve(content.size() + key.size() + value.size() + section.size() + 16);
  for (const std::string& line : lines) {
    out += line;
    out += lineEnd;
  }
  return out;
}

std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view fallback) {
  std::optional<std::string> v = ReadProfile(path, section, key, fallback);
  return v ? std::move(*v) : Cut(fallback);
}

std::optional<std::string> TryGetProfileString(const std::string& path, std::string_view section,
                                               std::string_view key, std::string_view fallback) {
  return ReadProfile(path, section, key, fallback);
}

bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value) {
  return WriteProfileString(path, section, key, value, "\r\n");
}

bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value, std::string_view lineEnd) {
  if (!ValidNames(section, key)) return false;
  std::string content;
  if (FileExists(path)) {
    // An unreadable or oversized file is left alone rather than rewritten from a part of it.
    if (!ReadFile(path, content, kMaxProfileFile)) return false;
  }
  return WriteFileAtomic(path, ProfileUpdate(content, section, key, value, lineEnd));
}

}  // namespace platform
