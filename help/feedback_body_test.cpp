#include "help/feedback_body.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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

// The body back from its lines, as a mail reader decodes them.
std::string Decoded(const std::vector<std::string>& lines) {
  std::string body;
  for (std::string_view line : lines) {
    if (line.starts_with('.')) line.remove_prefix(1);  // a stuffed dot
    line.remove_suffix(1);                             // the soft break
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] != '=') {
        body += line[i];
      } else {
        body += static_cast<char>(std::stoi(std::string(line.substr(i + 1, 2)), nullptr, 16));
        i += 2;
      }
    }
  }
  return body;
}

void ExpectShortSoftEndedLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    EXPECT_LE(line.size() - (line.starts_with('.') ? 1 : 0), kMaxEncodedLine) << line;
    EXPECT_TRUE(line.ends_with('=')) << line;
  }
}

TEST(MailBodyLines, EncodesEqualSignsAndEveryByteOutsidePrintableAscii) {
  EXPECT_EQ(MailBodyLines("a=b <p>&nbsp;~"), std::vector<std::string>{"a=3Db <p>&nbsp;~="});
  EXPECT_EQ(MailBodyLines("\t\r\n\x7F\x80\xFF\x01"),
            std::vector<std::string>{"=09=0D=0A=7F=80=FF=01="});
  EXPECT_TRUE(MailBodyLines("").empty());
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Decoded(MailBodyLines(one)), one) << byte;
  }
}

TEST(MailBodyLines, CutsALongWordWithSoftBreaksButNeverInsideAnEncodedByte) {
  const std::string word(1200, 'w');
  auto lines = MailBodyLines(word);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], std::string(75, 'w') + "=");
  EXPECT_EQ(lines.back(), std::string(75, 'w') + "=");
  ExpectShortSoftEndedLines(lines);

  lines = MailBodyLines(std::string(74, 'w') + "==");
  EXPECT_EQ(lines, (std::vector<std::string>{std::string(74, 'w') + "=", "=3D=3D="}));
}

TEST(MailBodyLines, StuffsADotThatStartsALineWhereverTheSoftBreaksFall) {
  const std::string body = "a<br>." + std::string(200, '.');
  const auto lines = MailBodyLines(body);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "." + std::string(75, '.') + "=");
  ExpectShortSoftEndedLines(lines);
  EXPECT_EQ(MailBodyLines("."), std::vector<std::string>{"..="});
}

TEST(MailBodyLines, AMessageOfManyBreaksBlanksAndSignsIsCarriedAsItIs) {
  std::string message;
  for (int i = 0; i < 700; ++i) message += i % 7 == 0 ? "\r\n." : i % 3 == 0 ? " = " : "\xE9<";
  const std::string body = FeedbackBody("n", "l", message);
  const auto lines = MailBodyLines(body);
  ExpectShortSoftEndedLines(lines);
  EXPECT_EQ(Decoded(lines), body);
}

}  // namespace
}  // namespace lumvik
