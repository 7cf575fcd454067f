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

// Makes a file read-only (no write permission for anyone, which Windows and
// Wine show as the read-only attribute) until the end of the scope, so that
// its folder can be removed afterwards.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

 private:
  std::string path_;
};

}  // namespace lumvik::testing
