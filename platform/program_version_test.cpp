#include "platform/program_version.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

TEST(ProgramVersion, IsAReleaseNumberAndLeadsTheVersionLine) {
  const std::string version(platform::ProgramVersion());
  EXPECT_TRUE(std::regex_match(version, std::regex(R"([0-9]+\.[0-9]+\.[0-9]+)"))) << version;
  EXPECT_EQ(platform::VersionLine("frostlide-cli"), "frostlide-cli " + version);
  EXPECT_EQ(platform::VersionLine("Mapwright"), "Mapwright " + version);
}

TEST(ProgramVersion, OnlyALoneVersionOptionAsksForIt) {
  struct Case {
    std::vector<std::string> args;
    bool asks;
  };
  const Case cases[] = {
      {{"--version"}, true},
      {{}, false},
      {{"--Version"}, false},
      {{"-v"}, false},
      {{"--version", "pack.cdn"}, false},  // the game would take this whole text as one path
      {{"pack.cdn", "--version"}, false},
      {{"--version "}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::AsksForVersion(c.args), c.asks) << ::testing::PrintToString(c.args);
    std::vector<const char*> argv{"program"};
    for (const std::string& a : c.args) argv.push_back(a.c_str());
    EXPECT_EQ(platform::AsksForVersion(static_cast<int>(argv.size()), argv.data()), c.asks)
        << ::testing::PrintToString(c.args);
  }
}

}  // namespace
