// Runs the frostlide-cli program on packs written by the tests and checks what it prints.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/program_version.h"
#include "platform/test_dir.h"

namespace {

struct Result {
  int code = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Pack(const std::string& title, const std::vector<std::vector<std::string>>& levels) {
  std::string t = "[PackHeader]\r\nCollectionName=" + title + "\r\nAuthor=Ann\r\nComment=Hi\r\nNumberOfLevels=" +
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

// The 15 board lines of a print, from rows in pack characters (one token per character).
std::string BoardLines(const std::vector<std::string>& rows) {
  std::string out;
  for (std::size_t r = 0; r < 15; ++r) {
    std::string row = r < rows.size() ? rows[r] : "";
    row.resize(15, '.');
    for (std::size_t i = 0; i < 15; ++i) {
      if (i) out += ' ';
      out += row[i];
    }
    out += '\n';
  }
  return out;
}

class CliTest : public ::testing::Test {
 protected:
  Result Run(const std::vector<std::string>& args) {
    std::string command = Quote(FROSTLIDE_CLI);
    for (const auto& a : args) command += " " + Quote(a);
    command += " 2>" + Quote(dir / "stderr.txt");
    Result r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int status = ::pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = dir.Get("stderr.txt");
    return r;
  }
  std::string Put(const std::string& name, const std::string& text) {
    dir.Put(name, text);
    return dir / name;
  }
  platform::testing::TestDir dir;
};

TEST_F(CliTest, ShowPrintsTheLevelAsSetUp) {
  const std::string pack = Put("p.cdn", Pack("Tiny", {{"XxCT", "RBGWLH", "rbgwlh", "?z"}, {}}));
  const Result r = Run({"show", pack, "1"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "pack: Tiny\nlevel: 1 of 2\nscenery: 0\n" + BoardLines({"XxCT", "RBGWLH", "rbgwlh"}) +
                       "won: no\nwinnable: yes\nundo: none\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "p.cdx"));  // show starts nothing
}

TEST_F(CliTest, ShowNeedsNoProgramFolderEvenForTheBuiltInTitle) {
  const std::string pack = Put("ice.cdn", Pack("Frostlide: Ice", std::vector<std::vector<std::string>>(20)));
  const Result r = Run({"show", pack, "17"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("scenery: 2\n"), std::string::npos);
  EXPECT_EQ(r.out.find("message:"), std::string::npos);
}

TEST_F(CliTest, PackErrorsPrintTheGamesMessage) {
  struct Case {
    const char* text;  // nullptr: no file
    const char* out;
  } cases[] = {
      {nullptr, "message: Level file does not exist!\n"},
      {"[PackHeader]\r\nCollectionName=T\r\n", "message: Damaged game pack!\n"},
      {"[PackHeader]\r\nCollectionName=T\r\nAuthor=A\r\nComment=C\r\nNumberOfLevels=256\r\n", "message: Damaged game pack!\n"},
      {"[PackHeader]\r\nCollectionName=T\r\nAuthor=A\r\nComment=C\r\nNumberOfLevels=ten\r\n", "message: Damaged level file!\n"},
  };
  for (const Case& c : cases) {
    const std::string pack = dir / "bad.cdn";
    std::filesystem::remove(pack);
    if (c.text) Put("bad.cdn", c.text);
    for (const char* command : {"show", "status", "play"}) {
      std::vector<std::string> args = {command, pack};
      if (std::string(command) != "status") args.push_back("1");
      const Result r = Run(args);
      EXPECT_EQ(r.code, 1) << command;
      EXPECT_EQ(r.out, c.out) << command;
    }
  }
}

TEST_F(CliTest, UsageErrors) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R"}}));
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"dance"},
      {"show", pack},
      {"show", pack, "2"},
      {"show", pack, "x"},
      {"play", pack},
      {"play", pack, "1", "16,1,r"},
      {"play", pack, "1", "1,1,x"},
      {"play", pack, "1", "1,1"},
      {"play", pack, "1", "a,b,r"},
      {"status"},
  };
  for (const auto& args : bad) {
    const Result r = Run(args);
    EXPECT_EQ(r.code, 2) << (args.empty() ? "" : args[0]) << " " << args.size();
    EXPECT_FALSE(r.err.empty());
  }
  // A bad move is found before anything is played or written.
  EXPECT_FALSE(std::filesystem::exists(dir / "p.cdx"));
  const Result help = Run({"help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("play PACK LEVEL"), std::string::npos);
}

// What the manual page lists: every command, the two options and the exit statuses.
TEST_F(CliTest, HelpAndVersion) {
  for (const char* ask : {"help", "--help", "-h"}) {
    const Result help = Run({ask});
    EXPECT_EQ(help.code, 0) << ask;
    EXPECT_EQ(help.err, "") << ask;
    for (const char* line : {"usage: frostlide-cli COMMAND ARGS...", "frostlide-cli show PACK LEVEL",
                             "frostlide-cli play PACK LEVEL [--yes] [--save-progress] MOVE...",
                             "frostlide-cli hint PACK LEVEL [--yes] [MOVE...]", "frostlide-cli status PACK",
                             "frostlide-cli render PACK LEVEL OUT.png [--data DIR] [--colorblind] [--yes] "
                             "[--save-progress] MOVE...",
                             "frostlide-cli solve PACK [LEVEL] [--plain] [--max-states N] [--max-moves N]",
                             "frostlide-cli --help", "frostlide-cli --version", "exit status: 0 done"}) {
      EXPECT_NE(help.out.find(line), std::string::npos) << ask << ": " << line << "\n" << help.out;
    }
  }
  const Result version = Run({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, platform::VersionLine("frostlide-cli") + "\n");
  EXPECT_EQ(version.err, "");
  // Only on its own: followed by anything it is no command, and the usage says so.
  const Result extra = Run({"--version", "x"});
  EXPECT_EQ(extra.code, 2);
  EXPECT_EQ(extra.out, "");
  EXPECT_NE(extra.err.find("unknown command '--version'"), std::string::npos) << extra.err;
}

TEST_F(CliTest, MovesBoardInputWouldNotAllow) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R.X", "X", "..G", "g"}}));
  const std::pair<const char*, const char*> cases[] = {
      {"2,1,r", "no cube at 2,1"},           // empty cell
      {"1,1,l", "cannot move that way"},     // off the board
      {"1,1,d", "cannot move that way"},     // a block
      {"1,1,u", "cannot move that way"},     // the top edge
  };
  for (const auto& [move, text] : cases) {
    const Result r = Run({"play", pack, "1", move});
    EXPECT_EQ(r.code, 2) << move;
    EXPECT_NE(r.err.find(std::string("error: ") + move), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
  }
  // Later moves are checked against the board the earlier ones left.
  const Result r = Run({"play", pack, "1", "1,1,r", "1,1,r"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("no cube at 1,1"), std::string::npos);
}

TEST_F(CliTest, PlayShowsCubesOnSpheresAndTrapdoorsAndTheSounds) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R.bX", "", "G.TX", "", "W..x", "g"}, {}}));
  const Result r = Run({"play", pack, "1", "1,1,r", "1,3,r", "1,5,r"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "sound: click\nsound: click\nsound: click\nsound: break\n"
                   "pack: T\nlevel: 1 of 2\nscenery: 0\n"
                   ". . Rb X . . . . . . . . . . .\n"
                   ". . . . . . . . . . . . . . .\n"
                   ". . GT X . . . . . . . . . . .\n"
                   ". . . . . . . . . . . . . . .\n"
                   ". . W . . . . . . . . . . . .\n"
                   "g . . . . . . . . . . . . . .\n" +
                       BoardLines({}).substr(30 * 6) +
                       "won: no\nwinnable: no\nundo: available\n");  // the red cube covers the only blue sphere
  // A trial start creates no progress file; one asked to save does, as the game's start does.
  EXPECT_FALSE(std::filesystem::exists(dir / "p.cdx"));
  const Result saved = Run({"play", pack, "1", "--save-progress", "1,1,r"});
  EXPECT_EQ(saved.code, 0) << saved.err;
  EXPECT_EQ(dir.Get("p.cdx"), "1\r\nu\r\n2\r\nu\r\n");
}

TEST_F(CliTest, UndoTakesMovesBack) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R.TX", "g"}}));
  const Result r = Run({"play", pack, "1", "1,1,r", "3,1,d", "undo", "undo", "undo"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find(BoardLines({"R.TX", "g"})), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("undo: none"), std::string::npos);
}

TEST_F(CliTest, AWinSetsUpTheNextLevelAndWritesProgressWhenAsked) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R.rX"}, {"G.gX"}}));
  const Result r = Run({"play", pack, "1", "--save-progress", "1,1,r"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("pack:")), "sound: click\nsound: match\nsound: victory\n");
  EXPECT_NE(r.out.find("level: 2 of 2\n" "scenery: 0\n" + BoardLines({"G.gX"})), std::string::npos) << r.out;
  EXPECT_EQ(dir.Get("p.cdx"), "1\r\nd\r\n2\r\nu\r\n");

  const Result last = Run({"play", pack, "2", "--save-progress", "1,1,r"});
  EXPECT_NE(last.out.find("sound: victory\ncredits\n"), std::string::npos) << last.out;
  EXPECT_NE(last.out.find("level: 2 of 2\n"), std::string::npos);
  EXPECT_NE(last.out.find("won: yes\n"), std::string::npos);
  EXPECT_EQ(dir.Get("p.cdx"), "1\r\nd\r\n2\r\nd\r\n");
}

// After the credits the main menu covers the board: no move can be made and the undo key is
// ignored, so the won level stays as it was.
TEST_F(CliTest, NothingIsPlayedAfterTheCredits) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R.rX", "", "G"}}));
  const Result move = Run({"play", pack, "1", "1,1,r", "1,3,r"});
  EXPECT_EQ(move.code, 2) << move.out;
  EXPECT_NE(move.err.find("error: 1,3,r: "), std::string::npos) << move.err;
  EXPECT_EQ(move.out, "sound: click\nsound: match\nsound: victory\ncredits\n");

  const Result undo = Run({"play", pack, "1", "--save-progress", "1,1,r", "undo"});
  EXPECT_EQ(undo.code, 0) << undo.err;
  EXPECT_NE(undo.out.find("level: 1 of 1\nscenery: 0\n. . Rr X . . . . . . . . . . .\n"), std::string::npos)
      << undo.out;
  EXPECT_NE(undo.out.find("won: yes\n"), std::string::npos);
  EXPECT_EQ(dir.Get("p.cdx"), "1\r\nd\r\n");
}

TEST_F(CliTest, TheUnwinnableQuestionIsAnsweredNoOrYes) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R.C", "R", "r", "r"}}));
  const Result no = Run({"play", pack, "1", "1,1,r"});
  EXPECT_EQ(no.code, 0);
  EXPECT_NE(no.out.find("sound: crush\nask: Oops! You can't win now! Undo? -> no\n"), std::string::npos) << no.out;
  EXPECT_NE(no.out.find(BoardLines({"..C", "R", "r", "r"})), std::string::npos);
  EXPECT_NE(no.out.find("winnable: no\nundo: available\n"), std::string::npos);

  const Result yes = Run({"play", pack, "1", "--yes", "1,1,r"});
  EXPECT_NE(yes.out.find("ask: Oops! You can't win now! Undo? -> yes\n"), std::string::npos) << yes.out;
  EXPECT_NE(yes.out.find(BoardLines({"R.C", "R", "r", "r"})), std::string::npos);
  EXPECT_NE(yes.out.find("winnable: yes\nundo: none\n"), std::string::npos);
}

TEST_F(CliTest, StatusReadsProgressLikeTheGame) {
  const std::string pack = Put("p.cdn", Pack("T", std::vector<std::vector<std::string>>(6)));
  Result r = Run({"status", pack});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "pack: T\nauthor: Ann\ncomment: Hi\nlevels: 6\n1 open\n2 open\n3 open\n4 locked\n5 locked\n6 locked\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "p.cdx"));  // a status query writes nothing

  Put("p.cdx", "1\r\nu\r\n2\r\nd\r\n3\r\nD\r\n4\r\nu\r\n5\r\nd\r\n");  // "D" is not solved; 6 is missing
  r = Run({"status", pack});
  EXPECT_EQ(r.out.substr(r.out.find("1 ")), "1 open\n2 solved\n3 open\n4 open\n5 solved\n6 locked\n");
}

// Trying moves must not change the player's progress or records.
TEST_F(CliTest, PlayReadsProgressAndRecordsButWritesNeitherUnlessAsked) {
  const std::string pack = Put("p.cdn", Pack("T", {{"R.rX"}, {"G.gX"}}));
  const Result fresh = Run({"play", pack, "1", "1,1,r"});
  EXPECT_EQ(fresh.code, 0) << fresh.err;
  EXPECT_NE(fresh.out.find("level: 2 of 2\n"), std::string::npos) << fresh.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "p.cdx"));
  EXPECT_FALSE(std::filesystem::exists(dir / "p.best"));

  // Level 2 is open only by the progress read: play starts it and leaves the file as it was.
  const std::string progress = "1\r\nd\r\n2\r\nu\r\n";
  Put("p.cdx", progress);
  const Result again = Run({"play", pack, "2", "1,1,r"});
  EXPECT_NE(again.out.find("credits\n"), std::string::npos) << again.out;
  EXPECT_EQ(dir.Get("p.cdx"), progress);
  EXPECT_FALSE(std::filesystem::exists(dir / "p.best"));

  const Result saved = Run({"play", pack, "2", "--save-progress", "1,1,r"});
  EXPECT_EQ(saved.code, 0) << saved.err;
  EXPECT_EQ(dir.Get("p.cdx"), "1\r\nd\r\n2\r\nd\r\n");
  EXPECT_EQ(dir.Get("p.best"), "[Best]\r\n2=1\r\n");
}

TEST_F(CliTest, StatusAddsTheRecordOfASolvedLevel) {
  const std::string pack = Put("p.cdn", Pack("T", std::vector<std::vector<std::string>>(4)));
  Put("p.cdx", "1\r\nd\r\n2\r\nd\r\n3\r\nu\r\n4\r\nu\r\n");
  const std::string records = "[Best]\r\n1=12\r\n3=4\r\n";  // 3 is no longer solved: no record shown
  Put("p.best", records);
  const Result r = Run({"status", pack});
  EXPECT_EQ(r.out.substr(r.out.find("1 ")), "1 solved best 12\n2 solved\n3 open\n4 open\n");
  EXPECT_EQ(dir.Get("p.best"), records);
  // A damaged records file shows no records and stays as it is.
  Put("p.best", "\x01\x02garbage");
  const Result damaged = Run({"status", pack});
  EXPECT_EQ(damaged.code, 0);
  EXPECT_EQ(damaged.out.substr(damaged.out.find("1 ")), "1 solved\n2 solved\n3 open\n4 open\n");
}

TEST_F(CliTest, HintPrintsOneLine) {
  struct Case {
    const char* name;
    std::vector<std::vector<std::string>> levels;
    std::vector<std::string> moves;
    const char* line;
  };
  const Case cases[] = {
      {"one move", {{"R.rX"}}, {}, "hint: 1,1,r (1 move to win)\n"},
      {"a detour", {{"R....", "...rX", "X...."}}, {}, "hint: 1,1,d (2 moves to win)\n"},
      {"after a move", {{"R....", "...rX", "X...."}}, {"1,1,d"}, "hint: 1,2,r (1 move to win)\n"},
      // The crush took a cube both spheres needed; the question is answered no.
      {"crushed", {{"R.C", "R", "r", "r"}}, {"1,1,r"}, "hint: none, no way to win from here\n"},
      {"walled off", {{"R.X.r", "..X..", "XXX.."}}, {}, "hint: none, no way to win from here\n"},
      {"won", {{"R.rX"}}, {"1,1,r"}, "hint: none, the level is solved\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string pack = Put("p.cdn", Pack("T", c.levels));
    std::vector<std::string> args{"hint", pack, "1"};
    args.insert(args.end(), c.moves.begin(), c.moves.end());
    const Result r = Run(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, c.line);
    // Played as play plays, writing nothing.
    EXPECT_FALSE(std::filesystem::exists(dir / "p.cdx"));
    EXPECT_FALSE(std::filesystem::exists(dir / "p.best"));
  }
  const Result bad = Run({"hint", Put("p.cdn", Pack("T", {{"R.rX"}})), "1", "2,1,r"});
  EXPECT_EQ(bad.code, 2);
  EXPECT_EQ(bad.out, "");
}

TEST_F(CliTest, HeaderTextsAreShownAsUtf8) {
  const std::string pack = Put("p.cdn", Pack("Caf\xe9", {{}}));
  const Result r = Run({"status", pack});
  EXPECT_EQ(r.out.substr(0, 12), "pack: Caf\xc3\xa9\n");
}

}  // namespace
