#include "platform/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumvik {
namespace {

TEST(ParseDecimal, ReadsSignAndDigitsAfterBlanks) {
  EXPECT_EQ(ParseDecimal(" \t-42x"), -42);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("12 34"), 12);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("abc"), 0);
  EXPECT_EQ(ParseDecimal("-"), 0);
  EXPECT_EQ(ParseDecimal("- 5"), 0);
}

TEST(ParseDecimal, KeepsTheLowBitsOfLongNumbers) {
  EXPECT_EQ(ParseDecimal16("70000"), 4464);
  EXPECT_EQ(ParseDecimal16("65537"), 1);
  EXPECT_EQ(ParseDecimal16("-1"), -1);
  EXPECT_EQ(ParseDecimal16("32768"), -32768);
  EXPECT_EQ(ParseDecimal32("4294967297"), 1);
  // 2^64 + 5 wraps to 5 instead of overflowing.
  EXPECT_EQ(ParseDecimal("18446744073709551621"), 5);
  EXPECT_NO_FATAL_FAILURE(ParseDecimal(std::string(400, '9')));
}

TEST(LatinCase, FoldsAsciiAndLatin1Capitals) {
  EXPECT_EQ(LowerLatin1("LUMVIK \xC9t\xDE"), "lumvik \xE9t\xFE");
  EXPECT_EQ(UpperLatin1('\xE9'), '\xC9');
  EXPECT_EQ(UpperLatin1('\xF7'), '\xF7');  // the division sign has no capital
  EXPECT_TRUE(EqualsIgnoringCase("Application", "aPPLICATION"));
  EXPECT_FALSE(EqualsIgnoringCase("Application", "Applicatio"));
}

TEST(Trim, BlanksAreSpacesAndTabsSpacesOnlySpaces) {
  EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
  EXPECT_EQ(TrimSpaces(" \ta b\t "), "\ta b\t");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(FillPlaceholder, PutsTheValueInEveryPlaceOnce) {
  EXPECT_EQ(FillPlaceholder("Cannot write %1.", "C:\\a b\\Lumvik.ini"),
            "Cannot write C:\\a b\\Lumvik.ini.");
  EXPECT_EQ(FillPlaceholder("%1 and %1", "x"), "x and x");
  EXPECT_EQ(FillPlaceholder("%1", "%1%1"), "%1%1") << "a path holding %1 stays as it is";
  EXPECT_EQ(FillPlaceholder("no place, 100%", "x"), "no place, 100%");
  const std::string values[] = {"3", "1"};
  EXPECT_EQ(FillPlaceholders("%1 rows, %2 both; %3 and 50%", values), "3 rows, 1 both; %3 and 50%");
  EXPECT_EQ(GroupedNumber(1204),
            "1\xA0"
            "204");
  EXPECT_EQ(GroupedNumber(-1234567),
            "-1\xA0"
            "234\xA0"
            "567");
  EXPECT_EQ(GroupedNumber(999), "999");
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

TEST(ForEachLine, SplitsAtEveryLineEnd) {
  EXPECT_EQ(Lines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Lines("\n\r"), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(Lines("").empty());
  // Line ends of one kind far from those of the other, both ways round.
  EXPECT_EQ(Lines("a\rb\rc\r\nd\ne\nf\r"),
            (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
  EXPECT_EQ(Lines("a\nb\n\n\rc\r\r\nd"),
            (std::vector<std::string>{"a", "b", "", "", "c", "", "d"}));
}

}  // namespace
}  // namespace lumvik
