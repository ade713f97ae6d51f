// The exception box's view of an exception object: what the box asks for,
// answered from the object, its settings, the exception history and the
// storage functions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "report/box/quorBoxException.h"
#include "report/handling/quorExceptObject.h"
#include "report/handling/quorExceptionHistory.h"
#include "report/text/quorReportText.h"

namespace quor {

class TBoxAdapter final : public IBoxException {
public:
  // `history` and `now` decide whether AutoClose and AutoRestart apply.
  TBoxAdapter(TIQuorException& exception, const TExceptionHistory& history, uint64_t now);

  IQuorSettings& Settings() override { return exception_; }
  int32_t Presentation() override { return exception_.Presentation(); }
  std::string Message() override { return ShownExceptionMessage(exception_.ExceptionMessage()); }
  uint32_t FrozenThreadId() override;
  bool CanContinue() override { return exception_.CanContinue(); }
  std::vector<TBoxReportPart> HeaderFields() override;
  std::vector<TBoxReportPart> Sections() override;
  std::string ReportText() override { return exception_.BugReport(false); }
  void RegisterReportChanged(TBoxReportChanged callback, void* context) override;
  void UnregisterReportChanged(TBoxReportChanged callback, void* context) override;
  HMODULE ResourceModule() override { return reinterpret_cast<HMODULE>(exception_.Module()); }
  bool AutoCloseApplies() override;
  bool AutoRestartApplies() override;
  bool ActionHook(int32_t action, HWND box) override;
  void Send(HWND box) override;
  bool Save(HWND box) override;
  void Print(HWND box) override;
  void WaitForBackgroundSend() override;
  void Restart() override;
  void Close() override;
  void FreezeBoxShown(HWND box) override;

  [[nodiscard]] TIQuorException& Exception() const { return exception_; }

private:
  TIQuorException& exception_;
  const TExceptionHistory& history_;
  uint64_t now_;
};

}  // namespace quor
