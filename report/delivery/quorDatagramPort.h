// The UDP exchange with one DNS server that the MX lookup runs over; the
// product implements it over Winsock, the native tests over POSIX sockets.
#pragma once

#include <string>
#include <string_view>

#include "report/delivery/quorByteStream.h"

namespace quor {

class DatagramPort {
public:
  virtual ~DatagramPort() = default;
  [[nodiscard]] virtual bool Send(std::string_view datagram) = 0;
  // Waits for the next datagram from the server.
  [[nodiscard]] virtual StreamStatus Receive(std::string& datagram, Milliseconds timeout) = 0;
};

}  // namespace quor
