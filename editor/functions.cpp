#include "editor/functions.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace mapwright {

bool FileFound(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(platform::ResolvePath(path), ec);
}

}  // namespace mapwright
