#include "skin/sFade.h"

#include <algorithm>
#include <map>

#include "base/WinWindowDc.h"
#include "skin/sAlphaGraph.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sMessageBox.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"
#include "toolkit/Forms.h"

namespace skin {

namespace {

HWND WindowOf(const TsCommonData& data) {
  auto* w = dynamic_cast<tk::TWinControl*>(data.OwnerControl);
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

// Alpha of a frame: the weight of the picture before the change.
uint8_t FrameAlpha(int32_t frameCounter, int32_t fadeIterations) {
  return static_cast<uint8_t>(std::clamp(255 - frameCounter * 256 / fadeIterations, 0, 255));
}

std::map<UINT_PTR, TsAnimTimer*>& AnimTimers() {
  static std::map<UINT_PTR, TsAnimTimer*> timers;
  return timers;
}

void CALLBACK AnimTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = AnimTimers().find(id);
  if (it != AnimTimers().end()) it->second->Tick();
}

}  // namespace

bool FadeAllowed(TorvAnimatEvent event, TorvAnimatEvents controlEvents) {
  if (controlEvents & (1 << event)) return true;
  return (controlEvents & (1 << aeGlobalDef)) && (ButtonEvents() & (1 << event));
}

void TsFadeTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  const HWND h = WindowOf(data_);
  if (value && h)
    enabled_ = SetTimer(h, kFadeTimerId, 10, nullptr) != 0;
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
    TsBitmap24 frame;
    BlendBitmaps(frame, FromBitmap, data_.CacheBitmap, FrameAlpha(FrameCounter, FadeIterations));
    if (SendSkinCommand(c, SKC_FADEFRAME, reinterpret_cast<LPARAM>(&frame)) == 0) {
      CopyCacheToDC(frame, base::WindowDc(h).get(), 0, 0);
    }
  } catch (const std::exception& e) {
    ShowMessageBox(e.what(), TMsgKind::Error, mbOK);
  }
  ++FrameCounter;
}

void StartFade(TsCommonData& data, TsFadeTimer*& slot, bool half, bool allowed) {
  if (!data.IsSkinned()) return;
  const TsGeneralData& g = data.Skin().gd[data.SectionIndex];
  const bool running = slot && slot->Direction != 0 && slot->Enabled();
  int32_t n = running ? slot->FrameCounter : g.FadingIterations;
  if (half) n /= 2;
  // A fade of no frames would never end and keep the button from painting.
  if (allowed && n >= 1 && !SkinDataChanging() && g.FadingEnabled && !data.CacheBitmap.Empty() && !data.CacheDirty) {
    data.CacheDirty = true;
    if (!slot) slot = new TsFadeTimer(data);
    slot->FromBitmap = data.CacheBitmap;
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

void TsAnimTimer::SetEnabled(bool value) {
  if (value == Enabled()) return;
  if (value) {
    id_ = SetTimer(nullptr, 0, 10, &AnimTimerProc);
    if (id_) AnimTimers()[id_] = this;
  } else {
    KillTimer(nullptr, id_);
    AnimTimers().erase(id_);
    id_ = 0;
  }
}

void TsAnimTimer::Tick() {
  tk::TControl* c = data_.OwnerControl;
  if (producing_ || FadeIterations == 0 || !c || c->IsDestroying() ||
      (tk::Application && tk::Application->Terminated()))
    return;
  if (FrameCounter > FadeIterations || FrameCounter < 0) {
    SendSkinCommand(c, SKC_STOPFADE, 0);
    return;
  }
  producing_ = true;
  try {
    BlendBitmaps(FrameBitmap, FromBitmap, data_.CacheBitmap, FrameAlpha(FrameCounter, FadeIterations));
    SendSkinCommand(c, SKC_SETUPDATING, 0);
    RepaintThroughParent(c);
  } catch (const std::exception& e) {
    ShowMessageBox(e.what(), TMsgKind::Error, mbOK);
  }
  producing_ = false;
  ++FrameCounter;
}

void RepaintThroughParent(tk::TControl* c) {
  if (!c || c->IsDestroying() || c->Loading() || !c->Visible()) return;
  tk::TWinControl* p = c->Parent();
  if (!p || !p->HandleAllocated()) return;
  SendSkinCommand(p, SKC_SETPAINTCHILD, reinterpret_cast<LPARAM>(c));
  const RECT r = c->BoundsRect();
  RedrawWindow(p->Handle(), &r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SendSkinCommand(p, SKC_SETPAINTCHILD, 0);
}

void StartAnimation(TsCommonData& data, TsAnimTimer*& slot, bool half, bool allowed, void (*rebuild)(tk::TControl*)) {
  tk::TControl* c = data.OwnerControl;
  if (!c || !data.IsSkinned()) return;
  // A new animation shows as many frames as the interrupted one had left.
  int32_t counter = 1;
  if (slot) {
    counter = slot->FadeIterations - slot->FrameCounter;
    delete slot;
    slot = nullptr;
  }
  const TsGeneralData& g = data.Skin().gd[data.SectionIndex];
  const int32_t n = half ? g.FadingIterations / 2 : g.FadingIterations;
  if (allowed && n >= 1 && g.FadingEnabled && !SkinDataChanging() && !data.CacheBitmap.Empty()) {
    slot = new TsAnimTimer(data);
    slot->FadeIterations = n;
    slot->FrameCounter = counter;
    slot->FromBitmap = data.CacheBitmap;
    rebuild(c);
    slot->SetEnabled(true);
    slot->Tick();  // the first frame at once
    return;
  }
  data.CacheDirty = true;
  RepaintThroughParent(c);
}

void StopAnimation(TsCommonData& data, TsAnimTimer*& slot) {
  if (!slot) return;
  TsAnimTimer* timer = slot;
  slot = nullptr;
  timer->SetEnabled(false);
  const bool shown = timer->FrameCounter != 0;
  delete timer;
  if (shown) {
    data.CacheDirty = true;
    RepaintThroughParent(data.OwnerControl);
  }
}

}  // namespace skin
