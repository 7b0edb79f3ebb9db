#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {

std::uint32_t TickCount() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  // Only the low 32 bits, so the count wraps after about 49.7 days like the desktop's.
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms.count()));
}

void SleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace platform
