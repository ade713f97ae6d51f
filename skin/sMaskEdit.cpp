#include "skin/sMaskEdit.h"

#include "base/WinGdiObject.h"
#include "base/WinPaint.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"
#include "toolkit/WinText.h"

namespace skin {

TsMaskEdit::TsMaskEdit(tk::TComponent* owner) : tk::TEdit(owner) {
  if (SkinData.SkinSection().empty()) SkinData.SetSkinSection(s_Edit);
}

bool TsMaskEdit::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  if (name.rfind("BoundLabel.", 0) == 0) return BoundLabel.SetProperty(name.substr(11), v);
  // The disabled look is the engine's one blend; an input mask this program never sets.
  if (name == "DisabledKind" || name == "EditMask") return true;
  return tk::TEdit::SetProperty(name, v);
}

void TsMaskEdit::Loaded() {
  tk::TEdit::Loaded();
  SkinData.UpdateSection();
  BoundLabel.ControlLoaded();
}

bool TsMaskEdit::CanPaintSkinned() const {
  // A window too small for its frame has nothing the skin could show.
  return HandleAllocated() && !IsDestroying() && SkinData.IsSkinned() && Width() > 2 * kFrame &&
         Height() > 2 * kFrame;
}

bool TsMaskEdit::EditActive() const { return SkinData.IsActive() || Focused(); }

int TsMaskEdit::TextRight() const {
  RECT r;
  GetClientRect(handle_, &r);
  const DWORD margins = static_cast<DWORD>(SendMessageW(handle_, EM_GETMARGINS, 0, 0));
  return r.right - HIWORD(margins);
}

std::wstring TsMaskEdit::ShownText() const {
  std::wstring text = WindowText();
  if (PasswordChar()) text.assign(text.size(), PasswordChar());
  return text;
}

void TsMaskEdit::BuildCache() {
  SkinData.PrepareCache();
  TsBitmap24& cache = SkinData.CacheBitmap;
  const TCacheInfo bg = SkinData.GetParentBackground();
  const bool active = EditActive();
  PaintItem(SkinData, bg, true, active ? 1 : 0, true, cache, {Left(), Top()}, {0, 0, cache.Width(), cache.Height()});
  const std::wstring text = ShownText();
  if (!text.empty()) {
    // Each character where the system edit puts it (its own shaping spaces
    // them, scrolled or not), in its colours, clipped where its formatting
    // rectangle ends: the text does not move when the focus comes or goes.
    TsDibCanvas canvas(cache);
    const base::Selection font(canvas.DC(), Font().Handle());
    SetBkMode(canvas.DC(), TRANSPARENT);
    SetTextColor(canvas.DC(), ControlEnabled(this) ? TextColor() : GetSysColor(COLOR_GRAYTEXT));
    const int right = TextRight();
    IntersectClipRect(canvas.DC(), kFrame, kFrame, right + kFrame, Height() - kFrame);
    for (size_t i = 0; i < text.size(); ++i) {
      const LRESULT pos = SendMessageW(handle_, EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
      if (pos == -1) break;
      const int x = static_cast<short>(LOWORD(pos)), y = static_cast<short>(HIWORD(pos));
      if (x >= right) break;
      TextOutW(canvas.DC(), x + kFrame, y + kFrame, &text[i], 1);
    }
  }
  SkinData.CacheDirty = false;
}

void TsMaskEdit::PrepareCache() {
  if (SkinData.CacheDirty || SkinData.CacheBitmap.Width() != Width() || SkinData.CacheBitmap.Height() != Height())
    BuildCache();
}

void TsMaskEdit::CopyPicture(HDC dc, bool withClient) {
  PrepareCache();
  const int w = Width(), h = Height();
  // One copy per paint: the frame alone leaves the client to the system
  // edit; child windows (the combo edit's button) paint themselves.
  if (!withClient) ExcludeClipRect(dc, kFrame, kFrame, w - RightStrip(), h - kFrame);
  RECT window;
  GetWindowRect(handle_, &window);
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    if (!IsWindowVisible(child) || !GetWindowRect(child, &r)) continue;
    ExcludeClipRect(dc, r.left - window.left, r.top - window.top, r.right - window.left, r.bottom - window.top);
  }
  TsDibCanvas canvas(SkinData.CacheBitmap);
  BitBlt(dc, 0, 0, w, h, canvas.DC(), 0, 0, SRCCOPY);
}

