// The mail sent over real sockets to servers of the test's own that behave
// badly: each must end, within the time-outs, as a failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "help/send_mail.h"
#include "help/testing/test_mail.h"
#include "platform/unique_fd.h"

namespace lumvik {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The server's side of the one connection it takes.
class Peer {
 public:
  Peer(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}

  bool stopping() const { return stopping_; }
  bool Send(std::string_view bytes) {
    return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  // The next line without its CR LF; empty once the client hung up or the
  // test ends.
  std::string ReadLine() {
    std::string line;
    char c = 0;
    while (Wait() && ::recv(fd_, &c, 1, 0) == 1) {
      if (c == '\n') return line;
      if (c != '\r') line += c;
    }
    return {};
  }
  // Everything the client sends until it hangs up.
  std::string ReadToEnd() {
    std::string all;
    char buffer[4096];
    for (ssize_t got; Wait() && (got = ::recv(fd_, buffer, sizeof buffer, 0)) > 0;) {
      all.append(buffer, static_cast<std::size_t>(got));
    }
    return all;
  }
  void Idle() {
    while (!stopping_) std::this_thread::sleep_for(5ms);
  }

 private:
  bool Wait() {
    pollfd entry{fd_, POLLIN, 0};
    while (!stopping_) {
      if (::poll(&entry, 1, 10) != 0) return true;
    }
    return false;
  }

  int fd_;
  const std::atomic<bool>& stopping_;
};

// A listening socket on loopback and a thread that plays `behaviour` to the
// first client, then hangs up.
class FakeServer {
 public:
  explicit FakeServer(std::function<void(Peer&)> behaviour)
      : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const auto* any = reinterpret_cast<sockaddr*>(&address);
    EXPECT_EQ(::bind(listener_.get(), any, size), 0);
    EXPECT_EQ(::listen(listener_.get(), 1), 0);
    ::getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, behaviour = std::move(behaviour)] {
      pollfd entry{listener_.get(), POLLIN, 0};
      while (!stopping_ && ::poll(&entry, 1, 10) == 0) {
      }
      if (stopping_) return;
      const UniqueFd client(::accept(listener_.get(), nullptr, nullptr));
      Peer peer(client.get(), stopping_);
      behaviour(peer);
    });
  }
  ~FakeServer() {
    stopping_ = true;
    thread_.join();
  }
  FakeServer(const FakeServer&) = delete;
  FakeServer& operator=(const FakeServer&) = delete;

  std::uint16_t port() const { return port_; }

 private:
  UniqueFd listener_;
  std::uint16_t port_ = 0;
  std::atomic<bool> stopping_ = false;
  std::thread thread_;
};

const MailTimeouts kShort{
    .address = 300ms, .connect = 1s, .reply = 300ms, .exchange = 3s, .verdict = 3s, .slice = 20ms};

struct Ending {
  SendOutcome outcome;
  Clock::duration took;
};

Ending SendTo(std::uint16_t port) {
  const auto start = Clock::now();
  const auto transport = MakeSystemTransport();
  const SendOutcome outcome = SendMail(*transport, "127.0.0.1", port, testing::TestMail(), kShort);
  return {outcome, Clock::now() - start};
}

Ending Against(std::function<void(Peer&)> behaviour) {
  const FakeServer server(std::move(behaviour));
  return SendTo(server.port());
}

// Greets, offers the login and takes it, as a real server would.
void TakesTheLogin(Peer& peer) {
  peer.Send("220 fake\r\n");
  EXPECT_EQ(peer.ReadLine(), "Ehlo pc1");
  peer.Send("250-fake\r\n250 AUTH LOGIN\r\n");
  EXPECT_EQ(peer.ReadLine(), "AUTH LOGIN");
  peer.Send("334 VXNlcjo=\r\n");
  EXPECT_EQ(peer.ReadLine(), "YWNjdA==");
  EXPECT_EQ(peer.ReadLine(), "c2VjcmV0");
}

