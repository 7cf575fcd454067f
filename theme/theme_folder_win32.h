// The theme files of the program folder, as the file system lists them;
// both programs offer these themes.
#pragma once

#include <string>
#include <vector>

namespace lumvik {

// The names of the files (not folders) that the pattern "*.lvs" finds in
// `program_folder`, in the order the file system returns them. The pattern
// finds any letter case; which of them are themes is decided by name.
std::vector<std::string> ThemeFilesIn(const std::string& program_folder);

}  // namespace lumvik
