#include "skin/sSpeedButton.h"

#include <windowsx.h>

#include <algorithm>

#include "base/ScopeExit.h"

#include "skin/sButton.h"
#include "skin/sButtonLayout.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProps.h"
#include "skin/sVclUtils.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

// A drop-down menu of any speed button is open: a second press opens none.
bool& DropDownOpen() {
  static bool open = false;
  return open;
}

void RebuildAndRefill(tk::TControl* c) {
  auto* b = static_cast<TsSpeedButton*>(c);
  b->Perform(SM_SKINCMD, MakeSkinCmd(SKC_REBUILDCACHE), 0);
}

}  // namespace

TsSpeedButton::TsSpeedButton(tk::TComponent* owner) : TsListGlyphButton(owner) { SkinData.ControlKind = ckSpeedButton; }

TsSpeedButton::~TsSpeedButton() {
  delete anim_;
  anim_ = nullptr;
}

void TsSpeedButton::SetBlend(int32_t value) { Change(Blend, std::clamp(value, 0, 100)); }

void TsSpeedButton::ListChanged() {
  GlyphFromList(SkinData.IsSkinned());
  SkinData.CacheDirty = true;
  RepaintThroughParent(this);
}

int32_t TsSpeedButton::ButtonState() const {
  if (State() == tk::TButtonState::bsDown || State() == tk::TButtonState::bsExclusive) return 2;
  return SkinData.IsActive() ? 1 : 0;
}

void TsSpeedButton::Invalidate() {
  SkinData.CacheDirty = true;
  tk::TSpeedButton::Invalidate();
}

void TsSpeedButton::Loaded() {
  TsListGlyphButton::Loaded();
  if (!dropdownMenuName_.empty() && Owner()) {
    DropdownMenu = dynamic_cast<tk::TPopupMenu*>(Owner()->FindComponent(dropdownMenuName_));
    if (!DropdownMenu) throw tk::EReadError("Invalid property value for DropdownMenu: " + dropdownMenuName_);
  }
  SkinData.UpdateSection();
}

