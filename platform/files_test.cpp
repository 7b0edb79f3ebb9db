#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/test_dir.h"

namespace {

using platform::testing::TestDir;

class FilesTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SimulateWriteFailure(false); }
  TestDir dir;
};

TEST_F(FilesTest, ReadFileBoundsTheSize) {
  dir.Put("ten", "0123456789");
  struct Case {
    std::size_t max;
    bool ok;
    std::string bytes;
  };
  const Case cases[] = {{100, true, "0123456789"}, {10, true, "0123456789"}, {9, false, ""}, {0, false, ""}};
  for (const Case& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(platform::ReadFile(dir / "ten", out, c.max), c.ok) << c.max;
    EXPECT_EQ(out, c.bytes) << c.max;
  }
  std::string out = "stale";
  EXPECT_FALSE(platform::ReadFile(dir / "missing", out));
  EXPECT_EQ(out, "");
  EXPECT_FALSE(platform::ReadFile(dir.path(), out));  // a folder
  EXPECT_FALSE(platform::ReadFile("", out));
}

TEST_F(FilesTest, ReadFileFindsOtherCaseAndBoundsDevices) {
  dir.Put("Pack.CDN", "abc");
  std::string out;
  EXPECT_TRUE(platform::ReadFile(dir / "pack.cdn", out));
  EXPECT_EQ(out, "abc");
  // An endless device is cut off at the bound rather than read forever.
  EXPECT_FALSE(platform::ReadFile("/dev/zero", out, 4096));
  EXPECT_TRUE(platform::ReadFilePrefix("/dev/zero", out, 4096));
  EXPECT_EQ(out, std::string(4096, '\0'));
}

TEST_F(FilesTest, ReadFilePrefix) {
  dir.Put("ten", "0123456789");
  std::string out;
  EXPECT_TRUE(platform::ReadFilePrefix(dir / "ten", out, 4));
  EXPECT_EQ(out, "0123");
  EXPECT_TRUE(platform::ReadFilePrefix(dir / "ten", out, 50));
  EXPECT_EQ(out, "0123456789");
  EXPECT_FALSE(platform::ReadFilePrefix(dir / "missing", out, 50));
  EXPECT_FALSE(platform::ReadFilePrefix(dir.path(), out, 50));
}

TEST_F(FilesTest, WriteFileAtomicCreatesAndReplaces) {
  ASSERT_TRUE(platform::WriteFileAtomic(dir / "a.txt", "first"));
  EXPECT_EQ(dir.Get("a.txt"), "first");
  ASSERT_TRUE(platform::WriteFileAtomic(dir / "a.txt", std::string("se\0cond", 7)));
  EXPECT_EQ(dir.Get("a.txt"), std::string("se\0cond", 7));
  ASSERT_TRUE(platform::WriteFileAtomic(dir / "a.txt", ""));
  EXPECT_EQ(dir.Get("a.txt"), "");
  EXPECT_EQ(dir.Count(), 1);  // no temporary file left
}

TEST_F(FilesTest, WriteFileAtomicReplacesTheFileStoredInAnotherCase) {
  dir.Put("Settings.INI", "old");
  ASSERT_TRUE(platform::WriteFileAtomic(dir / "settings.ini", "new"));
  EXPECT_EQ(dir.Get("Settings.INI"), "new");
  EXPECT_EQ(dir.Count(), 1);
}

TEST_F(FilesTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  dir.Put("progress.cdx", "solved levels");
  platform::SimulateWriteFailure(true);
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "progress.cdx", "half"));
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "new.cdx", "x"));
  EXPECT_FALSE(platform::CopyFile(dir / "progress.cdx", dir / "copy.cdx"));
  platform::SimulateWriteFailure(false);
  EXPECT_EQ(dir.Get("progress.cdx"), "solved levels");
  EXPECT_EQ(dir.Count(), 1);
}

TEST_F(FilesTest, WriteFailureSwitchBelongsToItsThread) {
  platform::SimulateWriteFailure(true);
  bool otherThread = false;
  std::thread t([&] { otherThread = platform::WriteFileAtomic(dir / "t.txt", "x"); });
  t.join();
  EXPECT_TRUE(otherThread);
}

TEST_F(FilesTest, WriteFileAtomicRefusesFoldersAndMissingFolders) {
  dir.Mkdir("levels");
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "levels", "x"));
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "levels/", "x"));
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "nowhere/a.txt", "x"));
  EXPECT_FALSE(platform::WriteFileAtomic("", "x"));
  EXPECT_EQ(dir.Count("levels"), 0);
}

