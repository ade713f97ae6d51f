#include "report/settings/quorSettingsProperty.h"

#include <cstdlib>
#include <cstring>

namespace quor {
namespace {

void* CrtAllocZeroed(size_t bytes) { return std::calloc(1, bytes); }
void CrtRelease(void* block) { std::free(block); }

char* CopyText(const SettingsHeap& heap, std::string_view text) {
  char* copy = static_cast<char*>(heap.allocZeroed(text.size() + 1));
  if (copy && !text.empty()) std::memcpy(copy, text.data(), text.size());
  return copy;
}

void ReleaseText(const SettingsHeap& heap, const char* text) {
  if (text) heap.release(const_cast<char*>(text));
}

}  // namespace

const SettingsHeap& CrtSettingsHeap() {
  static const SettingsHeap heap{CrtAllocZeroed, CrtRelease};
  return heap;
}

const SettingsProperty* FindProperty(const SettingsProperty* table, size_t count, std::string_view name) {
  for (size_t i = 0; i < count; ++i) {
    if (table[i].name && name == table[i].name) return &table[i];
  }
  return nullptr;
}

SettingsProperty* FindProperty(const ModuleSettingsRecord& record, std::string_view name) {
  return const_cast<SettingsProperty*>(FindProperty(record.properties, record.count, name));
}

SettingsProperty* AppendProperty(ModuleSettingsRecord& record, const SettingsHeap& heap, std::string_view name,
                                 SettingsKind kind) {
  if (record.count == record.capacity) {
    const uint32_t capacity = record.capacity ? record.capacity + kPropertyCapacityStep : kInitialPropertyCapacity;
    auto* grown = static_cast<SettingsProperty*>(heap.allocZeroed(capacity * sizeof(SettingsProperty)));
    if (!grown) return nullptr;
    if (record.count) std::memcpy(grown, record.properties, record.count * sizeof(SettingsProperty));
    if (record.properties) heap.release(record.properties);
    record.properties = grown;
    record.capacity = capacity;
  }
  char* ownName = CopyText(heap, name);
  if (!ownName) return nullptr;
  SettingsProperty& p = record.properties[record.count++];
  p = SettingsProperty{ownName, kind, 0, 0, nullptr};
  return &p;
}

bool SetPropertyText(SettingsProperty& property, const SettingsHeap& heap, std::string_view text) {
  char* copy = CopyText(heap, text);
  if (!copy) return false;
  ReleaseText(heap, property.textValue);
  property.textValue = copy;
  return true;
}

void FreeProperties(ModuleSettingsRecord& record, const SettingsHeap& heap) {
  for (uint32_t i = 0; i < record.count; ++i) {
    ReleaseText(heap, record.properties[i].name);
    ReleaseText(heap, record.properties[i].textValue);
  }
  if (record.properties) heap.release(record.properties);
  record.properties = nullptr;
  record.capacity = record.count = 0;
}

}  // namespace quor
