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
  params.style |= ES_AUTOHSCROLL;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(handle_, EM_LIMITTEXT, maxLength_, 0);
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
  else if (name == "ReadOnly" || name == "AutoSelect" || name == "BorderStyle" || name == "CharCase") {
    // Defaults of this program's edits.
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

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  width_ = 65;
  height_ = 17;
}

void TLabel::SetCaption(const std::string& text) {
  caption_ = text;
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() { AdjustBounds(); }

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!AutoSize || WordWrap) return;
  RECT r = {0, 0, 0, 0};
  {
    const base::WindowDc screen(nullptr);
    const base::Selection font(screen.get(), font_.Handle());
    const std::wstring text = Wide(caption_.empty() ? " " : caption_);
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  }
  int left = left_;
  if (Alignment == TAlignment::taRightJustify) left = left_ + width_ - r.right;
  SetBounds(left, top_, r.right, r.bottom);
  UpdateAnchorRules();
}

void TLabel::Paint(HDC dc) {
  RECT r = {0, 0, width_, height_};
  if (!Transparent) {
    const base::GdiObject<HBRUSH> b(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &r, b.get());
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(font_.Color));
  const base::Selection font(dc, font_.Handle());
  const UINT align = Alignment == TAlignment::taRightJustify ? DT_RIGHT
                     : Alignment == TAlignment::taCenter     ? DT_CENTER
                                                             : DT_LEFT;
  const std::wstring text = Wide(caption_);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            align | DT_NOPREFIX | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE));
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
  else if (name == "Layout" || name == "ShowAccelChar" || name == "FocusControl") {
    // Top layout, no accelerators: the defaults this program uses.
  } else
    return TGraphicControl::SetProperty(name, v);
  return true;
}

}  // namespace tk
