// Big-endian ("network order") words in byte buffers, as PNG chunks and the
// DNS and ICMP packets store them.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

inline uint16_t LoadBe16(const unsigned char* p) { return uint16_t(p[0] << 8 | p[1]); }

inline void StoreBe16(unsigned char* p, uint16_t v) {
  p[0] = static_cast<unsigned char>(v >> 8);
  p[1] = static_cast<unsigned char>(v);
}

inline void StoreBe32(unsigned char* p, uint32_t v) {
  StoreBe16(p, uint16_t(v >> 16));
  StoreBe16(p + 2, uint16_t(v & 0xFFFF));
}

inline void AppendBe16(std::string& out, uint16_t v) {
  out += char(v >> 8);
  out += char(v & 0xFF);
}

inline void AppendBe32(std::string& out, uint32_t v) {
  AppendBe16(out, uint16_t(v >> 16));
  AppendBe16(out, uint16_t(v & 0xFFFF));
}

}  // namespace quor
