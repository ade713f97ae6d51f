#include "tests/report/delivery/PosixDatagramPort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quor_test {

namespace {

constexpr size_t kLargestDatagram = 65535;

}  // namespace

PosixDatagramPort::PosixDatagramPort(const std::string& address, uint16_t port) {
  socket_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(port);
  // Connected: the kernel hands us only this server's datagrams.
  if (socket_ >= 0 && (inet_pton(AF_INET, address.c_str(), &server.sin_addr) != 1 ||
                       connect(socket_, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0)) {
    close(socket_);
    socket_ = -1;
  }
}

PosixDatagramPort::~PosixDatagramPort() {
  if (socket_ >= 0) close(socket_);
}

bool PosixDatagramPort::Send(std::string_view datagram) {
  return socket_ >= 0 && send(socket_, datagram.data(), datagram.size(), 0) == ssize_t(datagram.size());
}

quor::StreamStatus PosixDatagramPort::Receive(std::string& datagram, quor::Milliseconds timeout) {
  if (socket_ < 0) return quor::StreamStatus::Failed;
  pollfd entry{socket_, POLLIN, 0};
  const int ready = poll(&entry, 1, int(timeout.count()));
  if (ready == 0) return quor::StreamStatus::TimedOut;
  datagram.resize(kLargestDatagram);
  const ssize_t got = ready < 0 ? -1 : recv(socket_, datagram.data(), datagram.size(), 0);
  if (got < 0) return quor::StreamStatus::Failed;
  datagram.resize(size_t(got));
  return quor::StreamStatus::Ok;
}

}  // namespace quor_test
