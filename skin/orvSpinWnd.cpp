#include "skin/orvSpinWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include "skin/sGraphUtils.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"

namespace skin {

TorvSpinWnd::~TorvSpinWnd() { Detach(); }

bool TorvSpinWnd::Horizontal() const { return (GetWindowLongW(window_, GWL_STYLE) & UDS_HORZ) != 0; }

RECT TorvSpinWnd::HalfRect(int32_t half) const {
  RECT r;
  GetClientRect(window_, &r);
  if (Horizontal()) {
    const LONG middle = r.right / 2;
    return half == 0 ? RECT{0, 0, middle, r.bottom} : RECT{middle, 0, r.right, r.bottom};
  }
  const LONG middle = r.bottom / 2;
  return half == 0 ? RECT{0, 0, r.right, middle} : RECT{0, middle, r.right, r.bottom};
}

int32_t TorvSpinWnd::HalfAt(LPARAM point) const {
  const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  for (int32_t half : {0, 1}) {
    const RECT r = HalfRect(half);
    if (PtInRect(&r, p)) return half;
  }
  return -1;
}

int32_t TorvSpinWnd::HalfState(int32_t half) const {
  if (!IsWindowEnabled(window_)) return 0;
  return half == pressedHalf_ ? 2 : half == hotHalf_ ? 1 : 0;
}

void TorvSpinWnd::PaintContent(TsBitmap24& bmp) {
  const TCacheInfo bg = ParentBackground();
  const TsSkinManager* m = data_->Manager();
  const TsCachedIndexes* c = m ? &m->ConstData() : nullptr;
  const bool horizontal = Horizontal();
  for (int32_t half : {0, 1}) {
    const RECT r = HalfRect(half);
    const int32_t state = HalfState(half);
    PaintItem(*data_, bg, true, state, true, bmp, {r.left, r.top}, {r.left, r.top, r.right, r.bottom});
    if (!c) continue;
    const int32_t arrow = horizontal ? (half == 0 ? c->ScrollBtnLeft.GlyphMask : c->ScrollBtnRight.GlyphMask)
                                     : (half == 0 ? c->ScrollBtnTop.GlyphMask : c->ScrollBtnBottom.GlyphMask);
    const TsSkinTables& t = data_->Skin();
    if (!t.ValidMask(arrow)) continue;
    const TsMaskData& image = t.ma[static_cast<size_t>(arrow)];
    const TPoint size = StateSize(image);
    PaintSkinGlyph(bmp, {(r.left + r.right - size.X) / 2, (r.top + r.bottom - size.Y) / 2}, state, image,
                   image.Picture ? *image.Picture : t.MasterBitmap);
  }
}

LRESULT TorvSpinWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
      TrackMouseEvent(&track);
      if (const int32_t half = HalfAt(lParam); half != hotHalf_) {
        hotHalf_ = half;
        InvalidateRect(window_, nullptr, FALSE);
      }
      return TorvChildWnd::Handle(msg, wParam, lParam);
    }
    case WM_MOUSELEAVE:
      hotHalf_ = -1;
      InvalidateRect(window_, nullptr, FALSE);
      return Default(msg, wParam, lParam);
    case WM_LBUTTONDOWN:
      pressedHalf_ = HalfAt(lParam);
      InvalidateRect(window_, nullptr, FALSE);
      return Default(msg, wParam, lParam);
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
      const LRESULT r = Default(msg, wParam, lParam);
      pressedHalf_ = -1;
      if (IsWindow(window_)) InvalidateRect(window_, nullptr, FALSE);
      return r;
    }
    default:
      return TorvChildWnd::Handle(msg, wParam, lParam);
  }
}

}  // namespace skin
