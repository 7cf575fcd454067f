#include "config/recent_files.h"

#include <algorithm>
#include <string_view>

#include "config/ini_file.h"
#include "config/settings.h"

namespace lumvik {

namespace {

constexpr std::string_view kRecentFiles = "RecentFiles";

std::string FileKey(std::size_t number) { return "file" + std::to_string(number); }

// Windows ignores case in file names. Only ASCII letters are folded here:
// what a byte above 127 stands for depends on the code page.
char FoldedPathByte(char c) {
  if (c == '/') return '\\';
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c;
}

}  // namespace

bool SameFilePath(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldedPathByte(x) == FoldedPathByte(y); });
}

void Remember(std::vector<std::string>& list, const std::string& path) {
  if (path.empty()) return;
  Forget(list, path);
  list.insert(list.begin(), path);
  if (list.size() > kRecentFilesLimit) list.resize(kRecentFilesLimit);
}

void Forget(std::vector<std::string>& list, const std::string& path) {
  if (path.empty()) return;
  std::erase_if(list, [&](const std::string& entry) { return SameFilePath(entry, path); });
}

std::vector<std::string> ReadRecentFiles(const std::string& program_folder) {
  const IniFile file = OpenSettings(program_folder);
  std::vector<std::string> list;
  for (std::size_t number = 1; number <= kRecentFilesLimit; ++number) {
    const std::string path = file.ReadString(kRecentFiles, FileKey(number), "");
    const bool listed = std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
      return SameFilePath(entry, path);
    });
    if (!path.empty() && !listed) list.push_back(path);
  }
  return list;
}

bool WriteRecentFiles(const std::string& program_folder, const std::vector<std::string>& list) {
  IniFile file = OpenSettings(program_folder);
  for (std::size_t number = 1; number <= kRecentFilesLimit; ++number) {
    const std::string key = FileKey(number);
    if (number <= list.size()) {
      file.Write(kRecentFiles, key, list[number - 1]);
    } else if (!file.ReadString(kRecentFiles, key, "").empty()) {
      // An empty value reads as no entry, and keeps the rest of the file
      // as it was.
      file.Write(kRecentFiles, key, "");
    }
  }
  return file.Save();
}

std::string RecentFileMenuText(int number, const std::string& path) {
  std::string text = "&" + std::to_string(number) + " ";
  for (const char c : path) {
    text += c;
    if (c == '&') text += '&';
  }
  return text;
}

}  // namespace lumvik
