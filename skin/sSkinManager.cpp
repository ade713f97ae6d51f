#include "skin/sSkinManager.h"

#include "skin/orvDials.h"

#include <charconv>

#include "skin/sConst.h"
#include "skin/sSkinDirectory.h"
#include "skin/sSkinLoader.h"
#include "skin/sSkinMenus.h"
#include "skin/sSkinState.h"
#include "skin/sVclUtils.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace skin {
namespace {

constexpr char kDefaultSkinDirectory[] = "c:\\Skins";

// The executable's folder with a trailing backslash.
std::string ApplicationFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  folder.erase(folder.find_last_of(L'\\') + 1);
  return tk::Narrow(folder);
}

// Comment lines (";") stay as they are; every other line loses its blanks.
std::vector<std::string> StripBlanks(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (std::string line : lines) {
    if (line.empty() || line[0] != ';') std::erase(line, ' ');
    out.push_back(std::move(line));
  }
  return out;
}

uint8_t SetBits(const std::string& prop, const tpf0::Value& v, std::initializer_list<const char*> names) {
  uint8_t bits = 0;
  for (const std::string& element : tk::ValueToSet(prop, v)) {
    uint8_t bit = 1;
    for (const char* name : names) {
      if (element == name) bits |= bit;
      bit <<= 1;
    }
  }
  return bits;
}

bool SetAnimOption(TorvAnimOption& o, const std::string& field, const std::string& prop, const tpf0::Value& v) {
  if (field == "Active")
    o.Active = tk::ValueToBool(prop, v);
  else if (field == "Time")
    o.Time = static_cast<uint16_t>(tk::ValueToInt(prop, v));
  else
    return false;
  return true;
}

}  // namespace

TsSkinManager::TsSkinManager(tk::TComponent* owner)
    : tk::TComponent(owner), menus_(std::make_unique<TsSkinableMenus>(this)) {
  // The first manager becomes the default one. (The engine has no hidden
  // application window to watch: the main form owns the taskbar button.)
  if (!state::DefaultManager()) state::DefaultManager() = this;
}

TsSkinManager::~TsSkinManager() {
  // Marked first, so that the controls bound to this manager forget it
  // when they hear of the removal.
  Destroying();
  SetActive(false);
  if (IsDefault()) RemoveDialogHook();
  if (hotWindow_) hotWindow_ = nullptr;
  if (state::DefaultManager() == this) state::DefaultManager() = nullptr;
}

// ---------------------------------------------------------------- properties

void TsSkinManager::SetSkinName(const std::string& value) {
  skinName_ = value;
  // While the layout is read, the skin waits for every property it depends
  // on (internal skins, extra sections, name) in whatever order they come;
  // Loaded loads it once.
  if (active_ && !Loading()) ChangeSkin();
}

void TsSkinManager::ChangeSkin() {
  if (OnBeforeChange) OnBeforeChange(this);
  {
    state::FlagGuard changing(state::Changing());
    tables_.SkinData.SkinActive = false;
    LoadSkin();
    if (!state::Announcing() && active_) SendNewSkin();
  }
  UpdateMenus();
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::UpdateMenus() {
  menus_->SkinChanged();
  // While the forms go, their menus go too; handlers left on other items
  // do nothing once the painter is gone.
  if (IsDestroying()) return;
  menus_->SetActive(active_ && tables_.SkinData.SkinActive);
}

void TsSkinManager::SetSkinnedPopups(bool value) {
  skinnedPopups_ = value;
  // Pop-ups follow the flag: the painter walks the menus again.
  if (menus_->Active()) {
    menus_->SetActive(false);
    UpdateMenus();
  }
}

void TsSkinManager::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value) {
    SetSkinName(skinName_);
  } else {
    if (!Loading()) SendRemoveSkin();
    UpdateCachedIndexes();
    UpdateMenus();
  }
}

void TsSkinManager::SetSkinDirectory(const std::string& value) {
  if (value == skinDirectory_) return;
  skinDirectory_ = value;
  tables_.SkinData.SkinPath = GetFullSkinDirectory();
}

void TsSkinManager::ReloadColours() {
  state::FlagGuard changing(state::Changing());
  if (!tables_.SkinData.SkinActive) return;
  LoadSkin();
  if (!Loading()) SendRefresh();
  menus_->SkinChanged();
}

