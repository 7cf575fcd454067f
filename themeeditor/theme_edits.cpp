#include "themeeditor/theme_edits.h"

#include <array>

#include "platform/text.h"
#include "themeeditor/editor_ids.h"

namespace lumvik {

namespace {

// In the order of the buttons, from button 10 on.
constexpr std::array<ColourField, kLastColourButton - kFirstColourButton + 1> kColourFields = {
    &ThemeRecord::avancement_bgc, &ThemeRecord::avancement_fgc, &ThemeRecord::avancement_tc,
    &ThemeRecord::urg_1_bc,       &ThemeRecord::urg_1_tc,       &ThemeRecord::urg_2_bc,
    &ThemeRecord::urg_2_tc,       &ThemeRecord::urg_3_bc,       &ThemeRecord::urg_3_tc,
    &ThemeRecord::urg_4_bc,       &ThemeRecord::urg_4_tc,       &ThemeRecord::urg_5_bc,
    &ThemeRecord::urg_5_tc,
};

constexpr std::string_view kForbiddenInFileNames = "\\/:*?\"<>|";

bool IsDeviceName(std::string_view name) {
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (EqualsIgnoringCase(name, device)) return true;
  }
  // COM1 to COM9 and LPT1 to LPT9.
  if (name.size() != 4 || name[3] < '1' || name[3] > '9') return false;
  const std::string_view stem = name.substr(0, 3);
  return EqualsIgnoringCase(stem, "COM") || EqualsIgnoringCase(stem, "LPT");
}

}  // namespace

ColourField ColourFieldOf(int button) {
  if (button < kFirstColourButton || button > kLastColourButton) return nullptr;
  return kColourFields[static_cast<std::size_t>(button - kFirstColourButton)];
}

std::string LabelFontCaption(const ThemeRecord& theme) {
  return theme.police + " , " + std::to_string(theme.police_size);
}

ThemeRecord NewThemeRecord(std::string name) {
  ThemeRecord theme;  // every colour starts black
  theme.name = std::move(name);
  theme.police = std::string(kDefaultFace);
  theme.police_size = 8;
  theme.modified = 1;
  return theme;
}

std::string SafeThemeName(std::string_view typed) {
  std::string name(typed);
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 32 || kForbiddenInFileNames.find(c) != std::string::npos) {
      c = '_';
    }
  }
  // Windows takes "NUL.lvs" for the device as well, whatever follows a dot.
  const std::string_view before_dot = std::string_view(name).substr(0, name.find('.'));
  if (IsDeviceName(TrimBlanks(before_dot))) name.insert(0, 1, '_');
  return name;
}

std::string UrgencyPageTitle(std::string_view urgency_caption) {
  return std::string(
      urgency_caption.substr(0, urgency_caption.size() < 2 ? 0 : urgency_caption.size() - 2));
}

std::int32_t WholePoints(std::int32_t tenths) { return tenths / 10; }

std::string ExitQuestion(std::string_view question_start, std::string_view name) {
  return std::string(question_start) + std::string(name) + " ?";
}

}  // namespace lumvik
