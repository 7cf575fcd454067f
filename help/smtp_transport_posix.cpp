#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <memory>
#include <string>

#include "help/server_addresses.h"
#include "help/smtp_transport.h"
#include "platform/unique_fd.h"

namespace lumvik {

namespace {

using Clock = std::chrono::steady_clock;

// poll() on one socket until `deadline`, resumed after signals: > 0 when
// `events` came, 0 at the deadline, < 0 on an error.
int PollUntil(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (ready >= 0 || errno != EINTR) return ready;
  }
}

// A non-blocking connect, so that a host that never answers costs only the
// time-out.
UniqueFd ConnectWithin(const addrinfo& address, Clock::time_point deadline,
                       const WaitSlices& slices) {
  UniqueFd fd(::socket(address.ai_family, address.ai_socktype, address.ai_protocol));
  if (!fd || ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) | O_NONBLOCK) != 0)
    return UniqueFd();
  if (::connect(fd.get(), address.ai_addr, address.ai_addrlen) == 0) return fd;
  if (errno != EINPROGRESS || WaitInSlices<Clock>(deadline, slices, [&fd](Clock::time_point step) {
                                return PollUntil(fd.get(), POLLOUT, step);
                              }) <= 0)
    return UniqueFd();
  int error = 0;
  socklen_t size = sizeof error;
  if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
    return UniqueFd();
  return fd;
}

class PosixTransport final : public SmtpTransport {
 public:
  LookUp Addresses(std::string_view host, std::uint16_t port) override {
    return {true, NumericAddresses(host, port)};
  }

  bool Connect(const ServerAddress& address, std::chrono::milliseconds timeout,
               const WaitSlices& slices) override {
    Close();
    const auto deadline = Clock::now() + timeout;
    const AddressList found = SocketAddress(address);
    if (found) socket_ = ConnectWithin(*found, deadline, slices);
    return static_cast<bool>(socket_);
  }

  bool Send(std::string_view bytes, std::chrono::milliseconds timeout) override {
    const auto deadline = Clock::now() + timeout;
    while (!bytes.empty()) {
      // No SIGPIPE when the server has already gone: that is an answer too.
      const ssize_t sent = ::send(socket_.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(sent));
      } else if (sent < 0 && errno == EINTR) {
        continue;
      } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (PollUntil(socket_.get(), POLLOUT, deadline) <= 0) return false;
      } else {
        return false;
      }
    }
    return true;
  }

  Received Receive(std::chrono::milliseconds timeout) override {
    const int ready = PollUntil(socket_.get(), POLLIN, Clock::now() + timeout);
    if (ready == 0) return {ReceiveStatus::kTimedOut, {}};
    if (ready < 0) return {ReceiveStatus::kError, {}};
    char buffer[4096];
    const ssize_t got = ::recv(socket_.get(), buffer, sizeof buffer, 0);
    if (got > 0) return {ReceiveStatus::kData, std::string(buffer, static_cast<std::size_t>(got))};
    if (got == 0) return {ReceiveStatus::kClosed, {}};
    const bool again = errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    return {again ? ReceiveStatus::kTimedOut : ReceiveStatus::kError, {}};
  }

  void Close() override { socket_.reset(); }

 private:
  UniqueFd socket_;
};

}  // namespace

std::unique_ptr<SmtpTransport> MakeSystemTransport() { return std::make_unique<PosixTransport>(); }

}  // namespace lumvik
