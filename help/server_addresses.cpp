#include "help/server_addresses.h"

#ifdef _WIN32
// winsock2.h comes before anything that brings windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

#include <string>

namespace lumvik {

namespace {

AddressList Resolve(const std::string& host, std::uint16_t port, int flags) {
  addrinfo hints{};
  hints.ai_flags = flags;
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
    return AddressList();
  }
  return AddressList(found);
}

}  // namespace

void FreeAddressList::operator()(addrinfo* list) const { ::freeaddrinfo(list); }

std::vector<ServerAddress> NumericAddresses(std::string_view host, std::uint16_t port) {
  std::vector<ServerAddress> addresses;
  const AddressList list = Resolve(std::string(host), port, 0);
  for (const addrinfo* address = list.get(); address != nullptr; address = address->ai_next) {
    char numeric[NI_MAXHOST] = {};
    if (::getnameinfo(address->ai_addr, static_cast<socklen_t>(address->ai_addrlen), numeric,
                      sizeof numeric, nullptr, 0, NI_NUMERICHOST) == 0) {
      addresses.push_back({numeric, port});
    }
  }
  return addresses;
}

AddressList SocketAddress(const ServerAddress& address) {
  return Resolve(address.host, address.port, AI_NUMERICHOST);
}

}  // namespace lumvik
