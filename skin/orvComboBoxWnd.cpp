#include "skin/orvComboBoxWnd.h"

#include <algorithm>

#include "base/WinPaint.h"
#include "skin/sConst.h"
#include "skin/sGraphUtils.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"

namespace skin {

namespace {

// The frame the skin paints around the combo's own painting, and the
// drop-down button's distance from the window's edges.
constexpr int32_t kComboEdge = 3, kButtonInset = 2;

bool Dropped(HWND combo) { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

bool HasButton(HWND combo) { return (GetWindowLongW(combo, GWL_STYLE) & 3) != CBS_SIMPLE; }

}  // namespace

TorvComboBoxWnd::~TorvComboBoxWnd() { Detach(); }

RECT TorvComboBoxWnd::ButtonRect() const {
  if (!HasButton(window_)) return {};
  RECT r;
  GetClientRect(window_, &r);
  const int32_t width = GetSystemMetrics(SM_CXVSCROLL);
  if (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_RTLREADING)
    return {kButtonInset, kButtonInset, kButtonInset + width, r.bottom - kButtonInset};
  return {r.right - kButtonInset - width, kButtonInset, r.right - kButtonInset, r.bottom - kButtonInset};
}

int32_t TorvComboBoxWnd::State() const {
  if (!IsWindowEnabled(window_)) return 0;
  if (Dropped(window_)) return 2;
  const HWND focus = GetFocus();
  return focus == window_ || IsChild(window_, focus) || Hot() ? 1 : 0;
}

void TorvComboBoxWnd::PaintContent(TsBitmap24& bmp) {
  // The combo paints its selection (text, owner-drawn icons, focus) itself,
  // off screen; the skin keeps the frame and the button.
  TsBitmap24 own(bmp.Width(), bmp.Height());
  {
    TsDibCanvas canvas(own);
    if (canvas.DC()) Default(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
  }
  const RECT button = ButtonRect();
  RECT inside{kComboEdge, kComboEdge, bmp.Width() - kComboEdge, bmp.Height() - kComboEdge};
  if (!IsRectEmpty(&button)) {
    if (button.left <= kButtonInset) inside.left = button.right;
    else inside.right = button.left;
  }
  for (int32_t y = std::max<LONG>(0, inside.top); y < std::min<LONG>(bmp.Height(), inside.bottom); ++y)
    for (int32_t x = std::max<LONG>(0, inside.left); x < std::min<LONG>(bmp.Width(), inside.right); ++x)
      bmp.SetPixel(x, y, own.Pixel(x, y));
  TsSkinManager* m = data_->Manager();
  if (IsRectEmpty(&button) || !m) return;
  const TsSkinTables& t = data_->Skin();
  const TsCachedIndexes& c = m->ConstData();
  const int32_t state = State();
  const TsBitmap24 under = bmp;
  const TCacheInfo bg{&under, 0, 0, true};
  const TRect rect{button.left, button.top, button.right, button.bottom};
  if (t.ValidSection(c.ComboBtn.Section))
    PaintScrollSection(bmp, t, c.ComboBtn.Section, c.ComboBtn.BorderMask, c.ComboBtn.Pattern, c.ComboBtn.HotPattern,
                       {0, 0}, rect, state, true, bg);
  if (t.ValidMask(c.ComboGlyph)) {
    const TsMaskData& image = t.ma[static_cast<size_t>(c.ComboGlyph)];
    const TPoint size = StateSize(image);
    PaintSkinGlyph(bmp,
                   {(button.left + button.right - size.X) / 2, (button.top + button.bottom - size.Y) / 2}, state,
                   image, image.Picture ? *image.Picture : t.MasterBitmap);
  }
}

void TorvComboBoxWnd::AttachList(HWND list) {
  if (list_ || !list || !IsWindow(list) || TorvMainWnd::Of(list)) return;
  list_ = AttachSkinner<TorvEditWnd>(list, nullptr, data_->SkinSection(), true);
  list_->SkinData().UpdateIndexes();
}

LRESULT TorvComboBoxWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      const base::PaintScope paint(window_);
      // The edit of a drop-down combo paints itself.
      for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(paint.dc(), r.left, r.top, r.right, r.bottom);
      }
      CopyCacheToDC(Picture(), paint.dc(), 0, 0);
      return 0;
    }
    case SM_SKINCMD:
      if (list_ && !list_->Destroyed()) SendMessageW(list_->WindowHandle(), msg, wParam, lParam);
      return TorvChildWnd::Handle(msg, wParam, lParam);
    case WM_CTLCOLORLISTBOX:
      // The list asks for its colours before it first paints.
      AttachList(reinterpret_cast<HWND>(lParam));
      return Default(msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case CB_SHOWDROPDOWN:
    case WM_CAPTURECHANGED: {
      // The button's state follows the list and the focus.
      const LRESULT r = Default(msg, wParam, lParam);
      if (IsWindow(window_)) InvalidateRect(window_, nullptr, FALSE);
      return r;
    }
    default:
      return TorvChildWnd::Handle(msg, wParam, lParam);
  }
}

}  // namespace skin
