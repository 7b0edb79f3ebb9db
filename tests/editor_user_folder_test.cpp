// Mapwright in a read-only program folder: editor.ini and the Levels folder of its dialogs are
// in the per-user folder. The program folder is made read only with chmod, which binds every
// user but the superuser, so this runs for other users only (run it as nobody to see it:
// setpriv --reuid=nobody --regid=nogroup --clear-groups <build>/tests/editor_user_folder_tests).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "editor/editor_ui.h"
#include "editor/level_editor.h"
#include "platform/paths.h"
#include "platform/test_dir.h"

namespace {

class SilentUi : public mapwright::EditorUi {
 public:
  mapwright::Answer Ask(const std::string&, const std::string&, mapwright::MessageIcon, mapwright::Buttons) override {
    return mapwright::Answer::No;
  }
  void Tell(const std::string&, const std::string&, mapwright::MessageIcon) override {}
  std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::string SaveFileName(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  bool OpenUrl(const std::string&) override { return false; }
  bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
};

TEST(EditorUserFolder, AReadOnlyProgramFolderKeepsTheEditorsFilesPerUser) {
  platform::testing::TestDir dir;
  dir.Mkdir("app");
  SilentUi ui;
  {
    // Writable: everything stays in the program folder.
    mapwright::LevelEditor editor(dir / "app", ui);
    EXPECT_EQ(editor.iniPath(), dir / "app/editor.ini");
    EXPECT_EQ(editor.PackFolder(), dir / "app/Levels/");
  }
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not bind the superuser";
  ASSERT_EQ(::setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1), 0);
  ASSERT_EQ(::chmod((dir / "app").c_str(), 0555), 0);
  mapwright::LevelEditor editor(dir / "app", ui);
  EXPECT_EQ(editor.iniPath(), dir / "xdg/frostlide/editor.ini");
  EXPECT_EQ(editor.PackFolder(), dir / "xdg/frostlide/Levels/");
  EXPECT_TRUE(platform::FileExists(dir / "xdg/frostlide/Levels"));
  ::chmod((dir / "app").c_str(), 0755);
}

}  // namespace
