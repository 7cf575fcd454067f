// Which document Lumvik shows when it starts.
#pragma once

#include <string>
#include <string_view>

#include "config/settings.h"

namespace lumvik {

// The first parameter of a command line that follows the program's name,
// without its enclosing double quotes; "" when there is none. Blanks inside
// quotes belong to the parameter.
std::string FirstCommandLineParameter(std::string_view parameters);

struct FirstDocument {
  std::string path;  // the file to read, or "" for a new document
  bool from_command_line = false;
};

// The command-line parameter when there is one, else the remembered last
// file when the settings ask for it. A path that is no existing file (missing,
// or a folder) gives a new document.
FirstDocument ChooseFirstDocument(const std::string& parameter, const Settings& settings);

}  // namespace lumvik
