#pragma once
// The engine's clock on the real tick count, for the game.
#include "engine/ports.h"
#include "platform/clock.h"

namespace engine {

class SystemClock : public Clock {
 public:
  std::uint32_t TickCount() override { return platform::TickCount(); }
  void Sleep(std::uint32_t ms) override { platform::SleepMs(ms); }
};

}  // namespace engine
