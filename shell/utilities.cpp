#include "shell/utilities.h"

#include "platform/paths.h"
#include "platform/process.h"

namespace shell {

bool FileExists(const std::string& path) { return platform::FileExists(path); }

bool DirExists(const std::string& path) { return platform::DirExists(path); }

std::string GetLongFileName(const std::string& path) { return platform::GetLongFileName(path); }

void OpenWebPage(const DesktopOpener& open) {
  if (open) (void)open(kWebPageAddress);
}

void OpenWebPage() { OpenWebPage(DesktopOpener(&platform::OpenWithDesktop)); }

}  // namespace shell
