// How long a piece of work takes, and the one table of scripts/bench.sh: with LUMVIK_BENCH_TABLE
// set, each benchmark also writes its figures as lines
// "= <figure>|<ms>|<baseline>|<baseline ms>", the baseline measured in the
// same run (empty where there is none), for the script to gather.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace lumvik::bench {

// The time the work takes, in ms.
inline double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

inline void TableRow(const char* figure, double ms, const char* baseline = "",
                     double baseline_ms = 0) {
  if (std::getenv("LUMVIK_BENCH_TABLE") == nullptr) return;
  std::printf("= %s|%.3f|%s|%.3f\n", figure, ms, baseline, baseline_ms);
}

}  // namespace lumvik::bench
