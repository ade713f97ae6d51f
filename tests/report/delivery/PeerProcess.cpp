#include "tests/report/delivery/PeerProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace quor_test {

namespace {

constexpr auto kStopGrace = std::chrono::seconds(3);
constexpr auto kStopPoll = std::chrono::milliseconds(20);

}  // namespace

PeerProcess::PeerProcess(const std::vector<std::string>& argv) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return;
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ == 0) {
    // The peer ends with the test program even if that one is killed.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1);
    dup2(pipeEnds[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  output_ = pipeEnds[0];
}

PeerProcess::~PeerProcess() {
  if (output_ >= 0) close(output_);
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
  while (waitpid(pid_, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(kStopPoll);
  }
}

std::string PeerProcess::FirstLine(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::string line;
  char c = 0;
  while (output_ >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd entry{output_, POLLIN, 0};
    if (left.count() <= 0 || poll(&entry, 1, int(left.count())) <= 0 || read(output_, &c, 1) != 1) return {};
    if (c == '\n') return line;
    line += c;
  }
  return {};
}

std::string PeerScript(const std::string& name) { return std::string(QUOR_DELIVERY_PEERS) + "/" + name; }

std::string CommandOutput(const std::string& command, int& exitCode) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) {
    exitCode = -1;
    return output;
  }
  char buffer[4096];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  const int status = pclose(pipe);
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return output;
}

uint16_t FreeUdpPort(const std::string& address) {
  const int probe = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  inet_pton(AF_INET, address.c_str(), &local.sin_addr);
  socklen_t size = sizeof local;
  uint16_t port = 0;
  if (probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
      getsockname(probe, reinterpret_cast<sockaddr*>(&local), &size) == 0)
    port = ntohs(local.sin_port);
  if (probe >= 0) close(probe);
  return port;
}

}  // namespace quor_test
