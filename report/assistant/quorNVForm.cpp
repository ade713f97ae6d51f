#include "report/assistant/quorNVForm.h"

#include <algorithm>

#include "base/WinAnsi.h"
#include "base/WinGdiObject.h"
#include "base/WinPaint.h"
#include "base/WinSelection.h"
#include "base/WinUser.h"
#include "base/WinWindowDc.h"
#include "report/assistant/quorNVCheckBox.h"
#include "report/assistant/quorNVEditFrame.h"
#include "report/assistant/quorNVImage.h"
#include "report/assistant/quorNVLayout.h"

namespace quor {

namespace {

constexpr int kSmallFont = 11, kLargeFont = 15;
// Colours of edit texts: valid, not valid (BGR as COLORREF holds them).
constexpr COLORREF kValidText = RGB(0x00, 0x80, 0x00), kInvalidText = RGB(0x80, 0x00, 0x00);
constexpr int kBackgroundLift = 8, kPanelFrameDarken = 16;
constexpr int kPanelTop = 25, kMessageX = 11, kMessageY = 6, kNumberPitch = 19, kNumberBox = 20, kNumberShade = 2;

COLORREF Shift(COLORREF c, int by) {
  const auto channel = [by](int v) { return static_cast<BYTE>(std::clamp(v + by, 0, 255)); };
  return RGB(channel(GetRValue(c)), channel(GetGValue(c)), channel(GetBValue(c)));
}

// The role colours of the three buttons, and of other buttons.
COLORREF RoleColor(size_t index) {
  switch (index) {
    case 0: return RGB(0x20, 0x90, 0x30);  // Continue: green
    case 1: return RGB(0x30, 0x60, 0xC0);  // Skip: blue
    case 2: return RGB(0xC0, 0x30, 0x30);  // Cancel: red
    default: return GetSysColor(COLOR_BTNSHADOW);
  }
}

// One form while it shows.
class FormWindow {
public:
  FormWindow(NVFormModel& form, const NVFormShow& show) : form_(form), show_(show) {
    small_.reset(CreateFontW(-kSmallFont, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    large_.reset(CreateFontW(-kLargeFont, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  }

  int32_t Run(HWND owner);

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void Create(HWND owner);
  HFONT FontOf(NVFont font) const { return font == NVFont::kNormal || font == NVFont::kPlainButton ? small_.get() : large_.get(); }
  NVSize Measure(NVFont font, std::string_view text, int32_t wrap) const;
  void Paint(HDC dc) const;
  void DrawButton(const DRAWITEMSTRUCT& dis) const;
  // Asks for every image item's picture; one that changed is painted again.
  void UpdatePictures();
  void Fire(NVAction action, NVItem* item);
  void SyncFromWindows();
  void UpdateContinue();
  void Close(int32_t result);
  // The next enabled item with a tab stop after `from` (before it with
  // `back`), round the ring.
  HWND NextTabItem(HWND from, bool back) const;
  bool PreTranslate(MSG& msg);
  size_t IndexOf(HWND child) const;

  NVFormModel& form_;
  const NVFormShow& show_;
  base::GdiObject<HFONT> small_, large_;
  base::GdiObject<HBRUSH> background_;
  base::WindowHandle window_;
  std::vector<HWND> controls_;  // one per item; children die with the window
  std::vector<TNVImage> images_;  // one per item, used by image items
  NVLayout layout_;
  bool closed_ = false;
  bool syncing_ = false;  // our own SetWindowText, not the user's change
};

NVSize FormWindow::Measure(NVFont font, std::string_view text, int32_t wrap) const {
  const base::WindowDc dc(nullptr);
  const base::Selection select(dc.get(), FontOf(font));
  const std::wstring wide = base::AnsiToWide(text.empty() ? std::string_view(" ") : text);
  RECT r = {0, 0, wrap > 0 ? wrap : 0, 0};
  DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &r,
            DT_CALCRECT | DT_NOPREFIX | (wrap > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  return {text.empty() ? 0 : static_cast<int32_t>(r.right - r.left), static_cast<int32_t>(r.bottom - r.top)};
}

void FormWindow::Create(HWND owner) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_CLASSDC | CS_PARENTDC;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kNVAssistantClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (!registered) return;
  images_ = std::vector<TNVImage>(form_.items.size());
  UpdatePictures();
  layout_ = LayoutNVForm(
      form_, show_.count, [this](NVFont f, std::string_view t, int32_t w) { return Measure(f, t, w); },
      [this](const NVItem& item, int32_t maxWidth) {
        return images_[size_t(&item - form_.items.data())].SizeWithFrames(item, maxWidth);
      });
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME;
  RECT r = {0, 0, layout_.clientWidth, layout_.clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  window_.reset(CreateWindowExW(exStyle, kNVAssistantClass, base::AnsiToWide(show_.title).c_str(), style, x, y, w, h,
                                owner, nullptr, GetModuleHandleW(nullptr), this));
  if (!window_) return;
  // The form can only be closed: no sizing, moving to a size or icon.
  if (HMENU menu = GetSystemMenu(window_.get(), FALSE))
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) DeleteMenu(menu, command, MF_BYCOMMAND);
  background_.reset(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));

  controls_.assign(form_.items.size(), nullptr);
  for (size_t i = 0; i < form_.items.size(); ++i) {
    const NVItem& item = form_.items[i];
    const NVRect& at = layout_.items[i];
    const wchar_t* cls = L"BUTTON";
    std::wstring text = base::AnsiToWide(item.caption);
    DWORD s = WS_CHILD | WS_VISIBLE;
    switch (item.kind) {
      case NVItemKind::Button:
        s |= WS_TABSTOP | (item.noOwnerDraw ? BS_PUSHBUTTON : BS_OWNERDRAW);
        if (!item.visible) s &= ~WS_VISIBLE;
        break;
      case NVItemKind::Label: cls = L"STATIC"; s |= SS_LEFT | SS_NOPREFIX; break;
      case NVItemKind::Edit:
        cls = L"EDIT";
        text = base::AnsiToWide(item.text);
        s |= WS_TABSTOP | WS_BORDER |
             (item.lines > 1 ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
        break;
      case NVItemKind::CheckBox: s |= WS_TABSTOP | BS_AUTOCHECKBOX; break;
      case NVItemKind::Image:
        cls = L"STATIC";
        text.clear();
        s |= SS_NOTIFY | SS_OWNERDRAW;
        break;
    }
    HWND c = CreateWindowExW(0, cls, text.c_str(), s, at.left, at.top, at.Width(), at.Height(), window_.get(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNVFirstItemId + i)),
                             GetModuleHandleW(nullptr), nullptr);
    controls_[i] = c;
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(small_.get()), FALSE);
    if (item.kind == NVItemKind::Edit) FrameNVEdit(c);
    if (item.kind == NVItemKind::CheckBox) {
      PaintNVCheckBox(c);
      SendMessageW(c, BM_SETCHECK, item.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    EnableWindow(c, item.enabled);
  }
}

int32_t FormWindow::Run(HWND owner) {
  Create(owner);
  if (!window_) return form_.modalResult = nvmrCancel;
  UpdateContinue();
  HWND first = nullptr;
  if (NVItem* active = form_.Find(form_.activeControl)) first = controls_[static_cast<size_t>(active - form_.items.data())];
  if (!first) first = NextTabItem(controls_[2], false);
  Fire(nvaShowing, nullptr);
  ShowWindow(window_.get(), SW_SHOW);
  SetForegroundWindow(window_.get());
  if (first && IsWindowEnabled(first)) SetFocus(first);
  if (form_.timer > 0) SetTimer(window_.get(), kNVFormTimer, static_cast<UINT>(form_.timer), nullptr);
  MSG msg;
  while (!closed_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the caller's loop must see it too
      Close(nvmrCancel);
      break;
    }
    if (got == -1) break;
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  window_.reset();
  return form_.modalResult;
}

bool FormWindow::PreTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN || !IsChild(window_.get(), msg.hwnd)) return false;
  const size_t i = IndexOf(msg.hwnd);
  const NVItem* item = i < form_.items.size() ? &form_.items[i] : nullptr;
  switch (msg.wParam) {
    case VK_ESCAPE:
      if (IsWindowEnabled(controls_[2])) Close(nvmrCancel);
      return true;
    case VK_TAB:
      if (HWND next = NextTabItem(msg.hwnd, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
      return true;
    case VK_RETURN:
      if (item && item->kind == NVItemKind::Button) {
        SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
        return true;
      }
      if (item && item->kind == NVItemKind::Edit && item->lines > 1) return false;  // a line break
      if (HWND next = NextTabItem(msg.hwnd, false)) SetFocus(next);
      return true;
    default:
      return false;
  }
}

size_t FormWindow::IndexOf(HWND child) const {
  const auto it = std::find(controls_.begin(), controls_.end(), child);
  return static_cast<size_t>(it - controls_.begin());
}

HWND FormWindow::NextTabItem(HWND from, bool back) const {
  const size_t n = controls_.size();
  if (n == 0) return nullptr;
  size_t i = std::min(IndexOf(from), n - 1);
  for (size_t step = 0; step < n; ++step) {
    i = back ? (i + n - 1) % n : (i + 1) % n;
    const HWND c = controls_[i];
    if (c && IsWindowVisible(c) && IsWindowEnabled(c) && (GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP)) return c;
  }
  return nullptr;
}

void FormWindow::SyncFromWindows() {
  for (size_t i = 0; i < form_.items.size(); ++i) {
    NVItem& item = form_.items[i];
    if (item.kind == NVItemKind::Edit) {
      const int n = GetWindowTextLengthW(controls_[i]);
      std::wstring text(static_cast<size_t>(n) + 1, L'\0');
      text.resize(static_cast<size_t>(GetWindowTextW(controls_[i], text.data(), n + 1)));
      item.text = base::WideToAnsi(text);
    } else if (item.kind == NVItemKind::CheckBox) {
      item.checked = SendMessageW(controls_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
  }
}

void FormWindow::Fire(NVAction action, NVItem* item) {
  if (!show_.onAction) return;
  show_.onAction(form_, action, item);
  if (closed_) return;
  // The handler may have changed items: the windows follow.
  syncing_ = true;
  for (size_t i = 0; i < form_.items.size(); ++i) {
    const NVItem& it = form_.items[i];
    EnableWindow(controls_[i], it.enabled);
    if (it.kind == NVItemKind::CheckBox)
      SendMessageW(controls_[i], BM_SETCHECK, it.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (it.kind == NVItemKind::Edit) InvalidateRect(controls_[i], nullptr, TRUE);
  }
  syncing_ = false;
  UpdatePictures();
  UpdateContinue();
}

void FormWindow::UpdatePictures() {
  if (!show_.pictureOf) return;
  for (size_t i = 0; i < form_.items.size(); ++i)
    if (form_.items[i].kind == NVItemKind::Image && images_[i].SetSource(show_.pictureOf(form_, form_.items[i])) &&
        i < controls_.size() && controls_[i])
      InvalidateRect(controls_[i], nullptr, FALSE);
}

void FormWindow::UpdateContinue() {
  if (controls_.size() > 0 && controls_[0]) EnableWindow(controls_[0], form_.items[0].enabled && form_.ContinueAllowed());
}

void FormWindow::Close(int32_t result) {
  if (closed_) return;
  KillTimer(window_.get(), kNVFormTimer);
  SyncFromWindows();
  form_.modalResult = result;
  closed_ = true;
  Fire(nvaClosed, nullptr);
  // The window goes when the modal loop ends, not inside the message that
  // closed it (a button click is still running in the button's procedure).
  PostMessageW(window_.get(), WM_NULL, 0, 0);
}

void FormWindow::Paint(HDC dc) const {
  RECT client;
  GetClientRect(window_.get(), &client);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const base::GdiObject<HBRUSH> back(CreateSolidBrush(Shift(face, kBackgroundLift)));
  FillRect(dc, &client, back.get());
  const int panelBottom = layout_.items.empty() ? client.bottom : layout_.items[0].top - 10;
  RECT panel = {8, kPanelTop, client.right - 9, panelBottom};
  const base::GdiObject<HBRUSH> frame(CreateSolidBrush(Shift(face, -kPanelFrameDarken)));
  FillRect(dc, &panel, frame.get());
  InflateRect(&panel, -2, -2);
  FillRect(dc, &panel, GetSysColorBrush(COLOR_BTNFACE));

  SetBkMode(dc, TRANSPARENT);
  const base::Selection font(dc, large_.get());
  SetTextColor(dc, GetSysColor(COLOR_3DDKSHADOW));
  const std::wstring message = base::AnsiToWide(form_.message);
  TextOutW(dc, kMessageX, kMessageY, message.c_str(), static_cast<int>(message.size()));
  // The forms' numbers at the top right, the current one raised in bold.
  for (int n = 1; n <= show_.count; ++n) {
    const int x = client.right - 8 - (show_.count - n + 1) * kNumberPitch;
    RECT box = {x, 2, x + kNumberBox, 2 + kNumberBox};
    const std::wstring digits = std::to_wstring(n);
    if (n == show_.number) {
      FillRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
      InflateRect(&box, -1, -1);
      // Window-coloured, each row a little darker than the one above.
      for (int y = box.top; y < box.bottom; ++y) {
        const COLORREF shade = Shift(GetSysColor(COLOR_WINDOW), -kNumberShade * (y - box.top));
        const base::GdiObject<HBRUSH> row(CreateSolidBrush(shade));
        const RECT line = {box.left, y, box.right, y + 1};
        FillRect(dc, &line, row.get());
      }
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    } else {
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    DrawTextW(dc, digits.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void FormWindow::DrawButton(const DRAWITEMSTRUCT& dis) const {
  const size_t i = static_cast<size_t>(dis.CtlID) - kNVFirstItemId;
  const RECT& r = dis.rcItem;
  const bool disabled = dis.itemState & ODS_DISABLED, focused = dis.itemState & ODS_FOCUS;
  const COLORREF role = RoleColor(i);
  if (disabled) {
    FillRect(dis.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    // A vertical run from white (dark when focused) towards the role's tint.
    const int h = std::max<int>(1, r.bottom - r.top);
    for (int y = 0; y < h; ++y) {
      const int t = y * 64 / h;
      const COLORREF top = focused ? Shift(role, -60) : RGB(255, 255, 255);
      const COLORREF c = RGB(GetRValue(top) + (GetRValue(role) - GetRValue(top)) * t / 255,
                             GetGValue(top) + (GetGValue(role) - GetGValue(top)) * t / 255,
                             GetBValue(top) + (GetBValue(role) - GetBValue(top)) * t / 255);
      const base::GdiObject<HBRUSH> line(CreateSolidBrush(c));
      RECT row = {r.left, r.top + y, r.right, r.top + y + 1};
      FillRect(dis.hDC, &row, line.get());
    }
  }
  const base::GdiObject<HBRUSH> frame(CreateSolidBrush(disabled ? GetSysColor(COLOR_BTNSHADOW) : role));
  FrameRect(dis.hDC, &r, frame.get());
  SetBkMode(dis.hDC, TRANSPARENT);
  SetTextColor(dis.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : focused ? RGB(255, 255, 255) : RGB(0, 0, 0));
  const base::Selection font(dis.hDC, large_.get());
  const std::wstring caption = base::AnsiToWide(form_.items[i].caption);
  RECT text = r;
  DrawTextW(dis.hDC, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || self->window_.get() != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->Handle(msg, wParam, lParam);
}

LRESULT FormWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = window_.get();
  switch (msg) {
    case WM_PAINT: {
      const base::PaintScope paint(hwnd);
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills everything
    case WM_DRAWITEM: {
      const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const size_t i = size_t(dis.CtlID) - kNVFirstItemId;
      if (dis.CtlType == ODT_STATIC && i < form_.items.size())
        images_[i].Paint(dis.hDC, dis.rcItem, form_.items[i]);
      else
        DrawButton(dis);
      return TRUE;
    }
    case WM_SETCURSOR: {
      // A hand over a clickable image.
      const size_t i = IndexOf(reinterpret_cast<HWND>(wParam));
      if (i < form_.items.size() && form_.items[i].kind == NVItemKind::Image && form_.items[i].clickable) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLOREDIT: {
      const size_t i = IndexOf(reinterpret_cast<HWND>(lParam));
      if (i >= form_.items.size()) break;
      const NVItem& item = form_.items[i];
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, !item.valid ? kInvalidText : item.colored ? kValidText : RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_COMMAND: {
      const size_t i = static_cast<size_t>(LOWORD(wParam)) - kNVFirstItemId;
      if (i >= form_.items.size()) break;
      NVItem& item = form_.items[i];
      if (item.kind == NVItemKind::Edit && HIWORD(wParam) == EN_CHANGE && !syncing_) {
        SyncFromWindows();
        Fire(nvaChanged, &item);
      } else if (HIWORD(wParam) == BN_CLICKED && (item.kind == NVItemKind::Button || item.kind == NVItemKind::CheckBox)) {
        SyncFromWindows();
        Fire(nvaChanged, &item);
        if (i < 3 && !closed_) Close(static_cast<int32_t>(i) + nvmrContinue);
      } else if (item.kind == NVItemKind::Image && HIWORD(wParam) == STN_CLICKED && item.clickable) {
        Fire(nvaChanged, &item);
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kNVFormTimer) Fire(nvaChanged, nullptr);
      return 0;
    case WM_CLOSE:
      Close(nvmrCancel);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int32_t RunNVForm(NVFormModel& form, const NVFormShow& show, HWND owner) {
  FormWindow window(form, show);
  return window.Run(owner);
}

int32_t RunNVAssistant(std::vector<NVFormModel>& forms, const std::string& title, const NVActionHandler& onAction,
                       HWND owner, const NVPictureOf& pictureOf) {
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (owner) EnableWindow(owner, FALSE);
  int32_t result = nvmrContinue;
  for (size_t i = 0; i < forms.size(); ++i) {
    const NVFormShow show{title, static_cast<int32_t>(i + 1), static_cast<int32_t>(forms.size()), onAction, pictureOf};
    if (RunNVForm(forms[i], show, owner) == nvmrCancel) {
      result = nvmrCancel;
      break;
    }
  }
  if (owner) EnableWindow(owner, ownerWasEnabled);
  return result;
}

}  // namespace quor
