// The colours a theme gives the rows of the tree.
#pragma once

#include <array>
#include <cstdint>

namespace lumvik {

// Colours are red + 256 * green + 65536 * blue.
struct RowColours {
  std::int32_t text = 0;
  std::int32_t background = 0;
  bool operator==(const RowColours&) const = default;
};

// The colours for task importance 1 to 5, at index importance - 1.
using UrgencyColours = std::array<RowColours, 5>;

}  // namespace lumvik
