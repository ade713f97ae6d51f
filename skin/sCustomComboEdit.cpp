#include "skin/sCustomComboEdit.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "base/ScopeExit.h"
#include "skin/sControlKinds.h"
#include "skin/sGraphUtilsWin.h"
#include "toolkit/FileNames.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

constexpr int32_t kComboEditKind = 138;

// The shortcut of a key with the shift keys held now (scShift, scCtrl, scAlt).
int ShortCutOf(WPARAM key) {
  int shortcut = static_cast<int>(key & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) shortcut |= 0x2000;
  if (GetKeyState(VK_CONTROL) < 0) shortcut |= 0x4000;
  if (GetKeyState(VK_MENU) < 0) shortcut |= 0x8000;
  return shortcut;
}

uint8_t Channel(TColor c, int shift) { return static_cast<uint8_t>((c >> shift) & 0xFF); }

// Each channel of c moved towards `to` by weight / 256.
TColor MixTowards(TColor c, TColor to, int32_t weight) {
  TColor out = 0;
  for (int shift : {0, 8, 16}) {
    const int32_t a = Channel(c, shift), b = Channel(to, shift);
    out |= static_cast<TColor>(a + (b - a) * weight / 256) << shift;
  }
  return out;
}

TColor Grey(TColor c) {
  const uint32_t y = (Channel(c, 0) * 77u + Channel(c, 8) * 150u + Channel(c, 16) * 29u) >> 8;
  return y | (y << 8) | (y << 16);
}

}  // namespace

// ---------------------------------------------------------------- TsEditButton

TsEditButton::TsEditButton(tk::TComponent* owner, TsCustomComboEdit& edit) : tk::TWinControl(owner), edit_(edit) {
  anchors_ = tk::akTop | tk::akRight;
}

void TsEditButton::CreateParams(tk::TCreateParams& params) {
  tk::TWinControl::CreateParams(params);
  params.style |= WS_VISIBLE;
}

bool TsEditButton::PaintWindow(HDC dc) {
  edit_.PaintButton(dc, 0, 0, Width(), Height());
  return true;
}

