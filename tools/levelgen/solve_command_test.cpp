// frostlide-cli solve, black-box: what it prints, and that `play` accepts its move lists.
#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/test_dir.h"

namespace {

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Pack(const std::vector<std::vector<std::string>>& levels) {
  std::string t = "[PackHeader]\r\nCollectionName=Solve\r\nAuthor=a\r\nComment=c\r\nNumberOfLevels=" +
                  std::to_string(levels.size()) + "\r\n\r\n";
  for (std::size_t i = 0; i < levels.size(); ++i) {
    t += "[Level" + std::to_string(i + 1) + "Data]\r\n";
    for (std::size_t r = 0; r < 15; ++r) {
      std::string row = r < levels[i].size() ? levels[i][r] : "";
      row.resize(15, '.');
      t += row + "\r\n";
    }
    t += "\r\n";
  }
  return t;
}

class SolveCommand : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args, std::string& out) {
    std::string command = Quote(FROSTLIDE_CLI);
    for (const auto& a : args) command += " " + Quote(a);
    command += " 2>/dev/null";
    out.clear();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  platform::testing::TestDir dir;
};

const std::vector<std::vector<std::string>> kLevels = {
    {"XXXXXXXX", "XR..X.rX", "X.R...rX", "X..r..RX", "X.X....X", "XXXXXXXX"},  // 7 moves
    {"XXXXXXX", "XR.r.rX", "XXXXXXX"},                                       // too few cubes
    {"XXXXXX", "XR.xrX", "XXXXXX"},                                          // 2 moves
};

TEST_F(SolveCommand, PrintsEveryLevelAndItsMovesPlayToAWin) {
  dir.Put("p.cdn", Pack(kLevels));
  std::string out;
  ASSERT_EQ(Run({"solve", dir / "p.cdn"}, out), 0);
  const std::regex line(R"(level (\d+): (.*) \((\d+) states, [0-9.]+ s\)\n)");
  std::vector<std::smatch> found;
  for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) found.push_back(*it);
  ASSERT_EQ(found.size(), 3u) << out;
  EXPECT_EQ(found[0][2].str().rfind("7 moves: ", 0), 0u) << out;
  EXPECT_EQ(found[1][2].str(), "unsolvable");
  EXPECT_EQ(found[2][2].str(), "2 moves: 2,2,r 3,2,r");

  // The move list is what play reads, and it wins the level.
  const std::string moves = found[0][2].str().substr(9);
  std::vector<std::string> args = {"play", dir / "p.cdn", "1"};
  std::size_t start = 0;
  while (start < moves.size()) {
    std::size_t sp = moves.find(' ', start);
    if (sp == std::string::npos) sp = moves.size();
    args.push_back(moves.substr(start, sp - start));
    start = sp + 1;
  }
  std::string played;
  ASSERT_EQ(Run(args, played), 0);
  EXPECT_NE(played.find("sound: victory"), std::string::npos) << played;
}

TEST_F(SolveCommand, OneLevelLimitsAndThePlainSearch) {
  dir.Put("p.cdn", Pack(kLevels));
  std::string out;
  ASSERT_EQ(Run({"solve", dir / "p.cdn", "3", "--plain"}, out), 0);
  EXPECT_EQ(out.rfind("level 3: 2 moves: 2,2,r 3,2,r (", 0), 0u) << out;
  ASSERT_EQ(Run({"solve", dir / "p.cdn", "1", "--max-states", "3"}, out), 0);
  EXPECT_EQ(out.rfind("level 1: gave up after 3 states (", 0), 0u) << out;
  ASSERT_EQ(Run({"solve", dir / "p.cdn", "1", "--max-moves", "5"}, out), 0);
  EXPECT_EQ(out.rfind("level 1: no solution within 5 moves (", 0), 0u) << out;
}

TEST_F(SolveCommand, RejectsBadArgumentsAndBadPacks) {
  dir.Put("p.cdn", Pack(kLevels));
  std::string out;
  EXPECT_EQ(Run({"solve"}, out), 2);
  EXPECT_EQ(Run({"solve", dir / "p.cdn", "4"}, out), 2);
  EXPECT_EQ(Run({"solve", dir / "p.cdn", "x"}, out), 2);
  EXPECT_EQ(Run({"solve", dir / "p.cdn", "--max-states", "0"}, out), 2);
  EXPECT_EQ(Run({"solve", dir / "p.cdn", "--fast"}, out), 2);
  EXPECT_EQ(Run({"solve", dir / "missing.cdn"}, out), 1);
}

}  // namespace
