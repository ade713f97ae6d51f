#include "skin/sCommonData.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "skin/sAlphaGraph.h"
#include "skin/sConst.h"
#include "skin/sControlKinds.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProps.h"
#include "skin/sVclUtils.h"
#include "toolkit/Classes.h"

namespace skin {

namespace {

const TsSkinTables& EmptyTables() {
  static const TsSkinTables empty;
  return empty;
}

// The section an empty name stands for; no skin has it.
constexpr char kNoSection[] = "UNKNOWN";

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

tk::TWinControl* AsWin(tk::TControl* c) { return dynamic_cast<tk::TWinControl*>(c); }

}  // namespace

bool KindWithoutHotLook(int32_t k) {
  return (k >= ckPanel && k <= ckGroupBox) || k == ckWithoutHotLook110 || (k >= ckPageControl && k <= ckGauge);
}

namespace {

struct TsKindSection {
  TsControlKind Kind;
  const char* Section;
};

constexpr TsKindSection kDefaultSections[] = {
    {ckEdit2, s_Edit},
    {ckEdit3, s_Edit},
    {ckEdit4, s_Edit},
    {ckEdit5, s_Edit},
    {ckEdit6, s_Edit},
    {ckMemo, s_Edit},
    {ckEdit8, s_Edit},
    {ckEdit10, s_Edit},
    {ckEdit41, s_Edit},
    {ckEdit76, s_Edit},
    {ckEdit78, s_Edit},
    {ckEdit83, s_Edit},
    {ckEdit84, s_Edit},
    {ckEdit96, s_Edit},
    {ckEdit97, s_Edit},
    {ckEdit131, s_Edit},
    {ckEdit140, s_Edit},
    {ckEdit227, s_Edit},
    {ckComboBox11, s_ComboBox},
    {ckComboBox12, s_ComboBox},
    {ckComboBox13, s_ComboBox},
    {ckComboBox14, s_ComboBox},
    {ckComboBox15, s_ComboBox},
    {ckComboBox16, s_ComboBox},
    {ckComboBox17, s_ComboBox},
    {ckComboBox18, s_ComboBox},
    {ckComboBox81, s_ComboBox},
    {ckComboBox82, s_ComboBox},
    {ckBar, s_Bar},
    {ckBarTitle, s_BarTitle},
    {ckCheckBox, s_CheckBox},
    {ckCheckBox152, s_CheckBox},
    {ckRadioButton, s_RadioButton},
    {ckPanel, s_Panel},
    {ckPanel59, s_Panel},
    {ckPanel68, s_Panel},
    {ckPanel73, s_Panel},
    {ckPanelLow52, s_PanelLow},
    {ckPanelLow58, s_PanelLow},
    {ckToolBar53, s_ToolBar},
    {ckToolBar54, s_ToolBar},
    {ckToolBar60, s_ToolBar},
    {ckDragBar, s_DragBar},
    {ckTabSheet, s_TabSheet},
    {ckGroupBox, s_GroupBox},
    {ckGroupBox226, s_GroupBox},
    {ckSplitter, s_Splitter},
    {ckSpeedButton, s_SpeedButton},
    {ckSpeedButton95, s_SpeedButton},
    {ckButton, s_Button},
    {ckBitBtn, s_Button},
    {ckToolButton, s_ToolButton},
    {ckPageControl, s_PageControl},
    {ckPageControl143, s_PageControl},
    {ckStatusBar, s_StatusBar},
    {ckGauge, s_Gauge},
    {ckTrackBar, s_TrackBar},
};

}  // namespace

const char* DefaultSectionOf(int32_t k) {
  for (const TsKindSection& row : kDefaultSections)
    if (row.Kind == k) return row.Section;
  return "";
}

TCacheInfo& SharedBackground() {
  static TCacheInfo answer;
  return answer;
}

std::string& ChangedSection() {
  static std::string section;
  return section;
}

bool ControlEnabled(const tk::TControl* c) {
  if (!c || c->IsDestroying()) return false;
  if (auto* g = dynamic_cast<const tk::TGraphicControl*>(c)) return g->Enabled();
  auto* w = dynamic_cast<const tk::TWinControl*>(c);
  return !w || !w->HandleAllocated() || IsWindowEnabled(w->Handle());
}

TsCommonData::TsCommonData(tk::TComponent* owner, bool withCache)
    : OwnerControl(dynamic_cast<tk::TControl*>(owner)), OwnerObject(owner) {
  (void)withCache;  // the cache starts empty either way; PrepareCache sizes it
  UseSystemTriangleFill();
}

TsCommonData::~TsCommonData() {
  BorderMaskIndex = SectionIndex = PatternIndex = HotPatternIndex = -1;
  OwnerControl = nullptr;
  OwnerObject = nullptr;
  skinManager_ = nullptr;
}

TsSkinManager* TsCommonData::Manager() const { return skinManager_ ? skinManager_ : TsSkinManager::DefaultManager(); }

const TsSkinTables& TsCommonData::Skin() const {
  TsSkinManager* m = Manager();
  return m ? m->Skin() : EmptyTables();
}

void TsCommonData::UpdateIndexes() {
  CacheDirty = true;
  TsSkinManager* m = Manager();
  SectionIndex = m ? m->GetSkinIndex(skinSection_) : -1;
  if (SectionIndex >= 0) {
    BorderMaskIndex = m->GetMaskIndex(SectionIndex, skinSection_, s_BordersMask);
    PatternIndex = m->GetTextureIndex(SectionIndex, skinSection_, s_Pattern);
    HotPatternIndex = m->GetTextureIndex(SectionIndex, skinSection_, s_HotPattern);
  } else {
    BorderMaskIndex = PatternIndex = HotPatternIndex = -1;
  }
}

void TsCommonData::UpdateSection() {
  if (skinSection_.empty()) {
    const std::string def = DefaultSectionOf(ControlKind);
    SetSkinSection(def.empty() && OwnerObject ? OwnerObject->ClassName() : def);
  } else {
    UpdateIndexes();
  }
}

void TsCommonData::SetSkinSection(const std::string& value) {
  const std::string v = value.empty() ? kNoSection : Upper(value);
  if (v == skinSection_) return;
  skinSection_ = v;
  UpdateIndexes();
  if (OwnerControl && OwnerControl->Parent() && !OwnerControl->IsDestroying() && !OwnerControl->Loading()) {
    TsSkinManager* m = Manager();
    SendSkinCommand(OwnerControl, SectionIndex >= 0 ? SKC_REFRESH : SKC_REMOVESKIN, reinterpret_cast<LPARAM>(m));
  }
}

void TsCommonData::SetSkinManager(TsSkinManager* value) {
  if (value == TsSkinManager::DefaultManager()) value = nullptr;
  if (value == skinManager_) return;
  skinManager_ = value;
  if (OwnerObject && OwnerObject->Loading()) return;
  UpdateIndexes();
  if (OwnerControl && OwnerControl->Parent() && !OwnerControl->IsDestroying()) {
    try {
      SendSkinCommand(OwnerControl, SectionIndex >= 0 ? SKC_REFRESH : SKC_REMOVESKIN,
                      reinterpret_cast<LPARAM>(Manager()));
    } catch (...) {
      // A control that cannot take the new skin keeps the old look.
    }
  }
}

void TsCommonData::SetCustomColor(bool value) {
  if (value == customColor_) return;
  customColor_ = value;
  Invalidate();
}

void TsCommonData::SetCustomFont(bool value) {
  if (value == customFont_) return;
  customFont_ = value;
  Invalidate();
}

bool TsCommonData::IsSkinned(bool requireActive) const {
  if (OwnerObject && OwnerObject->IsDestroying()) return false;
  TsSkinManager* m = Manager();
  if (!m || m->IsDestroying()) return false;
  if (requireActive && !m->SkinData().SkinActive) return false;
  return m->Skin().ValidSection(SectionIndex);
}

bool TsCommonData::IsActive() const {
  if (!OwnerControl || OwnerControl->IsDestroying() || !ControlEnabled(OwnerControl)) return false;
  if (HasFocus) return true;
  if (auto* w = AsWin(OwnerControl); w && w->Focused()) return true;
  if (!MouseOver) return false;
  return !KindWithoutHotLook(ControlKind);
}

bool TsCommonData::IsPaintSuspended() {
  TsSkinManager* m = Manager();
  if (!m || !m->SkinData().SkinActive) return true;
  if (!OwnerControl || OwnerControl->IsDestroying()) return PaintSuspended;
  if (PaintSuspended || !OwnerControl->Parent()) return true;
  return QuerySkinCommand(OwnerControl->Parent(), SKC_ISUPDATING);
}

bool TsCommonData::HasTransparency() const {
  const TsSkinTables& t = Skin();
  return t.ValidSection(SectionIndex) && t.gd[SectionIndex].Transparency > 0;
}

bool TsCommonData::NeedsParentBackground() {
  if (CacheFrozen || !IsSkinned() || !OwnerControl || !OwnerControl->Visible()) return true;
  if (!ControlEnabled(OwnerControl) || HasTransparency()) {
    tk::TWinControl* parent = OwnerControl->Parent();
    if (parent && parent->HandleAllocated()) return QuerySkinCommand(parent, SKC_ISTRANSPARENT);
    return true;
  }
  return false;
}

void TsCommonData::PrepareCache() {
  if (!OwnerControl) return;
  const int32_t w = OwnerControl->Width(), h = OwnerControl->Height();
  if (CacheBitmap.Width() != w || CacheBitmap.Height() != h) CacheBitmap.SetSize(w, h);
}

void TsCommonData::Invalidate() {
  if (!OwnerControl || OwnerControl->IsDestroying() || OwnerControl->Loading()) return;
  CacheDirty = true;
  if (OwnerControl->Parent()) OwnerControl->Invalidate();
}

void TsCommonData::BeginUpdate() {
  PaintSuspended = true;
  if (OwnerControl) SendSkinCommand(OwnerControl, SKC_BEGINUPDATE, 0);
}

void TsCommonData::EndUpdate() {
  PaintSuspended = false;
  if (OwnerControl) SendSkinCommand(OwnerControl, SKC_ENDUPDATE, 0);
}

TCacheInfo TsCommonData::GetParentBackground() {
  SharedBackground() = {};
  if (!OwnerControl || !OwnerControl->Parent()) return {};
  try {
    SendSkinCommand(OwnerControl->Parent(), SKC_GETBG, 0);
  } catch (...) {
    // A parent that fails to answer offers no picture.
  }
  return SharedBackground();
}

bool TsCommonData::CommonCommand(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
  const uint16_t arg = LOWORD(wParam);
  const bool ownManager = reinterpret_cast<TsSkinManager*>(lParam) == Manager();
  result = 0;
  switch (cmd) {
    case SKC_SETNEWSKIN:
      if (ownManager) PaintSuspended = true, UpdateIndexes();
      return true;
    case SKC_REMOVESKIN:
      if (ownManager) {
        // A manager that goes away leaves the control to the default one.
        if (skinManager_ && skinManager_->IsDestroying()) skinManager_ = nullptr;
        BorderMaskIndex = SectionIndex = PatternIndex = HotPatternIndex = -1;
        PaintSuspended = true;
        CacheBitmap.SetSize(0, 0);
      }
      return true;
    case SKC_REFRESH:
      if (ownManager) CacheDirty = true, PaintSuspended = false;
      return true;
    case SKC_GETBG:
      SharedBackground() = {};
      if (!CacheBitmap.Empty()) SharedBackground() = {&CacheBitmap, 0, 0, true};
      return true;
    case SKC_ISSKINNED:
      result = 1;
      return true;
    case SKC_SETUPDATING:
      PaintSuspended = arg == 1;
      return true;
    case SKC_PREPARECACHE:
      CacheFrozen = arg == 1;
      return true;
    case SKC_ISUPDATING:
      result = (CacheDirty || IsPaintSuspended()) ? 1 : 0;
      return true;
    case SKC_ISPARTLYVISIBLE:
      result = PartlyVisible ? 1 : 0;
      return true;
    case SKC_PARENTBGCHANGED:
      if (HasTransparency() && arg == 1) CacheDirty = true;
      return true;
    case SKC_SECTIONCHANGED:
      if (skinSection_ == Upper(ChangedSection())) Invalidate();
      return true;
    case SKC_SETPAINTCHILD:
      PaintingChild = reinterpret_cast<tk::TControl*>(lParam);
      return true;
    case SKC_SETCACHEDIRTY:
      CacheDirty = true;
      return true;
    case SKC_ISTRANSPARENT: {
      const TsSkinTables& t = Skin();
      if (t.ValidSection(SectionIndex)) {
        const TsGeneralData& g = t.gd[SectionIndex];
        if (g.Transparency == 100 && OwnerControl && OwnerControl->Parent()) {
          tk::TWinControl* p = OwnerControl->Parent();
          result = p->HandleAllocated() && QuerySkinCommand(p, SKC_ISTRANSPARENT);
        } else {
          result = (g.GradientPercent + g.ImagePercent > 0 || NeedsParentBackground()) ? 1 : 0;
        }
      }
      return true;
    }
    case SKC_INVALIDATEALL: {
      const bool onParent = NeedsParentBackground();
      CacheDirty = CacheDirty || onParent;
      auto* w = AsWin(OwnerControl);
      if (!w) return true;
      if (w->HandleAllocated() && arg == 1)
        RedrawWindow(w->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
      // Children that show this control's picture through must take its new one.
      if (onParent)
        for (tk::TControl* c : std::vector<tk::TControl*>(w->Controls()))
          if (!c->IsDestroying()) SendSkinCommand(c, SKC_INVALIDATEALL, 0);
      return true;
    }
    case SKC_GETCOLOR: {
      const TsSkinTables& t = Skin();
      if (!IsSkinned() || !OwnerControl) {
        if (OwnerControl) TransparentKeyColor() = tk::ColorToRGB(OwnerControl->Color());
      } else {
        const TsGeneralData& g = t.gd[SectionIndex];
        if (g.Transparency <= 0 || !OwnerControl->Parent()) {
          TransparentKeyColor() = g.Color;
        } else {
          const TColor parent = AskColor(OwnerControl->Parent());
          if (g.Transparency >= 100) {
            TransparentKeyColor() = parent;
          } else {
            TColor mixed = 0;
            for (int s = 0; s < 24; s += 8) {
              const int32_t p = (parent >> s) & 0xFF, c = (g.Color >> s) & 0xFF;
              mixed |= static_cast<TColor>((p * g.Transparency + c * (100 - g.Transparency)) / 100) << s;
            }
            TransparentKeyColor() = mixed;
          }
        }
      }
      return true;
    }
    case SKC_SETPARTLYVISIBLE:
      PartlyVisible = true;
      return true;
    default:
      return false;
  }
}

void TsCommonData::CommonMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOVE:
      if (OwnerControl && NeedsParentBackground()) SendSkinCommand(OwnerControl, SKC_INVALIDATEALL, 0, 1);
      break;
    case WM_SIZE: {
      if (!IsSkinned()) break;
      CacheDirty = true;
      // A gradient stretches with its owner: the children that stay where
      // they are (anchored neither right nor bottom) lie on a new picture.
      auto* w = AsWin(OwnerControl);
      if (!w || Skin().gd[SectionIndex].GradientPercent <= 0) break;
      for (tk::TControl* c : std::vector<tk::TControl*>(w->Controls()))
        if (!c->IsDestroying() && !(c->Anchors() & (tk::akRight | tk::akBottom)))
          SendSkinCommand(c, SKC_INVALIDATEALL, 0, 1);
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (OwnerControl && OwnerControl->TabStop()) {
        CacheDirty = true;
        HasFocus = msg == WM_SETFOCUS;
      }
      break;
    case WM_ENABLE:
    case WM_FONTCHANGE:
      MouseOver = HasFocus = false;
      break;
    default:
      break;
  }
}

bool TsCommonData::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "SkinSection") {
    // A section stored empty names none: the control stays unskinned.
    const std::string section = tk::ValueToString("SkinData.SkinSection", v);
    skinSection_ = section.empty() ? kNoSection : Upper(section);
  }
  else if (name == "CustomColor")
    customColor_ = tk::ValueToBool("SkinData.CustomColor", v);
  else if (name == "CustomFont")
    customFont_ = tk::ValueToBool("SkinData.CustomFont", v);
  else if (name == "COC") {
    // Stored by older layouts; not used.
  } else
    return false;
  return true;
}

bool SetSkinDataProperty(TsCommonData& data, const std::string& name, const tpf0::Value& v) {
  static const std::string kPrefix = "SkinData.";
  return name.rfind(kPrefix, 0) == 0 && data.SetProperty(name.substr(kPrefix.size()), v);
}

}  // namespace skin