bool TsSpeedButton::DropDown(int32_t x) {
  if (ButtonStyle != TToolButtonStyle::tbsDropDown || !DropdownMenu || !Enabled()) return false;
  if (x < Width() - DropDownWidth() && OnClick) return false;
  StopAnimation(SkinData, anim_);
  if (DropDownOpen()) return true;
  DropDownOpen() = menuShown_ = true;
  SkinData.CacheDirty = true;
  if (!OnClick) SetState(tk::TButtonState::bsDown);
  RepaintThroughParent(this);
  POINT at{0, Height() + 1};
  if (Parent() && Parent()->HandleAllocated()) {
    at.x += Left();
    at.y += Top();
    ClientToScreen(Parent()->Handle(), &at);
  }
  {
    const base::ScopeExit closed([this] {
      DropDownOpen() = menuShown_ = false;
      SkinData.CacheDirty = true;
    });
    DropdownMenu->Popup(at.x, at.y);
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT screen{Left(), Top(), Left() + Width(), Top() + Height()};
  if (Parent() && Parent()->HandleAllocated()) MapWindowPoints(Parent()->Handle(), nullptr, reinterpret_cast<POINT*>(&screen), 2);
  if (!PtInRect(&screen, cursor)) Perform(tk::CM_MOUSELEAVE, 0, 0);
  if (!OnClick) SetState(tk::TButtonState::bsUp);
  RepaintThroughParent(this);
  return true;
}

void TsSpeedButton::PaintContent(TsBitmap24& cache, int32_t state) {
  const int32_t cw = Width() - DropDownWidth();
  TsButtonBox box;
  box.Width = cw, box.Height = Height();
  const TPoint size = ButtonGlyphSize(*this, list_);
  box.GlyphWidth = size.X, box.GlyphHeight = size.Y;
  box.Spacing = Spacing, box.Margin = Margin;
  box.Layout = static_cast<int32_t>(Layout), box.Alignment = static_cast<int32_t>(Alignment);
  const std::wstring text = ShowCaption ? tk::Wide(Caption()) : std::wstring();
  if (!text.empty()) {
    const TPoint ts =
        MeasureText(Font().Handle(), text, cw - 2 * Margin - (box.GlyphWidth ? box.GlyphWidth + Spacing : 0),
                    DT_EXPANDTABS | DT_WORDBREAK);
    box.TextWidth = ts.X, box.TextHeight = ts.Y;
    const TRect r = SpeedCaptionRect(box, true, TextOffset, state);
    WriteControlText(cache, text, ControlEnabled(this), state != 0, SkinData,
                     AlignmentFlag(TextAlignment) | DT_VCENTER | DT_EXPANDTABS | DT_WORDBREAK,
                     {r.Left, r.Top, r.Right, r.Bottom});
  }
  if (box.GlyphWidth > 0) {
    TsControlGlyph how;
    how.Blend = Blend;
    how.Active = state != 0;
    how.DisabledGlyphKind = DisabledGlyphKind;
    how.Grayed = Grayed;
    how.Enabled = ControlEnabled(this);
    PaintButtonGlyph(*this, list_, cache, ButtonGlyphPos(box, text.empty() ? 0 : Spacing, state), how);
  }
}

void TsSpeedButton::RebuildCache() {
  SkinData.PrepareCache();
  TsBitmap24& cache = SkinData.CacheBitmap;
  const TCacheInfo bg = SkinData.GetParentBackground();
  if (cache.Empty() || (bg.Ready && bg.Bmp->Empty())) return;
  const TsSkinTables& t = SkinData.Skin();
  const TPoint pos = {Left(), Top()};
  const TCacheInfo behind = bg.Shifted(pos.X, pos.Y);
  const TRect all = {0, 0, cache.Width(), cache.Height()};
  const int32_t state = ButtonState();
  if (ButtonStyle == TToolButtonStyle::tbsSeparator || ButtonStyle == TToolButtonStyle::tbsDivider) {
    // Only what lies behind the button, and for a divider the skin's line.
    if (bg.Ready)
      FillFromBackground(cache, all, behind);
    else
      FillRect24(cache, all, tk::ColorToRGB(Parent() ? Parent()->Color() : Color()));
    TsSkinManager* m = SkinData.Manager();
    const int32_t divider = m ? m->GetSkinIndex("DIVIDER") : -1;
    const int32_t mask = divider >= 0 ? m->GetMaskIndex(divider, "DIVIDER", s_BordersMask) : -1;
    if (ButtonStyle == TToolButtonStyle::tbsDivider && t.ValidMask(mask)) {
      const int32_t mw = StateSize(t.ma[mask]).X;
      PaintBorderImage(cache, {(Width() - mw) / 2, 1, (Width() + mw) / 2, Height() - 2}, true, true, 0, t.ma[mask],
                       t.MasterBitmap, behind);
    }
  } else {
    const TRect face = {0, 0, Width() - DropDownWidth(), Height()};
    PaintItemWithContent(SkinData, bg, state, cache, pos, face, DrawOverBorder, [&] { PaintContent(cache, state); });
    if (DropDownWidth() > 0) {
      const int32_t part = menuShown_ || Down() ? 2 : SkinData.IsActive() ? 1 : 0;
      PaintItem(SkinData, bg, true, part, true, cache, pos, {face.Right, 0, Width(), Height()});
      TsSkinManager* m = SkinData.Manager();
      if (const int32_t arrow = m ? m->ConstData().ComboGlyph : -1; t.ValidMask(arrow)) {
        const TsMaskData& image = t.ma[arrow];
        const TPoint size = StateSize(image);
        PaintSkinGlyph(cache, {(DropDownWidth() - size.X) / 2 + face.Right + 1, (Height() - size.Y) / 2}, part, image,
                       image.Picture ? *image.Picture : t.MasterBitmap);
      }
    }
  }
  if (!ControlEnabled(this)) PaintDisabled(cache, DisabledKind, bg, Left(), Top(), AskColor(Parent()));
  if (OnPaint) OnPaint(this, cache);
  TransparentKeyColor() = clFuchsia;
  SkinData.CacheDirty = false;
  oldDown_ = Down();
  oldNumGlyphs_ = NumGlyphs;
  oldSpacing_ = Spacing;
}

void TsSpeedButton::Paint(HDC dc) {
  TsSkinManager* m = SkinData.Manager();
  if (SkinData.SectionIndex < 0 && m && m->SkinData().SkinActive) SkinData.UpdateIndexes();
  if (!SkinData.IsSkinned() || !Visible()) {
    tk::TSpeedButton::Paint(dc);
    return;
  }
  if (Width() <= 0 || Height() <= 0 || SkinData.IsPaintSuspended()) return;
  if (anim_ && anim_->Enabled() && anim_->FrameBitmap.Width() == Width()) {
    CopyCacheToDC(anim_->FrameBitmap, dc, 0, 0);
    return;
  }
  if (Down() != oldDown_ || SkinData.PartlyVisible || NumGlyphs != oldNumGlyphs_ || Spacing != oldSpacing_)
    SkinData.CacheDirty = true;
  SkinData.PartlyVisible = SkinData.NeedsParentBackground();
  if ((SkinData.CacheDirty || SkinData.CacheBitmap.Empty()) && !SkinData.CacheFrozen) RebuildCache();
  RefillMaskCorners(SkinData, ButtonState(), kAllCorners);
  CopyCacheToDC(SkinData.CacheBitmap, dc, 0, 0);
}

void TsSpeedButton::Animate(TorvAnimatEvent event, bool half) {
  StartAnimation(SkinData, anim_, half, FadeAllowed(event, AnimatEvents), &RebuildAndRefill);
}

LRESULT TsSpeedButton::SkinCommand(WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
  switch (cmd) {
    case SKC_SETNEWSKIN:
    case SKC_REMOVESKIN:
    case SKC_REFRESH:
      StopAnimation(SkinData, anim_);
      SkinData.CommonCommand(wParam, lParam, result);
      if (cmd != SKC_REFRESH) FollowSkin(SkinData.IsSkinned(false));
      if (cmd != SKC_SETNEWSKIN && Visible()) tk::TSpeedButton::Invalidate();
      return result;
    case SKC_PARENTUPDATED:
      return 0;
    case SKC_PREPARECACHE:
      SkinData.CommonCommand(wParam, lParam, result);
      if (SkinData.CacheFrozen) RebuildCache();
      return result;
    case SKC_SECTIONCHANGED:
      SkinData.CacheDirty = true;
      RepaintThroughParent(this);
      return 0;
    case SKC_STOPFADE:
      StopAnimation(SkinData, anim_);
      return 0;
    case SKC_REBUILDCACHE:
      // Asked by an animation: the cache in the new state, its corners on what lies behind.
      RebuildCache();
      RefillMaskCorners(SkinData, ButtonState(), kAllCorners);
      return 0;
    default:
      SkinData.CommonCommand(wParam, lParam, result);
      return result;
  }
}

LRESULT TsSpeedButton::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SM_SKINCMD) return SkinCommand(wParam, lParam);
  const bool skinned = SkinData.IsSkinned() && !IsDestroying();
  switch (msg) {
    case tk::CM_MOUSEENTER:
      if (!Enabled() || SkinData.MouseOver) break;
      if (OnMouseEnter) OnMouseEnter(this);
      SkinData.MouseOver = true;
      tk::TSpeedButton::Perform(msg, wParam, lParam);
      if (skinned) Animate(aeMouseEnter, false);
      return 0;
    case tk::CM_MOUSELEAVE:
      if (!SkinData.MouseOver) break;
      if (OnMouseLeave) OnMouseLeave(this);
      SkinData.MouseOver = false;
      tk::TSpeedButton::Perform(msg, wParam, lParam);
      if (State() == tk::TButtonState::bsDown) SetState(tk::TButtonState::bsUp);
      if (skinned) Animate(aeMouseLeave, false);
      return 0;
    case WM_LBUTTONDOWN:
      if (DropDown(GET_X_LPARAM(lParam))) return 0;
      [[fallthrough]];
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      if (msg == WM_LBUTTONUP) menuShown_ = false;
      tk::TSpeedButton::Perform(msg, wParam, lParam);
      if (skinned && Enabled()) Animate(msg == WM_LBUTTONUP ? aeMouseUp : aeMouseDown, true);
      return 0;
    default:
      break;
  }
  return tk::TSpeedButton::Perform(msg, wParam, lParam);
}

