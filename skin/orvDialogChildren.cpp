#include "skin/orvDialogChildren.h"

#include <algorithm>

#include "base/WinPaint.h"
#include "skin/orvComboBoxWnd.h"
#include "skin/orvHeaderWnd.h"
#include "skin/orvSpinWnd.h"
#include "skin/orvToolBarWnd.h"
#include "skin/sConst.h"
#include "skin/sGraphUtils.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"

namespace skin {

namespace {

// A disabled button shows this much of its own face over the background.
constexpr double kDisabledBlend = 0.4;
// Pixels between a check box's image and its caption.
constexpr int32_t kCheckTextGap = 4;
// A group box's caption: where it starts, the room on either side of the
// text, and the width of the frame drawn on the screen.
constexpr int32_t kGroupCaptionLeft = 6, kGroupCaptionPad = 2, kGroupFrame = 3;

bool Pushed(HWND h) { return (SendMessageW(h, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

}  // namespace

// Each skinner detaches in its own destructor, while its RemoveSkin is
// still its own.
TorvChildWnd::~TorvChildWnd() { Detach(); }
TorvStaticWnd::~TorvStaticWnd() { Detach(); }
TorvIconWnd::~TorvIconWnd() { Detach(); }
TorvBtnWnd::~TorvBtnWnd() { Detach(); }
TorvTransPanelWnd::~TorvTransPanelWnd() { Detach(); }
TorvCheckBoxWnd::~TorvCheckBoxWnd() { Detach(); }
TorvGroupBoxWnd::~TorvGroupBoxWnd() { Detach(); }
TorvSizerWnd::~TorvSizerWnd() { Detach(); }

HFONT TorvChildWnd::Font() const {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::wstring TorvChildWnd::Text() const {
  const int len = GetWindowTextLengthW(window_);
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window_, text.data(), len + 1)));
  return text;
}

TCacheInfo TorvChildWnd::ParentBackground() {
  SharedBackground() = {};
  const HWND parent = GetParent(window_);
  if (parent) SendMessageW(parent, SM_SKINCMD, MakeSkinCmd(SKC_GETBG), 0);
  POINT at{0, 0};
  MapWindowPoints(window_, parent, &at, 1);
  return SharedBackground().Shifted(at.x, at.y);
}

void TorvChildWnd::PaintBackground(TsBitmap24& bmp, int32_t state, int32_t top) {
  const TCacheInfo bg = ParentBackground();
  // The dialog's picture first, so that a section without a face of its
  // own shows the dialog under it.
  for (int32_t y = 0; y < bmp.Height(); ++y)
    for (int32_t x = 0; x < bmp.Width(); ++x)
      if (bg.Covers(x, y)) bmp.SetPixel(x, y, bg.Bmp->Pixel(bg.X + x, bg.Y + y));
  PaintItem(*data_, bg, true, state, true, bmp, {0, top}, {0, top, bmp.Width(), bmp.Height()});
}

TsBitmap24 TorvChildWnd::Picture() {
  RECT r;
  GetClientRect(window_, &r);
  TsBitmap24 bmp(std::max<LONG>(1, r.right), std::max<LONG>(1, r.bottom));
  PaintBackground(bmp, State());
  PaintContent(bmp);
  return bmp;
}

LRESULT TorvChildWnd::Quietly(UINT msg, WPARAM wParam, LPARAM lParam) {
  const bool visible = IsWindowVisible(window_) != FALSE;
  if (visible) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  const LRESULT r = Default(msg, wParam, lParam);
  if (visible) {
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, FALSE);
  }
  return r;
}

LRESULT TorvChildWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const base::PaintScope paint(window_);
      CopyCacheToDC(Picture(), paint.dc(), 0, 0);
      return 0;
    }
    case WM_PRINTCLIENT:
      CopyCacheToDC(Picture(), reinterpret_cast<HDC>(wParam), 0, 0);
      return 0;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case STM_SETICON:
    case STM_SETIMAGE:
      return Quietly(msg, wParam, lParam);
    case SM_SKINCMD: {
      const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
      if (cmd == SKC_MOUSEENTER || cmd == SKC_MOUSELEAVE) {
        hot_ = cmd == SKC_MOUSEENTER;
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
      }
      return TorvMainWnd::Handle(msg, wParam, lParam);
    }
    default:
      return TorvMainWnd::Handle(msg, wParam, lParam);
  }
}

void TorvStaticWnd::PaintContent(TsBitmap24& bmp) {
  const LONG style = GetWindowLongW(window_, GWL_STYLE);
  UINT flags = DT_WORDBREAK | DT_EXPANDTABS;
  if ((style & SS_TYPEMASK) == SS_CENTER) flags |= DT_CENTER;
  if ((style & SS_TYPEMASK) == SS_RIGHT) flags |= DT_RIGHT;
  if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) flags = (flags & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  WriteSkinText(bmp, Font(), Text(), IsWindowEnabled(window_) != FALSE, data_->Skin(), data_->SectionIndex, false,
                flags, {0, 0, bmp.Width(), bmp.Height()});
}