void TsSkinManager::SetHueOffset(int32_t value) {
  if (value == hueOffset_) return;
  hueOffset_ = value;
  ReloadColours();
}

void TsSkinManager::SetSaturation(int32_t value) {
  if (value == saturation_) return;
  saturation_ = value;
  ReloadColours();
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
  commonSections_ = StripBlanks(lines);
  SetSkinName(skinName_);
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && state::DefaultManager()) return;
  state::DefaultManager() = this;
  if (active_) {
    SendNewSkin();
  } else {
    SendRemoveSkin();
  }
}

std::string TsSkinManager::SkinInfo() const {
  if (!tables_.SkinData.SkinActive) return "N/A";
  // Shortest round-trip form with "." whatever the regional settings.
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, tables_.SkinData.Version).ptr;
  return std::string(text, end);
}

bool TsSkinManager::SetProperty(const std::string& name, const tpf0::Value& v) {
  static const std::string kAnim = "AnimEffects.", kMenu = "MenuSupport.", kFont = "MenuSupport.ExtraLineFont.";
  if (name == "AnimEffects.Buttons.Events") {
    SetButtonEvents(SetBits(name, v, {"beMouseEnter", "beMouseLeave", "beMouseDown", "beMouseUp"}));
  } else if (name.rfind(kAnim, 0) == 0) {
    const std::string rest = name.substr(kAnim.size());
    const size_t dot = rest.find('.');
    const std::string option = rest.substr(0, dot), field = dot == std::string::npos ? "" : rest.substr(dot + 1);
    TorvAnimOption* o = option == "DialogShow"     ? &AnimEffects.DialogShow
                        : option == "FormShow"     ? &AnimEffects.FormShow
                        : option == "PageChange"   ? &AnimEffects.PageChange
                        : option == "SkinChanging" ? &AnimEffects.SkinChanging
                                                   : nullptr;
    return o && SetAnimOption(*o, field, name, v);
  } else if (name == "IsDefault") {
    SetIsDefault(tk::ValueToBool(name, v));
  } else if (name == "Active") {
    SetActive(tk::ValueToBool(name, v));
  } else if (name == "CommonSections.Strings") {
    if (v.type != tpf0::ValueType::List) throw tk::EReadError("Invalid property value for " + name);
    std::vector<std::string> lines;
    for (const tpf0::Value& line : v.list) lines.push_back(tk::ValueToString(name, line));
    SetCommonSections(lines);
  } else if (name == "Saturation") {
    SetSaturation(tk::ValueToInt(name, v));
  } else if (name == "HueOffset") {
    SetHueOffset(tk::ValueToInt(name, v));
  } else if (name == "InternalSkins") {
    SetInternalSkins(TsStoredSkins::FromValue(v));
  } else if (name.rfind(kFont, 0) == 0) {
    return MenuSupport.ExtraLineFont.SetProperty(name.substr(kFont.size()), v);
  } else if (name == "MenuSupport.IcoLineSkin") {
    MenuSupport.IcoLineSkin = tk::ValueToString(name, v);
  } else if (name == "MenuSupport.UseExtraLine") {
    MenuSupport.UseExtraLine = tk::ValueToBool(name, v);
  } else if (name == "MenuSupport.ExtraLineWidth") {
    MenuSupport.ExtraLineWidth = tk::ValueToInt(name, v);
  } else if (name == "SkinDirectory") {
    SetSkinDirectory(tk::ValueToString(name, v));
  } else if (name == "SkinName") {
    SetSkinName(tk::ValueToString(name, v));
  } else if (name == "SkinInfo") {
    tk::ValueToString(name, v);  // read-only: the stored text is ignored
  } else if (name == "SkinningRules") {
    SkinningRules = SetBits(name, v, {"srStdForms", "srStdDialogs", "srThirdParty"});
  } else if (name == "SkinnedPopups") {
    SetSkinnedPopups(tk::ValueToBool(name, v));
  } else if (name == "OnAfterChange" || name == "OnBeforeChange" || name == "OnGetMenuExtraLineData") {
    const std::string method = tk::ValueToIdent(name, v);
    tk::TNotifyEvent handler = MethodRoot()->FindMethod(method);
    if (!handler) throw tk::EReadError("Method " + method + " not found");
    (name == "OnAfterChange"    ? OnAfterChange
     : name == "OnBeforeChange" ? OnBeforeChange
                                : OnGetMenuExtraLineData) = std::move(handler);
  } else {
    return tk::TComponent::SetProperty(name, v);
  }
  return true;
}

