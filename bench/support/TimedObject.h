// An automation object that adds the time spent in each call of the object it wraps (and of
// every object that object hands out), and in letting go of it, to one clock, so that a benchmark can tell the tool's
// own time apart from the time spent waiting for the CAD.
#pragma once

#include <chrono>
#include <memory>

#include "cadlink/Automation.h"

namespace kav::bench {

struct TCallClock {
  std::chrono::steady_clock::duration InCalls{};
  long long Calls = 0;
};

cad::ObjectRef Timed(cad::ObjectRef object, std::shared_ptr<TCallClock> clock);

}  // namespace kav::bench
