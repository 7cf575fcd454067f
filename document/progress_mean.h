// The progress of a category that follows its children: their mean, rounded
// down as a division in floating point would be, also for negative values
// that a file may hold. The same rounding wherever the mean is taken, so that
// a read and an edit agree.
#pragma once

#include <cstdint>

namespace lumvik {

// `count` is at least 1. The mean of 16-bit values is again one.
inline std::int16_t FloorMean(std::int64_t sum, std::int64_t count) {
  const std::int64_t quotient = sum / count;
  return static_cast<std::int16_t>((sum % count != 0 && sum < 0) ? quotient - 1 : quotient);
}

}  // namespace lumvik
