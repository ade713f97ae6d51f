// The delivery code's DatagramPort over a POSIX UDP socket connected to one
// DNS server, for the native MX lookup tests.
#pragma once

#include <cstdint>
#include <string>

#include "report/delivery/quorDatagramPort.h"

namespace quor_test {

class PosixDatagramPort : public quor::DatagramPort {
public:
  PosixDatagramPort(const std::string& address, uint16_t port);
  ~PosixDatagramPort() override;
  bool Send(std::string_view datagram) override;
  quor::StreamStatus Receive(std::string& datagram, quor::Milliseconds timeout) override;

private:
  int socket_ = -1;
};

}  // namespace quor_test
