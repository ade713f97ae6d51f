// The stored form of one module's settings: a property array inside a record
// that every copy of the reporter in the process shares. The records are
// plain structures allocated from a heap that all copies use (the process
// heap on Windows), so any copy can grow or free what another copy built.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quor {

enum SettingsKind : uint8_t { kKindText = 0, kKindInteger = 1, kKindBoolean = 2 };

struct SettingsProperty {
  const char* name;   // zero-terminated, owned (except in BuiltInDefaults)
  uint8_t kind;       // SettingsKind
  uint8_t boolValue;  // 0 or 1
  int32_t intValue;
  const char* textValue;  // zero-terminated, owned; null reads as ""
};

struct ModuleSettingsRecord {
  uint32_t refCount;
  uintptr_t module;
  uint32_t capacity;  // entries of `properties`
  uint32_t count;     // entries in use
  SettingsProperty* properties;
  ModuleSettingsRecord* next;
};

// The heap that owns names, texts and property arrays. allocZeroed returns
// null when memory is short.
struct SettingsHeap {
  void* (*allocZeroed)(size_t bytes);
  void (*release)(void* block);
};

// calloc and free: the heap of native builds and tests.
[[nodiscard]] const SettingsHeap& CrtSettingsHeap();

inline constexpr uint32_t kInitialPropertyCapacity = 131;
inline constexpr uint32_t kPropertyCapacityStep = 20;

// The first property of that name (compared exactly), or null.
[[nodiscard]] SettingsProperty* FindProperty(const ModuleSettingsRecord& record, std::string_view name);
[[nodiscard]] const SettingsProperty* FindProperty(const SettingsProperty* table, size_t count, std::string_view name);

// Appends a property of that name and kind with zero values (growing the
// array by kPropertyCapacityStep when full); null when memory is short.
[[nodiscard]] SettingsProperty* AppendProperty(ModuleSettingsRecord& record, const SettingsHeap& heap,
                                               std::string_view name, SettingsKind kind);

// Replaces the text value with a heap copy of `text`; false when memory is short.
[[nodiscard]] bool SetPropertyText(SettingsProperty& property, const SettingsHeap& heap, std::string_view text);

// Frees every name, text and the array; the record then holds no properties.
void FreeProperties(ModuleSettingsRecord& record, const SettingsHeap& heap);

}  // namespace quor