bool TsSpeedButton::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  if (name == "AnimatEvents")
    AnimatEvents = ValueToAnimatEvents(name, v);
  else if (name == "DisabledKind")
    DisabledKind = ValueToDisabledKind(name, v);
  else if (name == "Alignment")
    Alignment = tk::ValueToAlignment(name, v);
  else if (name == "TextAlignment")
    TextAlignment = tk::ValueToAlignment(name, v);
  else if (name == "Blend")
    Blend = std::clamp(tk::ValueToInt(name, v), 0, 100);
  else if (name == "Grayed")
    Grayed = tk::ValueToBool(name, v);
  else if (name == "ShowCaption")
    ShowCaption = tk::ValueToBool(name, v);
  else if (name == "DrawOverBorder")
    DrawOverBorder = tk::ValueToBool(name, v);
  else if (name == "DropdownMenu")
    dropdownMenuName_ = tk::ValueToIdent(name, v);
  else if (name == "TextOffset")
    TextOffset = tk::ValueToInt(name, v);
  else if (name == "ButtonStyle") {
    static const char* const kNames[] = {"tbsButton",    "tbsCheck",   "tbsDropDown",
                                         "tbsSeparator", "tbsDivider", "tbsTextButton"};
    const std::string s = tk::ValueToIdent(name, v);
    const auto* it = std::find_if(std::begin(kNames), std::end(kNames), [&](const char* n) { return s == n; });
    if (it == std::end(kNames)) throw tk::EReadError("Invalid property value for " + name + ": " + s);
    ButtonStyle = static_cast<TToolButtonStyle>(it - std::begin(kNames));
  } else if (name == "DisabledGlyphKind") {
    DisabledGlyphKind = 0;
    for (const std::string& e : tk::ValueToSet(name, v))
      DisabledGlyphKind |= e == "dgBlended" ? dgBlended : e == "dgGrayed" ? dgGrayed : 0;
  } else
    return TsListGlyphButton::SetProperty(name, v);
  return true;
}

}  // namespace skin
