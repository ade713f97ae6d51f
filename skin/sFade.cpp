#include "skin/sFade.h"

#include <algorithm>

#include "skin/sAlphaGraph.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"
#include "toolkit/Forms.h"

namespace skin {

namespace {

HWND WindowOf(const TsCommonData& data) {
  auto* w = dynamic_cast<tk::TWinControl*>(data.OwnerControl);
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

}  // namespace

bool FadeAllowed(TorvAnimatEvent event, TorvAnimatEvents controlEvents) {
  if (controlEvents & (1 << event)) return true;
  return (controlEvents & (1 << aeGlobalDef)) && (ButtonEvents() & (1 << event));
}

void TsFadeTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  const HWND h = WindowOf(data_);
  if (value && h) enabled_ = SetTimer(h, kFadeTimerId, 10, nullptr) != 0;
  else {
    if (h) KillTimer(h, kFadeTimerId);
    enabled_ = false;
  }
}

void TsFadeTimer::Tick() {
  tk::TControl* c = data_.OwnerControl;
  if (FadeIterations == 0 || !c || c->IsDestroying() || (tk::Application && tk::Application->Terminated())) return;
  if (FrameCounter > FadeIterations || FrameCounter < 0) {
    SendSkinCommand(c, SKC_STOPFADE, 0);
    return;
  }
  const HWND h = WindowOf(data_);
  if (!ControlEnabled(c) || !h) {
    SetEnabled(false);
    FadeIterations = 0;
    c->Invalidate();
    return;
  }
  try {
    const int32_t level = FrameCounter * 256 / FadeIterations;
    const uint8_t alpha = static_cast<uint8_t>(std::clamp(255 - level, 0, 255));
    TsBitmap24 frame;
    BlendBitmaps(frame, FromBitmap, data_.CacheBitmap, alpha);
    if (SendSkinCommand(c, SKC_FADEFRAME, reinterpret_cast<LPARAM>(&frame)) == 0) {
      HDC dc = GetDC(h);
      CopyCacheToDC(frame, dc, 0, 0);
      ReleaseDC(h, dc);
    }
  } catch (const std::exception& e) {
    MessageBoxA(h, e.what(), "Error", MB_OK | MB_ICONERROR);
  }
  ++FrameCounter;
}

void StartFade(TsCommonData& data, TsFadeTimer*& slot, bool half, bool allowed) {
  if (!data.IsSkinned()) return;
  const TsGeneralData& g = data.Skin().gd[data.SectionIndex];
  if (allowed && !SkinDataChanging() && g.FadingEnabled && !data.CacheBitmap.Empty() && !data.CacheDirty) {
    data.CacheDirty = true;
    const bool running = slot && slot->Direction != 0 && slot->Enabled();
    if (!slot) slot = new TsFadeTimer(data);
    slot->FromBitmap = data.CacheBitmap;
    int32_t n = running ? slot->FrameCounter : g.FadingIterations;
    if (half) n /= 2;
    slot->FadeIterations = n;
    if (slot->FrameCounter < 1 || slot->FrameCounter > n - 1) slot->FrameCounter = 1;
    SendSkinCommand(data.OwnerControl, SKC_REBUILDCACHE, 0);
    slot->Direction = 1;
    slot->SetEnabled(true);
    return;
  }
  data.CacheDirty = true;
  StopFade(slot);
  if (const HWND h = WindowOf(data)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void StopFade(TsFadeTimer*& slot) {
  delete slot;
  slot = nullptr;
}

}  // namespace skin
