// The connection the feedback mail travels over: a seam between the SMTP
// dialogue and the system's sockets (POSIX here, Winsock on Windows), and the
// place where tests put servers of their own.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

// One address of the server in numeric form ("192.0.2.1", "::1"), as the
// system's look-up gives it.
struct ServerAddress {
  std::string host;
  std::uint16_t port = 0;
  bool operator==(const ServerAddress&) const = default;
};

// What looking up the server's name found.
struct LookUp {
  bool network = true;                   // false: the system's network layer did not start
  std::vector<ServerAddress> addresses;  // in the order to try them; none for an unknown name
};

enum class ReceiveStatus {
  kData,      // some bytes arrived
  kTimedOut,  // nothing arrived within the time given
  kClosed,    // the server closed the connection
  kError,     // the connection broke
};

struct Received {
  ReceiveStatus status = ReceiveStatus::kTimedOut;
  std::string bytes;  // with kData only
};

// A long wait cut into slices, with something to run between them, so that a
// window can keep itself drawn while the connection is made and the user can
// stop it: `between` says whether to go on waiting.
struct WaitSlices {
  std::chrono::milliseconds slice{100};
  std::function<bool()> between;
};

// Runs `wait_until(step)` (> 0 ready, 0 at `step`, < 0 failed) one slice at a
// time until it is ready, fails, `deadline` comes or `between` says to stop;
// gives its last answer.
template <typename Clock, typename WaitUntil>
int WaitInSlices(typename Clock::time_point deadline, const WaitSlices& slices,
                 WaitUntil wait_until) {
  for (;;) {
    const int ready = wait_until(std::min(deadline, Clock::now() + slices.slice));
    if (ready != 0 || Clock::now() >= deadline) return ready;
    if (slices.between && !slices.between()) return 0;
  }
}

class SmtpTransport {
 public:
  virtual ~SmtpTransport() = default;

  // The addresses of `host`, through the system's look-up, which takes the
  // time it takes.
  virtual LookUp Addresses(std::string_view host, std::uint16_t port) = 0;

  // Opens a TCP connection to one address, waiting at most `timeout` for it,
  // in `slices`; false when it was refused or not answered in time.
  virtual bool Connect(const ServerAddress& address, std::chrono::milliseconds timeout,
                       const WaitSlices& slices) = 0;

  // Sends all the bytes, waiting at most `timeout` for room to send them;
  // false when the connection broke or stayed full.
  virtual bool Send(std::string_view bytes, std::chrono::milliseconds timeout) = 0;

  // Waits at most `timeout` for bytes and takes those that are there.
  virtual Received Receive(std::chrono::milliseconds timeout) = 0;

  // Closes the connection, if one is open; destruction closes it too.
  virtual void Close() = 0;
};

// The system's sockets.
std::unique_ptr<SmtpTransport> MakeSystemTransport();

}  // namespace lumvik
