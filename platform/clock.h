#pragma once
#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, wrapping like the desktop's tick count.
std::uint32_t TickCount();
void SleepMs(std::uint32_t ms);

}  // namespace platform
