#include "help/base64.h"

#include <cstdint>

namespace lumvik {

std::string Base64(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const auto byte = k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u;
      group = (group << 8) | byte;
    }
    // Three bytes give four characters; a short final group pads with "=".
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
  }
  return out;
}

}  // namespace lumvik
