#pragma once
// The simulator's time: a monotonic clock, passed in explicitly so that the
// module logic never reads the time itself.

#include <chrono>

namespace qx::sim {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Millis = std::chrono::milliseconds;

}  // namespace qx::sim
