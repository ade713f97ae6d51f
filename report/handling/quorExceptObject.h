// The exception object: one per exception, freeze or state report. It is a
// settings object of its own over the settings of the module it was created
// for (every setting can be changed for this one exception), and it holds
// the facts the handling collected, the report's header fields and sections
// (field lists), the composed text with its change counter, and the
// callbacks that hear of every change. The report is built by a background
// thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include "base/WinHandle.h"
#include "report/handling/quorExceptClass.h"
#include "report/intercept/quorExceptRaise.h"
#include "report/progress/quorNVPrgrAlert.h"
#include "report/screenshot/quorExceptScreenshot.h"
#include "report/settings/quorFields.h"
#include "report/settings/quorPresentation.h"
#include "report/settings/quorSettingsObject.h"
#include "report/text/quorReportText.h"

namespace quor {

enum : uint8_t { kKindException = 0, kKindFreeze = 1 };

struct TExceptionParams {
  uint8_t Kind = kKindException;
  const void* Object = nullptr;
  const std::type_info* Type = nullptr;
  // What the object said, taken while it was alive; when not valid, the
  // object is described here (it must then live as long as this one).
  TExceptDescription Description;
  uint32_t Address = 0;
  uint32_t ThreadId = 0;
  uint32_t StackPointer = 0, FramePointer = 0;
  bool HasContext = false;
  uint8_t Context[kContextSize] = {};
  uint8_t Source = 0;
  const void* Sender = nullptr;
  bool CanContinue = true;
  std::vector<uint32_t> RaiseFrames;  // prepared call-stack data: the frame chain at the raise
  uint32_t RaiseStackAt = 0;          // ... and the stack words from the raise's stack pointer
  std::vector<uint8_t> RaiseStack;
  bool ForceListThreads = false;  // state reports list every thread
};

class TIQuorException;
using TBugReportCallback = std::function<void(bool complete, const std::string& text, TIQuorException& exception)>;

class TIQuorException : public TIQuorSettings {
public:
  // `settings`: those of the module the exception belongs to.
  TIQuorException(SettingsHost& host, QuorPtr<IQuorModuleSettings> settings, TExceptionParams params);
  TIQuorException(const TIQuorException&) = delete;
  TIQuorException& operator=(const TIQuorException&) = delete;

  // Texts with every placeholder expanded, %exceptMsg% and %bugReport% by
  // this exception's message and report.
  std::string TextValue(std::string_view name) override;

  const TExceptionParams& Params() const { return params_; }
  [[nodiscard]] bool CanContinue() const { return canContinue_; }
  // Only an exception that could continue at first may be set to continue.
  bool SetCanContinue(bool value);
  [[nodiscard]] const std::string& ExceptionClass() const { return description_.ClassName; }
  // The clean message (CleanExceptionMessage); ShownExceptionMessage for the user.
  [[nodiscard]] const std::string& ExceptionMessage() const { return message_; }
  [[nodiscard]] const TExceptDescription& Description() const { return description_; }
  [[nodiscard]] uint32_t CallstackCrc(int index) const;
  [[nodiscard]] bool CreatesBugReport() const { return createBugReport_; }
  [[nodiscard]] TPresentation Presentation() const { return presentation_; }
  // The assistant the exception's filter group names (presentation 1).
  [[nodiscard]] const std::string& AssistantName() const { return assistantName_; }
  // Carried for exception handlers of the program (this one registers none).
  [[nodiscard]] bool CallsHandlers() const { return callHandlers_; }
  void SetCallsHandlers(bool call) { callHandlers_ = call; }

  // The screenshot: whether the filter group wants one and attaches it, the
  // picture taken on the first request (ScrShotAppOnly).
  [[nodiscard]] TExceptScreenshot& ScreenshotState() { return screenshot_; }
  [[nodiscard]] std::shared_ptr<const INVBitmap> Screenshot() { return screenshot_.Get(ScrShotAppOnly()); }
  // The assistants offer the screenshot form only when this exception takes
  // screenshots.
  bool ScreenshotsAvailable() override { return screenshot_.Creates() && TIQuorSettings::ScreenshotsAvailable(); }

