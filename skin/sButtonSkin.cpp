#include "skin/sButtonSkin.h"

#include <optional>

#include "base/WinPaint.h"
#include "skin/sAlphaGraph.h"
#include "skin/sConst.h"
#include "skin/sFrameRegion.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"
#include "skin/sWindowShape.h"

namespace skin {

TsButtonSkin::TsButtonSkin(tk::TButton& button, TsCommonData& data, TsContentPainter paintContent)
    : button_(button), data_(data), paintContent_(paintContent) {}

TsButtonSkin::~TsButtonSkin() { StopFade(fade_); }

bool TsButtonSkin::Skinned() const {
  return button_.HandleAllocated() && !button_.IsDestroying() && !button_.Loading() && button_.Parent() &&
         data_.IsSkinned();
}

int32_t TsButtonSkin::ButtonState() const {
  const bool held = GetCapture() == button_.Handle() && (GetKeyState(VK_LBUTTON) & 0x8000);
  if ((pressed_ || Down) && (data_.MouseOver || !held)) return 2;
  return data_.IsActive() || DefaultActive() ? 1 : 0;
}

void TsButtonSkin::RebuildCache() {
  const TCacheInfo bg = data_.GetParentBackground();
  data_.PrepareCache();
  TsBitmap24& cache = data_.CacheBitmap;
  const int32_t state = ButtonState();
  PaintItemWithContent(data_, bg, state, cache, {button_.Left(), button_.Top()}, {0, 0, cache.Width(), cache.Height()},
                       DrawOverBorder, [&] { paintContent_(button_, cache, state); });
  if (!ControlEnabled(&button_)) {
    const TColor towards = TransparentKeyColor() != clFuchsia ? TransparentKeyColor() : AskColor(button_.Parent());
    PaintDisabled(cache, DisabledKind, bg, button_.Left(), button_.Top(), towards);
  }
  if (OnPaint) OnPaint(&button_, cache);
  TransparentKeyColor() = clFuchsia;
  data_.CacheDirty = false;
}

void TsButtonSkin::Paint(HDC dc) {
  // A paint skipped while the parent updates is remembered, so that the
  // parent's word that it has painted repaints the button.
  data_.PaintSuspended = data_.IsPaintSuspended();
  if (data_.PaintSuspended || (fade_ && fade_->Enabled())) return;
  if (data_.PartlyVisible) data_.CacheDirty = true;
  if (const tk::TWinControl* p = button_.Parent()) {
    const RECT b = button_.BoundsRect();
    data_.PartlyVisible = b.left < 0 || b.top < 0 || b.right > p->ClientWidth() || b.bottom > p->ClientHeight();
  }
  if ((data_.CacheDirty || data_.CacheBitmap.Empty()) && !data_.CacheFrozen) RebuildCache();
  UpdateShape(ButtonState());
  CopyCacheToDC(data_.CacheBitmap, dc, 0, 0);
}

// The transparent corner pixels of the border image are cut out of the
// window, so that a button's corners show whatever lies behind it on any
// parent, not the colour they were filled with.
void TsButtonSkin::UpdateShape(int32_t state) {
  const TShapeKey key{data_.BorderMaskIndex, state, button_.Width(), button_.Height()};
  if (key == shape_) return;
  shape_ = key;
  SetWindowShape(button_.Handle(), key.Width, key.Height,
                 CornerCutouts(data_.Skin(), data_.SectionIndex, {0, 0, key.Width, key.Height}, state), false);
}

void TsButtonSkin::Repaint() {
  data_.CacheDirty = true;
  if (button_.HandleAllocated()) InvalidateRect(button_.Handle(), nullptr, FALSE);
}

void TsButtonSkin::Fade(TorvAnimatEvent event, bool half) {
  StartFade(data_, fade_, half, FadeAllowed(event, AnimatEvents));
}

bool TsButtonSkin::ChangeMouseOver(bool over) {
  if (over == data_.MouseOver) return false;
  data_.MouseOver = over;
  if (const tk::TNotifyEvent& e = over ? OnMouseEnter : OnMouseLeave) e(&button_);
  return true;
}

void TsButtonSkin::SetMouseOver(bool over) {
  if (ChangeMouseOver(over)) Fade(over ? aeMouseEnter : aeMouseLeave, false);
}

void TsButtonSkin::TrackLeave() {
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, button_.Handle(), 0};
  trackingLeave_ = TrackMouseEvent(&t) != FALSE;
}

void TsButtonSkin::EndPress(bool over) {
  clickArmed_ = false;
  if (fade_ && fade_->Enabled() && fade_->FrameCounter <= fade_->FadeIterations) StopFade(fade_);
  pressed_ = false;
  // Wine: the leave tracking fires when the cursor is dragged out while the
  // button holds the mouse; that leave was not taken as one but used the
  // tracking up, so it is asked for again.
  if (over) TrackLeave();
  ChangeMouseOver(over);
  Fade(aeMouseUp, true);
}

