#include "report/delivery/quorWinsock.h"

#include <iphlpapi.h>
#include <wininet.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>

#include "base/WinLibrary.h"
#include "report/delivery/quorDnsMessage.h"
#include "report/delivery/quorIcmpEcho.h"

namespace quor {

namespace {

// Waits until the socket can be written (write) or read (!write), within
// `timeout`; a failed connect shows as an exception condition.
StreamStatus WaitFor(SOCKET s, bool write, Milliseconds timeout) {
  fd_set ready, failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(s, &ready);
  FD_SET(s, &failed);
  const long ms = static_cast<long>(std::max<Milliseconds::rep>(timeout.count(), 0));
  timeval limit{ms / 1000, (ms % 1000) * 1000};
  const int n = select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &limit);
  if (n == 0) return StreamStatus::TimedOut;
  if (n == SOCKET_ERROR || FD_ISSET(s, &failed)) return StreamStatus::Failed;
  return StreamStatus::Ok;
}

// The IPv4 address of `host` (dotted or a name the system resolves) with
// `port`; nothing when it does not resolve.
std::optional<sockaddr_in> ResolveIpv4(std::string_view host, uint16_t port) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo(std::string(host).c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
    return std::nullopt;
  const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owned(found, &freeaddrinfo);
  return *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
}

const sockaddr* AsSockaddr(const sockaddr_in& a) { return reinterpret_cast<const sockaddr*>(&a); }

// The most one send or receive call hands the system at a time.
constexpr size_t kMaxPiece = size_t(1) << 20;

bool SetNonBlocking(SOCKET s) {
  u_long on = 1;
  return ioctlsocket(s, FIONBIO, &on) == 0;
}

}  // namespace