void TorvIconWnd::PaintContent(TsBitmap24& bmp) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(window_, STM_GETICON, 0, 0));
  if (!icon) return;
  TsDibCanvas canvas(bmp);
  DrawIconEx(canvas.DC(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

bool TorvChildWnd::Hot() const {
  const TsSkinManager* m = TsSkinManager::DefaultManager();
  return hot_ || (m && m->HotWindow() == window_);
}

int32_t TorvBtnWnd::State() const {
  if (!IsWindowEnabled(window_)) return 0;
  if (Pushed(window_)) return 2;
  const LONG type = GetWindowLongW(window_, GWL_STYLE) & BS_TYPEMASK;
  return GetFocus() == window_ || Hot() || type == BS_DEFPUSHBUTTON ? 1 : 0;
}

void TorvBtnWnd::PaintContent(TsBitmap24& bmp) {
  const int32_t state = State();
  const bool enabled = IsWindowEnabled(window_) != FALSE;
  const LONG style = GetWindowLongW(window_, GWL_STYLE);
  RECT r{0, 0, bmp.Width(), bmp.Height()};
  if (state == 2) OffsetRect(&r, 1, 1);
  const std::wstring text = Text();
  const UINT flags = DT_CENTER | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
  RECT textRect = r;
  if (style & BS_MULTILINE) {
    const TPoint size = MeasureText(Font(), text, r.right - r.left, flags);
    textRect.top = (r.top + r.bottom - size.Y) / 2;
    textRect.bottom = textRect.top + size.Y;
  }
  WriteSkinText(bmp, Font(), text, enabled, data_->Skin(), data_->SectionIndex, state != 0, flags, textRect);
  if (!enabled) {
    // The disabled button fades into what lies behind it.
    TsBitmap24 behind(bmp.Width(), bmp.Height());
    const TsBitmap24 face = bmp;
    PaintBackground(behind, 0);
    for (int32_t y = 0; y < bmp.Height(); ++y)
      for (int32_t x = 0; x < bmp.Width(); ++x) {
        const TColor a = face.Pixel(x, y), b = behind.Pixel(x, y);
        TColor c = 0;
        for (int shift : {0, 8, 16}) {
          const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
          c |= static_cast<TColor>(cb + (ca - cb) * kDisabledBlend) << shift;
        }
        bmp.SetPixel(x, y, c);
      }
  }
  const bool showFocus = data_->SectionIndex >= 0 && data_->Skin().gd[static_cast<size_t>(data_->SectionIndex)].ShowFocus;
  if (GetFocus() == window_ && !text.empty() && showFocus &&
      !(SendMessageW(window_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    const TPoint size = MeasureText(Font(), text, r.right - r.left, flags);
    RECT focus{(r.left + r.right - size.X) / 2 - 1, (r.top + r.bottom - size.Y) / 2 - 1, 0, 0};
    focus.right = focus.left + size.X + 2;
    focus.bottom = focus.top + size.Y + 2;
    TsDibCanvas canvas(bmp);
    DrawFocusRect(canvas.DC(), &focus);
  }
}

LRESULT TorvBtnWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCPAINT:
      return 0;
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_CAPTURECHANGED:
      return Quietly(msg, wParam, lParam);
    case BM_SETCHECK:
    case WM_LBUTTONUP:
    case WM_KEYUP: {
      // These click the button or check it, and the dialog acts on the
      // click while the message runs: the window stays visible meanwhile.
      // Wine: a radio button's check walks its group with
      // GetNextDlgGroupItem, which skips hidden windows and would then
      // never come back to where it started.
      const LRESULT r = Default(msg, wParam, lParam);
      if (IsWindow(window_)) InvalidateRect(window_, nullptr, FALSE);
      return r;
    }
    default:
      return TorvChildWnd::Handle(msg, wParam, lParam);
  }
}

void TorvCheckBoxWnd::PaintContent(TsBitmap24& bmp) {
  const LONG style = GetWindowLongW(window_, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  const LRESULT check = SendMessageW(window_, BM_GETCHECK, 0, 0);
  const TsSkinManager* m = data_->Manager();
  int32_t image = -1;
  if (m) {
    const TsCachedIndexes& c = m->ConstData();
    if (radio) image = check == BST_CHECKED ? c.RadioButtonChecked : c.RadioButtonUnchecked;
    else if (check == BST_INDETERMINATE) image = c.CheckBoxGrayed;
    else image = check == BST_CHECKED ? c.CheckBoxChecked : c.CheckBoxUnchecked;
  }
  const int32_t state = State();
  int32_t boxWidth = 0;
  if (image >= 0) {
    const TsSkinTables& t = data_->Skin();
    const TsMaskData& img = t.ma[static_cast<size_t>(image)];
    const TPoint size = StateSize(img);
    boxWidth = size.X;
    PaintSkinGlyph(bmp, {0, (bmp.Height() - size.Y) / 2}, state, img, img.Picture ? *img.Picture : t.MasterBitmap);
  }
  const UINT flags = DT_LEFT | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
  WriteSkinText(bmp, Font(), Text(), IsWindowEnabled(window_) != FALSE, data_->Skin(), data_->SectionIndex, state != 0,
                flags, {boxWidth + kCheckTextGap, 0, bmp.Width(), bmp.Height()});
}

int32_t TorvGroupBoxWnd::CaptionHeight() {
  const std::wstring text = Text();
  return text.empty() ? 0 : MeasureText(Font(), text, 0, DT_SINGLELINE).Y;
}

void TorvGroupBoxWnd::PaintContent(TsBitmap24& bmp) {
  const std::wstring text = Text();
  if (text.empty()) return;
  const TPoint size = MeasureText(Font(), text, 0, DT_SINGLELINE);
  // The caption stands on the parent's background, across the frame.
  const TCacheInfo bg = ParentBackground();
  const int32_t right = std::min(bmp.Width(), kGroupCaptionLeft + size.X + 2 * kGroupCaptionPad);
  for (int32_t y = 0; y < std::min(bmp.Height(), size.Y); ++y)
    for (int32_t x = kGroupCaptionLeft; x < right; ++x)
      if (bg.Covers(x, y)) bmp.SetPixel(x, y, bg.Bmp->Pixel(bg.X + x, bg.Y + y));
  WriteSkinText(bmp, Font(), text, IsWindowEnabled(window_) != FALSE, data_->Skin(), data_->SectionIndex, false,
                DT_SINGLELINE, {kGroupCaptionLeft + kGroupCaptionPad, 0, right, size.Y});
}

LRESULT TorvGroupBoxWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return TorvChildWnd::Handle(msg, wParam, lParam);
  RECT r;
  GetClientRect(window_, &r);
  const int32_t captionHeight = CaptionHeight();
  TsBitmap24 bmp(std::max<LONG>(1, r.right), std::max<LONG>(1, r.bottom));
  PaintBackground(bmp, 0, captionHeight / 2);
  PaintContent(bmp);
  const base::PaintScope paint(window_);
  // The inside belongs to the controls in the box.
  ExcludeClipRect(paint.dc(), kGroupFrame, std::max(captionHeight, kGroupFrame), r.right - kGroupFrame,
                  r.bottom - kGroupFrame);
  CopyCacheToDC(bmp, paint.dc(), 0, 0);
  return 0;
}

LRESULT TorvTransPanelWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      CopyCacheToDC(Picture(), reinterpret_cast<HDC>(wParam), 0, 0);
      return 1;
    case WM_NCPAINT:
      return 0;
    case WM_PAINT:
      return Default(msg, wParam, lParam);
    default:
      return TorvChildWnd::Handle(msg, wParam, lParam);
  }
}

