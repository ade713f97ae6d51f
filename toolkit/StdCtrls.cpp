#include "toolkit/StdCtrls.h"

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace tk {

TAlignment ValueToAlignment(const std::string& prop, const tpf0::Value& v) {
  const std::string a = ValueToIdent(prop, v);
  if (a == "taLeftJustify") return TAlignment::taLeftJustify;
  if (a == "taRightJustify") return TAlignment::taRightJustify;
  if (a == "taCenter") return TAlignment::taCenter;
  throw EReadError("Invalid property value for " + prop + ": " + a);
}

// ---------------------------------------------------------------- TButton

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  width_ = 75;
  height_ = 25;
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = L"BUTTON";
  params.style |= (active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (WordWrap ? BS_MULTILINE : 0);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  // A focus outside this form counts as no button of the form having it.
  const HWND focus = GetFocus();
  const bool ours = handle_ && focus && GetAncestor(focus, GA_ROOT) == GetAncestor(handle_, GA_ROOT);
  FocusMoved(ours ? focus : nullptr);
}

void TButton::FocusMoved(HWND focus) {
  const auto* focused = dynamic_cast<const TButton*>(FromHandle(focus));
  const bool active = focused ? focused == this : default_;
  if (active == active_) return;
  active_ = active;
  if (!handle_) return;
  // An owner-drawn button keeps its type; the others show the default frame.
  const LONG style = GetWindowLongW(handle_, GWL_STYLE);
  if ((style & BS_TYPEMASK) != BS_OWNERDRAW)
    SendMessageW(handle_, BM_SETSTYLE, (style & ~BS_TYPEMASK) | (active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), TRUE);
}

LRESULT TButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case CM_FOCUSCHANGED:
      FocusMoved(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | (active_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    default:
      return TWinControl::WndProc(msg, wParam, lParam);
  }
}

LRESULT TButton::CNCommand(WORD code) {
  if (code == BN_CLICKED) Click();
  return 0;
}

bool TButton::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "WordWrap")
    WordWrap = ValueToBool(name, v);
  else if (name == "Default")
    SetDefault(ValueToBool(name, v));
  else if (name == "Cancel" || name == "ModalResult") {
    // Not used by this program's buttons.
  } else
    return TWinControl::SetProperty(name, v);
  return true;
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  color_ = clWindow;
  parentColor_ = false;
  width_ = 121;
  height_ = 21;
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = L"EDIT";
  params.style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0) |
                  (charCase_ == TEditCharCase::ecUpperCase   ? ES_UPPERCASE
                   : charCase_ == TEditCharCase::ecLowerCase ? ES_LOWERCASE
                                                             : 0);
  if (borderStyle_ == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(handle_, EM_LIMITTEXT, maxLength_, 0);
  if (passwordChar_) SendMessageW(handle_, EM_SETPASSWORDCHAR, passwordChar_, 0);
}

void TEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (handle_) SendMessageW(handle_, EM_SETREADONLY, value, 0);
}

void TEdit::SetCharCase(TEditCharCase value) {
  if (value == charCase_) return;
  charCase_ = value;
  RecreateWnd();  // the case styles take effect only at creation
}

