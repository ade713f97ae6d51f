#include "report/lists/quorListHardware.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

#include "report/text/quorText.h"

namespace quor {

namespace {

constexpr std::array<std::string_view, 3> kSkippedClasses = {"LegacyDriver", "Unknown", "Volume"};
constexpr std::string_view kSoftwareDevice = "sw\\";
constexpr uint8_t kHiddenComponentFlag = 0x08;
constexpr size_t kDwordSize = 4;

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// <0, 0 or >0 as a is below, equal to or above b, case ignored.
int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (Lower(a[i]) != Lower(b[i])) return Lower(a[i]) < Lower(b[i]) ? -1 : 1;
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool SkipsDevice(std::string_view className, std::string_view hardwareId) {
  if (std::find(kSkippedClasses.begin(), kSkippedClasses.end(), className) != kSkippedClasses.end()) return true;
  return SameText(hardwareId.substr(0, kSoftwareDevice.size()), kSoftwareDevice);
}

bool IsHiddenComponent(std::string_view characteristics) {
  return characteristics.size() == kDwordSize && (uint8_t(characteristics[0]) & kHiddenComponentFlag) != 0;
}

void AddHardwareDevice(std::vector<HardwareClass>& classes, const std::string& className, HardwareDevice device) {
  auto cls = std::find_if(classes.begin(), classes.end(),
                          [&](const HardwareClass& c) { return CompareText(c.name, className) >= 0; });
  if (cls == classes.end() || CompareText(cls->name, className) != 0) cls = classes.insert(cls, {className, {}});
  auto& devices = cls->devices;
  const auto at = std::find_if(devices.begin(), devices.end(),
                               [&](const HardwareDevice& d) { return CompareText(d.name, device.name) >= 0; });
  devices.insert(at, std::move(device));
}

std::string DriverNote(const HardwareDevice& device) {
  if (!device.hasDriver || device.provider.empty() || device.provider[0] == '(' ||
      SameText(device.provider, "Microsoft"))
    return {};
  std::string value(TrimText(device.version));
  if (value.empty()) value = TrimText(device.date);
  return value.empty() ? std::string() : " (driver " + value + ")";
}

std::string HardwareText(const std::vector<HardwareClass>& classes) {
  std::string text;
  const auto line = [&](const std::string& l) {
    if (!text.empty()) text += "\r\n";
    text += l;
  };
  for (const HardwareClass& c : classes) {
    line("+ " + c.name);
    for (const HardwareDevice& d : c.devices) line("  - " + d.name + DriverNote(d));
  }
  return text;
}

}  // namespace quor
