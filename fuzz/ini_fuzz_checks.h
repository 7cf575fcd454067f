// What the INI fuzz targets share: a check that stops the run, and the value
// a reader finds where a value was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/ini_file.h"
#include "platform/text.h"

namespace lumvik {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

inline std::string ReadBack(std::string_view written, IniReader reader) {
  written = written.substr(0, written.find_first_of("\r\n"));
  return std::string(reader == IniReader::Lumvik ? TrimBlanks(written) : written);
}

// The fuzzer's input as file bytes, once for each reader.
template <typename Exercise>
void WithBothReaders(const std::uint8_t* data, std::size_t size, Exercise exercise) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  exercise(bytes, IniReader::Lumvik);
  exercise(bytes, IniReader::Skinwright);
}

}  // namespace lumvik
