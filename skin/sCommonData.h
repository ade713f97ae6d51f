// The skin data every skinned control owns and publishes as SkinData: its
// section and the section's indexes in the active skin, the control's
// 24-bit cache bitmap with the flags that decide when it is rebuilt, and
// the part of the skin command protocol that is the same for all controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/sBitmap24.h"
#include "skin/sCacheInfo.h"
#include "skin/sControlKinds.h"
#include "toolkit/Controls.h"
#include "toolkit/Tpf0.h"

namespace skin {

class TsSkinManager;
struct TsSkinTables;

// Kinds of controls whose look never follows the mouse alone.
bool KindWithoutHotLook(int32_t controlKind);
// The section a control of that kind uses when none is named; empty for
// kinds that take their class name.
const char* DefaultSectionOf(int32_t controlKind);

// The one background description that answers SKC_GETBG.
TCacheInfo& SharedBackground();

// The section whose data the engine has just changed: SKC_SECTIONCHANGED
// makes the controls of that section repaint.
std::string& ChangedSection();

class TsCommonData {
public:
  // Data not yet bound to a control (controls that keep only the section).
  TsCommonData() : TsCommonData(nullptr, false) {}
  TsCommonData(tk::TComponent* owner, bool withCache);
  ~TsCommonData();
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  bool PaintSuspended = false;
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& value);
  bool CustomFont() const { return customFont_; }
  void SetCustomFont(bool value);
  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool value);
  // The manager named for this control (none: the default manager).
  TsSkinManager* SkinManager() const { return skinManager_; }
  void SetSkinManager(TsSkinManager* value);
  int32_t BorderMaskIndex = -1, SectionIndex = -1, PatternIndex = -1, HotPatternIndex = -1;
  tk::TControl* PaintingChild = nullptr;
  bool CacheFrozen = false, CacheDirty = true, PartlyVisible = true;
  tk::TControl* OwnerControl = nullptr;
  tk::TComponent* OwnerObject = nullptr;
  TsBitmap24 CacheBitmap;
  TsControlKind ControlKind = ckNone;
  bool HasFocus = false, MouseOver = false;

  // The manager in use: the named one or the default one (or none).
  TsSkinManager* Manager() const;
  // The active skin's tables; only valid while a manager exists.
  const TsSkinTables& Skin() const;

  void UpdateSection();
  void UpdateIndexes();
  bool IsSkinned(bool requireActive = true) const;
  bool IsActive() const;
  bool IsPaintSuspended();
  bool NeedsParentBackground();
  bool HasTransparency() const;
  void PrepareCache();
  void Invalidate();
  void BeginUpdate();
  void EndUpdate();
  // The parent's cache as a background description (not Ready when the
  // parent has none or is not skinned).
  TCacheInfo GetParentBackground();

  // SM_SKINCMD handling shared by all controls; true when answered (the
  // answer is in result).
  bool CommonCommand(WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Other messages: moves, sizes, focus, mouse enter and leave.
  void CommonMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  // "SkinSection", "CustomColor", "CustomFont" relative to SkinData.
  bool SetProperty(const std::string& name, const tpf0::Value& value);

private:
  std::string skinSection_;
  bool customFont_ = false, customColor_ = false;
  TsSkinManager* skinManager_ = nullptr;
};

// Handles "SkinData.<name>" for a control; false when the name is not one.
bool SetSkinDataProperty(TsCommonData& data, const std::string& name, const tpf0::Value& value);

// True when the control is not being destroyed and is enabled (its window, if any).
bool ControlEnabled(const tk::TControl* control);

}  // namespace skin
