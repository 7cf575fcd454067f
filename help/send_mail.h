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
  kNoNetwork,     // the system's network layer did not start
  kNoConnection,  // the server could not be reached
  kRejected,      // the server refused the recipient (550)
  kServerClosed,  // the server said goodbye or hung up before taking the message
  kTimedOut,      // the server stopped answering, or never gave a reply the dialogue acts on
  kBroken,        // the connection failed while sending or receiving
};

struct MailTimeouts {
  std::chrono::milliseconds reply{30'000};      // for the connection and for each reply
  std::chrono::milliseconds exchange{120'000};  // for everything, connection included
  std::chrono::milliseconds slice{100};         // the longest wait between two calls of the hook
};

// Connects to `server`, plays the dialogue, and always closes the connection
// again. `between_waits`, when given, runs after every wait for the server,
// connecting included, at least once per slice, so that a window can keep
// itself drawn.
SendOutcome SendMail(SmtpTransport& transport, std::string_view server, std::uint16_t port,
                     OutgoingMail mail, const MailTimeouts& timeouts = {},
                     const std::function<void()>& between_waits = {});

}  // namespace lumvik
