#include "report/delivery/quorEhloName.h"

namespace quor {

namespace {

constexpr size_t kMaxLabel = 63;
constexpr size_t kMaxHostName = 253;

bool IsLetterDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsValidLabel(std::string_view label) {
  if (label.empty() || label.size() > kMaxLabel) return false;
  if (!IsLetterDigit(label.front()) || !IsLetterDigit(label.back())) return false;
  for (char c : label)
    if (!IsLetterDigit(c) && c != '-') return false;
  return true;
}

}  // namespace

bool IsValidHostName(std::string_view name) {
  if (name.empty() || name.size() > kMaxHostName) return false;
  for (;;) {
    const size_t dot = name.find('.');
    if (!IsValidLabel(name.substr(0, dot))) return false;
    if (dot == std::string_view::npos) return true;
    name.remove_prefix(dot + 1);
  }
}

std::string DottedAddress(uint32_t address) {
  return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.' +
         std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

std::string EhloName(std::string_view hostName, uint32_t localAddress) {
  if (IsValidHostName(hostName)) return std::string(hostName);
  return '[' + DottedAddress(localAddress) + ']';
}

}  // namespace quor
