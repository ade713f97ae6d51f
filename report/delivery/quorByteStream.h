// The connection the SMTP dialogue and the HTTP upload talk through: a TCP
// byte stream with a time limit on every call. The product implements it
// over Winsock, the native tests over POSIX sockets, so that the protocol
// code is the same in both.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quor {

using Milliseconds = std::chrono::milliseconds;
using Deadline = std::chrono::steady_clock::time_point;

// The time from now to `deadline`; zero or less once it has passed.
[[nodiscard]] Milliseconds TimeLeft(Deadline deadline);

enum class StreamStatus {
  Ok,
  TimedOut,
  Closed,  // the peer ended the connection (a receive got no bytes)
  Failed,  // refused, reset, unknown host or any other error
};

class ByteStream {
public:
  virtual ~ByteStream() = default;
  // `host` is a dotted IPv4 address or a host name.
  [[nodiscard]] virtual StreamStatus Connect(std::string_view host, uint16_t port, Milliseconds timeout) = 0;
  // Sends all of `bytes` or fails.
  [[nodiscard]] virtual StreamStatus Send(std::string_view bytes, Milliseconds timeout) = 0;
  // Receives between 1 and `capacity` bytes into `buffer`.
  [[nodiscard]] virtual StreamStatus Receive(char* buffer, size_t capacity, size_t& received, Milliseconds timeout) = 0;
  virtual void Close() = 0;
  // The local IPv4 address of the connected socket, most significant byte
  // first (127.0.0.1 is 0x7F000001); 0 when unknown.
  [[nodiscard]] virtual uint32_t LocalAddress() const = 0;
};

// Receive with the time left until `deadline` (a whole reply must arrive
// by then, however it trickles in); TimedOut once it has passed.
[[nodiscard]] StreamStatus ReceiveBefore(ByteStream& stream, char* buffer, size_t capacity, size_t& received,
                                         Deadline deadline);

}  // namespace quor