void TEdit::SetPasswordChar(wchar_t value) {
  if (value == passwordChar_) return;
  passwordChar_ = value;
  if (!handle_) return;
  SendMessageW(handle_, EM_SETPASSWORDCHAR, value, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TEdit::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
  // A click places the caret where it was made; focus from the keyboard selects all.
  if (msg == WM_SETFOCUS && AutoSelect && handle_ && GetKeyState(VK_LBUTTON) >= 0 &&
      (GetWindowLongW(handle_, GWL_STYLE) & ES_MULTILINE) == 0)
    SendMessageW(handle_, EM_SETSEL, 0, -1);
  return result;
}

std::string TEdit::Text() const { return handle_ ? Narrow(WindowText()) : caption_; }

void TEdit::SetText(const std::string& text) { SetCaption(text); }

void TEdit::SetMaxLength(int n) {
  maxLength_ = n;
  if (handle_) SendMessageW(handle_, EM_LIMITTEXT, n, 0);
}

LRESULT TEdit::CNCommand(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange(this);
  return 0;
}

bool TEdit::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "MaxLength")
    maxLength_ = ValueToInt(name, v);
  else if (name == "AutoSize")
    autoSize_ = ValueToBool(name, v);
  else if (name == "ReadOnly")
    SetReadOnly(ValueToBool(name, v));
  else if (name == "AutoSelect")
    AutoSelect = ValueToBool(name, v);
  else if (name == "CharCase") {
    const std::string c = ValueToIdent(name, v);
    if (c == "ecNormal")
      charCase_ = TEditCharCase::ecNormal;
    else if (c == "ecUpperCase")
      charCase_ = TEditCharCase::ecUpperCase;
    else if (c == "ecLowerCase")
      charCase_ = TEditCharCase::ecLowerCase;
    else
      throw EReadError("Invalid property value for " + name + ": " + c);
  } else if (name == "BorderStyle") {
    const std::string b = ValueToIdent(name, v);
    if (b != "bsNone" && b != "bsSingle") throw EReadError("Invalid property value for " + name + ": " + b);
    borderStyle_ = b == "bsNone" ? TBorderStyle::bsNone : TBorderStyle::bsSingle;
  } else if (name == "PasswordChar") {
    // Stored as a one-character string, or as a character code (#0: none).
    const std::wstring c = v.type == tpf0::ValueType::Int8 || v.type == tpf0::ValueType::Int16 ||
                                   v.type == tpf0::ValueType::Int32
                               ? std::wstring(1, static_cast<wchar_t>(ValueToInt(name, v)))
                               : Wide(ValueToString(name, v));
    passwordChar_ = c.empty() ? 0 : c[0];
  } else
    return TWinControl::SetProperty(name, v);
  return true;
}

// ---------------------------------------------------------------- TMemo

TMemo::TMemo(TComponent* owner) : TEdit(owner) {
  width_ = 185;
  height_ = 89;
}

void TMemo::CreateParams(TCreateParams& params) {
  TEdit::CreateParams(params);
  params.style &= ~ES_AUTOHSCROLL;
  params.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | scrollBars_ | (wordWrap_ ? 0 : ES_AUTOHSCROLL);
}

bool TMemo::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "ScrollBars") {
    const std::string s = ValueToIdent(name, v);
    scrollBars_ = s == "ssVertical"     ? WS_VSCROLL
                  : s == "ssHorizontal" ? WS_HSCROLL
                  : s == "ssBoth"       ? WS_VSCROLL | WS_HSCROLL
                                        : 0;
  } else if (name == "WordWrap")
    wordWrap_ = ValueToBool(name, v);
  else if (name == "Lines.Strings") {
    if (v.type != tpf0::ValueType::List) throw EReadError("Invalid property value for " + name);
    caption_.clear();
    for (const auto& line : v.list) caption_ += ValueToString(name, line) + "\r\n";
  } else
    return TEdit::SetProperty(name, v);
  return true;
}

void TMemo::TLines::Add(const std::string& line) {
  const std::string added = line + "\r\n";
  if (!memo_.handle_) {
    memo_.caption_ += added;
    return;
  }
  const int end = GetWindowTextLengthW(memo_.handle_);
  SendMessageW(memo_.handle_, EM_SETSEL, end, end);
  SendMessageW(memo_.handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(added).c_str()));
}

void TMemo::TLines::Clear() { memo_.SetCaption(""); }

int TMemo::TLines::Count() const {
  const std::string text = memo_.Text();
  int n = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) n += text[i] == '\r' && text[i + 1] == '\n';
  if (!text.empty() && (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)) ++n;
  return n;
}

