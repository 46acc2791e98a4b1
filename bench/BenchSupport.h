// What the window benchmarks share: their options and the percentiles they print.

#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace bench {

// The value at fraction p (0..1) of the sorted values; the values must not be empty.
inline double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

// The number after `name` on the command line, or the fallback.
inline int option(int argc, char** argv, const char* name, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::atoi(argv[i + 1]);
  return fallback;
}

// Runs `run` the given number of times and prints its p50, p95 and max in milliseconds.
inline void report(const char* what, int runs, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("%-34s p50 %6.2f ms  p95 %6.2f ms  max %6.2f ms\n", what, percentile(times, 0.5),
              percentile(times, 0.95), *std::max_element(times.begin(), times.end()));
  std::fflush(stdout);
}

}  // namespace bench
