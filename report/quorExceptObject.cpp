#include "report/quorExceptObject.h"

#include <sstream>

#include "report/quorExceptHeader.h"
#include "report/quorExceptStacks.h"
#include "report/quorReportSections.h"
#include "report/quorTextFormat.h"

namespace quor {

namespace {

std::vector<std::string> SplitClasses(const std::string& list) {
  std::vector<std::string> names;
  std::stringstream in(list);
  std::string name;
  while (std::getline(in, name, ',')) {
    const size_t b = name.find_first_not_of(' '), e = name.find_last_not_of(' ');
    if (b != std::string::npos) names.push_back(name.substr(b, e - b + 1));
  }
  return names;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

void Replace(TReportFields& fields, const std::string& name, const std::string& content) {
  for (auto& f : fields)
    if (f.Name == name) {
      f.Content = content;
      return;
    }
  fields.push_back({name, content});
}

}  // namespace

std::string FilterGroupOf(const TExceptSettings& settings, const TExceptDescription& description, uint8_t kind) {
  if (kind == kKindFreeze || !description.Valid) return "Gn";
  for (const char* group : {"F1", "F2"})
    for (const auto& name : SplitClasses(settings.Text(std::string(group) + "Classes")))
      for (const auto& cls : description.Ancestry)
        if (SameName(name, cls)) return group;
  return "Gn";
}

TIQuorException::TIQuorException(const TExceptSettings& settings, TExceptionParams params)
    : settings_(settings), params_(std::move(params)) {
  if (params_.Kind != kKindFreeze) description_ = DescribeException(params_.Object, params_.Type);
  message_ = CleanExceptionMessage(description_.Message);
  initialCanContinue_ = canContinue_ = params_.CanContinue;
  const std::string group = FilterGroupOf(settings_, description_, params_.Kind);
  createBugReport_ = !settings_.Bool(group + "NoBugRep");
  presentation_ = settings_.Int(group + "ShowCfg");
  settings_.SetBool("PauseThreads", settings_.Bool("PauseThreads") && !settings_.Bool(group + "NoSuspend"));
  if (params_.ForceListThreads) settings_.SetBool("ListThreads", true);
}

TIQuorException::~TIQuorException() {
  abort_ = true;
  if (builder_.joinable()) builder_.join();
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

TReportFields TIQuorException::Header() const {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  return header_;
}

TReportFields TIQuorException::Sections() const {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  return sections_;
}

void TIQuorException::SetHeaderField(const std::string& name, const std::string& content) {
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    Replace(header_, name, content);
  }
  Changed();
}

void TIQuorException::SetSection(const std::string& name, const std::string& text) {
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    Replace(sections_, name, text);
  }
  Changed();
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
    if (builder_.joinable() && builder_.get_id() != std::this_thread::get_id()) builder_.join();
  }
  TReportFields header, sections;
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (cachedValid_) return cached_;
    changes = changes_;
    header = header_;
    sections = sections_;
  }
  std::string text = ComposeReportText(header, sections);
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
    }
  }
}

void TIQuorException::SetCrcs(uint32_t crc0, uint32_t crc1, uint32_t crc2) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  crcs_[0] = crc0, crcs_[1] = crc1, crcs_[2] = crc2;
}

}  // namespace quor
