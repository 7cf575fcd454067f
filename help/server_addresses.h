// The mail server's addresses through the system's resolver, whose calls are
// the same over POSIX sockets and over Winsock (once it has started).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "help/smtp_transport.h"

struct addrinfo;

namespace lumvik {

// The numeric forms of the addresses that `host` gives for TCP, in the
// resolver's order; none for a name it does not know.
std::vector<ServerAddress> NumericAddresses(std::string_view host, std::uint16_t port);

struct FreeAddressList {
  void operator()(addrinfo* list) const;
};
using AddressList = std::unique_ptr<addrinfo, FreeAddressList>;

// The socket address of one numeric address, ready for connect(); empty
// when it is none.
AddressList SocketAddress(const ServerAddress& address);

}  // namespace lumvik
