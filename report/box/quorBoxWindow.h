// TExceptionBox: one shown exception box. The constructor builds and shows
// the window, Run() is its modal loop in the calling thread, and Exit()
// tells how the user left it.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/WinUser.h"
#include "report/box/quorBoxButtons.h"
#include "report/box/quorBoxDetails.h"
#include "report/box/quorBoxException.h"
#include "report/box/quorBoxFonts.h"
#include "report/box/quorBoxIcons.h"
#include "report/box/quorBoxKind.h"

namespace quor {

inline constexpr const wchar_t* kBoxWindowClass = L"QuorExceptWndClass";
inline constexpr int kBoxButtonId = 100;  // + the button's index
inline constexpr int kBoxBigIconId = 108;
inline constexpr int kBoxMessageId = 109;
// Posted to the box from outside: a null message with both parameters 777
// closes it; 0x709 with 1357 and 2468 says the report changed.
inline constexpr UINT_PTR kBoxCloseParam = 777;
inline constexpr UINT kBoxReportChanged = 0x709;
inline constexpr WPARAM kBoxReportChangedW = 1357;
inline constexpr LPARAM kBoxReportChangedL = 2468;

enum class TBoxExit : uint8_t { Continue, ShowReport, Restart, CloseApp };

class TExceptionBox {
public:
  TExceptionBox(IBoxException& exception, TBoxKind kind, bool beep);
  ~TExceptionBox();
  TExceptionBox(const TExceptionBox&) = delete;
  TExceptionBox& operator=(const TExceptionBox&) = delete;

  // The modal loop: until the box window is gone, or the queue says quit
  // (the quit message is posted again for the loop outside).
  void Run();
  [[nodiscard]] TBoxExit Exit() const { return exit_; }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void ReportChanged(void* context);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void ResolveAutoActions();
  void PrepareTexts();
  void CreateBoxWindow();
  void CreateChildren();
  void PlaceWindow();
  void ChooseFocus();
  void StartCountdown();
  void Show(bool beep);

  bool PreTranslate(const MSG& msg);
  void OnButton(int32_t index);
  void Work(int32_t index);
  void OnCloseRequest();
  void CloseBox(TBoxExit exit);
  void RemoveButton(int32_t index);
  void Copy();

  void DrawItem(const DRAWITEMSTRUCT& item);
  void PaintButton(int32_t index, HDC dc, const TButtonLook& look, bool pressed);
  void Fade(int32_t index, HDC dc, const TButtonLook& from, const TButtonLook& to);
  void Flash(int32_t index);
  void Tick();
  void StopCountdown();
  void Resize(int32_t width, int32_t height);
  [[nodiscard]] int32_t IndexOf(HWND control) const;
  [[nodiscard]] bool Exists(int32_t index) const { return buttons_[size_t(index)] != nullptr; }

  IBoxException& exception_;
  TBoxKind kind_;
  bool ugly_ = false;
  bool resizable_ = false;
  std::wstring title_, message_;
  std::array<std::wstring, kBoxButtonCount> captions_;
  std::array<bool, kBoxButtonCount> visible_{};

  TBoxFonts fonts_;
  TBoxIcons icons_;
  std::unique_ptr<TBoxButtonPainter> painter_;
  base::WindowHandle window_;
  std::array<HWND, kBoxButtonCount> buttons_{};  // children of window_, none for a hidden button
  std::array<TButtonLook, kBoxButtonCount> looks_{};
  std::array<int32_t, kBoxButtonCount> iconOf_{};
  std::unique_ptr<TBoxDetails> details_;

  int32_t focused_ = -1;     // the button that has (or last had) the focus
  int32_t autoButton_ = -1;  // the button that counts down
  uint64_t countdownStart_ = 0;
  std::optional<int32_t> line_;
  uint64_t lastFadeEnd_ = 0;

  POINT minTrack_{};
  SIZE client_{};
  bool laidOut_ = false;
  bool callbackRegistered_ = false;
  bool closing_ = false;
  TBoxExit exit_ = TBoxExit::Continue;
};

}  // namespace quor
