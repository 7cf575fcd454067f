#include "help/feedback_body.h"

#include <gtest/gtest.h>

namespace lumvik {
namespace {

TEST(HtmlFromText, EscapesMarkupCharacters) {
  EXPECT_EQ(HtmlFromText("a&b <script>\"x\" 'y'"),
            "a&amp;b &lt;script&gt;&quot;x&quot; &#39;y&#39;");
  EXPECT_EQ(HtmlFromText("&amp;"), "&amp;amp;");
}

TEST(HtmlFromText, EveryKindOfLineBreakBecomesOneBr) {
  EXPECT_EQ(HtmlFromText("a\r\nb\rc\nd"), "a<br>b<br>c<br>d");
  EXPECT_EQ(HtmlFromText("\n\r"), "<br><br>");  // LF then CR: two breaks
  EXPECT_EQ(HtmlFromText("\r\n\r\n"), "<br><br>");
  EXPECT_EQ(HtmlFromText("end\r"), "end<br>");
}

TEST(HtmlFromText, HighBytesBecomeReferencesToTheirWindows1252Characters) {
  EXPECT_EQ(HtmlFromText("caf\xE9 \x80 \x9C\xFF"), "caf&#233; &#8364; &#339;&#255;");
  EXPECT_EQ(HtmlFromText("\x81\xA0"), "&#129;&#160;");  // unassigned byte, no-break space
  for (int byte = 0; byte < 256; ++byte) {
    for (char c : HtmlFromText(std::string(1, static_cast<char>(byte)))) {
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << byte;
    }
  }
}

TEST(FeedbackBody, JoinsTheFixedPartsAndTheEscapedFields) {
  EXPECT_EQ(FeedbackBody("Zo\xE9 <z>", "Francais", "Hi\r\n& bye"),
            "<b>De : Zo&#233; &lt;z&gt;</b><p><u>Langage :</u>  Francais<p><u>Version :</u>  2.1"
            "<p><u>Message :</u><br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Hi<br>&amp; bye");
}

// The lines joined with their stuffed dots taken off, as the server stores them.
std::string Unfolded(const std::vector<std::string>& lines) {
  std::string body;
  for (const std::string& line : lines) body += line.starts_with('.') ? line.substr(1) : line;
  return body;
}

void ExpectShortLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) EXPECT_LE(line.size(), kMaxMailLine);
}

TEST(MailBodyLines, KeepsAShortBodyOnOneLine) {
  const std::string body(kMaxMailLine, 'x');
  EXPECT_EQ(MailBodyLines(body), std::vector<std::string>{body});
  EXPECT_TRUE(MailBodyLines("").empty());
}

TEST(MailBodyLines, BreaksAfterTheLastBrOrBlankThatFits) {
  const std::string head(900, 'a');
  const std::string body = head + "<br>" + std::string(50, 'b') + " c" + std::string(200, 'd');
  const auto lines = MailBodyLines(body);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], head + "<br>" + std::string(50, 'b') + " ");
  EXPECT_EQ(Unfolded(lines), body);

  const auto at_br = MailBodyLines(std::string(990, 'a') + "<br>" + std::string(20, 'b'));
  EXPECT_EQ(at_br[0], std::string(990, 'a') + "<br>");
}

TEST(MailBodyLines, BreaksHardButNeverInsideAReference) {
  const std::string words(3000, 'w');
  auto lines = MailBodyLines(words);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].size(), kMaxMailLine);
  EXPECT_EQ(Unfolded(lines), words);

  const std::string refs = std::string(995, 'w') + "&#8364;&lt;" + std::string(10, 'w');
  lines = MailBodyLines(refs);
  EXPECT_EQ(lines[0], std::string(995, 'w'));
  EXPECT_EQ(Unfolded(lines), refs);
}

TEST(MailBodyLines, StuffsADotThatStartsALineAndStillFitsTheLimit) {
  const std::string body = std::string(990, 'a') + "<br>." + std::string(1100, '.');
  const auto lines = MailBodyLines(body);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "." + std::string(kMaxMailLine - 1, '.'));
  ExpectShortLines(lines);
  EXPECT_EQ(Unfolded(lines), body);
  EXPECT_EQ(MailBodyLines("."), std::vector<std::string>{".."});
}

TEST(MailBodyLines, AMessageOfManyBreaksAndBlanksFoldsLosingNothing) {
  std::string message;
  for (int i = 0; i < 700; ++i) message += i % 7 == 0 ? "\r\n." : i % 3 == 0 ? " " : "\xE9<";
  const std::string body = FeedbackBody("n", "l", message);
  const auto lines = MailBodyLines(body);
  ExpectShortLines(lines);
  EXPECT_EQ(Unfolded(lines), body);
}

TEST(MailBodyLines, ALineEndInTheBodyCannotEndTheData) {
  EXPECT_EQ(MailBodyLines("a\r\n.\r\n\nb\r"), (std::vector<std::string>{"a", "..", "", "b"}));
}

}  // namespace
}  // namespace lumvik
