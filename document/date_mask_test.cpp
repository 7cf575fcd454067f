#include "document/date_mask.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(DateMask, ReadsDayMonthYear) {
  EXPECT_EQ(ReadMaskedDate("07/05/2026"), (CalendarDate{2026, 5, 7}));
  EXPECT_EQ(ReadMaskedDate("31/12/9999"), (CalendarDate{9999, 12, 31}));
  EXPECT_EQ(ReadMaskedDate("01/01/0001"), (CalendarDate{1, 1, 1}));
  EXPECT_EQ(ReadMaskedDate("29/02/2024"), (CalendarDate{2024, 2, 29}));
  EXPECT_EQ(ReadMaskedDate("29/02/2000"), (CalendarDate{2000, 2, 29}));
}

TEST(DateMask, RefusesTextsOutsideTheMaskAndImpossibleDays) {
  for (const char* text :
       {"", "7/05/2026", "07/5/2026", "07/05/26", "07-05-2026", "07/05/2026 ", " 7/05/2026",
        "0a/05/2026", "07/05/20x6", "+7/05/2026", "31/02/2025", "29/02/2025", "29/02/1900",
        "31/04/2025", "00/05/2026", "07/00/2026", "07/13/2026", "32/01/2026", "01/01/0000"}) {
    EXPECT_EQ(ReadMaskedDate(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(DateMask, WritesWithLeadingZerosAndReadsBack) {
  EXPECT_EQ(WriteMaskedDate({2026, 5, 7}), "07/05/2026");
  EXPECT_EQ(WriteMaskedDate({12, 11, 30}), "30/11/0012");
  for (const CalendarDate date : {CalendarDate{1, 1, 1}, CalendarDate{2024, 2, 29},
                                  CalendarDate{9999, 12, 31}, CalendarDate{1999, 10, 10}}) {
    EXPECT_EQ(ReadMaskedDate(WriteMaskedDate(date)), date);
  }
}

}  // namespace
}  // namespace lumvik