bool TsButtonSkin::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  const HWND h = button_.Handle();
  if (msg == SM_SKINCMD) {
    const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
    switch (cmd) {
      case SKC_SETNEWSKIN:
      case SKC_REMOVESKIN:
      case SKC_REFRESH:
        StopFade(fade_);
        data_.CommonCommand(wParam, lParam, result);
        // The same image number may stand for another picture in the new skin.
        shape_ = {};
        if (cmd == SKC_REMOVESKIN && h) SetWindowRgn(h, nullptr, FALSE);
        if (cmd != SKC_SETNEWSKIN && h) InvalidateRect(h, nullptr, TRUE);
        return true;
      case SKC_PARENTUPDATED:
        if (data_.PaintSuspended) {
          data_.PaintSuspended = false;
          Repaint();
        }
        return true;
      case SKC_PREPARECACHE:
        data_.CommonCommand(wParam, lParam, result);
        if (data_.CacheFrozen) RebuildCache();
        return true;
      case SKC_STOPFADE:
        StopFade(fade_);
        return true;
      case SKC_REBUILDCACHE:
        RebuildCache();
        return true;
      case SKC_FADEFRAME:
        return true;
      default:
        return data_.CommonCommand(wParam, lParam, result);
    }
  }
  if (!Skinned()) return false;
  data_.CommonMessage(msg, wParam, lParam);
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_ENABLE:
      Repaint();
      return true;
    case BM_SETSTATE:
    case WM_UPDATEUISTATE:
      result = msg == WM_UPDATEUISTATE;
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse, or it was released, while a press was
      // held: the press ends without a click.
      if (clickArmed_ && reinterpret_cast<HWND>(lParam) != h) {
        POINT p;
        GetCursorPos(&p);
        EndPress(WindowFromPoint(p) == h);
      }
      return true;
    case BM_SETSTYLE:
      // The dialog manager marks the default button; the system would draw it at once.
      SetWindowLongW(h, GWL_STYLE, static_cast<LONG>((GetWindowLongW(h, GWL_STYLE) & ~0xFFFF) | (wParam & 0xFFFF)));
      Repaint();
      return true;
    case WM_PAINT: {
      // A DC in wParam: painting into it, without BeginPaint.
      std::optional<base::PaintScope> paint;
      if (!wParam) paint.emplace(h);
      const HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : paint->dc();
      const int saved = SaveDC(dc);
      Paint(dc);
      RestoreDC(dc, saved);
      return true;
    }
    case WM_PRINT:
    case WM_PRINTCLIENT:
      if ((data_.CacheDirty || data_.CacheBitmap.Empty()) && !data_.CacheFrozen) RebuildCache();
      CopyCacheToDC(data_.CacheBitmap, reinterpret_cast<HDC>(wParam), 0, 0);
      return true;
    case WM_SETFOCUS:
      result = DefWindowProcW(h, msg, wParam, lParam);
      data_.HasFocus = true;
      Repaint();
      return true;
    case WM_KILLFOCUS:
      pressed_ = false;
      StopFade(fade_);
      result = DefWindowProcW(h, msg, wParam, lParam);
      data_.HasFocus = false;
      Repaint();
      return true;
    case tk::CM_FOCUSCHANGED: {
      const bool was = DefaultActive();
      result = button_.tk::TButton::WndProc(msg, wParam, lParam);
      if (DefaultActive() != was) Repaint();
      return true;
    }
    case WM_MOUSEMOVE: {
      if (!trackingLeave_) TrackLeave();
      // While the button holds the mouse, it follows whether the cursor is over it.
      RECT r;
      GetClientRect(h, &r);
      const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      SetMouseOver(GetCapture() != h || PtInRect(&r, p));
      return true;
    }
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (GetCapture() != h) SetMouseOver(false);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != h) SetFocus(h);
      SetCapture(h);
      clickArmed_ = true;
      if (!pressed_) {
        pressed_ = true;
        Fade(aeMouseDown, true);
      }
      return true;
    case WM_LBUTTONUP: {
      if (!clickArmed_) {
        if (GetCapture() == h) ReleaseCapture();
        return true;
      }
      RECT r;
      GetClientRect(h, &r);
      const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const bool inside = PtInRect(&r, p);
      EndPress(inside);
      // Released after the press has ended, so its WM_CAPTURECHANGED finds none.
      if (GetCapture() == h) ReleaseCapture();
      if (inside) button_.Click();
      return true;
    }
    case WM_KEYDOWN:
      if (wParam != VK_SPACE) return false;
      if (!pressed_ && GetFocus() == h) {
        StopFade(fade_);
        pressed_ = true;
        Repaint();
      }
      return true;
    case WM_KEYUP:
      if (wParam != VK_SPACE) return false;
      if (pressed_) {
        pressed_ = false;
        Repaint();
        button_.Click();
      }
      return true;
    case WM_SETTEXT:
      result = DefWindowProcW(h, msg, wParam, lParam);
      Repaint();
      return true;
    case WM_TIMER:
      if (wParam != kFadeTimerId) return false;
      if (fade_)
        fade_->Tick();
      else
        KillTimer(h, kFadeTimerId);
      return true;
    default:
      return false;
  }
}

void PaintButtonFocus(tk::TButton& button, TsCommonData& data, TsBitmap24& cache, RECT caption, int32_t margin) {
  const TsSkinTables& t = data.Skin();
  if (!ControlEnabled(&button) || !button.Focused() || button.Caption().empty() || !t.ValidSection(data.SectionIndex) ||
      !t.gd[data.SectionIndex].ShowFocus)
    return;
  PaintFocusDots(cache, {caption.left - margin, caption.top - margin, caption.right + margin, caption.bottom + margin});
}

}  // namespace skin
