#include "report/box/quorBoxWindow.h"

#include <algorithm>
#include <utility>

#include "base/WinAnsi.h"
#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "report/box/quorBoxAction.h"
#include "report/box/quorBoxBeep.h"
#include "report/box/quorBoxChoices.h"
#include "report/box/quorBoxClipboard.h"
#include "report/box/quorBoxColors.h"
#include "report/box/quorBoxCountdown.h"
#include "report/box/quorBoxLayout.h"
#include "report/box/quorBoxTexts.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this module, which owns the window class

namespace quor {
namespace {

constexpr UINT kClassStyle = CS_CLASSDC | CS_PARENTDC;
constexpr UINT_PTR kCountdownTimer = 777;
constexpr UINT kCountdownInterval = 10;
constexpr DWORD kFadeFrameMs = 10;
constexpr uint64_t kFlashPause = 200;  // a click this soon after a fade does not flash
constexpr int32_t kMessageSlack = 2;

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

struct TCaptionSetting {
  const char* full;
  const char* small;  // in the simple and detail box
};
constexpr TCaptionSetting kCaptions[kBoxButtonCount] = {
    {"SendBtnTxt", nullptr},        {"SaveBtnTxt", nullptr},    {"PrintBtnTxt", nullptr},
    {"ShowBtnTxt", "DetailsBtnTxt"}, {"ContinueBtnTxt", "OkBtnTxt"}, {"RestartBtnTxt", nullptr},
    {"CloseBtnTxt", nullptr},
};
constexpr const char* kVisibility[kBoxButtonCount] = {"SendBtnVis",     "SaveBtnVis",    "PrintBtnVis", "ShowBtnVis",
                                                      "ContinueBtnVis", "RestartBtnVis", "CloseBtnVis"};
constexpr int32_t kActions[kBoxButtonCount] = {BoxActionSend,     BoxActionSave,     BoxActionPrint, BoxActionShowReport,
                                               BoxActionContinue, BoxActionRestart, BoxActionClose};

std::wstring ExeTitle() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return base::AnsiToWide(ProgramTitle(base::WideToAnsi(path)));
}

RECT ToRect(const TBoxRect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

uint64_t Now() { return GetTickCount64(); }

}  // namespace

TExceptionBox::TExceptionBox(IBoxException& exception, TBoxKind kind, bool beep)
    : exception_(exception), kind_(kind), icons_(exception.ResourceModule()) {
  IQuorSettings& settings = exception_.Settings();
  ugly_ = kind_ == TBoxKind::Full && settings.UglyBtns();
  ResolveAutoActions();
  resizable_ = kind_ == TBoxKind::Full && settings.AutoShowBugRep();
  PrepareTexts();
  CreateBoxWindow();
  fonts_ = CreateBoxFonts();
  CreateChildren();
  PlaceWindow();
  ChooseFocus();
  StartCountdown();
  Show(beep);
  if (exception_.FrozenThreadId() != 0) exception_.FreezeBoxShown(window_.get());
  exception_.RegisterReportChanged(&TExceptionBox::ReportChanged, this);
  callbackRegistered_ = true;
}

TExceptionBox::~TExceptionBox() { CloseBox(exit_); }

void TExceptionBox::ResolveAutoActions() {
  if (kind_ != TBoxKind::Full) return;
  IQuorSettings& s = exception_.Settings();
  if (s.AutoShowBugRep()) s.SetShowBtnVis(false);
  const TBoxExits exits{s.ContinueBtnVis(), s.RestartBtnVis(), s.CloseBtnVis(), exception_.CanContinue()};
  const TBoxAutoActions actions{exception_.AutoCloseApplies(), exception_.AutoRestartApplies(), s.AutoContinue()};
  if (const int32_t button = AutoButton(actions, exits); button >= 0) s.SetFocusedBtn(button);
}

void TExceptionBox::PrepareTexts() {
  IQuorSettings& s = exception_.Settings();
  const std::string prepared = PrepareBoxMessage(exception_.Message());
  const bool frozen = exception_.FrozenThreadId() != 0;
  std::string message;
  if (kind_ == TBoxKind::Full) {
    message = InsertExceptMsg(frozen ? s.FrozenMsg() : s.ExceptMsg(), prepared);
    title_ = base::AnsiToWide(s.TitleBar());
  } else {
    message = frozen ? InsertExceptMsg(s.FrozenMsg(), prepared) : prepared;
    title_ = ExeTitle();
  }
  message_ = base::AnsiToWide(message);
  for (int32_t i = 0; i < kBoxButtonCount; ++i) {
    const bool small = kind_ != TBoxKind::Full;
    const char* name = small && kCaptions[i].small ? kCaptions[i].small : kCaptions[i].full;
    captions_[size_t(i)] = base::AnsiToWide(BoxCaption(s.TextValue(name)));
    visible_[size_t(i)] = small ? (i == kBoxContinue || (i == kBoxShow && kind_ == TBoxKind::Detail))
                                : s.BoolValue(kVisibility[i]);
  }
}

void TExceptionBox::CreateBoxWindow() {
  WNDCLASSW wc = {};
  wc.style = kClassStyle;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = ThisModule();
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kBoxWindowClass;
  // Registered at every box; a class left by an earlier box is used as it is
  // (the window procedure is set per window below).
  if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (resizable_) style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  window_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, kBoxWindowClass, title_.c_str(), style, 0, 0,
                                100, 100, nullptr, nullptr, ThisModule(), nullptr));
  if (!window_) return;
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TExceptionBox::WindowProc));
  if (!resizable_) {
    HMENU menu = GetSystemMenu(window_.get(), FALSE);
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) DeleteMenu(menu, command, MF_BYCOMMAND);
  }
}

