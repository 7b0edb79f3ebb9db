#pragma once
// Small helpers every part of the editor uses.
#include <string>

namespace mapwright {

// True when path is not empty and names an existing regular file, found without regard to
// the letter case of its components.
bool FileFound(const std::string& path);

}  // namespace mapwright
