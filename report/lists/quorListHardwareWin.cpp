#include "report/lists/quorListHardwareWin.h"

#include <windows.h>
#include <setupapi.h>

#include <string>

#include "base/Address.h"
#include "base/ScopeExit.h"
#include "report/lists/quorOsInfo.h"
#include "report/lists/quorSystemLibraries.h"
#include "report/lists/quorTools.h"

namespace quor {

namespace {

constexpr char kClassKey[] = "System\\CurrentControlSet\\Control\\Class\\";

// A device's registry property as text: a multi-string gives its first
// string. Asked for its size first, then read into a zero-filled buffer of
// twice that size, so that a property without its terminating NUL still
// ends in one.
std::string DeviceProperty(const TSystemLibraries& lib, HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  DWORD size = 0;
  lib.SetupDiGetDeviceRegistryPropertyA(set, &device, property, nullptr, nullptr, 0, &size);
  if (size == 0) return {};
  std::string data(size * 2, '\0');
  if (!lib.SetupDiGetDeviceRegistryPropertyA(set, &device, property, nullptr, reinterpret_cast<BYTE*>(data.data()),
                                             size, nullptr))
    return {};
  return data.c_str();
}

std::string LocalMachineText(const std::string& key, const char* value) {
  return ReadRegistryText(base::AddressOf(HKEY_LOCAL_MACHINE), key, value);
}

}  // namespace

std::vector<HardwareClass> InstalledHardware() {
  std::vector<HardwareClass> classes;
  const TSystemLibraries& lib = SystemLibraries();
  if (!QueryOsInfo().NtFamily || !lib.HasDeviceQuery()) return classes;
  const HDEVINFO set = lib.SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) return classes;
  const base::ScopeExit destroy([&] { lib.SetupDiDestroyDeviceInfoList(set); });
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; lib.SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    const std::string className = DeviceProperty(lib, set, device, SPDRP_CLASS);
    if (SkipsDevice(className, DeviceProperty(lib, set, device, SPDRP_HARDWAREID))) continue;
    const std::string guid = DeviceProperty(lib, set, device, SPDRP_CLASSGUID);
    std::string display = guid.empty() ? std::string() : LocalMachineText(kClassKey + guid, "");
    if (display.empty()) display = guid;
    if (display.empty()) continue;
    HardwareDevice row;
    row.name = DeviceProperty(lib, set, device, SPDRP_FRIENDLYNAME);
    if (row.name.empty()) row.name = DeviceProperty(lib, set, device, SPDRP_DEVICEDESC);
    const std::string driver = DeviceProperty(lib, set, device, SPDRP_DRIVER);
    if (!driver.empty()) {
      const std::string key = kClassKey + driver;
      if (IsHiddenComponent(LocalMachineText(key, "Characteristics"))) continue;
      row.hasDriver = true;
      row.provider = LocalMachineText(key, "ProviderName");
      row.version = LocalMachineText(key, "DriverVersion");
      row.date = LocalMachineText(key, "DriverDate");
    }
    AddHardwareDevice(classes, display, std::move(row));
  }
  return classes;
}

}  // namespace quor
