// The fixed values come back from the generated header exactly as they were
// configured, here values of the test's own (see CMakeLists.txt) that a
// string literal would otherwise take for quotes, escapes and line breaks.
#include "help/build_values.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(BuildValues, KeepEveryByteOfTheirTexts) {
  using namespace build_values;
  EXPECT_EQ(kSmtpServer, R"(ends in a backslash\)");
  EXPECT_EQ(kSmtpAccount, R"("quoted" account)");
  EXPECT_EQ(kSmtpPassword, R"(pa"s\s)");
  EXPECT_EQ(kMailFrom, R"(\n is no line break)");
  EXPECT_EQ(kMailTo, "two\nlines");
  EXPECT_EQ(kWebHome, R"(@LUMVIK_SMTP_PASSWORD@ ${LUMVIK_SMTP_PASSWORD})");
  EXPECT_EQ(kWebSupport, R"(http://a.test/?q="x"&r=\y;z)");
  EXPECT_EQ(kAboutAuthor, R"(\\server\share)");
  EXPECT_EQ(kAboutTool, R"(\x41 \101 ??= \u0041)");
  EXPECT_EQ(kSmtpPort, 25) << "leading zeros do not make it octal";
}

}  // namespace
}  // namespace lumvik
