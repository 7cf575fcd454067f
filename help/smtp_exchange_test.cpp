#include "help/smtp_exchange.h"

#include <gtest/gtest.h>

#include "help/testing/test_mail.h"

namespace lumvik {
namespace {

using Lines = std::vector<std::string>;
using testing::TestMail;

const Lines kMessage = {"X-Mailer: Lumvik 1.0",
                        "To: you@b.test",
                        "From: Lumvik-App <me@a.test>",
                        "Reply-To: me@a.test",
                        "Date:01/02/2024 @ 03:04:05",
                        "Subject: Question",
                        "MIME-Version: 1.0",
                        "Content-Type: text/html; charset=us-ascii",
                        "Content-Transfer-Encoding: quoted-printable",
                        "",
                        "<b>hi</b>=",
                        "."};

Lines Answer(SmtpExchange& exchange, std::string_view bytes) {
  return exchange.Receive(bytes).lines;
}

// An exchange led up to the state in which it has just sent RCPT TO.
SmtpExchange AtRecipient() {
  SmtpExchange exchange(TestMail(""));
  Answer(exchange, "220 hi\r\n250 hello\r\n250 sender ok\r\n");
  EXPECT_EQ(exchange.state(), SmtpState::kRecipientGiven);
  return exchange;
}

TEST(SmtpExchange, LogsInSendsTheMessageAndSaysGoodbye) {
  SmtpExchange exchange(TestMail());
  EXPECT_EQ(Answer(exchange, "220 mail.test ESMTP\r\n"), Lines{"Ehlo pc1"});
  EXPECT_EQ(exchange.state(), SmtpState::kGreetedExtended);
  EXPECT_EQ(Answer(exchange, "250-mail.test\r\n250-SIZE 1000\r\n250 AUTH LOGIN\r\n"),
            Lines{"AUTH LOGIN"});
  EXPECT_EQ(exchange.state(), SmtpState::kAuthAsked);
  EXPECT_EQ(Answer(exchange, "334 VXNlcjo=\r\n"), (Lines{"YWNjdA==", "c2VjcmV0"}));
  EXPECT_EQ(exchange.state(), SmtpState::kPasswordSent);
  EXPECT_EQ(Answer(exchange, "334 UGFzczo=\r\n"), Lines{});  // the password went already
  EXPECT_EQ(Answer(exchange, "235 ok\r\n"), Lines{"MAIL FROM: <me@a.test>"});
  EXPECT_EQ(Answer(exchange, "250 ok\r\n"), Lines{"RCPT TO: <you@b.test>"});
  EXPECT_EQ(Answer(exchange, "250 ok\r\n"), Lines{"DATA"});
  EXPECT_EQ(exchange.state(), SmtpState::kDataAsked);
  EXPECT_EQ(Answer(exchange, "354 go\r\n"), kMessage);
  EXPECT_FALSE(exchange.accepted());
  EXPECT_EQ(Answer(exchange, "250 queued\r\n"), Lines{"QUIT"});
  EXPECT_TRUE(exchange.accepted());
  EXPECT_FALSE(exchange.done());
  EXPECT_EQ(Answer(exchange, "221 bye\r\n"), Lines{"[connection closed]"});
  EXPECT_TRUE(exchange.done());
  EXPECT_EQ(exchange.state(), SmtpState::kClosing);
  EXPECT_FALSE(exchange.rejected());
}

TEST(SmtpExchange, WithoutAnAccountGreetsPlainAndSkipsTheLogin) {
  SmtpExchange exchange(TestMail(""));
  EXPECT_EQ(Answer(exchange, "220-hi\r\n220 there\r\n"), Lines{"HELO pc1"});
  EXPECT_EQ(exchange.state(), SmtpState::kGreetedPlain);
  const auto reaction = exchange.Receive("250-hello\r\n250-SIZE 10\r\n250 HELP\r\n");
  EXPECT_EQ(reaction.lines, Lines{"MAIL FROM: <me@a.test>"});
  EXPECT_EQ(reaction.replies, 1u);
  EXPECT_EQ(exchange.state(), SmtpState::kSenderGiven);
}

TEST(SmtpExchange, A251ForTheRecipientAlsoLeadsToTheMessage) {
  SmtpExchange exchange = AtRecipient();
  EXPECT_EQ(Answer(exchange, "251 will forward\r\n"), Lines{"DATA"});
  EXPECT_EQ(exchange.state(), SmtpState::kDataAsked);
  EXPECT_EQ(Answer(exchange, "354 go\r\n"), kMessage);
  EXPECT_EQ(Answer(exchange, "250 queued\r\n"), Lines{"QUIT"});
  EXPECT_TRUE(exchange.accepted());
}

TEST(SmtpExchange, A550EndsTheDialogueUndelivered) {
  SmtpExchange exchange = AtRecipient();
  EXPECT_EQ(Answer(exchange, "550 no such user\r\n"), Lines{});
  EXPECT_TRUE(exchange.done());
  EXPECT_TRUE(exchange.rejected());
  EXPECT_FALSE(exchange.accepted());
  const auto after = exchange.Receive("250 ok\r\n221 bye\r\n");
  EXPECT_TRUE(after.lines.empty());
  EXPECT_EQ(after.replies, 0u);
}

TEST(SmtpExchange, CodesOutsideTheirStatesChangeNothing) {
  SmtpExchange exchange(TestMail());
  EXPECT_EQ(Answer(exchange, "250 ok\r\n334 x\r\n535 no\r\n"), Lines{});
  EXPECT_EQ(exchange.state(), SmtpState::kStart);
  EXPECT_EQ(Answer(exchange, "235 ok\r\n"), Lines{"MAIL FROM: <me@a.test>"});
  EXPECT_EQ(Answer(exchange, "334 x\r\n"), Lines{});
  EXPECT_EQ(exchange.state(), SmtpState::kSenderGiven);
}

TEST(SmtpExchange, TheMessageGoesOnlyInAnswerToDataAndOnlyOnce) {
  SmtpExchange unasked(TestMail(""));
  EXPECT_EQ(Answer(unasked, "220 hi\r\n354 go\r\n"), Lines{}) << "not even the greeting's answer";
  EXPECT_TRUE(unasked.out_of_turn());
  EXPECT_TRUE(unasked.done());

  SmtpExchange repeated = AtRecipient();
  EXPECT_EQ(Answer(repeated, "250 ok\r\n"), Lines{"DATA"});
  EXPECT_EQ(Answer(repeated, "354 go\r\n354 go\r\n354 go\r\n"), Lines{});
  EXPECT_TRUE(repeated.out_of_turn());
  EXPECT_EQ(Answer(repeated, "250 ok\r\n"), Lines{});

  SmtpExchange later = AtRecipient();
  Answer(later, "250 ok\r\n");
  EXPECT_EQ(Answer(later, "354 go\r\n"), kMessage);
  EXPECT_TRUE(later.awaiting_verdict());
  EXPECT_EQ(Answer(later, "354 go\r\n"), Lines{});
  EXPECT_TRUE(later.out_of_turn());
  EXPECT_FALSE(later.accepted());
  EXPECT_FALSE(later.awaiting_verdict());
}

TEST(SmtpExchange, ActsOnEachReplyOfOneReadInTurn) {
  SmtpExchange exchange(TestMail());
  Answer(exchange, "220 hi\r\n250 hello\r\n");
  const auto reaction = exchange.Receive("334 VXNlcjo=\r\n334 UGFzczo=\r\n235 ok\r\n");
  EXPECT_EQ(reaction.lines, (Lines{"YWNjdA==", "c2VjcmV0", "MAIL FROM: <me@a.test>"}));
  EXPECT_EQ(reaction.replies, 3u);
}

TEST(SmtpExchange, AReplyCutAcrossReadsWaitsForItsEnd) {
  SmtpExchange exchange(TestMail());
  EXPECT_EQ(Answer(exchange, "22"), Lines{});
  EXPECT_EQ(Answer(exchange, "0 hi\r"), Lines{});
  EXPECT_EQ(Answer(exchange, "\n250-a\r\n250"), Lines{"Ehlo pc1"});
  EXPECT_EQ(Answer(exchange, "-b\r\n"), Lines{});  // still a middle line
  EXPECT_EQ(Answer(exchange, "250 c\r\n"), Lines{"AUTH LOGIN"});
}

TEST(SmtpExchange, SkipsLinesThatAreNoRepliesAndReadsLongOnes) {
  SmtpExchange exchange(TestMail());
  const auto garbage = exchange.Receive("hello\r\n2x0 y\r\n2200\r\n\r\n22\r\n");
  EXPECT_TRUE(garbage.lines.empty());
  EXPECT_EQ(garbage.replies, 0u);
  EXPECT_EQ(Answer(exchange, "220 " + std::string(100'000, 'x') + "\r\n"), Lines{"Ehlo pc1"});
  EXPECT_EQ(Answer(exchange, "250\n"), Lines{"AUTH LOGIN"});  // a bare code, LF only
}

TEST(SmtpExchange, OnlyA250RightAfterTheMessageMeansAccepted) {
  SmtpExchange early = AtRecipient();
  Answer(early, "250 ok\r\n");  // DATA sent
  EXPECT_EQ(Answer(early, "250 odd\r\n"), Lines{"QUIT"});
  EXPECT_FALSE(early.accepted());

  SmtpExchange refused = AtRecipient();
  Answer(refused, "250 ok\r\n354 go\r\n");
  EXPECT_EQ(Answer(refused, "452 full\r\n250 ok\r\n"), Lines{"QUIT"});
  EXPECT_FALSE(refused.accepted());
}

TEST(SmtpExchange, FieldsCannotAddHeadersOrCommands) {
  OutgoingMail mail = TestMail("");
  mail.subject = "Bug\r\nBcc: all@x.test";
  mail.to = "you@b.test>\r\nRSET";
  SmtpExchange exchange(std::move(mail));
  const Lines lines = Answer(exchange, "220 hi\r\n250 hi\r\n250 ok\r\n250 ok\r\n354 go\r\n");
  EXPECT_EQ(lines[2], "RCPT TO: <you@b.test>RSET>");
  EXPECT_EQ(lines[5], "To: you@b.test>RSET");
  EXPECT_EQ(lines[9], "Subject: BugBcc: all@x.test");
}

}  // namespace
}  // namespace lumvik