TEST(MailOverSockets, NoServerListeningIsNoConnection) {
  const std::uint16_t port = FakeServer([](Peer&) {}).port();  // and closed again at once
  EXPECT_EQ(SendTo(port).outcome, SendOutcome::kNoConnection);
}

TEST(MailOverSockets, ASilentServerTimesOut) {
  const Ending ending = Against([](Peer& peer) { peer.Idle(); });
  EXPECT_EQ(ending.outcome, SendOutcome::kTimedOut);
  EXPECT_GE(ending.took, kShort.reply);
  EXPECT_LT(ending.took, kShort.exchange);
}

TEST(MailOverSockets, EndlessGarbageTimesOut) {
  const Ending ending = Against([](Peer& peer) {
    const std::string noise(4096, '\x7F');
    while (!peer.stopping() && peer.Send(noise) && peer.Send("\r\n25x hello\r\n")) {
      std::this_thread::sleep_for(1ms);
    }
  });
  EXPECT_EQ(ending.outcome, SendOutcome::kTimedOut);
  EXPECT_LT(ending.took, kShort.exchange);
}

TEST(MailOverSockets, AnEndlessReplyTimesOut) {
  const Ending ending = Against([](Peer& peer) {
    peer.Send("220 fake\r\n");
    peer.ReadLine();
    while (!peer.stopping() && peer.Send("250-and more\r\n")) std::this_thread::sleep_for(1ms);
  });
  EXPECT_EQ(ending.outcome, SendOutcome::kTimedOut);
  EXPECT_LT(ending.took, kShort.exchange);
}

TEST(MailOverSockets, AServerThatHangsUpEarlyIsClosed) {
  const Ending ending = Against([](Peer& peer) {
    peer.Send("220 fake\r\n");
    peer.ReadLine();
  });
  EXPECT_EQ(ending.outcome, SendOutcome::kServerClosed);
  EXPECT_LT(ending.took, kShort.reply);
}

TEST(MailOverSockets, ARefusedLoginTimesOut) {
  const Ending ending = Against([](Peer& peer) {
    TakesTheLogin(peer);
    peer.Send("334 UGFzczo=\r\n535 5.7.8 no\r\n");
    peer.Idle();
  });
  EXPECT_EQ(ending.outcome, SendOutcome::kTimedOut);
  EXPECT_LT(ending.took, kShort.exchange);
}

TEST(MailOverSockets, ARejectedRecipientEndsAtOnce) {
  const Ending ending = Against([](Peer& peer) {
    TakesTheLogin(peer);
    peer.Send("235 ok\r\n");
    EXPECT_EQ(peer.ReadLine(), "MAIL FROM: <me@a.test>");
    peer.Send("250 ok\r\n");
    EXPECT_EQ(peer.ReadLine(), "RCPT TO: <you@b.test>");
    peer.Send("550 unknown\r\n");
    peer.Idle();
  });
  EXPECT_EQ(ending.outcome, SendOutcome::kRejected);
  EXPECT_LT(ending.took, kShort.reply);
}

// A listener that never accepts, its queue filled by connections of the
// test's own, so that the system answers no further connection.
class FullListener {
 public:
  FullListener() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    address_.sin_family = AF_INET;
    address_.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address_;
    EXPECT_EQ(::bind(listener_.get(), Any(), size), 0);
    EXPECT_EQ(::listen(listener_.get(), 0), 0);
    ::getsockname(listener_.get(), Any(), &size);
    for (int k = 0; k < 16 && !Pending(); ++k) {
    }
  }
  std::uint16_t port() const { return ntohs(address_.sin_port); }
  bool full() const { return full_; }

 private:
  sockaddr* Any() { return reinterpret_cast<sockaddr*>(&address_); }
  // Adds one connection; true when the system left it unanswered.
  bool Pending() {
    UniqueFd& fd = fillers_.emplace_back(::socket(AF_INET, SOCK_STREAM, 0));
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) | O_NONBLOCK);
    if (::connect(fd.get(), Any(), sizeof address_) == 0) return false;
    pollfd entry{fd.get(), POLLOUT, 0};
    full_ = errno == EINPROGRESS && ::poll(&entry, 1, 200) == 0;
    return full_;
  }

  UniqueFd listener_;
  sockaddr_in address_{};
  std::vector<UniqueFd> fillers_;
  bool full_ = false;
};

