// The mail over Winsock to servers of the test's own on loopback.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "help/send_mail.h"
#include "help/testing/test_mail.h"

namespace lumvik {
namespace {

using namespace std::chrono_literals;

class Network : public ::testing::Test {
 protected:
  Network() {
    WSADATA data{};
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~Network() override { ::WSACleanup(); }
};

// A listening socket on loopback whose thread plays `behaviour` to the first
// client; `behaviour` reads lines and answers through the socket it is given.
class LoopbackServer {
 public:
  explicit LoopbackServer(std::function<void(SOCKET)> behaviour)
      : listener_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(listener_, 1);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, behaviour = std::move(behaviour)] {
      const SOCKET client = ::accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;
      behaviour(client);
      ::closesocket(client);
    });
  }
  ~LoopbackServer() {
    ::closesocket(listener_);  // ends an accept that nobody answered
    thread_.join();
  }
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::uint16_t port() const { return port_; }

 private:
  SOCKET listener_;
  std::uint16_t port_ = 0;
  std::thread thread_;
};

std::string ReadLine(SOCKET socket) {
  std::string line;
  char c = 0;
  while (::recv(socket, &c, 1, 0) == 1) {
    if (c == '\n') return line;
    if (c != '\r') line += c;
  }
  return line;
}

void Reply(SOCKET socket, const std::string& line) {
  const std::string bytes = line + "\r\n";
  ::send(socket, bytes.data(), static_cast<int>(bytes.size()), 0);
}

constexpr MailTimeouts kShort{
    .address = 500ms, .connect = 1s, .reply = 500ms, .exchange = 3s, .verdict = 3s, .slice = 20ms};

TEST_F(Network, AServerThatTakesTheMailGetsItWhole) {
  std::vector<std::string> heard;
  {
    LoopbackServer server([&](SOCKET client) {
      Reply(client, "220 loopback ready");
      for (;;) {
        std::string line = ReadLine(client);
        heard.push_back(line);
        if (line.starts_with("HELO") || line.starts_with("MAIL") || line.starts_with("RCPT")) {
          Reply(client, "250 fine");
        } else if (line == "DATA") {
          Reply(client, "354 go on");
          while ((line = ReadLine(client)) != ".") heard.push_back(line);
          Reply(client, "250 queued");
        } else {
          Reply(client, "221 bye");
          return;
        }
      }
    });
    int calls = 0;
    const std::unique_ptr<SmtpTransport> transport = MakeSystemTransport();
    EXPECT_EQ(SendMail(*transport, "127.0.0.1", server.port(), testing::TestMail(""), kShort,
                       [&] {
                         ++calls;
                         return true;
                       }),
              SendOutcome::kDelivered);
    EXPECT_GT(calls, 0) << "the form is redrawn between waits";
  }
  ASSERT_GE(heard.size(), 4u);
  EXPECT_EQ(heard[0], "HELO pc1");
  EXPECT_EQ(heard[1], "MAIL FROM: <me@a.test>");
  EXPECT_EQ(heard[2], "RCPT TO: <you@b.test>");
  EXPECT_EQ(heard.back(), "QUIT");
  EXPECT_NE(std::find(heard.begin(), heard.end(), "<b>hi</b>="), heard.end());
}

TEST_F(Network, ASilentServerOrNoServerIsAFailure) {
  std::atomic<bool> done = false;
  {
    LoopbackServer silent([&](SOCKET) {
      while (!done) std::this_thread::sleep_for(10ms);
    });
    const std::unique_ptr<SmtpTransport> transport = MakeSystemTransport();
    EXPECT_EQ(SendMail(*transport, "127.0.0.1", silent.port(), testing::TestMail(), kShort),
              SendOutcome::kTimedOut);
    done = true;
  }
  std::uint16_t closed_port = 0;
  {
    closed_port = LoopbackServer([](SOCKET) {}).port();
  }
  const std::unique_ptr<SmtpTransport> transport = MakeSystemTransport();
  EXPECT_EQ(SendMail(*transport, "127.0.0.1", closed_port, testing::TestMail(), kShort),
            SendOutcome::kNoConnection);
}

}  // namespace
}  // namespace lumvik
