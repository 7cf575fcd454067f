// Bytes the program keeps on disk rather than in memory: a file of the
// system's temporary folder that no other program opens, gone when this
// object goes or when the program ends, however it ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumvik {

class ScratchFile {
 public:
  ScratchFile() = default;
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // Replaces what the file holds, making it the first time; false when the
  // bytes could not all be written, in which case it holds nothing.
  bool Keep(std::string_view bytes);
  // What the last Keep wrote; nothing when it failed or there was none.
  std::optional<std::string> Read() const;
  // Holds nothing any more: the file goes until the next Keep.
  void Clear();

 private:
  std::intptr_t handle_ = -1;
  bool holds_ = false;
};

}  // namespace lumvik
