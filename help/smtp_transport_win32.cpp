// winsock2.h comes before anything that brings windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <string>

#include "help/server_addresses.h"
#include "help/smtp_transport.h"
#include "platform/unique_handle.h"

namespace lumvik {

namespace {

using Clock = std::chrono::steady_clock;

struct SocketTraits {
  static SOCKET Empty() { return INVALID_SOCKET; }
  static void Close(SOCKET socket) { ::closesocket(socket); }
};
using UniqueSocket = Unique<SOCKET, SocketTraits>;

// The network layer, started for as long as a transport lives.
class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data{};
    started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~WinsockSession() {
    if (started_) ::WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool started() const { return started_; }

 private:
  bool started_ = false;
};

// select() on one socket until `deadline`: > 0 when it is ready, 0 at the
// deadline, < 0 on an error. Writing also watches for a failed connection.
int WaitUntil(SOCKET socket, bool for_writing, Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::microseconds>(deadline - Clock::now());
  const long long micros = left.count() > 0 ? left.count() : 0;
  timeval wait{static_cast<long>(micros / 1'000'000), static_cast<long>(micros % 1'000'000)};
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(socket, &ready);
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(socket, &failed);
  const int count = ::select(0, for_writing ? nullptr : &ready, for_writing ? &ready : nullptr,
                             for_writing ? &failed : nullptr, &wait);
  if (count <= 0) return count;
  return FD_ISSET(socket, &ready) ? 1 : -1;
}

// A non-blocking connect, so that a host that never answers costs only the
// time-out.
UniqueSocket ConnectWithin(const addrinfo& address, Clock::time_point deadline,
                           const WaitSlices& slices) {
  UniqueSocket socket(::socket(address.ai_family, address.ai_socktype, address.ai_protocol));
  u_long non_blocking = 1;
  if (!socket || ::ioctlsocket(socket.get(), FIONBIO, &non_blocking) != 0) return {};
  if (::connect(socket.get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
    return socket;
  }
  if (::WSAGetLastError() != WSAEWOULDBLOCK ||
      WaitInSlices<Clock>(deadline, slices, [&socket](Clock::time_point step) {
        return WaitUntil(socket.get(), true, step);
      }) <= 0) {
    return {};
  }
  return socket;
}

class WinsockTransport final : public SmtpTransport {
 public:
  LookUp Addresses(std::string_view host, std::uint16_t port) override {
    if (!session_.started()) return {false, {}};
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
      const int sent = ::send(socket_.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
      if (sent > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(sent));
      } else if (sent == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK) {
        if (WaitUntil(socket_.get(), true, deadline) <= 0) return false;
      } else {
        return false;
      }
    }
    return true;
  }

  Received Receive(std::chrono::milliseconds timeout) override {
    const int ready = WaitUntil(socket_.get(), false, Clock::now() + timeout);
    if (ready == 0) return {ReceiveStatus::kTimedOut, {}};
    if (ready < 0) return {ReceiveStatus::kError, {}};
    char buffer[4096];
    const int got = ::recv(socket_.get(), buffer, sizeof buffer, 0);
    if (got > 0) return {ReceiveStatus::kData, std::string(buffer, static_cast<std::size_t>(got))};
    if (got == 0) return {ReceiveStatus::kClosed, {}};
    return {
        ::WSAGetLastError() == WSAEWOULDBLOCK ? ReceiveStatus::kTimedOut : ReceiveStatus::kError,
        {}};
  }

  void Close() override { socket_.reset(); }

 private:
  WinsockSession session_;
  UniqueSocket socket_;  // closed before the session ends
};

}  // namespace

std::unique_ptr<SmtpTransport> MakeSystemTransport() {
  return std::make_unique<WinsockTransport>();
}

}  // namespace lumvik
