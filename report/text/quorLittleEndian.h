// Little-endian words in byte buffers, as the reporter's file formats store them.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

inline uint16_t LoadLe16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

inline uint32_t LoadLe32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void StoreLe32(unsigned char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline void AppendLe16(std::string& out, uint16_t v) {
  out += char(v & 0xFF);
  out += char(v >> 8);
}

inline void AppendLe32(std::string& out, uint32_t v) {
  AppendLe16(out, uint16_t(v & 0xFFFF));
  AppendLe16(out, uint16_t(v >> 16));
}

}  // namespace quor
