#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock, TickCountAdvancesAcrossASleep) {
  const std::uint32_t before = platform::TickCount();
  platform::SleepMs(20);
  // Unsigned difference, so the check also holds across the 32-bit wrap.
  const std::uint32_t elapsed = platform::TickCount() - before;
  EXPECT_GE(elapsed, 20u);
}

TEST(Clock, SleepZeroReturns) {
  platform::SleepMs(0);
  SUCCEED();
}

}  // namespace
