#include "help/send_mail.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

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

// Each address has a time of its own, so that one that never answers leaves
// the next its turn; all of them together have `timeouts.connect`.
bool ConnectToOne(SmtpTransport& transport, const std::vector<ServerAddress>& addresses,
                  const MailTimeouts& timeouts, const WaitSlices& slices) {
  const auto end = Clock::now() + timeouts.connect;
  for (const ServerAddress& address : addresses) {
    const milliseconds left = Until(end);
    if (left.count() == 0) return false;
    if (transport.Connect(address, std::min(timeouts.address, left), slices)) return true;
    if (slices.between && !slices.between()) return false;
  }
  return false;
}

// Once the server has taken the message, whatever goes wrong afterwards
// (a lost goodbye, a hang-up) no longer matters; once the message has gone
// without a verdict, nobody can tell whether it arrived.
SendOutcome Ended(const SmtpExchange& exchange, SendOutcome otherwise) {
  if (exchange.accepted()) return SendOutcome::kDelivered;
  return exchange.awaiting_verdict() ? SendOutcome::kUnconfirmed : otherwise;
}

}  // namespace

SendOutcome SendMail(SmtpTransport& transport, std::string_view server, std::uint16_t port,
                     OutgoingMail mail, const MailTimeouts& timeouts,
                     const std::function<bool()>& go_on) {
  auto end_of_exchange = Clock::now() + timeouts.exchange;
  bool stopped = false;
  const auto between_waits = [&go_on, &stopped] {
    stopped = stopped || (go_on && !go_on());
    return !stopped;
  };
  const ClosedAtEnd closer(transport);
  const LookUp found = transport.Addresses(server, port);
  if (!found.network) return SendOutcome::kNoNetwork;
  if (!ConnectToOne(transport, found.addresses, timeouts,
                    WaitSlices{timeouts.slice, between_waits})) {
    return stopped ? SendOutcome::kCancelled : SendOutcome::kNoConnection;
  }
  SmtpExchange exchange(std::move(mail));
  auto reply_due = Clock::now() + timeouts.reply;
  for (;;) {
    const auto due =
        exchange.awaiting_verdict() ? end_of_exchange : std::min(reply_due, end_of_exchange);
    if (Clock::now() >= due) return Ended(exchange, SendOutcome::kTimedOut);
    const Received received = transport.Receive(std::min(timeouts.slice, Until(due)));
    if (!between_waits()) return Ended(exchange, SendOutcome::kCancelled);
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
    if (!reaction.lines.empty()) {
      const bool sent =
          transport.Send(WithLineEnds(reaction.lines), Until(std::min(reply_due, end_of_exchange)));
      // The goodbye after 221 may find the server gone; that changes nothing.
      // A message that did not go whole lacks its final "." and was not taken.
      if (!sent && !exchange.done()) {
        return exchange.accepted() ? SendOutcome::kDelivered : SendOutcome::kBroken;
      }
      if (exchange.awaiting_verdict()) end_of_exchange = Clock::now() + timeouts.verdict;
    }
    if (exchange.done()) {
      return Ended(exchange, exchange.rejected()      ? SendOutcome::kRejected
                             : exchange.out_of_turn() ? SendOutcome::kOutOfTurn
                                                      : SendOutcome::kServerClosed);
    }
  }
}

}  // namespace lumvik