COLORREF TsMaskEdit::TextColor() const {
  if (SkinData.CustomFont() || !SkinData.IsSkinned()) return tk::ColorToRGB(Font().Color);
  return tk::ColorToRGB(static_cast<tk::TColor>(SkinData.Skin().gd[SkinData.SectionIndex].FontColor[0]));
}

COLORREF TsMaskEdit::BackColor() const {
  if (SkinData.CustomColor() || !SkinData.IsSkinned()) return tk::ColorToRGB(Color());
  // The face of the state the frame shows: hot colour while active.
  const TsGeneralData& g = SkinData.Skin().gd[SkinData.SectionIndex];
  return tk::ColorToRGB(EditActive() ? g.HotColor : g.Color);
}

LRESULT TsMaskEdit::CNCtlColor(HDC dc) {
  if (!SkinData.IsSkinned()) return tk::TEdit::CNCtlColor(dc);
  // The system edit paints its client in the section's colours.
  const COLORREF back = BackColor();
  SetTextColor(dc, TextColor());
  SetBkColor(dc, back);
  brush_.reset(CreateSolidBrush(back));
  return reinterpret_cast<LRESULT>(brush_.get());
}

LRESULT TsMaskEdit::SkinCommand(WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (SkinCmdOf(static_cast<uint32_t>(wParam))) {
    case SKC_SETNEWSKIN:
    case SKC_REFRESH:
    case SKC_REMOVESKIN:
      SkinData.CommonCommand(wParam, lParam, result);
      SkinData.CacheDirty = true;
      if (HandleAllocated())
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      return 0;
    case SKC_PARENTUPDATED:
      if (SkinData.PaintSuspended && HandleAllocated()) {
        SkinData.PaintSuspended = false;
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
      }
      return 0;
    case SKC_ISSKINNED:
      return 1;
    default:
      SkinData.CommonCommand(wParam, lParam, result);
      return result;
  }
}

LRESULT TsMaskEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SM_SKINCMD) return SkinCommand(wParam, lParam);
  SkinData.CommonMessage(msg, wParam, lParam);
  if (CanPaintSkinned()) switch (msg) {
      case WM_NCPAINT: {
        if (SkinData.IsPaintSuspended()) return 0;
        const bool whole = !EditActive();
        {
          const base::WindowDc dc(handle_, base::WindowDc::WholeWindow{});
          CopyPicture(dc.get(), whole);
        }
        // Inactive, the picture is complete: no client paint follows.
        if (whole) {
          ValidateRect(handle_, nullptr);
          wholeDrawn_ = true;
        }
        return 0;
      }
      case WM_ERASEBKGND:
        if (!EditActive()) return 1;
        break;
      case WM_PAINT: {
        if (SkinData.IsPaintSuspended()) {
          SkinData.PaintSuspended = true;
          const base::PaintScope paint(handle_);
          return 0;
        }
        if (EditActive()) break;
        // Wine: BeginPaint sends the frame's WM_NCPAINT, which then draws
        // the whole picture once already.
        wholeDrawn_ = false;
        const base::PaintScope paint(handle_);
        if (!wholeDrawn_ && !IsRectEmpty(&paint.paint().rcPaint)) {
          const base::WindowDc dc(handle_, base::WindowDc::WholeWindow{});
          CopyPicture(dc.get(), true);
        }
        return 0;
      }
      default:
        break;
    }
  const LRESULT result = tk::TEdit::WndProc(msg, wParam, lParam);
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case WM_SIZE:
    case EM_SETPASSWORDCHAR:
    case tk::CM_TEXTCHANGED:
    case tk::CM_ENABLEDCHANGED:
    case tk::CM_VISIBLECHANGED:
    case tk::CM_MOUSEENTER:
    case tk::CM_MOUSELEAVE:
      SkinData.CacheDirty = true;
      if (HandleAllocated()) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      break;
    default:
      break;
  }
  switch (msg) {
    case WM_MOVE:
    case WM_SIZE:
    case tk::CM_ENABLEDCHANGED:
    case tk::CM_VISIBLECHANGED:
      BoundLabel.ControlChanged();
      break;
    default:
      break;
  }
  return result;
}

}  // namespace skin
