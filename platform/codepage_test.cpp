#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Cp1252ToUtf8;
using platform::SplitLines;
using platform::Utf8ToCp1252;

TEST(Codepage, KnownCharactersBothWays) {
  struct Case {
    std::string cp1252;
    std::string utf8;
  };
  const Case cases[] = {
      {"Level 1", "Level 1"},
      {"\x80", "\xE2\x82\xAC"},           // euro sign
      {"\x8A", "\xC5\xA0"},               // S caron
      {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
      {"\x99", "\xE2\x84\xA2"},           // trade mark
      {"\x9F", "\xC5\xB8"},               // Y diaeresis
      {"\xA0", "\xC2\xA0"},
      {"caf\xE9", "caf\xC3\xA9"},
      {"\xFF", "\xC3\xBF"},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined: C1
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.cp1252;
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.cp1252;
  }
}

TEST(Codepage, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Codepage, UnmappableAndInvalidBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string cp1252;
  };
  const Case cases[] = {
      {"\xE2\x82\xAC\xE4\xB8\xAD", "\x80?"},  // a CJK character has no byte
      {"\xF0\x9F\x98\x80", "?"},              // emoji
      {"\xC2\x80", "?"},                      // C1 control the code page uses for the euro
      {"\xFF", "?"},                          // never valid in UTF-8
      {"a\xC3", "a?"},                        // cut sequence
      {"\xC0\xAF", "??"},                     // overlong '/'
      {"\xED\xA0\x80", "???"},                // surrogate
      {"\xF4\x90\x80\x80", "????"},           // past U+10FFFF
      {"\x80x", "?x"},                        // stray continuation byte
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
}

TEST(Codepage, SplitLinesAcceptsEveryLineEnd) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"one\ntwo", {"one", "two"}},
      {"one\rtwo\r", {"one", "two"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {"x\xE9\x80\r\n", {"x\xE9\x80"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

}  // namespace
