// A server the network tests start for themselves (a Python script, dnsmasq)
// and stop when the test ends, whatever way it ends.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace quor_test {

class PeerProcess {
public:
  // Starts `argv[0]` (searched on PATH) with its standard output to a pipe.
  explicit PeerProcess(const std::vector<std::string>& argv);
  // Stops the peer: SIGTERM, then SIGKILL if it has not ended within 3 s.
  ~PeerProcess();
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  // The first line the peer writes (the scripts write the port they listen
  // on), without its line end; "" when none came within `timeout`.
  std::string FirstLine(std::chrono::milliseconds timeout);

private:
  int pid_ = -1;
  int output_ = -1;
};

// The path of a file beside the tests' sources (the Python peers).
std::string PeerScript(const std::string& name);

// Runs a command through the shell and returns its standard output and
// standard error; `exitCode` gets its exit status.
std::string CommandOutput(const std::string& command, int& exitCode);

// A UDP port on `address` that was free a moment ago.
uint16_t FreeUdpPort(const std::string& address);

}  // namespace quor_test
