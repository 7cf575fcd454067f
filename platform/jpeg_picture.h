// Decoding of the JPEG pictures that the programs carry as resources.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumvik {

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // rows top to bottom, three bytes red, green, blue
};

// The picture, or nothing when the bytes are not a JPEG that libjpeg can read.
std::optional<RgbPicture> DecodeJpeg(std::string_view bytes);

}  // namespace lumvik
