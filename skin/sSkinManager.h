// The skin manager: the root of the skin engine. It holds the internal
// skins stored in the window layout, loads the selected skin into its
// run-time tables, answers look-ups of sections and images, and announces
// skin changes to every window through SM_SKINCMD. The first manager
// created is the default one, which skinned controls use unless they name
// another.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/sCachedIndexes.h"
#include "skin/sSkinTables.h"
#include "skin/sStoredSkins.h"
#include "toolkit/Classes.h"
#include "toolkit/Forms.h"
#include "toolkit/Graphics.h"

namespace skin {

// Button events that start fades; one process-wide byte (bit i = event i).
enum TorvBtnEvent : uint8_t { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
uint8_t ButtonEvents();
void SetButtonEvents(uint8_t events);

struct TorvBtnEffects {
  uint8_t Events() const { return ButtonEvents(); }
  void SetEvents(uint8_t events) { SetButtonEvents(events); }
};
struct TorvAnimOption {
  bool Active = true;
  uint16_t Time = 0;  // milliseconds
};
struct TorvAnimEffects {
  TorvBtnEffects Buttons;
  TorvAnimOption DialogShow{true, 100};
  TorvAnimOption FormShow{true, 0};
  TorvAnimOption PageChange{true, 0};
  TorvAnimOption SkinChanging{true, 100};
};

struct TorvMenuSupport {
  std::string IcoLineSkin;
  bool UseExtraLine = false;
  int32_t ExtraLineWidth = 32;
  tk::TFont ExtraLineFont;
};

enum TsSkinningRule : uint8_t { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };

class TsSkinableMenus;

class TsSkinManager : public tk::TComponent {
public:
  explicit TsSkinManager(tk::TComponent* owner);
  ~TsSkinManager() override;
  const char* ClassName() const override { return "TsSkinManager"; }

  // Published properties.
  TorvAnimEffects AnimEffects;
  TorvMenuSupport MenuSupport;
  uint8_t SkinningRules = srStdForms | srStdDialogs | srThirdParty;
  tk::TNotifyEvent OnAfterChange, OnBeforeChange, OnGetMenuExtraLineData;

  bool IsDefault() const { return DefaultManager() == this; }
  void SetIsDefault(bool value);
  bool Active() const { return active_; }
  void SetActive(bool value);
  const std::vector<std::string>& CommonSections() const { return commonSections_; }
  void SetCommonSections(const std::vector<std::string>& lines);
  int32_t Saturation() const { return saturation_; }
  void SetSaturation(int32_t value);
  int32_t HueOffset() const { return hueOffset_; }
  void SetHueOffset(int32_t value);
  const TsStoredSkins& InternalSkins() const { return internalSkins_; }
  void SetInternalSkins(const TsStoredSkins& skins) { internalSkins_ = skins; }
  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string& value);
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(const std::string& value);
  // The active skin's Version with "." as separator, or "N/A".
  std::string SkinInfo() const;
  static std::string Version() { return "5.16"; }
  bool SkinnedPopups() const { return skinnedPopups_; }
  void SetSkinnedPopups(bool value);
  // The menu painter; active while a skin is.
  TsSkinableMenus& SkinableMenus() { return *menus_; }

  // The active skin. Painting reads the tables; indexes are positions in them.
  const TsSkinTables& Skin() const { return tables_; }
  const TsSkinData& SkinData() const { return tables_.SkinData; }
  const TsGeneralDataArray& gd() const { return tables_.gd; }
  const TsMaskArray& ma() const { return tables_.ma; }
  const TsPatternArray& pa() const { return tables_.pa; }
  const TsBitmap24& MasterBitmap() const { return tables_.MasterBitmap; }
  const TsCachedIndexes& ConstData() const { return constData_; }

  int32_t GetSkinIndex(const std::string& section) const;
  int32_t GetMaskIndex(int32_t skinIndex, const std::string& section, const std::string& role) const;
  int32_t GetMaskIndexExact(const std::string& section, const std::string& role) const;
  int32_t GetTextureIndex(int32_t skinIndex, const std::string& section, const std::string& role) const;
  int32_t GetPatternIndex(int32_t skinIndex, const std::string& section, const std::string& role) const;
  SIZE GetStateSize(int32_t maskIndex) const;
  int32_t GetMarginLeft(int32_t maskIndex) const { return tables_.GetMarginLeft(maskIndex); }
  int32_t GetMarginTop(int32_t maskIndex) const { return tables_.GetMarginTop(maskIndex); }
  int32_t GetMarginRight(int32_t maskIndex) const { return tables_.GetMarginRight(maskIndex); }
  int32_t GetMarginBottom(int32_t maskIndex) const { return tables_.GetMarginBottom(maskIndex); }
  COLORREF GetGlobalColor() const;
  COLORREF GetGlobalFontColor() const;
  COLORREF GetGlobalHotColor() const;

  // Loads the skin named by SkinName (only while active).
  void LoadSkin();
  // Fills names with every internal and external skin; see GetSkinNames.
  std::string GetSkinNames(std::vector<std::string>& names) const;
  std::string GetFullSkinDirectory() const;

  // Announcements to every form (SM_SKINCMD with lParam = this manager).
  void SendNewSkin();
  void SendRefresh();
  void SendRemoveSkin();
  // Remembers the window that shows the hot look and tells both windows.
  void SetHotWindow(HWND window);
  HWND HotWindow() const { return hotWindow_; }

  static TsSkinManager* DefaultManager();

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;

private:
  void ChangeSkin();
  void ReloadColours();
  void UpdateCachedIndexes() { constData_ = ComputeCachedIndexes(tables_); }
  void SuspendRedraw();
  // The menu painter follows the skin: stale sizes dropped, active or not.
  void UpdateMenus();

  TsSkinTables tables_;
  TsCachedIndexes constData_;
  TsStoredSkins internalSkins_;
  std::vector<std::string> commonSections_;
  std::string skinDirectory_ = "c:\\Skins";
  std::string skinName_;
  int32_t saturation_ = 0, hueOffset_ = 0;
  bool active_ = true;
  bool skinnedPopups_ = true;
  HWND hotWindow_ = nullptr;
  std::vector<tk::TWinControl*> suspended_;  // forms whose redrawing this manager switched off
  std::unique_ptr<TsSkinableMenus> menus_;
};

// Process-wide state the engine's painting consults.
// True while skin data are being loaded, re-coloured or removed.
bool SkinDataChanging();
// True while a new skin is being announced.
bool AnnouncingNewSkin();

// The skinned forms, registered by their per-form components. Unregistering
// a form that is not registered raises "No SkinForm called ?".
void RegisterSkinForm(tk::TWinControl* form);
void UnregisterSkinForm(tk::TWinControl* form);
const std::vector<tk::TWinControl*>& SkinForms();

}  // namespace skin
