// The decisions behind Skinwright's buttons and questions that need no
// window: which field a colour button edits, the captions, the record of a
// new theme, the name a new theme's file may take and the exit question.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "theme/theme_file.h"

namespace lumvik {

// The face name of new themes and of the font buttons before the first refresh.
constexpr std::string_view kDefaultFace = "Arial";

// The points of the name and description fonts, which have no size key.
constexpr std::int32_t kPanelFontPoints = 8;

using ColourField = std::int32_t ThemeRecord::*;

// The field that colour button `button` shows and edits; null for any
// other control number.
ColourField ColourFieldOf(int button);

// The caption of the label-font button: "Arial , 8".
std::string LabelFontCaption(const ThemeRecord& theme);

// A new theme, changed but not yet in a file: every colour black, the label
// font Arial at 8 points and no face for the two other fonts.
ThemeRecord NewThemeRecord(std::string name);

// The name under which a typed name may be stored in the program folder:
// path separators and the other characters that no file name may hold
// become "_", and a name that Windows takes for a device (CON, NUL, COM1
// and the like) is given a leading "_". Any other name stays as typed.
std::string SafeThemeName(std::string_view typed);

// The title of the urgency page: the urgency caption without its last two
// characters (its " :").
std::string UrgencyPageTitle(std::string_view urgency_caption);

// Whole points from the font dialog's tenths of a point, the rest dropped.
std::int32_t WholePoints(std::int32_t tenths);

// The question asked at exit for a theme with unsaved changes: the start of
// the question (text 97) directly followed by the name, then " ?".
std::string ExitQuestion(std::string_view question_start, std::string_view name);

}  // namespace lumvik
