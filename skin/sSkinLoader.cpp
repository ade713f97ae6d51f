#include "skin/sSkinLoader.h"

#include <set>

#include "skin/sBmpFile.h"
#include "skin/sConst.h"
#include "skin/sImageValues.h"
#include "skin/sJpegImage.h"
#include "skin/sShadowLimits.h"
#include "skin/sSkinColors.h"
#include "skin/sSkinConvert.h"
#include "skin/sSkinProps.h"
#include "toolkit/SysUtils.h"

namespace skin {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

using Apply = void (*)(TsGeneralData&, const std::string&, const std::function<TColor(TColor)>&);

int32_t Int(const std::string& text, int32_t def) { return tk::StrToIntDef(text, def); }
bool Truth(const std::string& text) { return UpperCase(text) == "TRUE"; }
TsControlBevel Bevel(const std::string& text) {
  const int32_t b = Int(text, 0);
  return b >= cbNone && b <= cbLoweredHard ? static_cast<TsControlBevel>(b) : cbNone;
}
TsGradArray Gradient(const std::string& text) { return text == " " ? TsGradArray{} : ParseGradientData(text); }

// One key of a section's general data: its default, whether it is an
// integer (-1 then counts as missing), and where its value goes.
struct GeneralKey {
  const char* name;
  const char* def;
  bool isInt;
  Apply apply;
};

#define INT_FIELD(field, dflt) [](TsGeneralData& g, const std::string& v, const auto&) { g.field = Int(v, dflt); }
#define COLOR_FIELD(field, dflt) \
  [](TsGeneralData& g, const std::string& v, const auto&) { g.field = static_cast<TColor>(Int(v, dflt)); }
#define BOOL_FIELD(field) [](TsGeneralData& g, const std::string& v, const auto&) { g.field = Truth(v); }
#define FONT_FIELD(field, i, dflt) \
  [](TsGeneralData& g, const std::string& v, const auto&) { g.field[i] = Int(v, dflt); }

const GeneralKey kGeneralKeys[] = {
    {"COLOR", "16777215", true,
     [](TsGeneralData& g, const std::string& v, const auto& toRGB) {
       g.Color = toRGB(static_cast<TColor>(Int(v, 0xFFFFFF)));
     }},
    {"BEVEL", "0", true, [](TsGeneralData& g, const std::string& v, const auto&) { g.Bevel = Bevel(v); }},
    {"SHADOWBLUR", "6", true,
     [](TsGeneralData& g, const std::string& v, const auto&) { g.ShadowBlur = ClampShadowBlur(Int(v, 6)); }},
    {"SHADOWOFFSET", "3", true,
     [](TsGeneralData& g, const std::string& v, const auto&) { g.ShadowOffset = ClampShadowOffset(Int(v, 3)); }},
    {"SHADOWTRANSPARENCY", "50", true, INT_FIELD(ShadowTransparency, 50)},
    {"SHADOWENABLED", "FALSE", false, BOOL_FIELD(ShadowEnabled)},
    {"RESERVEDBOOLEAN", "FALSE", false, BOOL_FIELD(ReservedBoolean)},
    {"FONTCOLOR", "0", true, FONT_FIELD(FontColor, 0, 0)},
    {"TCLEFT", "-1", true, FONT_FIELD(FontColor, 1, -1)},
    {"TCTOP", "-1", true, FONT_FIELD(FontColor, 2, -1)},
    {"TCRIGHT", "-1", true, FONT_FIELD(FontColor, 3, -1)},
    {"TCBOTTOM", "-1", true, FONT_FIELD(FontColor, 4, -1)},
    {"HOTFONTCOLOR", "0", true, FONT_FIELD(HotFontColor, 0, 0)},
    {"HOTTCLEFT", "-1", true, FONT_FIELD(HotFontColor, 1, -1)},
    {"HOTTCTOP", "-1", true, FONT_FIELD(HotFontColor, 2, -1)},
    {"HOTTCRIGHT", "-1", true, FONT_FIELD(HotFontColor, 3, -1)},
    {"HOTTCBOTTOM", "-1", true, FONT_FIELD(HotFontColor, 4, -1)},
    {"TRANSPARENCY", "0", true, INT_FIELD(Transparency, 0)},
    {"GRADIENTPERCENT", "0", true, INT_FIELD(GradientPercent, 0)},
    {"IMAGEPERCENT", "0", true, INT_FIELD(ImagePercent, 0)},
    {"GRADIENTDATA", " ", false,
     [](TsGeneralData& g, const std::string& v, const auto&) {
       g.GradientData = v;
       g.GradientArray = Gradient(v);
     }},
    {"SHOWFOCUS", "FALSE", false, BOOL_FIELD(ShowFocus)},
    {"FADINGENABLED", "FALSE", false, BOOL_FIELD(FadingEnabled)},
    {"FADINGINTERVALIN", "5", true, INT_FIELD(FadingIntervalIn, 5)},
    {"FADINGINTERVALOUT", "5", true, INT_FIELD(FadingIntervalOut, 5)},
    {"FADINGITERATIONS", "5", true, INT_FIELD(FadingIterations, 5)},
    {"HOTCOLOR", "16777215", true, COLOR_FIELD(HotColor, 0xFFFFFF)},
    {"HOTTRANSPARENCY", "0", true, INT_FIELD(HotTransparency, 0)},
    {"HOTBEVEL", "0", true, [](TsGeneralData& g, const std::string& v, const auto&) { g.HotBevel = Bevel(v); }},
    {"HOTGRADIENTPERCENT", "0", true, INT_FIELD(HotGradientPercent, 0)},
    {"HOTGRADIENTDATA", "", false,
     [](TsGeneralData& g, const std::string& v, const auto&) {
       g.HotGradientData = v;
       g.HotGradientArray = Gradient(v);
     }},
    {"HOTIMAGEPERCENT", "0", true, INT_FIELD(HotImagePercent, 0)},
    {"BORDERCOLOR1", "0", true, COLOR_FIELD(BorderColor1, 0)},
    {"BORDERCOLOR2", "0", true, COLOR_FIELD(BorderColor2, 0)},
};

#undef INT_FIELD
#undef COLOR_FIELD
#undef BOOL_FIELD
#undef FONT_FIELD

// A key's value, looked up along the PARENTCLASS chain when it is missing
// or holds "-1" (integers) or "?" (text). A chain stops at a section that
// names itself or one already visited.
std::optional<std::string> Inherited(const TsIniFile& ini, const std::string& section, const GeneralKey& key) {
  std::set<std::string> visited;
  std::string current = section;
  while (visited.insert(UpperCase(current)).second) {
    const auto v = ini.Find(current, key.name);
    if (v && (key.isInt ? Int(*v, -1) != -1 : *v != "?")) return v;
    const std::string parent = ini.ReadString(current, s_ParentClass, "");
    if (parent.empty()) break;
    current = parent;
  }
  return std::nullopt;
}

TsGeneralData DefaultSection(const std::function<TColor(TColor)>& toRGB) {
  TsGeneralData g;
  for (const GeneralKey& k : kGeneralKeys) k.apply(g, k.def, toRGB);
  return g;
}

bool IsJpegName(const std::string& value) {
  const std::string upper = UpperCase(value);
  return upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
}

// Reads every image value of the document (all forms, or the older ones).
void ReadImages(const TsIniFile& ini, const std::string& skinPath, const TsSkinFiles& files, TsSkinTables& t,
                TsSkinManager* owner, bool olderFormsOnly) {
  for (const TsIniFile::Section& section : ini.Sections()) {
    const bool global = UpperCase(section.Name) == s_GlobalInfo;
    if (olderFormsOnly && global) continue;
    for (const auto& [key, value] : section.Keys) {
      if (global && UpperCase(key) == s_MasterBitmap) continue;
      TsImageValue image = ParseImageValue(section.Name, key, value, olderFormsOnly);
      image.Mask.Owner = owner;
      if (image.From == TsImageValue::Master) {
        AddImage(t, std::move(image.Mask));
      } else if (image.From == TsImageValue::File) {
        const auto data = files.ReadFile(SkinFilePath(skinPath, image.FileName));
        if (!data) continue;
        image.Mask.Picture = std::make_shared<TsBitmap24>(ReadBmp(Bytes(*data)));
        PlaceFileImage(image, image.Mask.Picture->Width(), image.Mask.Picture->Height());
        AddImage(t, std::move(image.Mask));
      }
    }
  }
}

void ReadJpegTextures(const TsIniFile& ini, const std::string& skinPath, const TsSkinFiles& files, TsSkinTables& t,
                      TsSkinManager* owner) {
  for (const TsIniFile::Section& section : ini.Sections())
    for (const auto& [key, value] : section.Keys) {
      if (!IsJpegName(value)) continue;
      const auto data = files.ReadFile(SkinFilePath(skinPath, value));
      if (data) AddJpegTexture(t, section.Name, key, DecodeJpeg(Bytes(*data)), owner);
    }
}

// Extra sections: missing keys come from the parent section loaded so far,
// or from the defaults.
void MergeCommonSections(const TsIniFile& ini, TsSkinTables& t, const std::function<TColor(TColor)>& toRGB) {
  for (const TsIniFile::Section& section : ini.Sections()) {
    if (UpperCase(section.Name) == s_GlobalInfo) continue;
    const std::string parent = UpperCase(ini.ReadString(section.Name, s_ParentClass, ""));
    const int32_t parentIndex = parent.empty() ? -1 : t.GetSkinIndex(parent);
    TsGeneralData g = parentIndex >= 0 ? t.gd[static_cast<size_t>(parentIndex)] : DefaultSection(toRGB);
    g.SectionName = section.Name;
    g.ParentClass = ini.ReadString(section.Name, s_ParentClass, "");
    g.ShadowColor =
        static_cast<TColor>(ini.ReadInteger(section.Name, s_ShadowColor, static_cast<int32_t>(g.ShadowColor)));
    for (const GeneralKey& k : kGeneralKeys)
      if (const auto v = ini.Find(section.Name, k.name)) k.apply(g, *v, toRGB);
    t.gd.push_back(std::move(g));
  }
}

void ReadSkinData(const TsIniFile& ini, TsSkinData& d) {
  d.Version = tk::StrToFloatDot(ini.ReadString(s_GlobalInfo, s_Version, "0"));
  d.Author = ini.ReadString(s_GlobalInfo, s_Author, "");
  d.Description = ini.ReadString(s_GlobalInfo, s_Description, "");
  d.Shadow1Color = ini.ReadInteger(s_GlobalInfo, s_Shadow1Color, 0);
  d.Shadow1Offset = ClampShadowOffset(ini.ReadInteger(s_GlobalInfo, s_Shadow1Offset, 0));
  // -1 (any negative value) leaves the labels their own shadow.
  const int32_t blur = ini.ReadInteger(s_GlobalInfo, s_Shadow1Blur, -1);
  d.Shadow1Blur = blur < 0 ? -1 : ClampShadowBlur(blur);
  d.Shadow1Transparency = ini.ReadInteger(s_GlobalInfo, s_Shadow1Transparency, 0);
  d.BorderColor = static_cast<TColor>(ini.ReadInteger(s_GlobalInfo, s_BorderColor, 0));
}

}  // namespace

