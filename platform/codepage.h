#pragma once
// Packs, progress and settings files are 8-bit text in the Windows-1252 code page.
// ASCII passes through unchanged both ways. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls U+0081 .. U+009D, so every byte
// survives Cp1252ToUtf8 followed by Utf8ToCp1252.
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
