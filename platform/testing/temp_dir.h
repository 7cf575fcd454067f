// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace lumvik::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder with a trailing separator, so that names can be appended.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Test data: writes bytes to a file directly, without the atomic path.
void WriteTestFile(const std::string& path, const std::string& bytes);

}  // namespace lumvik::testing
