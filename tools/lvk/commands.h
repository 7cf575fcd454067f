// The lvk commands: dump, list, rewrite and export of documents, and adding
// and finishing tasks, for users and scripts.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lumvik {

constexpr int kExitSuccess = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

// Runs one command line (without the program's own name). The program name
// that documents carry is text 54 of the language in force in the settings of
// `program_folder`, else "Lumvik", unless --name gives it.
int RunLvk(const std::vector<std::string>& arguments, const std::string& program_folder,
           std::ostream& out, std::ostream& errors);

}  // namespace lumvik