void TExceptionBox::CreateChildren() {
  if (!window_) return;
  HWND box = window_.get();
  // Measured on the box's own DC: its children paint on it (parent DC).
  const base::WindowDc windowDc(box);
  const base::Selection font(windowDc.get(), fonts_.normal.get());

  TBoxLayoutInput in;
  in.kind = kind_;
  for (int32_t i = 0; i < kBoxButtonCount; ++i) {
    if (!visible_[size_t(i)]) continue;
    const std::wstring& c = captions_[size_t(i)];
    RECT r{0, 0, 0, 0};
    DrawTextW(windowDc.get(), c.c_str(), int(c.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    in.captionWidths[size_t(i)] = r.right - r.left;
  }
  in.uglyBtns = ugly_;
  in.details = resizable_;
  in.bigIcon = icons_.Has(kBoxBig);
  in.measureMessage = [&](int32_t width) {
    RECT r{0, 0, width, 0};
    DrawTextW(windowDc.get(), message_.c_str(), int(message_.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return TBoxSize{r.right - r.left, r.bottom - r.top};
  };
  in.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  in.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  in.captionHeight = GetSystemMetrics(SM_CYCAPTION);
  in.resizeExtraWidth = 2 * (GetSystemMetrics(SM_CXSIZEFRAME) - GetSystemMetrics(SM_CXDLGFRAME));
  in.resizeExtraHeight = 2 * (GetSystemMetrics(SM_CYSIZEFRAME) - GetSystemMetrics(SM_CYDLGFRAME));
  const TBoxLayout layout = LayOutBox(in);

  int32_t widest = TBoxIcons::Size(kBoxBig);
  for (const TBoxRect& r : layout.buttons) widest = std::max(widest, r.width);
  painter_ = std::make_unique<TBoxButtonPainter>(fonts_.normal.get(), widest,
                                                 std::max(layout.buttonHeight, TBoxIcons::Size(kBoxBig)), icons_,
                                                 ugly_);
  const auto child = [&](const wchar_t* cls, const std::wstring& text, DWORD style, const TBoxRect& r, int id) {
    HWND h = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width, r.height, box,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.normal.get()), FALSE);
    return h;
  };
  if (in.bigIcon) child(L"BUTTON", L"", BS_OWNERDRAW | WS_DISABLED, layout.bigIcon, kBoxBigIconId);
  // Wine: the static control drew "...frozen." up to 2 pixels wider than
  // DrawText measured it on the same DC, and the full stop went missing.
  TBoxRect messageRect = layout.message;
  messageRect.width += kMessageSlack;
  child(L"STATIC", message_, SS_LEFT | SS_NOPREFIX, messageRect, kBoxMessageId);

  const bool flat = kind_ == TBoxKind::Full;
  const bool cannotContinue = !exception_.CanContinue() && (visible_[kBoxRestart] || visible_[kBoxClose]);
  for (int32_t i = 0; i < kBoxButtonCount; ++i) {
    if (!visible_[size_t(i)]) continue;
    // Owner-drawn buttons keep their caption as window text, for automation.
    buttons_[size_t(i)] = child(L"BUTTON", captions_[size_t(i)], (flat ? BS_OWNERDRAW : BS_PUSHBUTTON) | WS_TABSTOP,
                                layout.buttons[size_t(i)], kBoxButtonId + i);
    iconOf_[size_t(i)] = i;
    looks_[size_t(i)] = painter_->Unfocused(false);
  }
  if (Exists(kBoxContinue) && cannotContinue && kind_ == TBoxKind::Full) {
    EnableWindow(buttons_[kBoxContinue], FALSE);
    iconOf_[kBoxContinue] = kBoxCantContinue;
    looks_[kBoxContinue] = painter_->Unfocused(true);
  }
  if (resizable_) {
    details_ = std::make_unique<TBoxDetails>(box, ToRect(layout.details), fonts_.normal.get(), fonts_.fixed.get());
    details_->Update(exception_.HeaderFields(), exception_.Sections());
  }
  minTrack_ = {layout.outer.width, layout.outer.height};
}

void TExceptionBox::PlaceWindow() {
  if (!window_) return;
  const int32_t x = (GetSystemMetrics(SM_CXSCREEN) - minTrack_.x) / 2;
  const int32_t y = (GetSystemMetrics(SM_CYSCREEN) - minTrack_.y) / 2;
  SetWindowPos(window_.get(), nullptr, x, y, minTrack_.x, minTrack_.y, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(window_.get(), &client);
  client_ = {client.right, client.bottom};
  laidOut_ = true;
}

void TExceptionBox::ChooseFocus() {
  const int32_t wanted = kind_ == TBoxKind::Full ? FocusedButton(exception_.Settings().FocusedBtn()) : kBoxContinue;
  if (wanted < kBoxButtonCount && Exists(wanted)) {
    focused_ = wanted;
    looks_[size_t(wanted)] = painter_->Focused();
    if (kind_ != TBoxKind::Full) SendMessageW(buttons_[size_t(wanted)], BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
  }
}

void TExceptionBox::StartCountdown() {
  if (kind_ != TBoxKind::Full || !window_) return;
  IQuorSettings& s = exception_.Settings();
  const TBoxExits exits{Exists(kBoxContinue), Exists(kBoxRestart), Exists(kBoxClose), exception_.CanContinue()};
  autoButton_ = AutoButton({exception_.AutoCloseApplies(), exception_.AutoRestartApplies(), s.AutoContinue()}, exits);
  // No countdown without a positive delay (it would never end).
  if (autoButton_ < 0 || s.AutoDelay() <= 0) {
    autoButton_ = -1;
    return;
  }
  countdownStart_ = Now();
  SetTimer(window_.get(), kCountdownTimer, kCountdownInterval, nullptr);
}

void TExceptionBox::Show(bool beep) {
  if (!window_) return;
  HWND box = window_.get();
  ShowWindow(box, SW_SHOWNORMAL);
  if (IsIconic(box)) ShowWindow(box, SW_RESTORE);
  BringWindowToTop(box);
  SetForegroundWindow(box);
  if (focused_ >= 0) SetFocus(buttons_[size_t(focused_)]);
  if (!beep) return;
  // The box is painted before the beep starts: the first sound of a process
  // takes a while to load and must not hold the box back.
  RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  BeepHandAside();
}

void TExceptionBox::Run() {
  MSG msg;
  while (window_ && IsWindow(window_.get())) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
      break;
    }
    if (got == -1) break;
    if (!msg.hwnd && msg.message == WM_NULL && msg.wParam == kBoxCloseParam && msg.lParam == LPARAM(kBoxCloseParam)) {
      CloseBox(TBoxExit::Continue);
      continue;
    }
    if (PreTranslate(msg)) continue;
    if ((details_ && details_->OwnsWindow(msg.hwnd)) || !window_ || !IsDialogMessageW(window_.get(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

bool TExceptionBox::PreTranslate(const MSG& msg) {
  HWND box = window_.get();
  if (msg.message != WM_KEYDOWN || !(msg.hwnd == box || IsChild(box, msg.hwnd))) return false;
  switch (msg.wParam) {
    case VK_ESCAPE: PostMessageW(box, WM_CLOSE, 0, 0); return true;
    case VK_F1: (void)exception_.ActionHook(BoxActionHelp, box); return true;
    case 'C':
      if (GetKeyState(VK_CONTROL) >= 0) return false;
      Copy();
      return true;
    default: return false;
  }
}

void TExceptionBox::Copy() {
  IQuorSettings& s = exception_.Settings();
  const std::string text = s.AutoShowBugRep() ? exception_.ReportText() : exception_.Message();
  if (!CopyBoxText(window_.get(), text, exception_.FrozenThreadId())) MessageBeep(MB_OK);
}

LRESULT CALLBACK TExceptionBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<TExceptionBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!box || box->closing_) return DefWindowProcW(window, message, wParam, lParam);
  return box->Handle(message, wParam, lParam);
}

void TExceptionBox::ReportChanged(void* context) {
  // Any thread: only a posted message reaches the box. The callback is
  // unregistered before the window goes, so the window is still there.
  auto* box = static_cast<TExceptionBox*>(context);
  PostMessageW(box->window_.get(), kBoxReportChanged, kBoxReportChangedW, kBoxReportChangedL);
}

LRESULT TExceptionBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND box = window_.get();
  switch (message) {
    case WM_NULL:
      if (wParam == kBoxCloseParam && lParam == LPARAM(kBoxCloseParam)) CloseBox(TBoxExit::Continue);
      return 0;
    case kBoxReportChanged:
      if (wParam == kBoxReportChangedW && lParam == kBoxReportChangedL && details_)
        details_->Update(exception_.HeaderFields(), exception_.Sections());
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (HIWORD(wParam) == BN_CLICKED && id >= kBoxButtonId && id < kBoxButtonId + kBoxButtonCount)
        OnButton(id - kBoxButtonId);
      return 0;
    }
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_CLOSE: OnCloseRequest(); return 0;
    case WM_TIMER:
      if (wParam == kCountdownTimer) Tick();
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Resize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      if (laidOut_) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = minTrack_;
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the active box gives the focus back to its button.
      if (LOWORD(wParam) != WA_INACTIVE && focused_ >= 0 && Exists(focused_)) {
        SetFocus(buttons_[size_t(focused_)]);
        return 0;
      }
      break;
    case DM_GETDEFID:
      // Enter clicks the focused button.
      if (const int32_t index = IndexOf(GetFocus()); index >= 0) return MAKELRESULT(kBoxButtonId + index, DC_HASDEFID);
      return 0;
    case WM_NOTIFY:
      if (details_ && details_->Notify(*reinterpret_cast<const NMHDR*>(lParam))) return TRUE;
      break;
    default: break;
  }
  return DefWindowProcW(box, message, wParam, lParam);
}

int32_t TExceptionBox::IndexOf(HWND control) const {
  if (!control) return -1;
  for (int32_t i = 0; i < kBoxButtonCount; ++i)
    if (buttons_[size_t(i)] == control) return i;
  return -1;
}

void TExceptionBox::OnButton(int32_t index) {
  if (closing_ || !Exists(index)) return;
  StopCountdown();
  if (kind_ == TBoxKind::Full && !ugly_ && (index == kBoxShow || Now() - lastFadeEnd_ > kFlashPause)) Flash(index);
  Work(index);
}

void TExceptionBox::Work(int32_t index) {
  HWND box = window_.get();
  const bool handled = exception_.ActionHook(kActions[index], box);
  switch (index) {
    case kBoxSend:
      if (!handled) exception_.Send(box);
      break;
    case kBoxSave:
      if (!handled && exception_.Save(box) && IsAbsoluteFileName(exception_.Settings().BugRepFile()))
        RemoveButton(kBoxSave);
      break;
    case kBoxPrint:
      if (!handled) exception_.Print(box);
      break;
    case kBoxShow: CloseBox(TBoxExit::ShowReport); return;
    case kBoxContinue:
      CloseBox(exception_.CanContinue() ? TBoxExit::Continue : TBoxExit::CloseApp);
      return;
    case kBoxRestart:
      if (!handled) CloseBox(TBoxExit::Restart);
      return;
    case kBoxClose:
      if (!handled) CloseBox(TBoxExit::CloseApp);
      return;
    default: return;
  }
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW: the work may have changed it
}

void TExceptionBox::OnCloseRequest() {
  StopCountdown();
  const TBoxExits exits{Exists(kBoxContinue), Exists(kBoxRestart), Exists(kBoxClose), exception_.CanContinue()};
  switch (ResolveCloseRequest(exception_.Settings().FocusedBtn(), kind_, exits)) {
    case TCloseRequest::Continue: Work(kBoxContinue); break;
    case TCloseRequest::Restart: Work(kBoxRestart); break;
    case TCloseRequest::CloseApp: Work(kBoxClose); break;
    case TCloseRequest::Nothing: break;
  }
}

void TExceptionBox::CloseBox(TBoxExit exit) {
  if (closing_) return;
  closing_ = true;
  exit_ = exit;
  // The callback goes first: a thread that completes the report must not
  // post to a window that is gone (or to another that got its handle).
  if (callbackRegistered_) exception_.UnregisterReportChanged(&TExceptionBox::ReportChanged, this);
  callbackRegistered_ = false;
  details_.reset();
  window_.reset();
  // Windows: messages sent from another thread are handled inside
  // GetMessage, which then goes on waiting for a posted one; closed from
  // such a message, the loop is woken up to see that the box is gone.
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void TExceptionBox::RemoveButton(int32_t index) {
  // A child: destroyed now rather than with the box.
  const base::WindowHandle removed(std::exchange(buttons_[size_t(index)], nullptr));
  if (focused_ == index) {
    focused_ = -1;
    SetFocus(window_.get());
  }
}

void TExceptionBox::Resize(int32_t width, int32_t height) {
  if (!laidOut_) return;
  const int32_t dx = width - client_.cx, dy = height - client_.cy;
  client_ = {width, height};
  if (dx == 0 && dy == 0) return;
  for (int32_t i = kBoxContinue; i <= kBoxClose; ++i) {
    if (!Exists(i)) continue;
    RECT r;
    GetWindowRect(buttons_[size_t(i)], &r);
    MapWindowPoints(nullptr, window_.get(), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(buttons_[size_t(i)], nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  if (details_) details_->Grow(dx, dy);
  InvalidateRect(window_.get(), nullptr, TRUE);
}

void TExceptionBox::Tick() {
  if (countdownStart_ == 0 || autoButton_ < 0 || !Exists(autoButton_)) return;
  HWND button = buttons_[size_t(autoButton_)];
  RECT r;
  GetClientRect(button, &r);
  const auto line = CountdownLine(int64_t(Now() - countdownStart_), r.right, exception_.Settings().AutoDelay(), ugly_);
  if (!line || line == line_) return;
  line_ = line;
  if (CountdownDone(*line, r.right, ugly_)) {
    KillTimer(window_.get(), kCountdownTimer);  // one click, not one per tick until it is handled
    PostMessageW(window_.get(), WM_COMMAND, MAKEWPARAM(kBoxButtonId + autoButton_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
  InvalidateRect(button, nullptr, FALSE);
}

void TExceptionBox::StopCountdown() {
  if (countdownStart_ == 0) return;
  countdownStart_ = 0;
  line_.reset();
  KillTimer(window_.get(), kCountdownTimer);
  if (autoButton_ >= 0 && Exists(autoButton_)) InvalidateRect(buttons_[size_t(autoButton_)], nullptr, FALSE);
}

void TExceptionBox::PaintButton(int32_t index, HDC dc, const TButtonLook& look, bool pressed) {
  HWND button = buttons_[size_t(index)];
  RECT r;
  GetClientRect(button, &r);
  TButtonState state;
  state.icon = iconOf_[size_t(index)];
  state.focused = GetFocus() == button;
  state.pressed = pressed;
  state.disabled = !IsWindowEnabled(button);
  if (index == autoButton_ && countdownStart_ != 0) state.line = line_;
  painter_->Paint(dc, r.right, r.bottom, captions_[size_t(index)], look, state);
}

void TExceptionBox::Fade(int32_t index, HDC dc, const TButtonLook& from, const TButtonLook& to) {
  for (int32_t frame = 1; frame <= kFadeFrames; ++frame) {
    if (frame > 1) Sleep(kFadeFrameMs);
    PaintButton(index, dc, {MixColor(from.text, to.text, frame), MixColor(from.background, to.background, frame)},
                false);
  }
  looks_[size_t(index)] = to;
  lastFadeEnd_ = Now();
}

void TExceptionBox::Flash(int32_t index) {
  const base::WindowDc dc(buttons_[size_t(index)]);
  const TButtonLook focused = painter_->Focused();
  const TButtonLook start = looks_[size_t(index)];
  if (index == kBoxShow) {
    Fade(index, dc.get(), start, painter_->Vanished());
    return;
  }
  Fade(index, dc.get(), start, painter_->Unfocused(false));
  Sleep(kFadeFrameMs);
  Fade(index, dc.get(), painter_->Unfocused(false), focused);
}

void TExceptionBox::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID == UINT(kBoxBigIconId)) {
    painter_->PaintBigIcon(item.hDC);
    return;
  }
  const int32_t index = IndexOf(item.hwndItem);
  if (index < 0) return;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (item.itemAction == ODA_FOCUS && !(item.itemState & ODS_DISABLED)) {
    const bool gained = (item.itemState & ODS_FOCUS) != 0;
    if (gained && focused_ != index) {
      StopCountdown();  // the user moved the focus
      focused_ = index;
    }
    const TButtonLook target = gained ? painter_->Focused() : painter_->Unfocused(false);
    if (!ugly_ && !(looks_[size_t(index)] == target)) {
      Fade(index, item.hDC, looks_[size_t(index)], target);
      return;
    }
    looks_[size_t(index)] = target;
  }
  PaintButton(index, item.hDC, looks_[size_t(index)], pressed);
}

}  // namespace quor
