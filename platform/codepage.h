#pragma once
// Packs, progress and settings files are 8-bit text in the Windows-1252 code page.
// ASCII passes through unchanged both ways.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::string Cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'. Invalid UTF-8 bytes become '?'.
std::string Utf8ToCp1252(std::string_view text);

// Splits text into lines, accepting CR LF, LF alone and CR alone as line ends.
// A final line without line end counts; a trailing line end does not add an empty line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace platform
