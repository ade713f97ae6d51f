#include "report/symbols/quorMiniStream.h"

#include <cstring>

#include "report/text/quorLittleEndian.h"

namespace quor {

bool TMiniStream::Read(void* out, uint32_t count) {
  if (count > Remaining()) return false;
  if (count) std::memcpy(out, memory_ + position_, count);
  position_ += count;
  return true;
}

bool TMiniStream::ReadDword(uint32_t& value) {
  unsigned char bytes[4];
  if (!Read(bytes, 4)) return false;
  value = LoadLe32(bytes);
  return true;
}

bool TMiniStream::ReadByte(uint8_t& value) { return Read(&value, 1); }

bool TMiniStream::ReadPackedInt(int32_t& value) {
  if (Remaining() < 1) return false;
  const int8_t first = static_cast<int8_t>(memory_[position_]);
  if (first != -128) {
    ++position_;
    value = first;
    return true;
  }
  if (Remaining() < 5) return false;
  value = static_cast<int32_t>(LoadLe32(memory_ + position_ + 1));
  position_ += 5;
  return true;
}

bool TMiniStream::ReadPackedString(std::string& text) {
  if (Remaining() < 1) return false;
  const uint32_t length = memory_[position_];
  if (Remaining() - 1 < length) return false;
  text.assign(reinterpret_cast<const char*>(memory_ + position_ + 1), length);
  position_ += 1 + length;
  return true;
}

void AppendPackedInt(std::string& out, int32_t value) {
  if (value >= -127 && value <= 127) {
    out += static_cast<char>(static_cast<int8_t>(value));
    return;
  }
  out += static_cast<char>(0x80);
  AppendLe32(out, static_cast<uint32_t>(value));
}

void AppendPackedString(std::string& out, std::string_view text) {
  if (text.size() > 255) text = text.substr(0, 255);
  out += static_cast<char>(text.size());
  out += text;
}

}  // namespace quor
