#pragma once
// Reading level packs and progress files the way the game does: line by line, with bounds, so
// that a damaged or hostile file can neither hang the game nor fill its memory.
#include <array>
#include <cstddef>
#include <fstream>
#include <istream>
#include <string>
#include <string_view>

namespace engine {

// A real pack is a few kilobytes; anything this large is not one.
inline constexpr std::size_t kMaxPackBytes = 16u << 20;
// Longer lines are cut to this many bytes (the rest of the line is skipped, not kept).
inline constexpr std::size_t kMaxLineBytes = 64u << 10;

// Splits a byte stream into lines. CR LF, LF alone and CR alone all end a line; a last line
// without a line end counts. Bytes are passed through unchanged (8-bit text).
class LineReader {
 public:
  explicit LineReader(std::istream& in, std::size_t maxBytes = kMaxPackBytes,
                      std::size_t maxLine = kMaxLineBytes);
  // The next line without its line end. False at the end of the text, on a read error, or once
  // more than maxBytes have been read (failed() tells the last two apart from the end).
  bool Next(std::string& line);
  bool failed() const { return failed_; }

 private:
  int Get();
  int Peek();
  std::streambuf* buf_;
  std::size_t maxBytes_;
  std::size_t maxLine_;
  std::size_t read_ = 0;
  bool failed_ = false;
  bool ended_ = false;
};

// Opens a file for LineReader: the path is resolved without regard to letter case, and only a
// regular file of at most maxBytes is accepted. False when that is not the case.
bool OpenBoundedFile(const std::string& path, std::ifstream& out, std::size_t maxBytes = kMaxPackBytes);

// The value of a header line: the text after its first "=", or the whole line without one.
std::string HeaderValue(std::string_view line);

// A lenient numeric conversion: blanks are skipped, reading stops at the first character that
// cannot continue a number (sign, digits, one decimal point, an exponent), and text without a
// leading number gives 0.
double LenientNumber(std::string_view text);

// Round to the nearest integer, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
double RoundHalfEven(double value);

struct PackHeader {
  std::string collectionName;
  std::string author;
  std::string comment;
  int numberOfLevels = 0;
  // How many of collectionName, author, comment and the count were read before any failure.
  int fieldsRead = 0;
};

enum class HeaderStatus {
  Ok,
  NoLevels,  // the count is 0 or not a number: "Damaged level file!"
  Damaged,   // fewer than five lines, unreadable, count outside 0 .. 255: "Damaged game pack!"
};

// Reads lines 1 to 5 by position (line 1 is ignored; 2, 3, 4 and 5 give the title, author,
// comment and level count whatever their keys say).
HeaderStatus ReadPackHeader(LineReader& reader, PackHeader& header);

// The rows of a level: the 15 lines after the first line that contains "[Level" n "Data]"
// (letter case ignored), searched from line 1.
struct LevelRows {
  bool found = false;
  // Row lines read after the section line (fewer than 15 when the file ends early).
  int rowCount = 0;
  std::array<std::string, 15> rows;
};
LevelRows FindLevelRows(LineReader& reader, int level);

// True when line contains "[Level" n "Data]" without regard to letter case.
bool IsSectionLine(std::string_view line, int level);

}  // namespace engine
