// Wall-clock timing for the Windows benchmarks: the seconds a body takes, and the median of
// rounds.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace kav::bench {

inline double Seconds(const std::function<void()>& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The middle value (the upper one of an even count); 0 when there were no rounds.
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace kav::bench
