#include "shell/file_association.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/profile.h"
#include "platform/test_dir.h"

namespace {

using platform::testing::TestDir;

struct ToolCall {
  std::string program;
  std::vector<std::string> args;
  friend bool operator==(const ToolCall&, const ToolCall&) = default;
};

class FileAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    places = {dir / "data", dir / "config/"};
    dir.Put("Game Folder/data/sprites/gui/icon.png", "\x89PNG icon");
  }
  void Register(const std::string& program) {
    shell::RegisterFileType("Frostlide", "cdn", "Frostlide Level Pack",
                            dir / "Game Folder/data/sprites/gui/icon.png", program, places,
                            [this](const std::string& p, const std::vector<std::string>& a) {
                              calls.push_back({p, a});
                            });
  }
  TestDir dir;
  shell::AssociationPlaces places;
  std::vector<ToolCall> calls;
};

TEST_F(FileAssociationTest, WritesTheDesktopEntryMimeTypeIconAndDefault) {
  Register("/opt/frostlide/Frostlide");
  EXPECT_EQ(dir.Get("data/applications/frostlide.desktop"),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Frostlide\n"
            "Exec=/opt/frostlide/Frostlide %f\n"
            "Icon=frostlide\n"
            "Terminal=false\n"
            "Categories=Game;LogicGame;\n"
            "MimeType=application/x-frostlide-pack;\n");
  EXPECT_EQ(dir.Get("data/mime/packages/frostlide.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"application/x-frostlide-pack\">\n"
            "    <comment>Frostlide Level Pack</comment>\n"
            "    <glob pattern=\"*.cdn\" case-sensitive=\"false\"/>\n"
            "    <icon name=\"frostlide\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n");
  EXPECT_EQ(dir.Get("data/icons/hicolor/32x32/apps/frostlide.png"), "\x89PNG icon");
  EXPECT_EQ(dir.Get("config/mimeapps.list"),
            "[Default Applications]\napplication/x-frostlide-pack=frostlide.desktop\n");
  const std::vector<ToolCall> expected = {
      {"update-mime-database", {dir / "data/mime/"}},
      {"update-desktop-database", {dir / "data/applications/"}},
  };
  EXPECT_EQ(calls, expected);
}

TEST_F(FileAssociationTest, SecondStartChangesNothingAndRunsNoTool) {
  Register("/opt/frostlide/Frostlide");
  // The tools would have built their caches.
  dir.Put("data/mime/mime.cache", "cache");
  dir.Put("data/applications/mimeinfo.cache", "cache");
  const std::string desktop = dir.Get("data/applications/frostlide.desktop");
  const std::string list = dir.Get("config/mimeapps.list");
  calls.clear();
  Register("/opt/frostlide/Frostlide");
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(dir.Get("data/applications/frostlide.desktop"), desktop);
  EXPECT_EQ(dir.Get("config/mimeapps.list"), list);
  EXPECT_EQ(dir.Count("data/applications"), 2);
  EXPECT_EQ(dir.Count("data/mime/packages"), 1);
}

TEST_F(FileAssociationTest, AnotherProgramsDefaultIsReplacedAndTheRestKept) {
  dir.Put("config/mimeapps.list",
          "[Added Associations]\ntext/plain=editor.desktop;\n\n"
          "[Default Applications]\nApplication/X-Frostlide-Pack=other.desktop\n"
          "image/png=viewer.desktop\n");
  Register("/opt/frostlide/Frostlide");
  EXPECT_EQ(dir.Get("config/mimeapps.list"),
            "[Added Associations]\ntext/plain=editor.desktop;\n\n"
            "[Default Applications]\nApplication/X-Frostlide-Pack=frostlide.desktop\n"
            "image/png=viewer.desktop\n");
}

TEST_F(FileAssociationTest, ProgramMovedRewritesTheEntry) {
  Register("/opt/frostlide/Frostlide");
  dir.Put("data/mime/mime.cache", "cache");
  dir.Put("data/applications/mimeinfo.cache", "cache");
  calls.clear();
  Register("/home/player/games/Frostlide");
  EXPECT_NE(dir.Get("data/applications/frostlide.desktop")
                .find("Exec=/home/player/games/Frostlide %f\n"),
            std::string::npos);
  const std::vector<ToolCall> expected = {{"update-desktop-database", {dir / "data/applications/"}}};
  EXPECT_EQ(calls, expected);
}

TEST_F(FileAssociationTest, MissingIconIsSkipped) {
  shell::RegisterFileType("Frostlide", "cdn", "Frostlide Level Pack", dir / "missing/icon.png",
                          "/opt/frostlide/Frostlide", places, shell::ToolRunner());
  EXPECT_EQ(dir.Get("data/icons/hicolor/32x32/apps/frostlide.png"), "");
  EXPECT_NE(dir.Get("data/applications/frostlide.desktop"), "");
}

TEST_F(FileAssociationTest, UnwritablePlacesAreIgnored) {
  dir.Put("file", "x");
  places = {dir / "file/data", dir / "file/config"};
  Register("/opt/frostlide/Frostlide");  // nothing can be written; nothing breaks
  EXPECT_EQ(dir.Get("file"), "x");
  shell::RegisterFileType("Frostlide", "cdn", "Frostlide Level Pack", "", "/x", {}, {});
}

// What an installed package provides, in one of several system data folders.
TEST(SystemDeclaresFileType, NeedsTheEntryWithTheTypeAndTheMimePackage) {
  struct Case {
    const char* what;
    std::string desktop;  // empty: no desktop entry
    bool mimePackage;
    bool declared;
  };
  const std::string full = "[Desktop Entry]\nType=Application\nName=Frostlide\nExec=frostlide %f\n";
  const Case cases[] = {
      {"package", full + "MimeType=application/x-frostlide-pack;\n", true, true},
      {"among other types", full + "MimeType=text/plain;application/x-frostlide-pack\n", true, true},
      {"no MIME package", full + "MimeType=application/x-frostlide-pack;\n", false, false},
      {"no desktop entry", "", true, false},
      {"entry without the type", full + "MimeType=text/plain;\n", true, false},
      {"a longer type only", full + "MimeType=application/x-frostlide-pack-old;\n", true, false},
      {"key in another group", "[Desktop Action x]\nMimeType=application/x-frostlide-pack;\n", true, false},
  };
  for (const Case& c : cases) {
    TestDir dir;
    dir.Put("empty/readme", "");
    if (!c.desktop.empty()) dir.Put("share/applications/frostlide.desktop", c.desktop);
    if (c.mimePackage) dir.Put("share/mime/packages/frostlide.xml", "<mime-info/>");
    EXPECT_EQ(shell::SystemDeclaresFileType("Frostlide", {dir / "empty", dir / "share"}), c.declared) << c.what;
    EXPECT_FALSE(shell::SystemDeclaresFileType("Frostlide", {dir / "empty"})) << c.what;
  }
}

TEST(SystemDataDirs, ComeFromTheEnvironmentWithTheStandardDefault) {
  struct Case {
    const char* value;  // nullptr: unset
    std::vector<std::string> dirs;
  };
  const Case cases[] = {
      {nullptr, {"/usr/local/share/", "/usr/share/"}},
      {"", {"/usr/local/share/", "/usr/share/"}},
      {"/a:/b/", {"/a/", "/b/"}},
      {"rel:/a::/b", {"/a/", "/b/"}},
  };
  const char* old = std::getenv("XDG_DATA_DIRS");
  const std::string saved = old != nullptr ? old : "";
  for (const Case& c : cases) {
    if (c.value != nullptr) ::setenv("XDG_DATA_DIRS", c.value, 1);
    else ::unsetenv("XDG_DATA_DIRS");
    EXPECT_EQ(shell::SystemDataDirs(), c.dirs) << (c.value ? c.value : "(unset)");
  }
  if (old != nullptr) ::setenv("XDG_DATA_DIRS", saved.c_str(), 1);
  else ::unsetenv("XDG_DATA_DIRS");
}

TEST(DesktopExecArgument, QuotesAndEscapesPaths) {
  struct Case {
    std::string path, exec;
  };
  const Case cases[] = {
      {"/opt/frostlide/Frostlide", "/opt/frostlide/Frostlide"},
      {"/home/me/My Games/Frostlide", "\"/home/me/My Games/Frostlide\""},
      {"/home/me/100%/Frostlide", "/home/me/100%%/Frostlide"},
      {"/home/me/a$b/Frostlide", "\"/home/me/a\\\\$b/Frostlide\""},
      {"/home/me/say \"hi\"/F", "\"/home/me/say \\\\\"hi\\\\\"/F\""},
      {"/home/me/back\\slash/F", "\"/home/me/back\\\\\\\\slash/F\""},
      {"/home/me/it's/F", "\"/home/me/it's/F\""},
      {"/home/me/tab\there/F", "\"/home/me/tab\\there/F\""},
      {"/home/me/Caf\xC3\xA9/F", "/home/me/Caf\xC3\xA9/F"},
  };
  for (const Case& c : cases) EXPECT_EQ(shell::DesktopExecArgument(c.path), c.exec) << c.path;
}

TEST(MimePackageContent, EscapesXml) {
  const std::string xml =
      shell::MimePackageContent("application/x-a-pack", "cdn", "Packs <&> \"quoted\"", "a");
  EXPECT_NE(xml.find("<comment>Packs &lt;&amp;&gt; &quot;quoted&quot;</comment>"),
            std::string::npos);
}

TEST(AssociationPlaces, DefaultsLieBelowTheHomeFolder) {
  const shell::AssociationPlaces p = shell::DefaultAssociationPlaces();
  // Whatever the environment, the places are absolute folders (or unknown).
  for (const std::string& folder : {p.dataHome, p.configHome}) {
    if (folder.empty()) continue;
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
  }
}

}  // namespace