void TsEditButton::SetHot(bool value) {
  if (value == hot_) return;
  hot_ = value;
  edit_.SkinData.CacheDirty = true;
  if (edit_.HandleAllocated())
    RedrawWindow(edit_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsEditButton::SetPressed(bool value) {
  if (value == pressed_) return;
  pressed_ = value;
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

LRESULT TsEditButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      return TRUE;
    case WM_MOUSEMOVE: {
      if (!hot_) {
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&t);
      }
      const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT r;
      GetClientRect(handle_, &r);
      SetHot(PtInRect(&r, p) != FALSE);
      return 0;
    }
    case WM_MOUSELEAVE:
      SetHot(false);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(handle_);
      SetPressed(true);
      return 0;
    case WM_LBUTTONUP: {
      const bool click = pressed_ && hot_;
      SetPressed(false);
      if (GetCapture() == handle_) ReleaseCapture();
      if (click) edit_.ButtonClick();
      return 0;
    }
    case BM_CLICK:
      // Clicked by automation, as a push button would be.
      edit_.ButtonClick();
      return 0;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // A press that lost its capture (a dialog, Alt+Tab) ends without a click.
      SetPressed(false);
      break;
    default:
      break;
  }
  return tk::TWinControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------- TsCustomComboEdit

TsCustomComboEdit::TsCustomComboEdit(tk::TComponent* owner) : TsMaskEdit(owner) {
  SkinData.ControlKind = static_cast<TsControlKind>(kComboEditKind);
  button_ = new TsEditButton(this, *this);
  button_->SetParent(this);
}

const TsBitmap24& TsCustomComboEdit::Glyph() const {
  static const TsBitmap24 none;
  return none;
}

bool TsCustomComboEdit::EditActive() const {
  return TsMaskEdit::EditActive() || button_->Hot() || button_->Pressed();
}

void TsCustomComboEdit::CreateWnd() {
  TsMaskEdit::CreateWnd();
  PlaceButton();
}

void TsCustomComboEdit::PlaceButton() {
  if (!HandleAllocated()) return;
  RECT r;
  GetClientRect(handle_, &r);
  const TsBitmap24& glyph = Glyph();
  const int width = !ShowButton ? 0 : glyph.Empty() ? 2 : glyph.Width() / 3 + 2;
  button_->SetBounds(r.right - width, 0, width, r.bottom);
  button_->SetVisible(ShowButton);
  // The text never runs under the button.
  SendMessageW(handle_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TsCustomComboEdit::PaintButton(HDC dc, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  TsBitmap24 pic(w, h);
  const bool skinned = SkinData.IsSkinned();
  if (skinned) {
    // The edit's own picture under the button, past its frame.
    PrepareCache();
    const TsBitmap24& cache = SkinData.CacheBitmap;
    const int ox = button_->Left() + kFrame, oy = button_->Top() + kFrame;
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px)
        if (ox + px < cache.Width() && oy + py < cache.Height()) pic.SetPixel(px, py, cache.Pixel(ox + px, oy + py));
  } else {
    TsDibCanvas canvas(pic);
    RECT r = {0, 0, w, h};
    DrawFrameControl(canvas.DC(), &r, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_FLAT | (button_->Pressed() ? DFCS_PUSHED : 0));
  }
  const TsBitmap24& glyph = Glyph();
  if (!glyph.Empty()) {
    const int fw = glyph.Width() / 3, fh = glyph.Height() / 2;
    const int frame = skinned ? button_->FrameIndex() : (button_->Pressed() ? 2 : 1);
    const int gx = (w - fw) / 2, gy = (h - fh) / 2;
    const bool quiet = !EditActive() && !button_->Hot();
    const int blend = std::min(255, static_cast<int>(std::lround(GlyphMode.Blend * 2.56)));
    for (int py = 0; py < fh; ++py)
      for (int px = 0; px < fw; ++px) {
        const int tx = gx + px, ty = gy + py;
        if (tx < 0 || ty < 0 || tx >= w || ty >= h) continue;
        const TColor under = pic.Pixel(tx, ty);
        TColor c = glyph.Pixel(frame * fw + px, py);
        if (quiet && GlyphMode.Grayed) c = Grey(c);
        if (quiet && blend > 0) c = MixTowards(c, under, blend);
        if (!ControlEnabled(this)) c = MixTowards(Grey(c), under, 128);
        // The mask: black opaque, white transparent, greys partly.
        const TColor m = glyph.Pixel(frame * fw + px, py + fh);
        TColor out = 0;
        for (int shift : {0, 8, 16}) {
          const int32_t cc = Channel(c, shift), uc = Channel(under, shift), mc = Channel(m, shift);
          out |= static_cast<TColor>(cc + (uc - cc) * mc / 255) << shift;
        }
        pic.SetPixel(tx, ty, out);
      }
  }
  CopyCacheToDC(pic, dc, x, y);
}

void TsCustomComboEdit::ButtonClick() {
  if (comboReadOnly_) return;
  if (OnButtonClick) OnButtonClick(this);
  if (HandleAllocated() && IsWindowVisible(handle_) && IsWindowEnabled(handle_)) SetFocus();
}

void TsCustomComboEdit::SetDirectInput(bool value) {
  directInput_ = value;
  TsMaskEdit::SetReadOnly(!directInput_ || comboReadOnly_);
}

void TsCustomComboEdit::SetReadOnly(bool value) {
  comboReadOnly_ = value;
  TsMaskEdit::SetReadOnly(!directInput_ || comboReadOnly_);
}

void TsCustomComboEdit::SetText(const std::string& text) { TsMaskEdit::SetText(tk::OneLineText(text)); }

void TsCustomComboEdit::PasteOneLine() {
  if (!OpenClipboard(handle_)) return;
  const base::ScopeExit close([] { CloseClipboard(); });
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (!text) return;
  std::wstring line = text;
  GlobalUnlock(data);
  line.erase(std::remove_if(line.begin(), line.end(), [](wchar_t c) { return c < 32; }), line.end());
  SendMessageW(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
}

bool TsCustomComboEdit::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "GlyphMode.Grayed")
    GlyphMode.Grayed = tk::ValueToBool(name, v);
  else if (name == "GlyphMode.UseDefaultGlyph")
    GlyphMode.UseDefaultGlyph = tk::ValueToBool(name, v);
  else if (name == "GlyphMode.Blend")
    GlyphMode.Blend = tk::ValueToInt(name, v);
  else if (name.rfind("GlyphMode.", 0) == 0) {
    // The glyph's hint and a custom glyph: this program uses the default one.
  } else if (name == "ShowButton")
    ShowButton = tk::ValueToBool(name, v);
  else if (name == "ClickKey")
    ClickKey = tk::ValueToInt(name, v);
  else if (name == "DirectInput")
    SetDirectInput(tk::ValueToBool(name, v));
  else if (name == "ReadOnly")
    SetReadOnly(tk::ValueToBool(name, v));
  else if (name == "ButtonWidth") {
    // The width follows the glyph.
  } else
    return TsMaskEdit::SetProperty(name, v);
  return true;
}

LRESULT TsCustomComboEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (ShortCutOf(wParam) == ClickKey && !Glyph().Empty()) {
        ButtonClick();
        return 0;
      }
      break;
    case WM_CHAR:
      // A one-line field: Enter and Esc belong to the form's buttons, and
      // line breaks never enter the text.
      if (wParam == VK_RETURN || wParam == '\n' || wParam == VK_ESCAPE) return 0;
      break;
    case WM_PASTE:
      if (directInput_ && !comboReadOnly_) PasteOneLine();
      return 0;
    case WM_CUT:
      if (!directInput_ || comboReadOnly_) return 0;
      break;
    case WM_SETTEXT: {
      // Text set from outside loses its line breaks and other control characters.
      std::wstring text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
      text.erase(std::remove_if(text.begin(), text.end(), [](wchar_t c) { return c < 32; }), text.end());
      return TsMaskEdit::WndProc(msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    default:
      break;
  }
  const LRESULT result = TsMaskEdit::WndProc(msg, wParam, lParam);
  switch (msg) {
    case WM_SIZE:
    case WM_SETFONT:
      PlaceButton();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (button_->HandleAllocated()) InvalidateRect(button_->Handle(), nullptr, FALSE);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace skin
