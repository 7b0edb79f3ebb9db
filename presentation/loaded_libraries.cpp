#include "presentation/loaded_libraries.h"

#if defined(__SANITIZE_ADDRESS__)
#define FROSTLIDE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FROSTLIDE_ASAN 1
#endif
#endif

#ifdef FROSTLIDE_ASAN
#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>
#endif

namespace presentation {

void KeepLoadedLibrariesMapped() {
#ifdef FROSTLIDE_ASAN
  std::vector<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) -> int {
        if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
          static_cast<std::vector<std::string>*>(out)->emplace_back(info->dlpi_name);
        return 0;
      },
      &names);
  // Outside the walk, which holds the loader's lock. NOLOAD: only what is loaded already.
  for (const std::string& name : names)
    if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE)) dlclose(handle);
#endif
}

}  // namespace presentation
