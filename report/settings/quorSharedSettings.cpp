#include "report/settings/quorSharedSettings.h"

#include <string>

#include "base/Address.h"
#include "report/settings/quorHeldMutex.h"
#include "report/settings/quorSettingsResource.h"

namespace quor {
namespace {

void* ProcessHeapAlloc(size_t bytes) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes); }
void ProcessHeapFree(void* block) { HeapFree(GetProcessHeap(), 0, block); }

std::wstring ObjectName(const char* prefix) {
  const std::string name = prefix + DollarHex(GetCurrentProcessId());
  return std::wstring(name.begin(), name.end());
}

// A security descriptor with no DACL grants everyone access, so copies of the
// reporter in modules running under other restrictions can still open them.
class EveryoneAccess {
public:
  EveryoneAccess() {
    InitializeSecurityDescriptor(&sd_, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd_, TRUE, nullptr, FALSE);
    sa_ = {sizeof sa_, &sd_, FALSE};
  }
  SECURITY_ATTRIBUTES* get() { return &sa_; }

private:
  SECURITY_DESCRIPTOR sd_;
  SECURITY_ATTRIBUTES sa_;
};

// Holds the process-wide settings mutex for its lifetime.
class SettingsMutex {
public:
  SettingsMutex() : held_(ObjectName("QuorExceptSettingsMtx").c_str(), EveryoneAccess().get()) {}

private:
  THeldMutex held_;
};

// This copy's view of the shared buffer. Every copy maps the block itself and
// keeps its own mapping handle and count, so each unmaps and closes exactly
// what it opened; the count inside the block spans all copies. Plain handles,
// not owners: the view ends with this copy's last ReleaseBuffer, never at
// static destruction, when other copies may still use the block.
struct LocalView {
  HANDLE mapping = nullptr;
  SharedSettingsBuffer* buffer = nullptr;
  uint32_t references = 0;
};
LocalView g_view;

SharedSettingsBuffer* AcquireBuffer() {
  SettingsMutex mutex;
  if (!g_view.buffer) {
    EveryoneAccess access;
    base::KernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, access.get(), PAGE_READWRITE, 0,
                                                  sizeof(SharedSettingsBuffer),
                                                  ObjectName("QuorExceptSettingsBuf").c_str()));
    void* view =
        mapping ? MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedSettingsBuffer)) : nullptr;
    if (!view) {
      mapping.reset();
      MessageBoxA(nullptr, "internal error (opening settings buffer)", "QuorExcept", MB_OK | MB_ICONERROR);
      return nullptr;
    }
    g_view.mapping = mapping.release();
    g_view.buffer = static_cast<SharedSettingsBuffer*>(view);
  }
  SharedSettingsBuffer* b = g_view.buffer;
  // A block nobody holds (new, or left by a copy that released it last) is
  // set up again.
  if (b->refCount == 0) {
    b->mapping = g_view.mapping;
    InitializeCriticalSection(&b->lock);
    b->head = nullptr;
    b->unused = 0;
  }
  ++b->refCount;
  ++g_view.references;
  return b;
}

void ReleaseBuffer() {
  SettingsMutex mutex;
  SharedSettingsBuffer* b = g_view.buffer;
  if (!b) return;
  if (--b->refCount == 0) DeleteCriticalSection(&b->lock);
  if (--g_view.references == 0) {
    UnmapViewOfFile(b);
    CloseHandle(g_view.mapping);
    g_view = LocalView{};
  }
}

// Reads the module's resource into the record; the message of an invalid
// type is returned, to be shown outside the lock.
std::string ReadModuleResource(ModuleSettingsRecord& record, HMODULE module) {
  HRSRC info = FindResourceW(module, L"TQUOREXCEPT", MAKEINTRESOURCEW(10));
  HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  const SettingsReadResult result = ReadSettingsResource(static_cast<const uint8_t*>(data),
                                                         SizeofResource(module, info), record, ProcessSettingsHeap());
  return result.status == SettingsReadStatus::kInvalidType ? InvalidSettingsResourceText(result.invalidType)
                                                           : std::string();
}

void ShowInvalidResource(const std::string& message) {
  if (!message.empty()) MessageBoxA(nullptr, message.c_str(), "QuorExcept", MB_OK | MB_ICONERROR);
}

}  // namespace

const SettingsHeap& ProcessSettingsHeap() {
  static const SettingsHeap heap{ProcessHeapAlloc, ProcessHeapFree};
  return heap;
}

bool HasSettingsResource(HMODULE module) {
  return module && FindResourceW(module, L"TQUOREXCEPT", MAKEINTRESOURCEW(10)) != nullptr;
}

void LockSharedSettings() { EnterCriticalSection(&g_view.buffer->lock); }
void UnlockSharedSettings() { LeaveCriticalSection(&g_view.buffer->lock); }

ModuleSettingsRecord* AcquireModuleRecord(HMODULE module) {
  SharedSettingsBuffer* b = AcquireBuffer();
  if (!b) return nullptr;
  std::string message;
  EnterCriticalSection(&b->lock);
  ModuleSettingsRecord* record = b->head;
  while (record && record->module != base::AddressOf(module)) record = record->next;
  if (!record) {
    record = static_cast<ModuleSettingsRecord*>(ProcessHeapAlloc(sizeof(ModuleSettingsRecord)));
    if (record) {
      record->module = base::AddressOf(module);
      message = ReadModuleResource(*record, module);
      record->next = b->head;
      b->head = record;
    }
  }
  if (record) ++record->refCount;
  LeaveCriticalSection(&b->lock);
  ShowInvalidResource(message);
  if (!record) ReleaseBuffer();
  return record;
}

void ReleaseModuleRecord(ModuleSettingsRecord* record) {
  SharedSettingsBuffer* b = g_view.buffer;
  EnterCriticalSection(&b->lock);
  if (--record->refCount == 0) {
    ModuleSettingsRecord** link = &b->head;
    while (*link && *link != record) link = &(*link)->next;
    if (*link) *link = record->next;
    FreeProperties(*record, ProcessSettingsHeap());
    ProcessHeapFree(record);
  }
  LeaveCriticalSection(&b->lock);
  ReleaseBuffer();
}

void ReloadModuleRecord(ModuleSettingsRecord* record) {
  EnterCriticalSection(&g_view.buffer->lock);
  FreeProperties(*record, ProcessSettingsHeap());
  const std::string message = ReadModuleResource(*record, reinterpret_cast<HMODULE>(static_cast<uintptr_t>(record->module)));
  LeaveCriticalSection(&g_view.buffer->lock);
  ShowInvalidResource(message);
}

}  // namespace quor
