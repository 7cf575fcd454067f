// The version of the ".lvk" format this program writes; the about box and
// the feedback mail tell it too.
#pragma once

#include <string_view>

namespace lumvik {

constexpr std::string_view kFormatVersion = "2.1";

}  // namespace lumvik
