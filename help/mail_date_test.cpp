#include "help/mail_date.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(MailDateText, PadsEveryFieldDayFirst) {
  EXPECT_EQ(MailDateText({2024, 3, 7, 9, 5, 2}), "07/03/2024 @ 09:05:02");
  EXPECT_EQ(MailDateText({987, 12, 31, 23, 59, 59}), "31/12/0987 @ 23:59:59");
}

}  // namespace
}  // namespace lumvik
