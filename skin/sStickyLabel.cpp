#include "skin/sStickyLabel.h"

#include "skin/sSkinState.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"

namespace skin {

namespace {

TAlignTo ValueToAlignTo(const std::string& prop, const tpf0::Value& v) {
  const std::string s = tk::ValueToIdent(prop, v);
  if (s == "altLeft") return TAlignTo::altLeft;
  if (s == "altTop") return TAlignTo::altTop;
  if (s == "altBottom") return TAlignTo::altBottom;
  if (s == "altRight") return TAlignTo::altRight;
  throw tk::EReadError("Invalid property value for " + prop + ": " + s);
}

}  // namespace

POINT StickyPlace(const RECT& m, const RECT& r, TAlignTo side, int gap) {
  const int mw = m.right - m.left, mh = m.bottom - m.top;
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  switch (side) {
    case TAlignTo::altLeft:
      return {r.left - mw - gap, r.top + (rh - mh) / 2};
    case TAlignTo::altRight:
      return {r.left + rw + gap, r.top + (rh - mh) / 2};
    case TAlignTo::altTop:
      return {r.left, r.top - mh - gap};
    case TAlignTo::altBottom:
      break;
  }
  return {r.left, r.top + rh + gap};
}

TAlignTo OppositeSide(TAlignTo side) {
  switch (side) {
    case TAlignTo::altLeft:
      return TAlignTo::altRight;
    case TAlignTo::altRight:
      return TAlignTo::altLeft;
    case TAlignTo::altTop:
      return TAlignTo::altBottom;
    case TAlignTo::altBottom:
      break;
  }
  return TAlignTo::altTop;
}

TsStickyLabel::~TsStickyLabel() { Detach(); }

void TsStickyLabel::Detach() {
  if (!target_) return;
  target_->UnhookMessages(hook_);
  RemoveFreeNotification(target_);
  target_ = nullptr;
  hook_ = 0;
}

void TsStickyLabel::SetAttachTo(tk::TWinControl* control) {
  if (control == target_) return;
  Detach();
  if (!control) return;
  target_ = control;
  FreeNotification(target_);
  PlaceSelf();
  SetEnabled(target_->Enabled());
  SetVisible(target_->Visible());
  hook_ = target_->HookMessages(
      [this](const tk::TMessage& m, const tk::TMessageHandler& next) { return TargetMessage(m, next); });
}

void TsStickyLabel::Notification(tk::TComponent* removed) {
  TsLabel::Notification(removed);
  if (removed == target_) {
    // The control is going: its chain goes with it, nothing to unhook.
    target_ = nullptr;
    hook_ = 0;
  }
}

void TsStickyLabel::SetAlignTo(TAlignTo side) {
  alignTo_ = side;
  PlaceSelf();
}

void TsStickyLabel::SetGap(int gap) {
  gap_ = gap;
  PlaceSelf();
}

void TsStickyLabel::PlaceSelf() {
  if (!target_ || placing_) return;
  const state::FlagGuard guard(placing_);
  const POINT p = StickyPlace(BoundsRect(), target_->BoundsRect(), alignTo_, gap_);
  TsLabel::SetBounds(p.x, p.y, Width(), Height());
}

void TsStickyLabel::SetBounds(int left, int top, int width, int height) {
  TsLabel::SetBounds(left, top, width, height);
  if (!target_ || placing_ || IsDestroying()) return;
  const state::FlagGuard guard(placing_);
  const RECT c = target_->BoundsRect();
  const POINT p = StickyPlace(c, BoundsRect(), OppositeSide(alignTo_), gap_);
  target_->SetBounds(p.x, p.y, c.right - c.left, c.bottom - c.top);
}

intptr_t TsStickyLabel::TargetMessage(const tk::TMessage& m, const tk::TMessageHandler& next) {
  const intptr_t result = next(m);
  // The control moving because this label placed it is no news.
  if (placing_ || IsDestroying() || !target_) return result;
  switch (m.msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      PlaceSelf();
      break;
    case tk::CM_VISIBLECHANGED:
      SetVisible(target_->Visible());
      break;
    case tk::CM_ENABLEDCHANGED:
      SetEnabled(target_->Enabled());
      break;
    default:
      break;
  }
  return result;
}

bool TsStickyLabel::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "AttachTo")
    targetName_ = tk::ValueToIdent(name, v);
  else if (name == "AlignTo")
    alignTo_ = ValueToAlignTo(name, v);
  else if (name == "Gap")
    gap_ = tk::ValueToInt(name, v);
  else
    return TsLabel::SetProperty(name, v);
  return true;
}

void TsStickyLabel::Loaded() {
  TsLabel::Loaded();
  if (targetName_.empty() || !Owner()) return;
  auto* target = dynamic_cast<tk::TWinControl*>(Owner()->FindComponent(targetName_));
  if (!target) throw tk::EReadError("Invalid property value for AttachTo: " + targetName_);
  SetAttachTo(target);
}

}  // namespace skin
