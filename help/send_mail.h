// Sending one mail: the SMTP dialogue driven over a transport, bounded in
// time, ending in an outcome that says whether the server took the mail.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>

#include "help/smtp_exchange.h"
#include "help/smtp_transport.h"

namespace lumvik {

enum class SendOutcome {
  kDelivered,     // the server accepted the message
  kUnconfirmed,   // the message went, and the exchange ended before the server's verdict on it
  kNoNetwork,     // the system's network layer did not start
  kNoConnection,  // the server could not be reached
  kRejected,      // the server refused the recipient (550)
  kServerClosed,  // the server said goodbye or hung up before taking the message
  kOutOfTurn,     // the server asked for the message when it had not been offered, or again
  kTimedOut,      // the server stopped answering, or never gave a reply the dialogue acts on
  kBroken,        // the connection failed while sending or receiving
  kCancelled,     // the user stopped the sending before the message went
};

struct MailTimeouts {
  std::chrono::milliseconds address{10'000};    // for connecting to each address of the server
  std::chrono::milliseconds connect{30'000};    // for connecting, all its addresses together
  std::chrono::milliseconds reply{30'000};      // for each reply
  std::chrono::milliseconds exchange{120'000};  // for everything, connection included, ...
  // ... until the message has gone: the server may take this long to judge
  // it, and from then on this bounds what is left in place of `exchange`.
  std::chrono::milliseconds verdict{600'000};
  std::chrono::milliseconds slice{100};  // the longest wait between two calls of the hook
};

// Connects to the first address of `server` that answers, plays the
// dialogue, and always closes the connection again. `go_on`, when given,
// runs after every wait for the server, connecting included, at least once
// per slice, so that a window can keep itself drawn; when it returns false,
// the sending stops there.
SendOutcome SendMail(SmtpTransport& transport, std::string_view server, std::uint16_t port,
                     OutgoingMail mail, const MailTimeouts& timeouts = {},
                     const std::function<bool()>& go_on = {});

}  // namespace lumvik
