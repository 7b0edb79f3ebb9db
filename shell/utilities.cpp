#include "shell/utilities.h"

#include "platform/paths.h"
#include "platform/process.h"

namespace shell {

bool FileExists(const std::string& path) { return platform::FileExists(path); }

bool DirExists(const std::string& path) { return platform::DirExists(path); }

std::string GetLongFileName(const std::string& path) { return platform::GetLongFileName(path); }

bool OpenWebPage(const DesktopOpener& open) { return open && open(kWebPageAddress); }

bool OpenWebPage() {
  return OpenWebPage([](const std::string& target) { return platform::OpenWithDesktopChecked(target, kOpenerWatchMs); });
}

}  // namespace shell
