#include "report/delivery/quorByteStream.h"

namespace quor {

Milliseconds TimeLeft(Deadline deadline) {
  return std::chrono::duration_cast<Milliseconds>(deadline - std::chrono::steady_clock::now());
}

StreamStatus ReceiveBefore(ByteStream& stream, char* buffer, size_t capacity, size_t& received, Deadline deadline) {
  received = 0;
  const Milliseconds left = TimeLeft(deadline);
  return left.count() > 0 ? stream.Receive(buffer, capacity, received, left) : StreamStatus::TimedOut;
}

}  // namespace quor
