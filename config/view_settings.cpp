#include "config/view_settings.h"

#include <string_view>

#include "config/ini_file.h"
#include "config/settings.h"

namespace lumvik {

namespace {

constexpr std::string_view kView = "View";
constexpr std::string_view kHideFinished = "hidefinished";
constexpr std::string_view kOnlyDue = "onlydue";
constexpr std::string_view kOnlyUrgent = "onlyurgent";

}  // namespace

ViewSettings ReadViewSettings(const std::string& program_folder) {
  const IniFile file = OpenSettings(program_folder);
  return {file.ReadInt32(kView, kHideFinished, 0) != 0, file.ReadInt32(kView, kOnlyDue, 0) != 0,
          file.ReadInt32(kView, kOnlyUrgent, 0) != 0};
}

bool WriteViewSettings(const std::string& program_folder, const ViewSettings& view) {
  IniFile file = OpenSettings(program_folder);
  file.WriteInt(kView, kHideFinished, view.hide_finished ? 1 : 0);
  file.WriteInt(kView, kOnlyDue, view.only_due ? 1 : 0);
  file.WriteInt(kView, kOnlyUrgent, view.only_urgent ? 1 : 0);
  return file.Save();
}

}  // namespace lumvik
