#include "help/send_mail.h"

#include <gtest/gtest.h>

#include <deque>
#include <thread>

#include "help/testing/test_mail.h"

namespace lumvik {
namespace {

using namespace std::chrono_literals;
using testing::TestMail;

// A server that answers from a script, one read per entry, and is silent
// once the script is played. Silence takes the whole time it is given.
class ScriptedTransport final : public SmtpTransport {
 public:
  ConnectStatus connect_status = ConnectStatus::kConnected;
  std::deque<Received> script;
  bool send_fails = false;
  std::string sent;
  int closes = 0;

  ConnectStatus Connect(std::string_view, std::uint16_t, std::chrono::milliseconds,
                        const WaitSlices&) override {
    return connect_status;
  }
  bool Send(std::string_view bytes, std::chrono::milliseconds) override {
    sent += bytes;
    return !send_fails;
  }
  Received Receive(std::chrono::milliseconds timeout) override {
    Received next;
    if (!script.empty()) {
      next = std::move(script.front());
      script.pop_front();
    }
    if (next.status == ReceiveStatus::kTimedOut) std::this_thread::sleep_for(timeout);
    return next;
  }
  void Close() override { ++closes; }
};

Received Data(std::string bytes) { return {ReceiveStatus::kData, std::move(bytes)}; }

const MailTimeouts kShort{.reply = 200ms, .exchange = 1s, .slice = 20ms};

// Up to the server's answer to DATA, without logging in.
std::deque<Received> UpToTheMessage() {
  return {Data("220 hi\r\n"), Data("250 hi\r\n"), Data("250 ok\r\n"), Data("250 ok\r\n"),
          Data("354 go\r\n")};
}

SendOutcome Send(ScriptedTransport& transport, const MailTimeouts& timeouts = kShort) {
  return SendMail(transport, "mail.test", 25, TestMail(""), timeouts);
}

TEST(SendMail, DeliversOverTheTransportAndCloses) {
  ScriptedTransport transport;
  transport.script = UpToTheMessage();
  transport.script.push_back(Data("250 queued\r\n221 bye\r\n"));
  int hook_calls = 0;
  EXPECT_EQ(SendMail(transport, "mail.test", 25, TestMail(""), kShort, [&] { ++hook_calls; }),
            SendOutcome::kDelivered);
  EXPECT_TRUE(transport.sent.starts_with("HELO pc1\r\nMAIL FROM: <me@a.test>\r\n"));
  EXPECT_TRUE(transport.sent.ends_with("\r\n<b>hi</b>\r\n.\r\nQUIT\r\n[connection closed]\r\n"));
  EXPECT_EQ(hook_calls, 6);
  EXPECT_EQ(transport.closes, 1);
}

TEST(SendMail, AnUnreachableServerIsAFailureOfItsOwn) {
  ScriptedTransport transport;
  transport.connect_status = ConnectStatus::kNoConnection;
  EXPECT_EQ(Send(transport), SendOutcome::kNoConnection);
  transport.connect_status = ConnectStatus::kNoNetwork;
  EXPECT_EQ(Send(transport), SendOutcome::kNoNetwork);
  EXPECT_TRUE(transport.sent.empty());
  EXPECT_EQ(transport.closes, 2);
}

TEST(SendMail, AHangUpCountsAsDeliveredOnlyAfterTheMessageWasTaken) {
  ScriptedTransport before;
  before.script = UpToTheMessage();
  before.script.push_back({ReceiveStatus::kClosed, {}});
  EXPECT_EQ(Send(before), SendOutcome::kServerClosed);

  ScriptedTransport after;
  after.script = UpToTheMessage();
  after.script.push_back(Data("250 queued\r\n"));
  after.script.push_back({ReceiveStatus::kError, {}});
  EXPECT_EQ(Send(after), SendOutcome::kDelivered);

  ScriptedTransport broken;
  broken.script = UpToTheMessage();
  broken.script.push_back({ReceiveStatus::kError, {}});
  EXPECT_EQ(Send(broken), SendOutcome::kBroken);
}

TEST(SendMail, EndsWithTheServersVerdict) {
  ScriptedTransport rejected;
  rejected.script = {Data("220 hi\r\n250 hi\r\n250 ok\r\n550 no\r\n")};
  EXPECT_EQ(Send(rejected), SendOutcome::kRejected);
  ScriptedTransport goodbye;
  goodbye.script = {Data("220 hi\r\n221 closing\r\n")};
  EXPECT_EQ(Send(goodbye), SendOutcome::kServerClosed);
  ScriptedTransport unsendable;
  unsendable.send_fails = true;
  unsendable.script = {Data("220 hi\r\n")};
  EXPECT_EQ(Send(unsendable), SendOutcome::kBroken);
}

TEST(SendMail, ASilentServerTimesOutWhileTheHookKeepsRunning) {
  ScriptedTransport transport;
  transport.script = {Data("220 hi\r\n")};
  int hook_calls = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SendMail(transport, "mail.test", 25, TestMail(""), kShort, [&] { ++hook_calls; }),
            SendOutcome::kTimedOut);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, kShort.reply);
  EXPECT_LT(took, kShort.exchange);
  EXPECT_GE(hook_calls, 5);  // 200 ms in slices of 20 ms
  EXPECT_EQ(transport.closes, 1);
}

TEST(SendMail, RepliesThatLeadNowhereEndAtTheExchangeDeadline) {
  ScriptedTransport transport;
  transport.script = {Data("220 hi\r\n")};
  for (int i = 0; i < 1000; ++i) {
    transport.script.push_back({});  // a quiet slice
    transport.script.push_back(Data("535 no\r\n"));
  }
  const MailTimeouts timeouts{.reply = 200ms, .exchange = 400ms, .slice = 20ms};
  const auto start = std::chrono::steady_clock::now();
  // A reply every slice restarts the wait for the next, so only the bound of
  // the whole exchange ends this.
  EXPECT_EQ(Send(transport, timeouts), SendOutcome::kTimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, timeouts.exchange);
}

}  // namespace
}  // namespace lumvik