TEST_F(FilesTest, WriteFileAtomicKeepsModeAndSymbolicLinks) {
  dir.Put("real.ini", "old");
  ASSERT_EQ(::chmod((dir / "real.ini").c_str(), 0640), 0);
  ASSERT_EQ(::symlink((dir / "real.ini").c_str(), (dir / "link.ini").c_str()), 0);
  ASSERT_TRUE(platform::WriteFileAtomic(dir / "link.ini", "new"));
  struct stat st {};
  ASSERT_EQ(::lstat((dir / "link.ini").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(::stat((dir / "real.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.Get("real.ini"), "new");
}

TEST_F(FilesTest, CopyFile) {
  dir.Put("Incoming/My Pack.cdn", "levels");
  dir.Mkdir("levels");
  ASSERT_TRUE(platform::CopyFile(dir / "incoming/my pack.cdn", dir / "Levels/My Pack.cdn"));
  EXPECT_EQ(dir.Get("levels/My Pack.cdn"), "levels");
  dir.Put("Incoming/My Pack.cdn", "changed");
  ASSERT_TRUE(platform::CopyFile(dir / "Incoming/My Pack.cdn", dir / "levels/my pack.CDN"));
  EXPECT_EQ(dir.Get("levels/My Pack.cdn"), "changed");  // replaced under its stored name
  EXPECT_EQ(dir.Count("levels"), 1);
  EXPECT_FALSE(platform::CopyFile(dir / "missing.cdn", dir / "levels/x.cdn"));
  EXPECT_FALSE(platform::CopyFile(dir / "levels", dir / "x.cdn"));  // not a file
  EXPECT_FALSE(platform::CopyFile(dir / "Incoming/My Pack.cdn", dir / "nowhere/x.cdn"));
}

// A pack in the levels folder may be a link to the player's own file elsewhere: a copy over it
// replaces the link, and that file keeps its bytes and its mode.
TEST_F(FilesTest, CopyOverASymbolicLinkReplacesTheLinkNotItsTarget) {
  struct Case {
    const char* name;
    bool dangling;
  };
  for (const Case c : {Case{"to a file", false}, Case{"to nothing", true}}) {
    SCOPED_TRACE(c.name);
    TestDir d;
    d.Put("mine/pack.cdn", "the player's own");
    ASSERT_EQ(::chmod((d / "mine/pack.cdn").c_str(), 0444), 0);
    d.Put("incoming/pack.cdn", "imported");
    d.Mkdir("levels");
    const std::string pointsTo = c.dangling ? d / "gone/pack.cdn" : d / "mine/pack.cdn";
    ASSERT_EQ(::symlink(pointsTo.c_str(), (d / "levels/pack.cdn").c_str()), 0);
    EXPECT_TRUE(platform::ResetAttributes(d / "levels/pack.cdn"));
    ASSERT_TRUE(platform::CopyFile(d / "incoming/pack.cdn", d / "levels/pack.cdn"));
    struct stat st {};
    ASSERT_EQ(::lstat((d / "levels/pack.cdn").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(d.Get("levels/pack.cdn"), "imported");
    EXPECT_EQ(d.Get("mine/pack.cdn"), "the player's own");
    ASSERT_EQ(::stat((d / "mine/pack.cdn").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_FALSE(std::filesystem::exists(d / "gone"));
    EXPECT_EQ(d.Count("levels"), 1);
  }
}

TEST_F(FilesTest, CopyOntoItselfIsRefusedAndKeepsTheFile) {
  dir.Put("levels/pack.cdn", "precious");
  ASSERT_EQ(::link((dir / "levels/pack.cdn").c_str(), (dir / "hardlink.cdn").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "levels").c_str(), (dir / "alias").c_str()), 0);
  const std::string sameFile[] = {dir / "levels/pack.cdn", dir / "LEVELS/PACK.CDN",
                                  dir / "levels/./pack.cdn", dir / "hardlink.cdn",
                                  dir / "alias/pack.cdn"};
  for (const std::string& target : sameFile) {
    EXPECT_FALSE(platform::CopyFile(dir / "levels/pack.cdn", target)) << target;
    EXPECT_TRUE(platform::SameFile(dir / "levels/pack.cdn", target)) << target;
  }
  EXPECT_EQ(dir.Get("levels/pack.cdn"), "precious");
  EXPECT_EQ(dir.Count("levels"), 1);
}

TEST_F(FilesTest, ReadOnlyFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not bind the superuser";
  dir.Put("ro.cdn", "kept");
  dir.Put("src.cdn", "new");
  ASSERT_EQ(::chmod((dir / "ro.cdn").c_str(), 0444), 0);
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "ro.cdn", "new"));
  EXPECT_FALSE(platform::CopyFile(dir / "src.cdn", dir / "ro.cdn"));
  EXPECT_EQ(dir.Get("ro.cdn"), "kept");
  ASSERT_TRUE(platform::ResetAttributes(dir / "ro.cdn"));
  EXPECT_TRUE(platform::CopyFile(dir / "src.cdn", dir / "ro.cdn"));
  EXPECT_EQ(dir.Get("ro.cdn"), "new");
}

TEST_F(FilesTest, SameFile) {
  dir.Put("a", "x");
  dir.Put("b", "x");
  EXPECT_TRUE(platform::SameFile(dir / "a", dir / "A"));
  EXPECT_FALSE(platform::SameFile(dir / "a", dir / "b"));
  EXPECT_FALSE(platform::SameFile(dir / "a", dir / "missing"));
  EXPECT_FALSE(platform::SameFile("", ""));
}

TEST_F(FilesTest, DeleteFile) {
  dir.Put("Old.cdx", "x");
  dir.Mkdir("folder");
  EXPECT_TRUE(platform::DeleteFile(dir / "old.cdx"));
  EXPECT_FALSE(platform::DeleteFile(dir / "old.cdx"));
  EXPECT_FALSE(platform::DeleteFile(dir / "folder"));
  EXPECT_FALSE(platform::DeleteFile(""));
  EXPECT_EQ(dir.Count(), 1);
}

TEST_F(FilesTest, ResetAttributesMakesTheFileOwnerWritable) {
  dir.Put("ro.cdn", "x");
  ASSERT_EQ(::chmod((dir / "ro.cdn").c_str(), 0444), 0);
  EXPECT_TRUE(platform::ResetAttributes(dir / "RO.cdn"));
  struct stat st {};
  ASSERT_EQ(::stat((dir / "ro.cdn").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_FALSE(platform::ResetAttributes(dir / "missing"));
}

TEST_F(FilesTest, MakeDirsKeepsExistingCaseAndCreatesWithGivenCase) {
  dir.Mkdir("Levels");
  EXPECT_TRUE(platform::MakeDirs(dir / "levels/Sub/Deeper/"));
  EXPECT_TRUE(platform::MakeDirs(dir / "levels/sub/deeper"));  // already there
  struct stat st {};
  EXPECT_EQ(::stat((dir / "Levels/Sub/Deeper").c_str(), &st), 0);
  EXPECT_EQ(dir.Count(), 1);
  EXPECT_EQ(dir.Count("Levels"), 1);
  dir.Put("file", "x");
  EXPECT_FALSE(platform::MakeDirs(dir / "file"));
  EXPECT_FALSE(platform::MakeDirs(dir / "file/sub"));
  EXPECT_FALSE(platform::MakeDirs(""));
}

TEST_F(FilesTest, ReadOnlyFolderIsNotWritable) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not bind the superuser";
  dir.Mkdir("ro");
  ASSERT_EQ(::chmod((dir / "ro").c_str(), 0555), 0);
  EXPECT_FALSE(platform::FolderWritable(dir / "ro/"));
  EXPECT_FALSE(platform::WriteFileAtomic(dir / "ro/settings.ini", "x"));
  ASSERT_EQ(::chmod((dir / "ro").c_str(), 0755), 0);
  EXPECT_EQ(dir.Count("ro"), 0);
}

TEST_F(FilesTest, FolderWritable) {
  dir.Put("file", "x");
  EXPECT_TRUE(platform::FolderWritable(dir.path()));
  EXPECT_TRUE(platform::FolderWritable(dir / "."));
  EXPECT_FALSE(platform::FolderWritable(dir / "missing/"));
  EXPECT_FALSE(platform::FolderWritable(dir / "file"));
  EXPECT_FALSE(platform::FolderWritable("/proc/"));
  EXPECT_EQ(dir.Count(), 1);  // the probe is gone
}

}  // namespace