LRESULT TorvSizerWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEMOVE) {
    // Over an enabled grip no control is hot.
    if (TsSkinManager* m = TsSkinManager::DefaultManager(); m && IsWindowEnabled(window_)) m->SetHotWindow(nullptr);
    return Default(msg, wParam, lParam);
  }
  return TorvChildWnd::Handle(msg, wParam, lParam);
}

namespace {

std::unique_ptr<TorvMainWnd> Attached(TChildSkinner kind, HWND child, const std::string& section) {
  switch (kind) {
    case TChildSkinner::Static:
      return AttachSkinner<TorvStaticWnd>(child, nullptr, section, false);
    case TChildSkinner::Icon:
      return AttachSkinner<TorvIconWnd>(child, nullptr, section, false);
    case TChildSkinner::Button:
      return AttachSkinner<TorvBtnWnd>(child, nullptr, section, false);
    case TChildSkinner::CheckBox:
      return AttachSkinner<TorvCheckBoxWnd>(child, nullptr, section, false);
    case TChildSkinner::GroupBox:
      return AttachSkinner<TorvGroupBoxWnd>(child, nullptr, section, false);
    case TChildSkinner::TransPanel:
      return AttachSkinner<TorvTransPanelWnd>(child, nullptr, section, false);
    case TChildSkinner::Sizer:
      return AttachSkinner<TorvSizerWnd>(child, nullptr, section, false);
    case TChildSkinner::ComboBox:
      return AttachSkinner<TorvComboBoxWnd>(child, nullptr, section, false);
    case TChildSkinner::ToolBar:
      return AttachSkinner<TorvToolBarWnd>(child, nullptr, section, false);
    case TChildSkinner::Spin:
      return AttachSkinner<TorvSpinWnd>(child, nullptr, section, false);
    case TChildSkinner::ListView:
      return AttachSkinner<TorvListViewWnd>(child, nullptr, section, true);
    case TChildSkinner::Edit:
    case TChildSkinner::ComboList:
    case TChildSkinner::TreeView:
      return AttachSkinner<TorvEditWnd>(child, nullptr, section, true);
    default:
      // Links keep the system's painting, on the dialog's colours.
      return nullptr;
  }
}

}  // namespace

std::unique_ptr<TorvMainWnd> CreateChildSkinner(TChildSkinner kind, HWND child, const std::string& section) {
  std::unique_ptr<TorvMainWnd> skinner = Attached(kind, child, section);
  if (skinner) {
    skinner->SkinData().UpdateIndexes();
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  return skinner;
}

}  // namespace skin
