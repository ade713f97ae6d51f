// The delivery code's ByteStream over a POSIX TCP socket, for the native
// tests that talk to real servers on the loopback.
#pragma once

#include "report/delivery/quorByteStream.h"

namespace quor_test {

class PosixByteStream : public quor::ByteStream {
public:
  ~PosixByteStream() override { Close(); }
  quor::StreamStatus Connect(std::string_view host, uint16_t port, quor::Milliseconds timeout) override;
  quor::StreamStatus Send(std::string_view bytes, quor::Milliseconds timeout) override;
  quor::StreamStatus Receive(char* buffer, size_t capacity, size_t& received, quor::Milliseconds timeout) override;
  void Close() override;
  uint32_t LocalAddress() const override;

private:
  int socket_ = -1;
};

}  // namespace quor_test
