#include "report/intercept/quorCalibration.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>

#include "base/Address.h"
#include "base/WinHandle.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/symbols/quorCalibrationRecord.h"

extern "C" __attribute__((noinline, used)) void quorCalibrationCode() { asm volatile(""); }
extern "C" __attribute__((used)) const volatile uint32_t quorCalibrationData = 0x51554F52;  // "QUOR"

namespace quor {

namespace {

bool ReadRecord(HMODULE module, TCalibrationRecord& record) {
  HRSRC found = FindResourceA(module, "CALIBRATE", "QUOR");
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return ReadCalibrationRecord(static_cast<const uint8_t*>(data), SizeofResource(module, found), record);
}

// Sets the module's optional-header fields from its record, if it has one
// meant for it.
bool Calibrate(HMODULE module, bool ownModule) {
  TCalibrationRecord record;
  if (!ReadRecord(module, record)) return false;
  const uint32_t imageBase = base::AddressOf(module);
  TCalibratedLayout layout;
  if (!CalibratedLayout(record, ownModule, base::AddressOf(&quorCalibrationCode) - imageBase,
                        base::AddressOf(&quorCalibrationData) - imageBase, layout))
    return false;
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(module);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(reinterpret_cast<uint8_t*>(module) + dos->e_lfanew);
  IMAGE_OPTIONAL_HEADER32& h = nt->OptionalHeader;
  DWORD old = 0;
  if (!VirtualProtect(&h, sizeof h, PAGE_READWRITE, &old)) return false;
  h.BaseOfCode = layout.BaseOfCode;
  h.BaseOfData = layout.BaseOfData;
  h.SizeOfCode = layout.SizeOfCode;
  h.SizeOfInitializedData = layout.SizeOfInitializedData;
  h.SizeOfUninitializedData = layout.SizeOfUninitializedData;
  VirtualProtect(&h, sizeof h, old, &old);
  return true;
}

bool IsPackage(const wchar_t* name) {
  const size_t length = wcslen(name);
  return length >= 4 && _wcsicmp(name + length - 4, L".bpl") == 0;
}

}  // namespace

uint32_t CalibrateModules() {
  const auto own = reinterpret_cast<HMODULE>(ReporterModule());
  const HMODULE exe = GetModuleHandleA(nullptr);
  uint32_t count = Calibrate(own, true);
  if (exe != own) count += Calibrate(exe, false);
  const base::SnapshotHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId()));
  if (!snap) return count;
  MODULEENTRY32W m{};
  m.dwSize = sizeof m;
  for (BOOL ok = Module32FirstW(snap.get(), &m); ok; ok = Module32NextW(snap.get(), &m))
    if (m.hModule != own && m.hModule != exe && IsPackage(m.szModule)) count += Calibrate(m.hModule, false);
  return count;
}

}  // namespace quor
