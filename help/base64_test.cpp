#include "help/base64.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(Base64, EncodesTheStandardTestVectors) {
  EXPECT_EQ(Base64(""), "");
  EXPECT_EQ(Base64("f"), "Zg==");
  EXPECT_EQ(Base64("fo"), "Zm8=");
  EXPECT_EQ(Base64("foo"), "Zm9v");
  EXPECT_EQ(Base64("foob"), "Zm9vYg==");
  EXPECT_EQ(Base64("fooba"), "Zm9vYmE=");
  EXPECT_EQ(Base64("foobar"), "Zm9vYmFy");
}

TEST(Base64, UsesTheWholeAlphabetAndTakesBytesAsUnsigned) {
  EXPECT_EQ(Base64("\xFB\xEF\xBE"), "++++");
  EXPECT_EQ(Base64("\xFF\xFF\xFF"), "////");
  EXPECT_EQ(Base64(std::string("\0\0\0", 3)), "AAAA");
  EXPECT_EQ(Base64(std::string(60, 'a')).find('\n'), std::string::npos);
}

}  // namespace
}  // namespace lumvik