TEST(MailOverSockets, AnUnansweredConnectionTimesOutAndKeepsTheWindowDrawn) {
  const FullListener listener;
  ASSERT_TRUE(listener.full()) << "the system answered every connection";
  int drawn = 0;
  const auto start = Clock::now();
  const auto transport = MakeSystemTransport();
  const SendOutcome outcome =
      SendMail(*transport, "127.0.0.1", listener.port(), testing::TestMail(), kShort, [&drawn] {
        ++drawn;
        return true;
      });
  EXPECT_EQ(outcome, SendOutcome::kNoConnection);
  EXPECT_GE(Clock::now() - start, kShort.address);
  // One slice is 20 ms of the 300 ms wait: the window is drawn all along.
  EXPECT_GE(drawn, 5);
}

// The system's sockets, with addresses of the test's choice in place of
// those of a server name.
class ListedAddresses final : public SmtpTransport {
 public:
  explicit ListedAddresses(std::vector<ServerAddress> addresses)
      : addresses_(std::move(addresses)) {}
  LookUp Addresses(std::string_view, std::uint16_t) override { return {true, addresses_}; }
  bool Connect(const ServerAddress& address, std::chrono::milliseconds timeout,
               const WaitSlices& slices) override {
    return system_->Connect(address, timeout, slices);
  }
  bool Send(std::string_view bytes, std::chrono::milliseconds timeout) override {
    return system_->Send(bytes, timeout);
  }
  Received Receive(std::chrono::milliseconds timeout) override { return system_->Receive(timeout); }
  void Close() override { system_->Close(); }

 private:
  std::vector<ServerAddress> addresses_;
  std::unique_ptr<SmtpTransport> system_ = MakeSystemTransport();
};

TEST(MailOverSockets, AnAddressThatNeverAnswersLeavesTheNextOneItsTurn) {
  const FullListener listener;
  ASSERT_TRUE(listener.full()) << "the system answered every connection";
  const FakeServer server([](Peer& peer) {
    TakesTheLogin(peer);
    peer.Send("235 ok\r\n");
    for (const char* command : {"MAIL FROM: <me@a.test>", "RCPT TO: <you@b.test>"}) {
      EXPECT_EQ(peer.ReadLine(), command);
      peer.Send("250 ok\r\n");
    }
    EXPECT_EQ(peer.ReadLine(), "DATA");
    peer.Send("354 go on\r\n");
    while (!peer.stopping() && peer.ReadLine() != ".") {
    }
    peer.Send("250 queued\r\n");
    peer.Idle();
  });
  ListedAddresses transport({{"127.0.0.1", listener.port()}, {"127.0.0.1", server.port()}});
  const auto start = Clock::now();
  EXPECT_EQ(SendMail(transport, "mail.test", 25, testing::TestMail(), kShort),
            SendOutcome::kDelivered);
  EXPECT_GE(Clock::now() - start, kShort.address);
}

TEST(MailOverSockets, AServerThatAsksForTheMessageAThousandTimesGetsItOnceAtMost) {
  int messages = 0;
  const Ending ending = Against([&messages](Peer& peer) {
    TakesTheLogin(peer);
    peer.Send("235 ok\r\n");
    peer.ReadLine();
    peer.Send("250 ok\r\n");
    peer.ReadLine();
    peer.Send("250 ok\r\n");
    EXPECT_EQ(peer.ReadLine(), "DATA");
    std::string invitations;
    for (int k = 0; k < 1000; ++k) invitations += "354 go on\r\n";
    peer.Send(invitations);
    const std::string rest = peer.ReadToEnd();
    for (std::size_t at = 0; (at = rest.find("X-Mailer", at)) != std::string::npos; ++at) {
      ++messages;
    }
  });
  EXPECT_EQ(ending.outcome, SendOutcome::kOutOfTurn);
  EXPECT_LE(messages, 1);
}

}  // namespace
}  // namespace lumvik
