// A read-only memory stream over a byte block, with the packed forms of the
// compact symbol data, and the matching append routines for writers.
//   packed integer: one signed byte; the byte -128 means that a 32-bit
//                   little-endian integer follows instead.
//   packed string:  a length byte, then that many characters.
// Every read checks the remaining size first and fails without moving.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

class TMiniStream {
public:
  TMiniStream(const void* memory, uint32_t size) : memory_(static_cast<const unsigned char*>(memory)), size_(size) {}

  uint32_t Size() const { return size_; }
  uint32_t Position() const { return position_; }
  uint32_t Remaining() const { return size_ - position_; }

  [[nodiscard]] bool Read(void* out, uint32_t count);
  [[nodiscard]] bool ReadDword(uint32_t& value);
  [[nodiscard]] bool ReadByte(uint8_t& value);
  [[nodiscard]] bool ReadPackedInt(int32_t& value);
  [[nodiscard]] bool ReadPackedString(std::string& text);

private:
  const unsigned char* memory_;
  uint32_t size_;
  uint32_t position_ = 0;
};

void AppendPackedInt(std::string& out, int32_t value);
// Texts longer than 255 characters are cut to 255.
void AppendPackedString(std::string& out, std::string_view text);

}  // namespace quor
