// The progress pictures that rows show through their state image: a bar of
// 50 by 14 pixels with its percentage.
#pragma once

namespace lumvik {

constexpr int kProgressPictureWidth = 50;
constexpr int kProgressPictureHeight = 14;
// Pictures 0 to 12: 0 % twice, then 10 % steps up to 110 %, so that state
// index p + 1 shows a progress of p tenths and index 0 shows nothing.
constexpr int kProgressPictureCount = 13;

}  // namespace lumvik
