#include "help/send_mail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <thread>

#include "help/testing/test_mail.h"

namespace lumvik {
namespace {

using namespace std::chrono_literals;
using testing::TestMail;

using Clock = std::chrono::steady_clock;

// A server that answers from a script, one read per entry, and is silent
// once the script is played. Silence takes the whole time it is given, and
// so does an address that does not answer, as the system's sockets do.
class ScriptedTransport final : public SmtpTransport {
 public:
  LookUp found{.network = true, .addresses = {{"192.0.2.1", 25}}};
  std::vector<ServerAddress> unanswered;  // addresses that never answer
  std::deque<Received> script;
  std::string fails_on = "\x7F";  // a send that holds this fails
  std::string sent;
  std::vector<std::chrono::milliseconds> connect_times;  // given to each address tried
  int closes = 0;

  LookUp Addresses(std::string_view, std::uint16_t) override { return found; }
  bool Connect(const ServerAddress& address, std::chrono::milliseconds timeout,
               const WaitSlices& slices) override {
    connect_times.push_back(timeout);
    if (std::find(unanswered.begin(), unanswered.end(), address) == unanswered.end()) return true;
    WaitInSlices<Clock>(Clock::now() + timeout, slices, [](Clock::time_point step) {
      std::this_thread::sleep_until(step);
      return 0;
    });
    return false;
  }
  bool Send(std::string_view bytes, std::chrono::milliseconds) override {
    sent += bytes;
    return bytes.find(fails_on) == std::string_view::npos;
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

const MailTimeouts kShort{.address = 100ms,
                          .connect = 300ms,
                          .reply = 200ms,
                          .exchange = 1s,
                          .verdict = 1s,
                          .slice = 20ms};

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
  EXPECT_EQ(SendMail(transport, "mail.test", 25, TestMail(""), kShort,
                     [&] {
                       ++hook_calls;
                       return true;
                     }),
            SendOutcome::kDelivered);
  EXPECT_TRUE(transport.sent.starts_with("HELO pc1\r\nMAIL FROM: <me@a.test>\r\n"));
  EXPECT_TRUE(transport.sent.ends_with("\r\n<b>hi</b>=\r\n.\r\nQUIT\r\n[connection closed]\r\n"));
  EXPECT_EQ(hook_calls, 6);
  EXPECT_EQ(transport.closes, 1);
}

TEST(SendMail, AnUnreachableServerIsAFailureOfItsOwn) {
  ScriptedTransport transport;
  transport.unanswered = transport.found.addresses;
  EXPECT_EQ(Send(transport), SendOutcome::kNoConnection);
  transport.found.addresses.clear();  // an unknown name
  EXPECT_EQ(Send(transport), SendOutcome::kNoConnection);
  transport.found.network = false;
  EXPECT_EQ(Send(transport), SendOutcome::kNoNetwork);
  EXPECT_TRUE(transport.sent.empty());
  EXPECT_EQ(transport.closes, 3);
}

TEST(SendMail, EachAddressHasATimeOfItsOwnWithinOneForAll) {
  ScriptedTransport transport;
  transport.found.addresses = {{"192.0.2.1", 25}, {"192.0.2.2", 25}, {"192.0.2.3", 25}};
  transport.unanswered = {transport.found.addresses[0]};
  transport.script = UpToTheMessage();
  transport.script.push_back(Data("250 queued\r\n"));
  MailTimeouts timeouts = kShort;
  timeouts.address = 100ms;
  timeouts.connect = 150ms;
  EXPECT_EQ(Send(transport, timeouts), SendOutcome::kDelivered) << "the second address answered";
  ASSERT_EQ(transport.connect_times.size(), 2u);
  EXPECT_EQ(transport.connect_times[0], timeouts.address);
  EXPECT_LE(transport.connect_times[1], 50ms) << "what is left of the time for all";

  transport.unanswered = transport.found.addresses;
  transport.connect_times.clear();
  EXPECT_EQ(Send(transport, timeouts), SendOutcome::kNoConnection);
  EXPECT_EQ(transport.connect_times.size(), 2u) << "no time was left for the third";
}

TEST(SendMail, AHangUpCountsAsDeliveredOnlyAfterTheMessageWasTaken) {
  ScriptedTransport before;
  before.script = UpToTheMessage();
  before.script.back() = {ReceiveStatus::kClosed, {}};
  EXPECT_EQ(Send(before), SendOutcome::kServerClosed);

  ScriptedTransport after;
  after.script = UpToTheMessage();
  after.script.push_back(Data("250 queued\r\n"));
  after.script.push_back({ReceiveStatus::kError, {}});
  EXPECT_EQ(Send(after), SendOutcome::kDelivered);

  ScriptedTransport broken;
  broken.script = UpToTheMessage();
  broken.script.back() = {ReceiveStatus::kError, {}};
  EXPECT_EQ(Send(broken), SendOutcome::kBroken);

  // Without its final "." the message cannot have been taken.
  ScriptedTransport cut;
  cut.script = UpToTheMessage();
  cut.fails_on = "X-Mailer";
  EXPECT_EQ(Send(cut), SendOutcome::kBroken);
}

TEST(SendMail, EndsWithTheServersVerdict) {
  ScriptedTransport rejected;
  rejected.script = {Data("220 hi\r\n250 hi\r\n250 ok\r\n550 no\r\n")};
  EXPECT_EQ(Send(rejected), SendOutcome::kRejected);
  ScriptedTransport goodbye;
  goodbye.script = {Data("220 hi\r\n221 closing\r\n")};
  EXPECT_EQ(Send(goodbye), SendOutcome::kServerClosed);
  ScriptedTransport unsendable;
  unsendable.fails_on = "HELO";
  unsendable.script = {Data("220 hi\r\n")};
  EXPECT_EQ(Send(unsendable), SendOutcome::kBroken);
}

TEST(SendMail, ASilentServerTimesOutWhileTheHookKeepsRunning) {
  ScriptedTransport transport;
  transport.script = {Data("220 hi\r\n")};
  int hook_calls = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SendMail(transport, "mail.test", 25, TestMail(""), kShort,
                     [&] {
                       ++hook_calls;
                       return true;
                     }),
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
  const MailTimeouts timeouts{.reply = 200ms, .exchange = 400ms, .verdict = 1s, .slice = 20ms};
  const auto start = std::chrono::steady_clock::now();
  // A reply every slice restarts the wait for the next, so only the bound of
  // the whole exchange ends this.
  EXPECT_EQ(Send(transport, timeouts), SendOutcome::kTimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, timeouts.exchange);
}

// Up to the message, then `quiet` slices of silence before the server's verdict.
std::deque<Received> VerdictAfter(int quiet) {
  std::deque<Received> script = UpToTheMessage();
  for (int k = 0; k < quiet; ++k) script.push_back({});
  script.push_back(Data("250 queued\r\n221 bye\r\n"));
  return script;
}

TEST(SendMail, TheVerdictOnTheMessageHasATimeOfItsOwn) {
  const MailTimeouts timeouts{.reply = 100ms, .exchange = 300ms, .verdict = 600ms, .slice = 20ms};
  ScriptedTransport slow;
  slow.script = VerdictAfter(20);  // 400 ms: longer than a reply and the whole exchange
  EXPECT_EQ(Send(slow, timeouts), SendOutcome::kDelivered);

  ScriptedTransport silent;
  silent.script = VerdictAfter(1000);
  const auto start = Clock::now();
  EXPECT_EQ(Send(silent, timeouts), SendOutcome::kUnconfirmed);
  EXPECT_GE(Clock::now() - start, timeouts.verdict);

  ScriptedTransport gone;
  gone.script = UpToTheMessage();
  gone.script.push_back({ReceiveStatus::kClosed, {}});
  EXPECT_EQ(Send(gone, timeouts), SendOutcome::kUnconfirmed);
}

// The outcome when the user stops the sending at the hook's call `call`.
SendOutcome StoppedAt(ScriptedTransport& transport, int call) {
  int calls = 0;
  return SendMail(transport, "mail.test", 25, TestMail(""), kShort, [&] { return ++calls < call; });
}

TEST(SendMail, StoppedByTheUserItSaysWhetherTheMessageHadGone) {
  ScriptedTransport connecting;
  connecting.unanswered = connecting.found.addresses;
  const auto start = Clock::now();
  EXPECT_EQ(StoppedAt(connecting, 2), SendOutcome::kCancelled);
  EXPECT_LT(Clock::now() - start, kShort.address);

  ScriptedTransport before;
  before.script = VerdictAfter(10);
  EXPECT_EQ(StoppedAt(before, 3), SendOutcome::kCancelled);
  EXPECT_EQ(before.sent.find("X-Mailer"), std::string::npos);

  ScriptedTransport after;
  after.script = VerdictAfter(10);
  EXPECT_EQ(StoppedAt(after, 7), SendOutcome::kUnconfirmed);
  EXPECT_NE(after.sent.find("X-Mailer"), std::string::npos);

  ScriptedTransport taken;
  taken.script = VerdictAfter(0);
  taken.script.back().bytes = "250 queued\r\n";
  taken.script.push_back({});
  EXPECT_EQ(StoppedAt(taken, 7), SendOutcome::kDelivered) << "the server had taken it";
}

}  // namespace
}  // namespace lumvik
