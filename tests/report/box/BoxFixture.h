// A fake exception for the box's window tests, and the helpers that play
// the user on a second thread while the box's modal loop runs in the test's
// thread.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "report/box/quorBoxException.h"
#include "report/box/quorBoxKind.h"
#include "report/settings/quorSettingsObject.h"
#include "tests/report/settings/SettingsFixture.h"

namespace quortest {

class FakeBoxException final : public quor::IBoxException {
public:
  // Over the program's stored settings (the TQUOREXCEPT resource linked into
  // the test); changes stay with this exception.
  FakeBoxException();

  // What the box finds.
  int32_t presentation = 0;
  std::string message = "Range check error";
  uint32_t frozenThread = 0;
  bool canContinue = true;
  bool closeApplies = false, restartApplies = false;
  bool hookHandles = false;  // the action hook answers "handled"
  bool saves = true;
  std::string report = "date/time : 2024-03-07\r\nexception message : Range check error\r\n";
  std::vector<quor::TBoxReportPart> sections{{"main thread ($1)", ">> internal error"}};

  // What the box did, in order: action codes given to the hook, and the
  // work asked for ("send", "save", "print", "wait", "restart", "close").
  std::vector<int32_t> hooks;
  std::vector<std::string> work;
  HWND freezeBox = nullptr;
  bool registered = false;
  bool windowAliveAtUnregister = false;

  quor::IQuorSettings& Settings() override { return *settings_; }
  int32_t Presentation() override { return presentation; }
  std::string Message() override { return message; }
  uint32_t FrozenThreadId() override { return frozenThread; }
  bool CanContinue() override { return canContinue; }
  std::vector<quor::TBoxReportPart> HeaderFields() override { return {{"date/time", "2024-03-07"}}; }
  std::vector<quor::TBoxReportPart> Sections() override { return sections; }
  std::string ReportText() override { return report; }
  void RegisterReportChanged(quor::TBoxReportChanged callback, void* context) override;
  void UnregisterReportChanged(quor::TBoxReportChanged callback, void* context) override;
  HMODULE ResourceModule() override { return GetModuleHandleW(nullptr); }
  bool AutoCloseApplies() override { return closeApplies; }
  bool AutoRestartApplies() override { return restartApplies; }
  bool ActionHook(int32_t action, HWND) override {
    hooks.push_back(action);
    return hookHandles;
  }
  void Send(HWND) override { work.push_back("send"); }
  bool Save(HWND) override {
    work.push_back("save");
    return saves;
  }
  void Print(HWND) override { work.push_back("print"); }
  void WaitForBackgroundSend() override { work.push_back("wait"); }
  void Restart() override { work.push_back("restart"); }
  void Close() override { work.push_back("close"); }
  void FreezeBoxShown(HWND box) override { freezeBox = box; }

  // As a report-building thread does when the report grew.
  void ChangeReport();

private:
  FakeSettingsHost host_;
  quor::QuorPtr<quor::TIQuorSettings> module_;
  quor::QuorPtr<quor::TIQuorSettings> settings_;
  std::mutex callbackLock_;
  quor::TBoxReportChanged callback_ = nullptr;
  void* context_ = nullptr;
};

// Runs the box in this thread (RunExceptionBox) while `user` runs on
// another; whatever box is still open when `user` returns is closed from
// outside (null message 777/777), so a failing case cannot hang.
void RunWithUser(FakeBoxException& exception, quor::TBoxKind kind, const std::function<void()>& user);

// A visible box window other than `other`; null after `ms` milliseconds.
HWND WaitForBox(HWND other = nullptr, int ms = 5000);
bool WaitUntilGone(HWND window, int ms = 5000);
// Posts the close request from outside.
void CloseFromOutside(HWND box);

HWND Button(HWND box, int32_t index);
std::wstring Text(HWND window);
RECT ChildRect(HWND child);  // in the parent's client coordinates
HWND FocusOf(HWND box);      // the focused window of the box's thread
// The colour on the screen at (x, y) of the window's client area; negative
// x counts from the right edge.
COLORREF ScreenPixel(HWND window, int x, int y);

// The window as on the screen (with its frame), as a PNG file.
void SaveScreenshot(HWND window, const char* name);

}  // namespace quortest