WinsockSession::WinsockSession() {
  WSADATA data;
  ready_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession() {
  if (ready_) WSACleanup();
}

StreamStatus WinsockStream::Connect(std::string_view host, uint16_t port, Milliseconds timeout) {
  Close();
  if (!session_.Ready()) return StreamStatus::Failed;
  const std::optional<sockaddr_in> address = ResolveIpv4(host, port);
  if (!address) return StreamStatus::Failed;
  socket_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!socket_ || !SetNonBlocking(socket_.get())) return Close(), StreamStatus::Failed;
  if (connect(socket_.get(), AsSockaddr(*address), sizeof *address) == SOCKET_ERROR &&
      WSAGetLastError() != WSAEWOULDBLOCK)
    return Close(), StreamStatus::Failed;
  const StreamStatus ready = WaitFor(socket_.get(), true, timeout);
  if (ready != StreamStatus::Ok) return Close(), ready;
  int error = 0;
  int size = sizeof error;
  if (getsockopt(socket_.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0)
    return Close(), StreamStatus::Failed;
  return StreamStatus::Ok;
}

StreamStatus WinsockStream::Send(std::string_view bytes, Milliseconds timeout) {
  const Deadline deadline = std::chrono::steady_clock::now() + timeout;
  while (!bytes.empty()) {
    const Milliseconds left = TimeLeft(deadline);
    if (left.count() <= 0) return StreamStatus::TimedOut;
    if (const StreamStatus ready = WaitFor(socket_.get(), true, left); ready != StreamStatus::Ok) return ready;
    const int piece = static_cast<int>(std::min(bytes.size(), kMaxPiece));
    const int sent = send(socket_.get(), bytes.data(), piece, 0);
    if (sent == SOCKET_ERROR) {
      if (WSAGetLastError() != WSAEWOULDBLOCK) return StreamStatus::Failed;
      continue;
    }
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return StreamStatus::Ok;
}

StreamStatus WinsockStream::Receive(char* buffer, size_t capacity, size_t& received, Milliseconds timeout) {
  received = 0;
  if (!socket_) return StreamStatus::Failed;
  if (const StreamStatus ready = WaitFor(socket_.get(), false, timeout); ready != StreamStatus::Ok) return ready;
  const int got = recv(socket_.get(), buffer, static_cast<int>(std::min(capacity, kMaxPiece)), 0);
  if (got == 0) return StreamStatus::Closed;
  if (got == SOCKET_ERROR) return StreamStatus::Failed;
  received = static_cast<size_t>(got);
  return StreamStatus::Ok;
}

uint32_t WinsockStream::LocalAddress() const {
  sockaddr_in local{};
  int size = sizeof local;
  if (!socket_ || getsockname(socket_.get(), reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
  return ntohl(local.sin_addr.s_addr);
}

WinsockDatagramPort::WinsockDatagramPort(std::string_view server, uint16_t port) {
  if (!session_.Ready()) return;
  const std::optional<sockaddr_in> address = ResolveIpv4(server, port);
  if (!address) return;
  socket_.reset(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
  // Connected: the system hands us only the server's datagrams.
  if (socket_ && connect(socket_.get(), AsSockaddr(*address), sizeof *address) != 0) socket_.reset();
}

bool WinsockDatagramPort::Send(std::string_view datagram) {
  return Open() && send(socket_.get(), datagram.data(), static_cast<int>(datagram.size()), 0) ==
                       static_cast<int>(datagram.size());
}

StreamStatus WinsockDatagramPort::Receive(std::string& datagram, Milliseconds timeout) {
  datagram.clear();
  if (!Open()) return StreamStatus::Failed;
  if (const StreamStatus ready = WaitFor(socket_.get(), false, timeout); ready != StreamStatus::Ok) return ready;
  // The largest datagram UDP carries; DNS answers over UDP are far smaller.
  constexpr int kMaxDatagram = 65535;
  datagram.resize(kMaxDatagram);
  const int got = recv(socket_.get(), datagram.data(), kMaxDatagram, 0);
  if (got == SOCKET_ERROR) {
    datagram.clear();
    // Windows: an ICMP "port unreachable" from the server shows as a reset.
    return StreamStatus::Failed;
  }
  datagram.resize(static_cast<size_t>(got));
  return StreamStatus::Ok;
}

std::vector<std::string> SystemDnsServers() {
  std::vector<std::string> servers;
  ULONG size = 0;
  if (GetNetworkParams(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return servers;
  std::vector<unsigned char> buffer(size);
  auto* info = reinterpret_cast<FIXED_INFO*>(buffer.data());
  if (GetNetworkParams(info, &size) != NO_ERROR) return servers;
  for (const IP_ADDR_STRING* a = &info->DnsServerList; a; a = a->Next) {
    const std::string address(a->IpAddress.String, strnlen(a->IpAddress.String, sizeof a->IpAddress.String));
    in_addr parsed;
    if (!address.empty() && inet_pton(AF_INET, address.c_str(), &parsed) == 1) servers.push_back(address);
  }
  return servers;
}


SystemProxy SystemProxySetting() {
  // Loaded for the call: the upload runs rarely, and only here is the
  // library needed.
  const base::Library wininet(LoadLibraryW(L"wininet.dll"));
  if (!wininet) return {};
  using QueryOption = BOOL(WINAPI*)(HINTERNET, DWORD, void*, DWORD*);
  const auto query = reinterpret_cast<QueryOption>(
      reinterpret_cast<void*>(GetProcAddress(wininet.get(), "InternetQueryOptionA")));
  if (!query) return {};
  DWORD size = 0;
  query(nullptr, INTERNET_OPTION_PROXY, nullptr, &size);
  if (size < sizeof(INTERNET_PROXY_INFO)) return {};
  // The answer holds the structure and the two texts it points into.
  std::vector<unsigned char> buffer(size);
  auto* info = reinterpret_cast<INTERNET_PROXY_INFO*>(buffer.data());
  if (!query(nullptr, INTERNET_OPTION_PROXY, info, &size) || info->dwAccessType != INTERNET_OPEN_TYPE_PROXY) return {};
  const auto text = [](LPCTSTR s) { return s ? std::string(reinterpret_cast<const char*>(s)) : std::string(); };
  return {text(info->lpszProxy), text(info->lpszProxyBypass)};
}


EchoResult Echo(std::string_view host, Milliseconds timeout) {
  WinsockSession session;
  if (!session.Ready()) return EchoResult::CannotTry;
  const std::optional<sockaddr_in> address = ResolveIpv4(host, 0);
  if (!address) return EchoResult::NoAnswer;
  // Windows: raw sockets are for administrators only.
  const base::Socket s(socket(AF_INET, SOCK_RAW, IPPROTO_ICMP));
  if (!s) return EchoResult::CannotTry;
  // Time to live 30: IP_TTL of Winsock 2 (7 here; 4 in the old Winsock 1
  // numbering, tried when 7 is refused).
  constexpr int kTtl = 30, kIpTtl = 7, kIpTtlWinsock1 = 4;
  if (setsockopt(s.get(), IPPROTO_IP, kIpTtl, reinterpret_cast<const char*>(&kTtl), sizeof kTtl) != 0)
    setsockopt(s.get(), IPPROTO_IP, kIpTtlWinsock1, reinterpret_cast<const char*>(&kTtl), sizeof kTtl);
  static std::atomic<uint16_t> sequence{0};
  const uint16_t seq = sequence++;
  const auto id = static_cast<uint16_t>(GetCurrentProcessId());
  const auto packet = BuildEchoRequest(id, seq);
  if (sendto(s.get(), reinterpret_cast<const char*>(packet.data()), static_cast<int>(packet.size()), 0,
             AsSockaddr(*address), sizeof *address) == SOCKET_ERROR)
    return WSAGetLastError() == WSAEACCES ? EchoResult::CannotTry : EchoResult::NoAnswer;
  // Replies to other programs' pings arrive too: keep reading until ours
  // or the time is up.
  const Deadline deadline = std::chrono::steady_clock::now() + timeout;
  unsigned char buffer[1500];
  for (;;) {
    const Milliseconds left = TimeLeft(deadline);
    if (left.count() <= 0 || WaitFor(s.get(), false, left) != StreamStatus::Ok) return EchoResult::NoAnswer;
    const int got = recv(s.get(), reinterpret_cast<char*>(buffer), sizeof buffer, 0);
    if (got == SOCKET_ERROR) return EchoResult::NoAnswer;
    if (IsEchoReply({buffer, static_cast<size_t>(got)}, id, seq)) return EchoResult::Answered;
  }
}


MailServerLookup SystemMailServerLookup() {
  MailServerLookup lookup;
  lookup.dnsServers = SystemDnsServers();
  // Two of the root name servers, by name: the system resolves them when
  // it can, and their names outlive renumbering.
  lookup.rootServers = {"a.root-servers.net", "b.root-servers.net"};
  lookup.open = [](const std::string& server) -> std::unique_ptr<DatagramPort> {
    auto port = std::make_unique<WinsockDatagramPort>(server, kDnsPort);
    if (!port->Open()) return nullptr;
    return port;
  };
  return lookup;
}

}  // namespace quor
