#include "tests/report/delivery/PosixByteStream.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace quor_test {

namespace {

using quor::Milliseconds;
using quor::StreamStatus;

// Waits until the socket is ready for `events`, within the time left.
StreamStatus WaitFor(int socket, short events, Milliseconds timeout) {
  pollfd entry{socket, events, 0};
  const int ready = poll(&entry, 1, int(timeout.count()));
  if (ready == 0) return StreamStatus::TimedOut;
  return ready < 0 ? StreamStatus::Failed : StreamStatus::Ok;
}

}  // namespace

StreamStatus PosixByteStream::Connect(std::string_view host, uint16_t port, Milliseconds timeout) {
  Close();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(std::string(host).c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
    return StreamStatus::Failed;
  socket_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  const int started = socket_ < 0 ? -1 : connect(socket_, found->ai_addr, found->ai_addrlen);
  freeaddrinfo(found);
  if (socket_ < 0 || (started < 0 && errno != EINPROGRESS)) return Close(), StreamStatus::Failed;
  if (const StreamStatus ready = WaitFor(socket_, POLLOUT, timeout); ready != StreamStatus::Ok)
    return Close(), ready;
  int error = 0;
  socklen_t size = sizeof error;
  if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) return Close(), StreamStatus::Failed;
  return StreamStatus::Ok;
}

StreamStatus PosixByteStream::Send(std::string_view bytes, Milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!bytes.empty()) {
    const auto left = std::chrono::duration_cast<Milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return StreamStatus::TimedOut;
    if (const StreamStatus ready = WaitFor(socket_, POLLOUT, left); ready != StreamStatus::Ok) return ready;
    const ssize_t sent = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno != EAGAIN && errno != EINTR) return StreamStatus::Failed;
    if (sent > 0) bytes.remove_prefix(size_t(sent));
  }
  return StreamStatus::Ok;
}

StreamStatus PosixByteStream::Receive(char* buffer, size_t capacity, size_t& received, Milliseconds timeout) {
  received = 0;
  if (const StreamStatus ready = WaitFor(socket_, POLLIN, timeout); ready != StreamStatus::Ok) return ready;
  const ssize_t got = recv(socket_, buffer, capacity, 0);
  if (got == 0) return StreamStatus::Closed;
  if (got < 0) return StreamStatus::Failed;
  received = size_t(got);
  return StreamStatus::Ok;
}

void PosixByteStream::Close() {
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
}

uint32_t PosixByteStream::LocalAddress() const {
  sockaddr_in local{};
  socklen_t size = sizeof local;
  if (socket_ < 0 || getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
  return ntohl(local.sin_addr.s_addr);
}

}  // namespace quor_test
