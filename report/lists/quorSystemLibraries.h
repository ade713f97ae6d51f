// The system functions the report's facts and lists look up at run time
// (absent on older systems, or in libraries the program does not link),
// resolved once at start-up. Loading a library or looking up a function
// waits for the loader lock; a report is built while another thread may
// hold it, so the report itself never loads anything.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <cstdint>

namespace quor {

struct TSystemLibraries {
  ULONGLONG(WINAPI* GetTickCount64)() = nullptr;
  void(WINAPI* GetNativeSystemInfo)(SYSTEM_INFO*) = nullptr;
  BOOL(WINAPI* GlobalMemoryStatusEx)(MEMORYSTATUSEX*) = nullptr;
  BOOL(WINAPI* CheckTokenMembership)(HANDLE, PSID, BOOL*) = nullptr;
  // wtsapi32.dll: the client name of a remote session.
  BOOL(WINAPI* WTSQuerySessionInformationA)(HANDLE, DWORD, int, char**, DWORD*) = nullptr;
  void(WINAPI* WTSFreeMemory)(void*) = nullptr;
  // setupapi.dll: the devices of the "hardware" list.
  HDEVINFO(WINAPI* SetupDiGetClassDevsA)(const GUID*, const char*, HWND, DWORD) = nullptr;
  BOOL(WINAPI* SetupDiDestroyDeviceInfoList)(HDEVINFO) = nullptr;
  BOOL(WINAPI* SetupDiEnumDeviceInfo)(HDEVINFO, DWORD, SP_DEVINFO_DATA*) = nullptr;
  BOOL(WINAPI* SetupDiGetDeviceRegistryPropertyA)(HDEVINFO, SP_DEVINFO_DATA*, DWORD, DWORD*, BYTE*, DWORD,
                                                  DWORD*) = nullptr;

  [[nodiscard]] bool HasSessionQuery() const { return WTSQuerySessionInformationA && WTSFreeMemory; }
  [[nodiscard]] bool HasDeviceQuery() const {
    return SetupDiGetClassDevsA && SetupDiDestroyDeviceInfoList && SetupDiEnumDeviceInfo &&
           SetupDiGetDeviceRegistryPropertyA;
  }
};

// The table. The first call loads the libraries and looks up the functions;
// the reporter's start-up makes it (RegisterListPlugins), before any report.
[[nodiscard]] const TSystemLibraries& SystemLibraries();

}  // namespace quor
