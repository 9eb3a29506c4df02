// Test helper: plays out one automation call that the CAD turns away, acting on the message
// filter's answers the way COM acts on them, so tests check what the user waits and gets.
#pragma once

#include <cstdint>
#include <vector>

namespace kav::test {

struct TCallOutcome {
  bool Delivered = false;       // the CAD took the call in the end
  int Attempts = 0;             // times the call was sent
  std::uint64_t WaitedMs = 0;   // pauses COM made between the attempts
  int ImmediateRetries = 0;     // answers below 100 ms: sent again at once, a busy loop
};

// `rejections` are the CAD's answers to the first attempts (2 busy, 1 rejected, ...); the
// attempt after them is accepted. `retry(elapsedMs, rejectType)` is the filter's answer:
// 0xFFFFFFFF gives up, below 100 sends the call again at once, otherwise COM waits that many
// milliseconds first.
template <class TRetry>
TCallOutcome PlayRejectedCall(const std::vector<std::uint32_t>& rejections, TRetry retry) {
  TCallOutcome outcome;
  for (const std::uint32_t rejectType : rejections) {
    ++outcome.Attempts;
    const std::uint32_t elapsed = static_cast<std::uint32_t>(outcome.WaitedMs);   // wraps as tick counts do
    const std::uint32_t answer = retry(elapsed, rejectType);
    if (answer == 0xFFFFFFFFu) return outcome;
    if (answer < 100) ++outcome.ImmediateRetries;
    else outcome.WaitedMs += answer;
  }
  ++outcome.Attempts;
  outcome.Delivered = true;
  return outcome;
}

}  // namespace kav::test
