#include "report/settings/quorSettingsLookup.h"

#include <windows.h>

#include "base/Address.h"
#include "report/settings/quorModulePath.h"
#include "report/settings/quorModuleVersion.h"
#include "report/settings/quorPlaceholders.h"
#include "report/settings/quorSharedSettings.h"

namespace quor {
namespace {

std::string BareModuleName(uintptr_t module) {
  const std::string name = ModulePath(module);
  const size_t slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string VersionOf(uintptr_t module) {
  const QuorPtr<TIQuorSettings> settings = CreateModuleSettings(module);
  const std::string text = settings->Version();
  return text.empty() ? FileVersionText(reinterpret_cast<HMODULE>(module)) : text;
}

class Win32Placeholders final : public PlaceholderValues {
public:
  explicit Win32Placeholders(uintptr_t module) : module_(module) {}
  std::string AppName() override { return BareModuleName(0); }
  std::string ModuleName() override { return BareModuleName(module_); }
  std::string AppVersion() override { return VersionOf(base::AddressOf(GetModuleHandleW(nullptr))); }
  std::string ModuleVersion() override { return VersionOf(module_); }
  LocalTime Now() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
  }

private:
  uintptr_t module_;
};

class Win32SettingsHost final : public SettingsHost {
public:
  const SettingsHeap& Heap() override { return ProcessSettingsHeap(); }
  void LockRecords() override { LockSharedSettings(); }
  void UnlockRecords() override { UnlockSharedSettings(); }
  void ReleaseRecord(ModuleSettingsRecord* record) override { ReleaseModuleRecord(record); }
  void ReloadRecord(ModuleSettingsRecord* record) override { ReloadModuleRecord(record); }
  std::string ExpandPlaceholders(uintptr_t module, std::string_view text, std::string_view exceptMsg,
                                 std::string_view bugReport) override {
    return quor::ExpandPlaceholders(module, text, exceptMsg, bugReport);
  }
};

Win32SettingsHost g_host;

bool Defers(const QuorPtr<IQuorModuleSettings>& s) { return s && s->Valid() && s->NoSettings(); }
bool Usable(const QuorPtr<IQuorModuleSettings>& s) { return s && s->Valid() && !s->NoSettings(); }

QuorPtr<IQuorModuleSettings> SettingsIfResource(HMODULE module) {
  if (!HasSettingsResource(module)) return {};
  return CreateModuleSettings(base::AddressOf(module));
}

// The return address `framesUp` frames above the frame at `frame` (0: the
// frame's own), walking the frame-pointer chain; 0 when a frame cannot be read.
uintptr_t ReturnAddressUp(uintptr_t frame, uint32_t framesUp) {
  uintptr_t link[2] = {frame, 0};  // saved frame pointer, return address
  for (uint32_t i = 0; i <= framesUp; ++i) {
    SIZE_T done = 0;
    if (!link[0] ||
        !ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(link[0]), link, sizeof link, &done) ||
        done != sizeof link)
      return 0;
  }
  return link[1];
}

}  // namespace

SettingsHost& ProcessSettingsHost() { return g_host; }

uintptr_t ReporterModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ReporterModule), &module);
  return base::AddressOf(module);
}

std::string ExpandPlaceholders(uintptr_t module, std::string_view text, std::string_view exceptMsg,
                               std::string_view bugReport) {
  Win32Placeholders values(module);
  return ExpandPlaceholders(text, values, exceptMsg, bugReport);
}

QuorPtr<TIQuorSettings> CreateModuleSettings(uintptr_t module) {
  const HMODULE handle = reinterpret_cast<HMODULE>(module);
  ModuleSettingsRecord* record = AcquireModuleRecord(handle);
  const bool valid = record && HasSettingsResource(handle);
  std::string version;
  if (valid) {
    // The module's own VersionVar only: another module's offset means
    // nothing at this module's base.
    const SettingsProperty* p = FindProperty(*record, "VersionVar");
    if (p && p->kind == kKindInteger) version = ReadVersionVariable(handle, p->intValue);
  }
  return QuorPtr<TIQuorSettings>(new TIQuorSettings(g_host, module, record, valid, std::move(version)));
}

QuorPtr<IQuorModuleSettings> FindDeferredSettings() {
  QuorPtr<IQuorModuleSettings> found = SettingsIfResource(reinterpret_cast<HMODULE>(ReporterModule()));
  if (Usable(found)) return found;
  if (HMODULE ide = GetModuleHandleW(L"QuorExceptIde_.bpl")) {
    QuorPtr<IQuorModuleSettings> s = SettingsIfResource(ide);
    if (Usable(s)) return s;
    if (!found) found = s;
  }
  // Every module is an image allocation; its first region starts at the
  // allocation base.
  MEMORY_BASIC_INFORMATION mbi;
  uintptr_t address = 0;
  void* previousBase = nullptr;
  while (VirtualQuery(reinterpret_cast<void*>(address), &mbi, sizeof mbi)) {
    if (mbi.State == MEM_COMMIT && mbi.Type == MEM_IMAGE && mbi.BaseAddress == mbi.AllocationBase &&
        mbi.AllocationBase != previousBase) {
      previousBase = mbi.AllocationBase;
      QuorPtr<IQuorModuleSettings> s = SettingsIfResource(static_cast<HMODULE>(mbi.AllocationBase));
      if (Usable(s)) return s;
      if (!found) found = s;
    }
    const uintptr_t next = base::AddressOf(mbi.BaseAddress) + mbi.RegionSize;
    if (next <= address) break;  // the top of the address space
    address = next;
  }
  return found;
}

QuorPtr<IQuorModuleSettings> SettingsForModule(uintptr_t module) {
  QuorPtr<IQuorModuleSettings> s = CreateModuleSettings(module);
  if (!Defers(s)) return s;
  QuorPtr<IQuorModuleSettings> deferred = FindDeferredSettings();
  return Usable(deferred) ? deferred : s;
}

QuorPtr<IQuorModuleSettings> SettingsForAddress(uintptr_t address) {
  QuorPtr<IQuorModuleSettings> s;
  MEMORY_BASIC_INFORMATION mbi;
  if (VirtualQuery(reinterpret_cast<void*>(address), &mbi, sizeof mbi) && mbi.State == MEM_COMMIT &&
      mbi.AllocationBase && base::AddressOf(mbi.AllocationBase) != ReporterModule() && mbi.Type == MEM_IMAGE)
    s = SettingsIfResource(static_cast<HMODULE>(mbi.AllocationBase));
  if (!s || Defers(s)) {
    QuorPtr<IQuorModuleSettings> deferred = FindDeferredSettings();
    if (!s || Usable(deferred)) s = deferred;
  }
  return s ? s : QuorPtr<IQuorModuleSettings>(CreateModuleSettings(ReporterModule()));
}

__attribute__((noinline)) QuorPtr<IQuorModuleSettings> SettingsForCaller(uint32_t framesUp) {
  return SettingsForAddress(ReturnAddressUp(base::AddressOf(__builtin_frame_address(0)), framesUp));
}

}  // namespace quor
