#include "export/html_text.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(HtmlText, WritesMarkupCharactersAsReferences) {
  EXPECT_EQ(HtmlText("<a href='x' title=\"y\">&amp;</a>"),
            "&lt;a href=&#39;x&#39; title=&quot;y&quot;&gt;&amp;amp;&lt;/a&gt;");
}

TEST(HtmlText, MakesEachLineBreakOneBreak) {
  EXPECT_EQ(HtmlText("a\r\nb\nc\rd\r\n\r\ne"), "a\nb\nc\nd\n\ne");
  EXPECT_EQ(HtmlText("\r"), "\n");
}

TEST(HtmlText, DecodesTheAnsiCodePage) {
  EXPECT_EQ(HtmlText("\xE9\xFC\xDF\x9C\x80"), "\xC3\xA9\xC3\xBC\xC3\x9F\xC5\x93\xE2\x82\xAC");
}

}  // namespace
}  // namespace lumvik
