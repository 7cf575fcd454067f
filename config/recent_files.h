// The documents opened or saved last, newest first, as the File menu lists
// them. The settings file keeps them in the group "RecentFiles" as "file1"
// to "file8". Each `program_folder` ends with a separator, or is "" for the
// current directory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumvik {

constexpr std::size_t kRecentFilesLimit = 8;

// Whether two paths name the same file as Windows sees them: ASCII letters
// in either case, and "/" for "\".
bool SameFilePath(const std::string& a, const std::string& b);

// Puts the path at the front, taking out an earlier entry of the same file,
// and keeps the newest eight. An empty path changes nothing.
void Remember(std::vector<std::string>& list, const std::string& path);

// Takes out every entry of the same file, as when it can no longer be opened.
void Forget(std::vector<std::string>& list, const std::string& path);

// The list the settings file holds: empty values skipped, a later entry of
// a file already listed dropped, at most eight.
std::vector<std::string> ReadRecentFiles(const std::string& program_folder);

// Stores the list as "file1" onwards; a key beyond its end that the file
// holds is emptied. The other groups and keys stay as they are. False when
// the file could not be written.
bool WriteRecentFiles(const std::string& program_folder, const std::vector<std::string>& list);

// The menu item of entry `number` (1 to 8): "&" and the number, which
// becomes its access key, a blank, then the path with every "&" doubled so
// that none of them is taken for another.
std::string RecentFileMenuText(int number, const std::string& path);

}  // namespace lumvik
