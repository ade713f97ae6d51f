#include "report/settings/quorSettingsObject.h"

#include <atomic>
#include <utility>

#include "report/settings/quorBuiltInDefaults.h"
#include "report/settings/quorEncodedLists.h"

namespace quor {
namespace {

// The main settings of this copy of the reporter; holds one reference.
std::atomic<IQuorModuleSettings*> g_mainSettings{nullptr};

}  // namespace

void SetMainSettings(QuorPtr<IQuorModuleSettings> settings) {
  IQuorModuleSettings* p = settings.get();
  if (p) p->AddRef();
  if (IQuorModuleSettings* old = g_mainSettings.exchange(p)) old->Release();
}

QuorPtr<IQuorModuleSettings> MainSettings() { return QuorPtr<IQuorModuleSettings>(g_mainSettings.load()); }

TIQuorSettings::TIQuorSettings(SettingsHost& host, uintptr_t module, ModuleSettingsRecord* record, bool valid,
                               std::string version)
    : host_(host), module_(module), record_(record), valid_(valid), version_(std::move(version)) {}

TIQuorSettings::TIQuorSettings(SettingsHost& host, QuorPtr<IQuorModuleSettings> parent)
    : host_(host),
      module_(parent->Module()),
      record_(new ModuleSettingsRecord{1, parent->Module(), 0, 0, nullptr, nullptr}),
      valid_(true),
      version_(parent->Version()),
      parent_(std::move(parent)),
      ownsRecord_(true) {}

TIQuorSettings::~TIQuorSettings() {
  // Detached first, so the lists stop writing into a record being released.
  if (fields_) fields_->SetOwner(nullptr);
  if (ownsRecord_) {
    FreeProperties(*record_, host_.Heap());
    delete record_;
  } else if (record_) {
    host_.ReleaseRecord(record_);
  }
}

QuorPtr<IQuorModuleSettings> TIQuorSettings::Fallback() {
  if (parent_) return parent_;
  QuorPtr<IQuorModuleSettings> main = MainSettings();
  return main && main->Module() != module_ ? main : QuorPtr<IQuorModuleSettings>();
}

bool TIQuorSettings::IsMain() {
  const QuorPtr<IQuorModuleSettings> main = MainSettings();
  return !main || main->Module() == module_;
}

const SettingsProperty* TIQuorSettings::Lookup(std::string_view name) {
  if (record_) {
    if (const SettingsProperty* p = FindProperty(*record_, name)) return p;
  }
  return !parent_ && IsMain() ? FindProperty(BuiltInDefaults, kBuiltInDefaultCount, name) : nullptr;
}

bool TIQuorSettings::BoolValue(std::string_view name) {
  if (const SettingsProperty* p = Lookup(name)) return p->boolValue != 0;
  const QuorPtr<IQuorModuleSettings> next = Fallback();
  return next && next->BoolValue(name);
}

int32_t TIQuorSettings::IntValue(std::string_view name) {
  if (const SettingsProperty* p = Lookup(name)) return p->intValue;
  const QuorPtr<IQuorModuleSettings> next = Fallback();
  return next ? next->IntValue(name) : 0;
}

std::string TIQuorSettings::UnexpandedText(std::string_view name) {
  if (const SettingsProperty* p = Lookup(name)) return p->textValue ? p->textValue : "";
  const QuorPtr<IQuorModuleSettings> next = Fallback();
  return next ? next->UnexpandedText(name) : std::string();
}

std::string TIQuorSettings::TextValue(std::string_view name) {
  // An inherited text names this module, not the main one, in %modname%.
  return host_.ExpandPlaceholders(module_, UnexpandedText(name), "%exceptMsg%", "%bugReport%");
}

SettingsProperty* TIQuorSettings::Writable(std::string_view name, SettingsKind kind) {
  if (!valid_ || !record_) return nullptr;
  if (SettingsProperty* p = FindProperty(*record_, name)) return p->kind == kind ? p : nullptr;
  if (ownsRecord_) return AppendProperty(*record_, host_.Heap(), name, kind);
  // Adding may move the shared array; other copies add under the same lock.
  host_.LockRecords();
  SettingsProperty* p = FindProperty(*record_, name);
  if (!p) p = AppendProperty(*record_, host_.Heap(), name, kind);
  host_.UnlockRecords();
  return p && p->kind == kind ? p : nullptr;
}

bool TIQuorSettings::SetBoolValue(std::string_view name, bool value) {
  SettingsProperty* p = Writable(name, kKindBoolean);
  if (p) p->boolValue = value;
  return p != nullptr;
}

bool TIQuorSettings::SetIntValue(std::string_view name, int32_t value) {
  SettingsProperty* p = Writable(name, kKindInteger);
  if (p) p->intValue = value;
  return p != nullptr;
}

bool TIQuorSettings::SetTextValue(std::string_view name, std::string_view value) {
  SettingsProperty* p = Writable(name, kKindText);
  return p && SetPropertyText(*p, host_.Heap(), value);
}

QuorPtr<IQuorFieldsEx> TIQuorSettings::Fields() {
  if (!fields_) {
    QuorPtr<IQuorFieldsEx> fields = NewQuorFields();
    for (const auto& [name, value] : DecodeAddFields(TextValue("AddFields"))) (void)fields->Add(name, value);
    fields->SetOwner(this);
    fields_ = fields;
  }
  return fields_;
}

QuorPtr<IQuorFieldsEx> TIQuorSettings::FormCache() {
  if (!formCache_) formCache_ = NewQuorFields();
  return formCache_;
}

QuorPtr<IQuorAttachments> TIQuorSettings::Attachments() {
  if (!attachments_) attachments_ = NewQuorAttachments(DecodeAddAttachs(TextValue("AddAttachs")), this);
  return attachments_;
}

void TIQuorSettings::AttachmentsChanged(const std::vector<AttachmentEntry>& entries) {
  (void)SetTextValue("AddAttachs", EncodeAddAttachs(entries));
}

void TIQuorSettings::FieldsChanged(IQuorFields& fields) {
  std::vector<std::pair<std::string, std::string>> items(size_t(fields.Count()));
  for (size_t i = 0; i < items.size(); ++i) (void)fields.Item(int32_t(i), items[i].first, items[i].second);
  (void)SetTextValue("AddFields", EncodeAddFields(items));
}

void TIQuorSettings::Reload() {
  if (record_) host_.ReloadRecord(record_);
}

}  // namespace quor
