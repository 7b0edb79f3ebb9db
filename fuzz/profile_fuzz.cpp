// The profile-file reader and writer on arbitrary content: a key written reads back as its
// value (trimmed, cut at its first line break and at 255 characters), no other key changes,
// writing the same key twice changes nothing more, and names that cannot be stored leave the
// content alone. The file routines give the same answers as the in-memory ones.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/profile.h"

namespace {

// Names from a small alphabet, so that the fuzzer often hits names the content already has.
std::string Name(fuzz::Input& in) {
  static constexpr char kChars[] = "abAB_1 .";
  const int length = 1 + in.Byte() % 4;
  std::string name;
  for (int i = 0; i < length; ++i) name += kChars[in.Byte() % (sizeof kChars - 1)];
  // Blanks around a name are not part of it.
  while (!name.empty() && name.front() == ' ') name.erase(0, 1);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name.empty() ? "a" : name;
}

std::string Expected(std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  return std::string(value.substr(0, platform::kMaxProfileValue));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::string section = Name(in), key = Name(in);
  const std::string otherSection = Name(in), otherKey = Name(in);
  const std::size_t valueLength = in.Byte();
  const std::string value(in.Bytes(valueLength % 64 == 63 ? 300 : valueLength % 64));
  const bool onDisk = in.Bit();
  const std::string content(in.Rest());

  const std::string updated = platform::ProfileUpdate(content, section, key, value);
  const std::string got = platform::ProfileLookup(updated, section, key, "\x01missing");
  fuzz::Check(got == Expected(value), "a written key reads back",
              "[" + section + "] " + key + " -> '" + got + "'");
  fuzz::Check(platform::ProfileUpdate(updated, section, key, value) == updated,
              "writing the same key again changes nothing");

  const bool sameKey = platform::ProfileLookup("[" + section + "]\r\n" + key + "=1\r\n", otherSection,
                                               otherKey, "0") == "1";
  if (!sameKey) {
    fuzz::Check(platform::ProfileLookup(updated, otherSection, otherKey, "\x01missing") ==
                    platform::ProfileLookup(content, otherSection, otherKey, "\x01missing"),
                "other keys keep their values", "[" + otherSection + "] " + otherKey);
  }

  // Names that cannot be stored change nothing.
  for (const auto& [s, k] : {std::pair<std::string, std::string>{"", key}, {section, ""},
                             {section, key + "=x"}, {section + "]", key}, {section, "a\nb"},
                             {section, ";" + key}, {section, "[" + key}}) {
    fuzz::Check(platform::ProfileUpdate(content, s, k, value) == content, "bad names are refused");
  }

  if (onDisk) {
    const fuzz::ScratchFolder& dir = fuzz::Scratch();
    dir.Put("p.ini", content);
    fuzz::Check(platform::WriteProfileString(dir / "p.ini", section, key, value), "the file is written");
    fuzz::Check(platform::GetProfileString(dir / "p.ini", section, key, "") == Expected(value),
                "the file reads back");
    fuzz::Check(platform::GetProfileString(dir / "p.ini", otherSection, otherKey, "\x01") ==
                    platform::ProfileLookup(updated, otherSection, otherKey, "\x01"),
                "the file and the memory agree");
  }
  return 0;
}