std::string SkinFilePath(const std::string& skinPath, const std::string& name) {
  return name.find(':') != std::string::npos ? name : skinPath + name;
}

void ReadExternalSections(const TsIniFile& ini, TsSkinTables& t, const std::function<TColor(TColor)>& toRGB) {
  ReadSkinData(ini, t.SkinData);
  for (const TsIniFile::Section& section : ini.Sections()) {
    TsGeneralData g;
    g.SectionName = section.Name;
    g.ParentClass = ini.ReadString(section.Name, s_ParentClass, "");
    g.ShadowColor = static_cast<TColor>(ini.ReadInteger(section.Name, s_ShadowColor, 0));
    for (const GeneralKey& k : kGeneralKeys) k.apply(g, Inherited(ini, section.Name, k).value_or(k.def), toRGB);
    t.gd.push_back(std::move(g));
  }
}

TsSkinSource LoadSkinTables(TsSkinLoadRequest& r, const TsSkinFiles& files, TsSkinTables& t) {
  const std::string folder = r.SkinDirectory + r.SkinName;
  std::optional<TsIniFile> ini;
  const TsStoredSkin* stored = nullptr;
  if (const auto text = files.ReadFile(folder + "\\" + s_OptionsDat)) {
    ini.emplace(*text);
    t.SkinData.SkinPath = folder + "\\";
  } else {
    t.SkinData.SkinPath.clear();
    const TsStoredSkins* internal = r.InternalSkins;
    int32_t index = internal ? internal->IndexOf(r.SkinName) : -1;
    if (index < 0 && internal && internal->Count() > 0) {
      index = 0;
      r.SkinName = internal->Items(0).Name;
    }
    if (index < 0) {
      t.Clear();
      return TsSkinSource::None;
    }
    stored = &internal->Items(index);
  }
  const std::string& path = t.SkinData.SkinPath;
  std::string commonText;
  for (const std::string& line : r.CommonSections) commonText += line + "\n";
  // The extra sections are read as one in-memory document for each step.
  const TsIniFile common(commonText);

  t.Clear();
  if (ini) {
    const std::string master = ini->ReadString(s_GlobalInfo, s_MasterBitmap, "");
    if (!master.empty())
      if (const auto data = files.ReadFile(SkinFilePath(path, master))) t.MasterBitmap = ReadBmp(Bytes(*data));
    ReadImages(*ini, path, files, t, r.Owner, false);
  } else {
    ConvertStoredImages(*stored, t, r.Owner);
  }
  ReadImages(common, path, files, t, r.Owner, true);

  if (ini)
    ReadJpegTextures(*ini, path, files, t, r.Owner);
  else
    ConvertStoredPatterns(*stored, t, r.Owner);
  ReadJpegTextures(common, path, files, t, r.Owner);

  if (ini)
    ReadExternalSections(*ini, t, r.ColorToRGB);
  else
    ConvertStoredSections(*stored, t);
  MergeCommonSections(common, t, r.ColorToRGB);

  if (r.HueOffset != 0) ChangeHue(t, r.HueOffset);
  if (r.Saturation != 0) ChangeSaturation(t, r.Saturation);
  return ini ? TsSkinSource::External : TsSkinSource::Internal;
}

}  // namespace skin
