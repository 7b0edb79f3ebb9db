// Mapwright, the level editor of Frostlide.
#include <QApplication>
#include <cstdio>

#include "editor/main_window.h"
#include "editor/qt_editor_ui.h"
#include "platform/paths.h"
#include "platform/program_version.h"

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it works without a display.
  if (platform::AsksForVersion(argc, argv)) {
    std::puts(platform::VersionLine("Mapwright").c_str());
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Mapwright");
  mapwright::QtEditorUi ui;
  mapwright::MainWindow window(platform::ExecutableDir(), ui);
  ui.SetParent(&window);
  // A missing picture has been reported; the window never shows.
  if (!window.StartUp()) return 1;
  window.show();
  return QApplication::exec();
}
