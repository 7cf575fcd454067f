// A program folder for one test, filled with copies of the delivered files
// it needs; the current directory, which the program moves there, is put back
// afterwards.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/testing/temp_dir.h"

namespace lumvik::testing {

inline const std::string kDeliveredFolder = LUMVIK_DIST_FOLDER;

class TestProgramFolder {
 public:
  TestProgramFolder() {
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    previous_ = current;
  }
  ~TestProgramFolder() { ::SetCurrentDirectoryA(previous_.c_str()); }
  TestProgramFolder(const TestProgramFolder&) = delete;
  TestProgramFolder& operator=(const TestProgramFolder&) = delete;

  const std::string& path() const { return folder_.path(); }
  std::string File(const std::string& name) const { return folder_.File(name); }

  void CopyDelivered(const std::string& name) {
    EXPECT_TRUE(::CopyFileA((kDeliveredFolder + name).c_str(), File(name).c_str(), FALSE)) << name;
  }
  // Every icon file of a delivered skin.
  void CopyDeliveredSkin(const std::string& skin) {
    ::CreateDirectoryA(File("skins").c_str(), nullptr);
    ::CreateDirectoryA(File("skins\\" + skin).c_str(), nullptr);
    for (const char* prefix : {"icone", "tool"}) {
      for (int number = 0; number <= 7; ++number) {
        const std::string name = "skins\\" + skin + "\\" + prefix + std::to_string(number) + ".ico";
        if (::GetFileAttributesA((kDeliveredFolder + name).c_str()) != INVALID_FILE_ATTRIBUTES) {
          CopyDelivered(name);
        }
      }
    }
  }
  // What the program finds beside it when it is unpacked.
  void CopyEverythingDelivered() {
    for (const char* name : {"Lumvik.ini", "Lumvik.lng.ini", "strict.lvs"}) CopyDelivered(name);
    CopyDeliveredSkin("deruv");
  }

 private:
  TempDir folder_;
  std::string previous_;
};

}  // namespace lumvik::testing
