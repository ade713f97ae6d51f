#include "report/handling/quorExceptObject.h"

#include <algorithm>
#include <cctype>

#include "report/handling/quorExceptHeader.h"
#include "report/handling/quorExceptStacks.h"
#include "report/settings/quorFilterGroup.h"
#include "report/text/quorInternalErrors.h"
#include "report/text/quorReportSections.h"
#include "report/text/quorTextFormat.h"

namespace quor {

namespace {

bool HasPlaceholder(std::string_view text, std::string_view name) {
  const auto lower = [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); };
  for (size_t i = 0; i + name.size() <= text.size(); ++i) {
    size_t k = 0;
    while (k < name.size() && lower(text[i + k]) == lower(name[k])) ++k;
    if (k == name.size()) return true;
  }
  return false;
}

}  // namespace

TReportFields FieldsSnapshot(IQuorFieldsEx& fields) {
  // A clone is taken in one step under the owner's lock and then the list's,
  // the order every change uses.
  const QuorPtr<IQuorFields> clone = fields.Clone();
  TReportFields copy(size_t(std::max(clone->Count(), 0)));
  for (size_t i = 0; i < copy.size(); ++i) (void)clone->Item(int32_t(i), copy[i].Name, copy[i].Content);
  return copy;
}

TIQuorException::TIQuorException(SettingsHost& host, QuorPtr<IQuorModuleSettings> settings, TExceptionParams params)
    : TIQuorSettings(host, std::move(settings)),
      params_(std::move(params)),
      header_(NewQuorFields()),
      sections_(NewQuorFields()) {
  if (params_.Kind != kKindFreeze && !params_.Description.Valid)
    params_.Description = DescribeException(params_.Object, params_.Type);
  if (params_.Kind != kKindFreeze) description_ = params_.Description;
  message_ = CleanExceptionMessage(description_.Message);
  initialCanContinue_ = canContinue_ = params_.CanContinue;
  const FilterGroupChoice group = FilterGroup(
      *this, params_.Kind == kKindFreeze || !description_.Valid ? std::vector<std::string>() : description_.Ancestry);
  createBugReport_ = group.createBugReport;
  presentation_ = group.presentation;
  assistantName_ = group.assistant;
  callHandlers_ = group.callHandlers;
  screenshot_.SetCreates(group.createScreenshot);
  screenshot_.SetAttaches(group.createScreenshot);
  (void)SetPauseThreads(group.pauseThreads);
  if (params_.ForceListThreads) (void)SetBoolValue("ListThreads", true);
  header_->SetOwner(&listsOwner_);
  sections_->SetOwner(&listsOwner_);
}

std::string TIQuorException::TextValue(std::string_view name) {
  const std::string text = UnexpandedText(name);
  const std::string report = HasPlaceholder(text, "%bugReport%") ? BugReport(false) : std::string();
  const std::string message =
      params_.Kind == kKindFreeze ? UnexpandedText("FrozenMsg") : ShownExceptionMessage(message_);
  return Host().ExpandPlaceholders(Module(), text, message, report);
}

TIQuorException::~TIQuorException() {
  abort_ = true;
  WaitForBuilder();
  header_->SetOwner(nullptr);
  sections_->SetOwner(nullptr);
}

bool TIQuorException::SetCanContinue(bool value) {
  if (value && !initialCanContinue_) return false;
  canContinue_ = value;
  return true;
}

uint32_t TIQuorException::CallstackCrc(int index) const {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  return index >= 0 && index < 3 ? crcs_[index] : 0;
}

void TIQuorException::SetHeaderField(const std::string& name, const std::string& content) {
  (void)header_->SetContent(name, content);
}

void TIQuorException::SetSection(const std::string& name, const std::string& text) {
  (void)sections_->SetContent(name, text);
}

void TIQuorException::TListsOwner::FieldsChanged(IQuorFields&) {
  // Called inside LockOwner: the announcement follows in UnlockOwner.
  e_.cachedValid_ = false;
  ++e_.changes_;
  e_.changePending_ = true;
}

void TIQuorException::TListsOwner::LockOwner() {
  e_.lock_.lock();
  ++e_.updateCount_;
}

void TIQuorException::TListsOwner::UnlockOwner() {
  const bool announce = --e_.updateCount_ == 0 && e_.changePending_;
  if (announce) e_.changePending_ = false;
  e_.lock_.unlock();
  if (announce) e_.Announce();
}

void TIQuorException::BeginUpdate() {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  ++updateCount_;
}

void TIQuorException::EndUpdate() {
  bool announce = false;
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (updateCount_ > 0 && --updateCount_ == 0 && changePending_) {
      changePending_ = false;
      announce = true;
    }
  }
  if (announce) Announce();
}

void TIQuorException::Changed() {
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    cachedValid_ = false;
    ++changes_;
    if (updateCount_ > 0) {
      changePending_ = true;
      return;
    }
  }
  Announce();
}

void TIQuorException::SetBugReport(const std::string& text) {
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    ++changes_;
    cached_ = text;
    cachedValid_ = true;
  }
  Announce();
}

std::string TIQuorException::BugReport(bool wait) {
  if (!createBugReport_) return {};
  uint64_t changes;
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (cachedValid_ && (!wait || complete_)) return cached_;
    changes = changes_;
  }
  if (wait) {
    if (!started_) StartReport(true);
    WaitWithWindow();
    WaitForBuilder();
  }
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (cachedValid_) return cached_;
    changes = changes_;
  }
  std::string text = ComposeReportText(FieldsSnapshot(*header_), FieldsSnapshot(*sections_));
  std::lock_guard<std::recursive_mutex> hold(lock_);
  if (changes == changes_) {
    cached_ = text;
    cachedValid_ = true;
  }
  return text;
}

void TIQuorException::RegisterCallback(const void* key, TBugReportCallback callback, bool wantsComplete) {
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    for (auto& c : callbacks_)
      if (c.Key == key) {
        c.WantsComplete = wantsComplete;
        return;
      }
    callbacks_.push_back({key, callback, wantsComplete});
  }
  callback(complete_, BugReport(false), *this);
}

void TIQuorException::UnregisterCallback(const void* key) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  for (auto it = callbacks_.begin(); it != callbacks_.end(); ++it)
    if (it->Key == key) {
      callbacks_.erase(it);
      return;
    }
}

bool TIQuorException::CallbackWantsComplete() const {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  for (const auto& c : callbacks_)
    if (c.WantsComplete) return true;
  return false;
}

void TIQuorException::Announce() {
  std::vector<Callback> copy;
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    copy = callbacks_;
  }
  if (copy.empty()) return;
  const std::string text = BugReport(false);
  for (auto& c : copy) {
    try {
      c.Call(complete_, text, *this);
    } catch (...) {
      // A failing callback never stops the others or the report.
      RecordCaughtInternalError("bug report callback");
    }
  }
}

void TIQuorException::WaitForBuilder() {
  // One thread joins; another one that asks meanwhile waits for it here.
  std::lock_guard<std::mutex> hold(builderLock_);
  if (builder_.joinable() && builder_.get_id() != std::this_thread::get_id()) builder_.join();
}

void TIQuorException::SetCrcs(uint32_t crc0, uint32_t crc1, uint32_t crc2) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  crcs_[0] = crc0, crcs_[1] = crc1, crcs_[2] = crc2;
}

}  // namespace quor
