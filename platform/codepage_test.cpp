#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(Codepage, Cp1252HighBytesBecomeTheirCharacters) {
  EXPECT_EQ(Utf8FromCp1252("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
  EXPECT_EQ(Utf8FromCp1252("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(Utf8FromCp1252("plain"), "plain");
}

TEST(Codepage, Utf8RoundTripsThroughTheCodePage) {
  const std::string every_byte = [] {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
  }();
  EXPECT_EQ(AnsiFromUtf8(Utf8FromAnsi(every_byte)), every_byte);
}

TEST(Codepage, MissingCharactersAndBrokenBytes) {
  EXPECT_EQ(AnsiFromUtf8("\xE4\xB8\xAD"), "?");             // a CJK character
  EXPECT_EQ(AnsiFromUtf8("\xE9t\xC3"), "\xE9t\xC3");        // not UTF-8: kept as it is
  EXPECT_EQ(AnsiFromUtf8("\xE0\x80\x80"), "\xE0\x80\x80");  // overlong form
  // The strict conversion refuses both instead.
  EXPECT_EQ(Cp1252FromUtf8("\xE4\xB8\xAD"), std::nullopt);
  EXPECT_EQ(Cp1252FromUtf8("\xE9t"), std::nullopt);
  EXPECT_EQ(Cp1252FromUtf8("Caf\xC3\xA9 \xE2\x82\xAC? /"), "Caf\xE9 \x80? /");
}

}  // namespace
}  // namespace lumvik
