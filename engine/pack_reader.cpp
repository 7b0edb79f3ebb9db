#include "engine/pack_reader.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "platform/paths.h"

namespace engine {

LineReader::LineReader(std::istream& in, std::size_t maxBytes, std::size_t maxLine)
    : buf_(in.rdbuf()), maxBytes_(maxBytes), maxLine_(maxLine) {
  if (buf_ == nullptr || !in.good()) {
    failed_ = true;
    ended_ = true;
  }
}

int LineReader::Get() {
  if (ended_) return std::char_traits<char>::eof();
  int c = std::char_traits<char>::eof();
  try {
    c = buf_->sbumpc();
  } catch (...) {
    failed_ = true;
  }
  if (c == std::char_traits<char>::eof()) {
    ended_ = true;
    return c;
  }
  if (++read_ > maxBytes_) {
    failed_ = true;
    ended_ = true;
    return std::char_traits<char>::eof();
  }
  return c;
}

int LineReader::Peek() {
  if (ended_) return std::char_traits<char>::eof();
  try {
    return buf_->sgetc();
  } catch (...) {
    failed_ = true;
    ended_ = true;
    return std::char_traits<char>::eof();
  }
}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (ended_) return false;
  bool any = false;
  for (;;) {
    const int c = Get();
    if (c == std::char_traits<char>::eof()) {
      // A last line without a line end still counts, unless the file went wrong on the way.
      return any && !failed_;
    }
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (Peek() == '\n') Get();
      return !failed_;
    }
    if (line.size() < maxLine_) line.push_back(static_cast<char>(c));
  }
}

bool OpenBoundedFile(const std::string& path, std::ifstream& out, std::size_t maxBytes) {
  const std::string resolved = platform::ResolvePath(path);
  std::error_code ec;
  const auto status = std::filesystem::status(resolved, ec);
  if (ec || !std::filesystem::is_regular_file(status)) return false;
  const auto size = std::filesystem::file_size(resolved, ec);
  if (ec || size > maxBytes) return false;
  out.open(resolved, std::ios::binary);
  return out.is_open();
}

std::string HeaderValue(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::string(line);
  return std::string(line.substr(eq + 1));
}

double LenientNumber(std::string_view text) {
  // Collect the number without its blanks, then let the standard conversion read it.
  std::string number;
  bool digits = false, point = false, exponent = false, exponentDigits = false;
  bool signAllowed = true;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    if ((c == '+' || c == '-') && signAllowed) {
      if (c == '-') number.push_back('-');
      signAllowed = false;
      continue;
    }
    signAllowed = false;
    if (c >= '0' && c <= '9') {
      number.push_back(c);
      if (exponent) exponentDigits = true; else digits = true;
      continue;
    }
    if (c == '.' && !point && !exponent) {
      number.push_back('.');
      point = true;
      continue;
    }
    if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && !exponent && digits) {
      number.push_back('e');
      exponent = true;
      signAllowed = true;
      continue;
    }
    break;
  }
  if (!digits) return 0.0;
  // An exponent without digits ("12e") or with a lone sign is no exponent.
  if (exponent && !exponentDigits) {
    while (!number.empty() && (number.back() == 'e' || number.back() == '-')) number.pop_back();
  }
  double value = 0.0;
  const char* first = number.data();
  const char* last = number.data() + number.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Too large gives infinity (out of every range), too small gives 0.
    const bool tiny = number.find("e-") != std::string::npos;
    const bool negative = !number.empty() && number.front() == '-';
    if (tiny) return 0.0;
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  if (ec != std::errc()) return 0.0;
  return value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double lower = std::floor(value);
  const double fraction = value - lower;
  if (fraction > 0.5) return lower + 1.0;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

HeaderStatus ReadPackHeader(LineReader& reader, PackHeader& header) {
  std::string line;
  if (!reader.Next(line)) return HeaderStatus::Damaged;
  std::string* fields[] = {&header.collectionName, &header.author, &header.comment};
  for (std::string* field : fields) {
    if (!reader.Next(line)) return HeaderStatus::Damaged;
    *field = HeaderValue(line);
    ++header.fieldsRead;
  }
  if (!reader.Next(line)) return HeaderStatus::Damaged;
  const double count = RoundHalfEven(LenientNumber(HeaderValue(line)));
  if (!(count >= 0.0 && count <= 255.0)) return HeaderStatus::Damaged;
  header.numberOfLevels = static_cast<int>(count);
  ++header.fieldsRead;
  return header.numberOfLevels == 0 ? HeaderStatus::NoLevels : HeaderStatus::Ok;
}

bool IsSectionLine(std::string_view line, int level) {
  const std::string needle = "[level" + std::to_string(level) + "data]";
  if (line.size() < needle.size()) return false;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t start = 0; start + needle.size() <= line.size(); ++start) {
    std::size_t i = 0;
    while (i < needle.size() && lower(line[start + i]) == needle[i]) ++i;
    if (i == needle.size()) return true;
  }
  return false;
}

LevelRows FindLevelRows(LineReader& reader, int level) {
  LevelRows result;
  std::string line;
  while (reader.Next(line)) {
    if (!IsSectionLine(line, level)) continue;
    result.found = true;
    for (auto& row : result.rows) {
      if (!reader.Next(row)) break;
      ++result.rowCount;
    }
    break;
  }
  // Rows beyond the 15th character never matter; keep only what a cell can use.
  for (auto& row : result.rows) {
    if (row.size() > 15) row.resize(15);
  }
  return result;
}

}  // namespace engine
