// What the exception box needs of the exception it shows. The reporter's
// runtime adapts its exception object to this; tests give a fake. The box
// holds the object for its whole life and calls it from the box's thread,
// except for the report-changed callback, which may come from any thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/box/quorBoxDetails.h"
#include "report/settings/quorSettings.h"

namespace quor {

// Called whenever the report text changed; `context` as registered.
using TBoxReportChanged = void (*)(void* context);

class IBoxException {
public:
  // The exception's own settings: values by name, and the setters the box
  // uses (ShowBtnVis, FocusedBtn, AutoShowBugRep, AutoContinue, AutoRestart,
  // AutoClose).
  virtual IQuorSettings& Settings() = 0;
  // 0 full box, 1 assistant, 2 detail box, 3 simple box, 4 nothing.
  virtual int32_t Presentation() = 0;
  virtual std::string Message() = 0;  // the exception message
  // The frozen main thread's identifier when the exception is a freeze, else 0.
  virtual uint32_t FrozenThreadId() = 0;
  virtual bool CanContinue() = 0;
  virtual std::vector<TBoxReportPart> HeaderFields() = 0;
  virtual std::vector<TBoxReportPart> Sections() = 0;
  virtual std::string ReportText() = 0;
  virtual void RegisterReportChanged(TBoxReportChanged callback, void* context) = 0;
  virtual void UnregisterReportChanged(TBoxReportChanged callback, void* context) = 0;
  // The module whose resources hold the QUORI* icons (the module whose
  // settings apply).
  virtual HMODULE ResourceModule() = 0;
  // Whether AutoClose / AutoRestart apply now: 0 never, 1 always, larger
  // values by the history of recent exceptions.
  virtual bool AutoCloseApplies() = 0;
  virtual bool AutoRestartApplies() = 0;

  // The button work. ActionHook runs first for every button (and F1);
  // true: handled, the button does nothing more.
  virtual bool ActionHook(int32_t action, HWND box) = 0;
  virtual void Send(HWND box) = 0;  // with the screenshot when wanted, in the background when set
  [[nodiscard]] virtual bool Save(HWND box) = 0;
  virtual void Print(HWND box) = 0;
  // Blocks until the last background send the box started has finished
  // (bounded by the send's own time-outs): called before restart and close.
  virtual void WaitForBackgroundSend() = 0;
  // Run the automatic actions due when the application ends, then restart
  // or terminate the process; they return only in tests.
  virtual void Restart() = 0;
  virtual void Close() = 0;
  // A frozen main thread's box is up: the freeze watchdog closes it (null
  // message 777/777) when the main thread answers again.
  virtual void FreezeBoxShown(HWND box) = 0;

protected:
  ~IBoxException() = default;
};

}  // namespace quor