  // The report text; with `wait`, after the building thread has finished.
  [[nodiscard]] std::string BugReport(bool wait);
  void SetBugReport(const std::string& text);
  [[nodiscard]] bool Complete() const { return complete_; }

  // Changes inside an update are announced once, at the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  // Header fields and sections; every change of them counts and is announced.
  [[nodiscard]] QuorPtr<IQuorFieldsEx> HeaderFields() const { return header_; }
  [[nodiscard]] QuorPtr<IQuorFieldsEx> Sections() const { return sections_; }
  void SetHeaderField(const std::string& name, const std::string& content);
  void SetSection(const std::string& name, const std::string& text);

  // Callbacks, identified by `key`; a new one is called at once.
  void RegisterCallback(const void* key, TBugReportCallback callback, bool wantsComplete);
  void UnregisterCallback(const void* key);
  [[nodiscard]] bool CallbackWantsComplete() const;

  // Builds the header and the section placeholders, then fills the sections
  // in a background thread (or right here with `synchronous`).
  void StartReport(bool synchronous);

  // Stored flag (the report went into the bug report file) and the
  // once-only claims of the automatic actions.
  std::atomic<bool> Stored{false};
  // Set when a send delivered the report (AutoSaveIfNotSent asks).
  std::atomic<bool> Sent{false};
  // The thread of the last background send, kept until the next one starts.
  [[nodiscard]] HANDLE LastSend() const { return lastSend_.get(); }
  void SetLastSend(base::KernelHandle thread) { lastSend_ = std::move(thread); }
  [[nodiscard]] bool ClaimAutoSave() { return autoSaveClaim_.fetch_add(1) == -1; }
  [[nodiscard]] bool ClaimAutoAction() { return autoActionClaim_.fetch_add(1) == -1; }

protected:
  ~TIQuorException() override;

private:
  // Owner of the header and section lists: a change through them takes the
  // object's lock around it and is announced when the lock is let go.
  class TListsOwner final : public ::quor::IQuorFieldsOwner {
  public:
    explicit TListsOwner(TIQuorException& e) : e_(e) {}
    void FieldsChanged(IQuorFields&) override;
    void LockOwner() override;
    void UnlockOwner() override;

  private:
    TIQuorException& e_;
  };

  void Changed();
  void Announce();
  void BuildSections();
  // Until the report-building thread has ended (at once in that thread).
  void WaitForBuilder();
  // With the wait window: shows it while the report-building thread works
  // on, unless the report is ready before it would show.
  void WaitWithWindow();
  void SetCrcs(uint32_t crc0, uint32_t crc1, uint32_t crc2);

  TExceptionParams params_;
  TExceptDescription description_;
  std::string message_;
  bool initialCanContinue_, canContinue_;
  bool createBugReport_ = true;
  TPresentation presentation_ = kPresentFullBox;
  std::string assistantName_;
  bool callHandlers_ = true;
  TExceptScreenshot screenshot_{false};

  mutable std::recursive_mutex lock_;
  TListsOwner listsOwner_{*this};
  QuorPtr<IQuorFieldsEx> header_, sections_;
  std::string cached_;
  bool cachedValid_ = false;
  uint64_t changes_ = 0;
  int updateCount_ = 0;
  bool changePending_ = false;
  std::atomic<bool> complete_{false};
  uint32_t crcs_[3] = {};

  struct Callback {
    const void* Key;
    TBugReportCallback Call;
    bool WantsComplete;
  };
  std::vector<Callback> callbacks_;

  bool started_ = false;
  std::mutex builderLock_;  // guards builder_ (starting and joining)
  std::thread builder_;
  std::shared_future<void> builderEnd_;  // ready when the building thread's work is done
  QuorPtr<IProgressAlert> wait_;         // the wait window (PlWaitBox): an area per traced thread
  std::atomic<bool> abort_{false};
  std::atomic<int> autoSaveClaim_{-1}, autoActionClaim_{-1};
  base::KernelHandle lastSend_;
};

using TExceptionRef = QuorPtr<TIQuorException>;

// A snapshot of a field list, for composing the text.
[[nodiscard]] TReportFields FieldsSnapshot(IQuorFieldsEx& fields);

}  // namespace quor
