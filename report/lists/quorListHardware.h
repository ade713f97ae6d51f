// The text of the "hardware" report section: the devices of the machine
// grouped by class, classes and devices in name order. Platform-free; the
// Windows side lists the devices.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quor {

struct HardwareDevice {
  std::string name;
  // Values of the device's driver key, when it has one.
  bool hasDriver = false;
  std::string provider, version, date;
};

struct HardwareClass {
  std::string name;  // display name
  std::vector<HardwareDevice> devices;
};

// Whether a device of this class and hardware id stays out of the list:
// the classes "LegacyDriver", "Unknown" and "Volume", and software devices
// (hardware id beginning with "sw\", any case).
[[nodiscard]] bool SkipsDevice(std::string_view className, std::string_view hardwareId);

// Whether a driver key's "Characteristics" value (its raw bytes) marks a
// hidden component: four bytes with the flag 0x08 set.
[[nodiscard]] bool IsHiddenComponent(std::string_view characteristics);

// Adds the device to its class (case ignored), keeping classes and devices
// sorted by name without regard to case: a device goes before the first
// one whose name is not smaller.
void AddHardwareDevice(std::vector<HardwareClass>& classes, const std::string& className, HardwareDevice device);

// " (driver <version or date>)" for a driver whose provider is not
// empty, not "Microsoft" (any case) and does not begin with "("; empty
// otherwise and when version and date are both empty.
[[nodiscard]] std::string DriverNote(const HardwareDevice& device);

// "+ <class>" lines, each followed by its "  - <device><driver note>"
// lines, joined by CR LF.
[[nodiscard]] std::string HardwareText(const std::vector<HardwareClass>& classes);

}  // namespace quor
