#include "help/send_mail.h"

#include <algorithm>
#include <string>
#include <utility>

namespace lumvik {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class ClosedAtEnd {
 public:
  explicit ClosedAtEnd(SmtpTransport& transport) : transport_(transport) {}
  ~ClosedAtEnd() { transport_.Close(); }
  ClosedAtEnd(const ClosedAtEnd&) = delete;
  ClosedAtEnd& operator=(const ClosedAtEnd&) = delete;

 private:
  SmtpTransport& transport_;
};

milliseconds Until(Clock::time_point when) {
  return std::max(milliseconds(0), std::chrono::ceil<milliseconds>(when - Clock::now()));
}

std::string WithLineEnds(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// Once the server has taken the message, whatever goes wrong afterwards
// (a lost goodbye, a hang-up) no longer matters.
SendOutcome Ended(const SmtpExchange& exchange, SendOutcome otherwise) {
  return exchange.accepted() ? SendOutcome::kDelivered : otherwise;
}

}  // namespace

SendOutcome SendMail(SmtpTransport& transport, std::string_view server, std::uint16_t port,
                     OutgoingMail mail, const MailTimeouts& timeouts,
                     const std::function<void()>& between_waits) {
  const auto end_of_exchange = Clock::now() + timeouts.exchange;
  const ClosedAtEnd closer(transport);
  switch (transport.Connect(server, port, std::min(timeouts.reply, timeouts.exchange),
                            WaitSlices{timeouts.slice, between_waits})) {
    case ConnectStatus::kNoNetwork:
      return SendOutcome::kNoNetwork;
    case ConnectStatus::kNoConnection:
      return SendOutcome::kNoConnection;
    case ConnectStatus::kConnected:
      break;
  }
  SmtpExchange exchange(std::move(mail));
  auto reply_due = Clock::now() + timeouts.reply;
  for (;;) {
    const auto due = std::min(reply_due, end_of_exchange);
    if (Clock::now() >= due) return Ended(exchange, SendOutcome::kTimedOut);
    const Received received = transport.Receive(std::min(timeouts.slice, Until(due)));
    if (between_waits) between_waits();
    switch (received.status) {
      case ReceiveStatus::kTimedOut:
        continue;
      case ReceiveStatus::kClosed:
        return Ended(exchange, SendOutcome::kServerClosed);
      case ReceiveStatus::kError:
        return Ended(exchange, SendOutcome::kBroken);
      case ReceiveStatus::kData:
        break;
    }

    const SmtpExchange::Reaction reaction = exchange.Receive(received.bytes);
    if (reaction.replies > 0) reply_due = Clock::now() + timeouts.reply;
    // The goodbye after 221 may find the server gone; that changes nothing.
    if (!reaction.lines.empty() &&
        !transport.Send(WithLineEnds(reaction.lines),
                        Until(std::min(reply_due, end_of_exchange))) &&
        !exchange.done()) {
      return Ended(exchange, SendOutcome::kBroken);
    }
    if (exchange.done()) {
      return Ended(exchange,
                   exchange.rejected() ? SendOutcome::kRejected : SendOutcome::kServerClosed);
    }
  }
}

}  // namespace lumvik
