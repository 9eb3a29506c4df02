// An automation object that adds the time spent in each call of the object it wraps (and of
// every object that object hands out), and in letting go of it, to one clock, so that a
// benchmark can tell the tool's own time apart from the time spent waiting for the CAD; and an
// automation host that does the same for the objects it finds and for its own questions.
#pragma once

#include <chrono>
#include <memory>

#include "cadlink/Automation.h"
#include "cadlink/AutomationHost.h"

namespace kav::bench {

struct TCallClock {
  std::chrono::steady_clock::duration InCalls{};
  long long Calls = 0;
};

cad::ObjectRef Timed(cad::ObjectRef object, std::shared_ptr<TCallClock> clock);

// `inner` with its questions timed on `clock` and the application objects it hands out Timed();
// for an operation that finds the CAD itself, through a session. `inner` must outlive it.
std::unique_ptr<cad::IAutomationHost> TimedHost(cad::IAutomationHost& inner, std::shared_ptr<TCallClock> clock);

}  // namespace kav::bench
