#include "report/text/quorReportSections.h"

#include <algorithm>
#include <cstdio>

#include "report/text/quorTextFormat.h"

namespace quor {

std::string CpuRegistersText(const TCpuRegisters& r) {
  const struct {
    const char* name;
    uint32_t value;
  } regs[] = {
      {"eax", r.Eax}, {"ebx", r.Ebx}, {"ecx", r.Ecx}, {"edx", r.Edx}, {"esi", r.Esi},
      {"edi", r.Edi}, {"eip", r.Eip}, {"esp", r.Esp}, {"ebp", r.Ebp},
  };
  std::string text;
  for (const auto& reg : regs) {
    if (!text.empty()) text += "\r\n";
    text += reg.name;
    text += " = ";
    text += Hex8(reg.value);
  }
  return text;
}

std::string StackDumpText(uint32_t address, const std::vector<uint8_t>& bytes) {
  constexpr size_t kLineBytes = 16, kMaxLines = 20;
  std::string text;
  for (size_t line = 0; line < kMaxLines && line * kLineBytes < bytes.size(); ++line) {
    if (!text.empty()) text += "\r\n";
    const size_t first = line * kLineBytes;
    text += Hex8(address + static_cast<uint32_t>(first));
    text += "  ";
    std::string chars;
    for (size_t i = 0; i < kLineBytes; ++i) {
      const bool present = first + i < bytes.size();
      if (i == 8) text += present ? "- " : "  ";
      if (present) {
        const uint8_t b = bytes[first + i];
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x ", b);
        text += hex;
        chars += (b >= 33 && b <= 126) ? char(b) : '.';
      } else {
        text += "   ";
      }
    }
    text += ' ';
    text += chars;
  }
  return text;
}

std::string CallstackCrcText(uint32_t crc0, uint32_t crc1, uint32_t crc2) {
  return "$" + Hex8(crc0) + ", $" + Hex8(crc1) + ", $" + Hex8(crc2);
}

}  // namespace quor
