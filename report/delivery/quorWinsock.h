// The Winsock side of delivery: TCP streams for the SMTP dialogue and the
// HTTP upload, UDP ports for the MX queries, the DNS servers the system is
// configured with. The protocol code runs over the interfaces these
// implement, the same code the native tests run over POSIX sockets.
#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

#include "base/WinSocket.h"
#include "report/delivery/quorByteStream.h"
#include "report/delivery/quorDatagramPort.h"
#include "report/delivery/quorMailServerLookup.h"

namespace quor {

// Winsock started for as long as the object lives (WSAStartup counts, so
// each user may hold one). Ready() is false when Winsock is missing.
class WinsockSession {
public:
  WinsockSession();
  ~WinsockSession();
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool Ready() const { return ready_; }

private:
  bool ready_ = false;
};

class WinsockStream : public ByteStream {
public:
  StreamStatus Connect(std::string_view host, uint16_t port, Milliseconds timeout) override;
  StreamStatus Send(std::string_view bytes, Milliseconds timeout) override;
  StreamStatus Receive(char* buffer, size_t capacity, size_t& received, Milliseconds timeout) override;
  void Close() override { socket_.reset(); }
  uint32_t LocalAddress() const override;

private:
  WinsockSession session_;
  base::Socket socket_;
};

// UDP to one server (a dotted IPv4 address or a host name the system
// resolves); only its datagrams are read.
class WinsockDatagramPort : public DatagramPort {
public:
  WinsockDatagramPort(std::string_view server, uint16_t port);
  bool Open() const { return socket_.get() != INVALID_SOCKET; }
  bool Send(std::string_view datagram) override;
  StreamStatus Receive(std::string& datagram, Milliseconds timeout) override;

private:
  WinsockSession session_;
  base::Socket socket_;
};

// The IPv4 DNS servers of the system's network settings, in their order.
std::vector<std::string> SystemDnsServers();

// The MX lookup over Winsock: the system's DNS servers, or the walk from
// the root name servers when it names none.
MailServerLookup SystemMailServerLookup();

// Whether `host` answers an ICMP echo within `timeout` per reply (raw
// socket, time to live 30), or the echo cannot be tried here (no Winsock,
// no raw socket). The sequence number counts up for the process.
enum class EchoResult { Answered, NoAnswer, CannotTry };
EchoResult Echo(std::string_view host, Milliseconds timeout);

// The system's proxy setting for web access (the proxy servers and the
// hosts reached directly), as the upload takes it; both empty for direct
// access or when the system cannot say.
struct SystemProxy {
  std::string servers, bypass;
};
SystemProxy SystemProxySetting();

}  // namespace quor
