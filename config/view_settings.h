// The View menu's filters, as the settings file keeps them from one run to
// the next: the group "View", keys "hidefinished", "onlydue" and
// "onlyurgent", each 0 or 1. Each `program_folder` ends with a separator,
// or is "" for the current directory.
#pragma once

#include <string>

namespace lumvik {

struct ViewSettings {
  bool hide_finished = false;
  bool only_due = false;
  bool only_urgent = false;
  bool operator==(const ViewSettings&) const = default;
};

// Any value other than 0 turns a filter on; without the file, all are off.
ViewSettings ReadViewSettings(const std::string& program_folder);

// The other groups and keys stay as they are. False when the file could not
// be written.
bool WriteViewSettings(const std::string& program_folder, const ViewSettings& view);

}  // namespace lumvik
