// Builds settings resources and settings objects over them for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/settings/quorPlaceholders.h"
#include "report/settings/quorSettingsObject.h"
#include "report/settings/quorSettingsResource.h"

namespace quortest {

// A settings resource written byte by byte.
class ResourceBytes {
public:
  ResourceBytes() { bytes_ = "TPF0" + Short("TQuorExcept") + Short("QuorExcept"); }
  ResourceBytes& Int(const std::string& name, int32_t v) {
    Name(name, 4);
    for (int i = 0; i < 4; ++i) bytes_ += char(uint32_t(v) >> (8 * i));
    return *this;
  }
  ResourceBytes& Bool(const std::string& name, bool v) { return Name(name, v ? 9 : 8); }
  ResourceBytes& Text(const std::string& name, const std::string& v) {
    Name(name, 12);
    for (int i = 0; i < 4; ++i) bytes_ += char(uint32_t(v.size()) >> (8 * i));
    bytes_ += v;
    return *this;
  }
  ResourceBytes& Raw(const std::string& raw) {
    bytes_ += raw;
    return *this;
  }
  std::string End() const { return bytes_ + std::string(2, '\0'); }
  static std::string Short(const std::string& s) { return char(s.size()) + s; }

private:
  ResourceBytes& Name(const std::string& name, uint8_t type) {
    bytes_ += Short(name) + char(type);
    return *this;
  }
  std::string bytes_;
};

// A host whose records live on the C heap and whose placeholders have fixed
// values; it owns the records it hands out.
class FakeSettingsHost final : public quor::SettingsHost, public quor::PlaceholderValues {
public:
  ~FakeSettingsHost() {
    for (auto* r : records_) {
      quor::FreeProperties(*r, Heap());
      delete r;
    }
  }
  // A settings object over `resource` (empty: a module without resource).
  quor::QuorPtr<quor::TIQuorSettings> Settings(uintptr_t module, const std::string& resource,
                                               std::string version = "") {
    auto* record = new quor::ModuleSettingsRecord{1, module, 0, 0, nullptr, nullptr};
    records_.push_back(record);
    if (!resource.empty())
      (void)quor::ReadSettingsResource(reinterpret_cast<const uint8_t*>(resource.data()), resource.size(), *record,
                                       Heap());
    return quor::QuorPtr<quor::TIQuorSettings>(
        new quor::TIQuorSettings(*this, module, record, !resource.empty(), std::move(version)));
  }

  const quor::SettingsHeap& Heap() override { return quor::CrtSettingsHeap(); }
  void LockRecords() override {}
  void UnlockRecords() override {}
  void ReleaseRecord(quor::ModuleSettingsRecord* record) override { --record->refCount; }
  void ReloadRecord(quor::ModuleSettingsRecord* record) override { quor::FreeProperties(*record, Heap()); }
  std::string ExpandPlaceholders(uintptr_t module, std::string_view text, std::string_view exceptMsg,
                                 std::string_view bugReport) override {
    module_ = module;
    return quor::ExpandPlaceholders(text, *this, exceptMsg, bugReport);
  }

  std::string AppName() override { return "Sorvenal.exe"; }
  std::string ModuleName() override { return "mod" + std::to_string(module_) + ".dll"; }
  std::string AppVersion() override { return "1.0.0.0"; }
  std::string ModuleVersion() override { return "2.5"; }
  quor::LocalTime Now() override { return {2024, 3, 7, 9, 5, 4, 12}; }

private:
  std::vector<quor::ModuleSettingsRecord*> records_;
  uintptr_t module_ = 0;
};

}  // namespace quortest
