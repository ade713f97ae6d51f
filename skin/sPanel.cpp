#include "skin/sPanel.h"

#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"
#include "toolkit/WinText.h"

namespace skin {

TsPanel::TsPanel(tk::TComponent* owner) : tk::TPanel(owner) {
  SkinData.ControlKind = ckPanel;
  // A control made at run time gets its section now; a loaded one again after loading.
  SkinData.UpdateSection();
}

bool TsPanel::SetProperty(const std::string& name, const tpf0::Value& v) {
  return SetSkinDataProperty(SkinData, name, v) || tk::TPanel::SetProperty(name, v);
}

void TsPanel::Loaded() {
  tk::TPanel::Loaded();
  SkinData.UpdateSection();
}

void TsPanel::RebuildCache() {
  SkinData.PrepareCache();
  TsBitmap24& cache = SkinData.CacheBitmap;
  const TCacheInfo bg = SkinData.GetParentBackground();
  // Without filling: the border image gives only the frame, the face is the
  // section's colour or gradient.
  PaintItem(SkinData, bg, false, 0, true, cache, {Left(), Top()}, {0, 0, cache.Width(), cache.Height()});
  if (!Caption().empty()) {
    // The caption band is one line of "W" high, centred vertically.
    SIZE w{};
    {
      const base::WindowDc screen(nullptr);
      const base::Selection font(screen.get(), Font().Handle());
      GetTextExtentPoint32W(screen.get(), L"W", 1, &w);
    }
    RECT r = {0, 0, cache.Width(), cache.Height()};
    r.top = (r.top + r.bottom - w.cy) / 2;
    r.bottom = r.top + w.cy;
    WriteSkinText(cache, Font().Handle(), tk::Wide(Caption()), ControlEnabled(this), SkinData.Skin(),
                  SkinData.SectionIndex, false, AlignmentFlag(Alignment) | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX, r);
  }
  if (OnPaint) {
    TsDibCanvas canvas(cache);
    OnPaint(this, canvas.DC());
  }
  SkinData.CacheDirty = false;
}

// The toolkit paints into an off-screen bitmap and copies it to the screen
// once, so the cache goes there and the graphic children are drawn over it.
bool TsPanel::PaintWindow(HDC dc) {
  if (IsDestroying() || !SkinData.IsSkinned()) return tk::TPanel::PaintWindow(dc);
  // A skipped paint is remembered: the parent's word that it has painted
  // (SKC_PARENTUPDATED) repaints the panel.
  if (SkinData.IsPaintSuspended()) {
    SkinData.PaintSuspended = true;
    return false;
  }
  if ((SkinData.CacheDirty || SkinData.PartlyVisible) && !SkinData.CacheFrozen) {
    RebuildCache();
    SkinData.PartlyVisible = false;
  }
  CopyCacheToDC(SkinData.CacheBitmap, dc, 0, 0);
  PaintControls(dc);
  return true;
}

LRESULT TsPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SM_SKINCMD) {
    const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
    const bool own = reinterpret_cast<TsSkinManager*>(lParam) == SkinData.Manager();
    LRESULT result = 0;
    switch (cmd) {
      case SKC_SETNEWSKIN:
        BroadcastToChildren(this, msg, wParam, lParam);
        SkinData.CommonCommand(wParam, lParam, result);
        return 0;
      case SKC_REMOVESKIN:
        SkinData.CommonCommand(wParam, lParam, result);
        if (own) Invalidate();
        BroadcastToChildren(this, msg, wParam, lParam);
        return 0;
      case SKC_REFRESH:
        if (own) SkinData.CommonCommand(wParam, lParam, result);
        BroadcastToChildren(this, msg, wParam, lParam);
        if (own && HandleAllocated())
          RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
        return 0;
      case SKC_PARENTUPDATED: {
        // Cleared before the redraw, which would otherwise be skipped again.
        const bool skipped = SkinData.PaintSuspended;
        SkinData.PaintSuspended = false;
        if (skipped && HandleAllocated())
          RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
        return 0;
      }
      case SKC_PREPARECACHE:
        SkinData.CommonCommand(wParam, lParam, result);
        if (SkinData.CacheFrozen) RebuildCache();
        return 0;
      case SKC_GETBG:
        // A child asks before this panel painted: build the picture first.
        if (SkinData.IsSkinned() && (SkinData.CacheDirty || SkinData.CacheBitmap.Empty())) RebuildCache();
        SkinData.CommonCommand(wParam, lParam, result);
        return 0;
      default:
        if (SkinData.CommonCommand(wParam, lParam, result)) return result;
        return tk::TPanel::WndProc(msg, wParam, lParam);
    }
  }
  SkinData.CommonMessage(msg, wParam, lParam);
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&t);
        if (OnMouseEnter) OnMouseEnter(this);
      }
      break;
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      if (OnMouseLeave) OnMouseLeave(this);
      break;
    case WM_SETTEXT: {
      const LRESULT r = tk::TPanel::WndProc(msg, wParam, lParam);
      SkinData.Invalidate();
      return r;
    }
    default:
      break;
  }
  const LRESULT r = tk::TPanel::WndProc(msg, wParam, lParam);
  if (msg == WM_PAINT && SkinData.IsSkinned()) {
    // The windowed children paint after their parent, on its picture.
    for (tk::TControl* c : Controls())
      if (auto* w = dynamic_cast<tk::TWinControl*>(c); w && w->HandleAllocated() && !w->IsDestroying())
        SendMessageW(w->Handle(), SM_SKINCMD, MakeSkinCmd(SKC_PARENTUPDATED), 0);
  }
  return r;
}

}  // namespace skin