std::string TMemo::TLines::operator[](int index) const {
  const std::string text = memo_.Text();
  size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = text.find("\r\n", start);
    if (start == std::string::npos) return {};
    start += 2;
  }
  const size_t end = text.find("\r\n", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// ---------------------------------------------------------------- TLabel

TTextLayout ValueToTextLayout(const std::string& prop, const tpf0::Value& v) {
  const std::string a = ValueToIdent(prop, v);
  if (a == "tlTop") return TTextLayout::tlTop;
  if (a == "tlCenter") return TTextLayout::tlCenter;
  if (a == "tlBottom") return TTextLayout::tlBottom;
  throw EReadError("Invalid property value for " + prop + ": " + a);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  width_ = 65;
  height_ = 17;
}

TLabel::~TLabel() { SetFocusControl(nullptr); }

void TLabel::SetFocusControl(TWinControl* control) {
  if (control == focusControl_) return;
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = control;
  if (focusControl_) FreeNotification(focusControl_);
}

void TLabel::Notification(TComponent* removed) {
  if (removed == focusControl_) focusControl_ = nullptr;
}

void TLabel::SetCaption(const std::string& text) {
  caption_ = text;
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() { AdjustBounds(); }

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  if (!focusControlName_.empty() && Owner()) {
    auto* target = dynamic_cast<TWinControl*>(Owner()->FindComponent(focusControlName_));
    if (!target) throw EReadError("Invalid property value for FocusControl: " + focusControlName_);
    SetFocusControl(target);
  }
  AdjustBounds();
}

std::wstring TLabel::DrawnText(UINT flags) const {
  std::wstring text = Wide(caption_);
  if ((flags & DT_CALCRECT) != 0 && (text.empty() || (ShowAccelChar && text == L"&"))) text += L' ';
  return text;
}

UINT TLabel::TextFlags() const {
  const UINT align = Alignment == TAlignment::taRightJustify ? DT_RIGHT
                     : Alignment == TAlignment::taCenter     ? DT_CENTER
                                                             : DT_LEFT;
  return align | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE) | (ShowAccelChar ? 0 : DT_NOPREFIX);
}

void TLabel::DoDrawText(HDC dc, RECT& r, UINT flags) {
  const std::wstring text = DrawnText(flags);
  if ((flags & DT_CALCRECT) == 0) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font_.Color));
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

void TLabel::AdjustBounds() {
  if (!AutoSize || WordWrap) return;
  RECT r = {0, 0, 0, 0};
  {
    const base::WindowDc screen(nullptr);
    const base::Selection font(screen.get(), font_.Handle());
    DoDrawText(screen.get(), r, DT_CALCRECT | (TextFlags() & ~(DT_RIGHT | DT_CENTER)));
  }
  int left = left_;
  if (Alignment == TAlignment::taRightJustify) left = left_ + width_ - r.right;
  SetBounds(left, top_, r.right, r.bottom);
  UpdateAnchorRules();
}

void TLabel::Paint(HDC dc) {
  RECT r = {0, 0, width_, height_};
  if (r.right <= 0 || r.bottom <= 0) return;  // nothing to show, nothing to draw
  if (!Transparent) {
    const base::GdiObject<HBRUSH> b(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &r, b.get());
  }
  const base::Selection font(dc, font_.Handle());
  UINT flags = TextFlags();
  if (Layout != TTextLayout::tlTop) {
    // The text's height decides where its top goes.
    RECT measured = r;
    DoDrawText(dc, measured, flags | DT_CALCRECT);
    const int free = height_ - (measured.bottom - measured.top);
    r.top += Layout == TTextLayout::tlBottom ? free : free / 2;
  }
  DoDrawText(dc, r, flags);
}

bool TLabel::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Alignment")
    Alignment = ValueToAlignment(name, v);
  else if (name == "AutoSize")
    AutoSize = ValueToBool(name, v);
  else if (name == "Transparent")
    Transparent = ValueToBool(name, v);
  else if (name == "WordWrap")
    WordWrap = ValueToBool(name, v);
  else if (name == "Layout")
    Layout = ValueToTextLayout(name, v);
  else if (name == "ShowAccelChar")
    ShowAccelChar = ValueToBool(name, v);
  else if (name == "FocusControl")
    focusControlName_ = ValueToIdent(name, v);
  else
    return TGraphicControl::SetProperty(name, v);
  return true;
}

}  // namespace tk