void TsSkinManager::Loaded() {
  tk::TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = kDefaultSkinDirectory;
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = s_IcoLine;
  if (active_ && !skinName_.empty()) ChangeSkin();
}

// ---------------------------------------------------------------- loading

std::string TsSkinManager::GetFullSkinDirectory() const {
  return ResolveSkinDirectory(skinDirectory_, ApplicationFolder());
}

std::string TsSkinManager::GetSkinNames(std::vector<std::string>& names) const {
  return skin::GetSkinNames(internalSkins_, GetFullSkinDirectory(), TsSkinFiles(), names);
}

void TsSkinManager::LoadSkin() {
  if (!active_) return;
  state::FlagGuard changing(state::Changing());
  TsSkinLoadRequest request;
  request.SkinName = skinName_;
  request.SkinDirectory = GetFullSkinDirectory();
  request.InternalSkins = &internalSkins_;
  request.CommonSections = commonSections_;
  request.HueOffset = hueOffset_;
  request.Saturation = saturation_;
  request.Owner = this;
  request.ColorToRGB = [](TColor c) { return static_cast<TColor>(tk::ColorToRGB(c)); };
  const TsSkinSource source = LoadSkinTables(request, TsSkinFiles(), tables_);
  skinName_ = request.SkinName;
  if (source == TsSkinSource::None) active_ = false;
  if (skinDirectory_.empty()) skinDirectory_ = kDefaultSkinDirectory;
  UpdateCachedIndexes();
}

// ---------------------------------------------------------------- look-ups

int32_t TsSkinManager::GetSkinIndex(const std::string& section) const { return tables_.GetSkinIndex(section); }

int32_t TsSkinManager::GetMaskIndex(int32_t skinIndex, const std::string& section, const std::string& role) const {
  return tables_.GetMaskIndex(skinIndex, section, role);
}

int32_t TsSkinManager::GetMaskIndexExact(const std::string& section, const std::string& role) const {
  return tables_.GetMaskIndexExact(section, role);
}

int32_t TsSkinManager::GetTextureIndex(int32_t skinIndex, const std::string& section, const std::string& role) const {
  return tables_.GetTextureIndex(skinIndex, section, role);
}

int32_t TsSkinManager::GetPatternIndex(int32_t skinIndex, const std::string& section, const std::string& role) const {
  return tables_.GetPatternIndex(skinIndex, section, role);
}

SIZE TsSkinManager::GetStateSize(int32_t maskIndex) const {
  int32_t w, h;
  tables_.GetStateSize(maskIndex, w, h);
  return {w, h};
}

COLORREF TsSkinManager::GetGlobalColor() const {
  const int16_t i = constData_.GlobalInfo;
  return tables_.ValidSection(i) ? tk::ColorToRGB(tables_.gd[i].Color) : tk::ColorToRGB(tk::clBtnFace);
}

COLORREF TsSkinManager::GetGlobalFontColor() const {
  const int16_t i = constData_.GlobalInfo;
  return tables_.ValidSection(i) ? tk::ColorToRGB(static_cast<TColor>(tables_.gd[i].FontColor[0])) : tk::clFuchsia;
}

COLORREF TsSkinManager::GetGlobalHotColor() const {
  const int16_t i = constData_.GlobalInfo;
  return tables_.ValidSection(i) ? tk::ColorToRGB(tables_.gd[i].HotColor) : tk::ColorToRGB(tk::clWindow);
}

void TsSkinManager::SetHotWindow(HWND window) {
  if (window == hotWindow_) return;
  if (hotWindow_ && IsWindow(hotWindow_))
    SendMessageW(hotWindow_, SM_SKINCMD, MakeSkinCmd(SKC_MOUSELEAVE), reinterpret_cast<LPARAM>(this));
  hotWindow_ = window;
  if (hotWindow_) SendMessageW(hotWindow_, SM_SKINCMD, MakeSkinCmd(SKC_MOUSEENTER), reinterpret_cast<LPARAM>(this));
}

}  // namespace skin
