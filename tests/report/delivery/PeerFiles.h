// What the loopback servers of with_peers.py tell a Windows test program:
// their ports and files come in its environment, and the files they write
// are read through Wine's drive for the Unix root.
#pragma once

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace quor_test {

inline std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

inline std::string ReadUnixFile(const std::string& path) {
  std::ifstream in("Z:" + path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A file the servers write whole at once, waited for up to five seconds.
inline std::string WaitForUnixFile(const std::string& path) {
  std::string text;
  for (int i = 0; i < 250 && text.empty(); ++i) {
    text = ReadUnixFile(path);
    if (text.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return text;
}

}  // namespace quor_test
