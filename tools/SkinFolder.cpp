#include "tools/SkinFolder.h"

#include "skin/sBmpFile.h"
#include "skin/sConst.h"
#include "skin/sImageValues.h"
#include "skin/sIniFiles.h"
#include "skin/sSkinFiles.h"
#include "skin/sSkinLoader.h"
#include "skin/sSkinProps.h"
#include "toolkit/SysUtils.h"

namespace skinfolder {
namespace {

std::string ReadOrFail(const skin::TsSkinFiles& files, const std::string& path) {
  const auto data = files.ReadFile(path);
  if (!data) throw tk::EFOpenError("Cannot open file \"" + path + "\"");
  return *data;
}

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

skin::TsSkinGeneral StoredSection(const skin::TsGeneralData& g) {
  skin::TsSkinGeneral s;
  static_cast<skin::TsSectionData&>(s) = g;
  s.FontColor = skin::FontColorText(g.FontColor);
  s.HotFontColor = skin::FontColorText(g.HotFontColor);
  return s;
}

skin::TsSkinImage StoredImage(const skin::TsMaskData& m) {
  skin::TsSkinImage i;
  i.SectionName = m.SectionName;
  i.PropertyName = m.PropertyName;
  i.Left = m.SourceRect.Left;
  i.Top = m.SourceRect.Top;
  i.Right = m.SourceRect.Right;
  i.Bottom = m.SourceRect.Bottom;
  i.ImageCount = m.ImageCount;
  i.MaskType = m.MaskType;
  i.BorderWidth = m.BorderWidth;
  i.StretchMode = m.StretchMode;
  i.ImgType = m.ImgType;
  i.WL = m.WL, i.WT = m.WT, i.WR = m.WR, i.WB = m.WB;
  return i;
}

bool IsJpegName(const std::string& value) {
  const std::string upper = skin::UpperCase(value);
  return upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
}

}  // namespace

skin::TsStoredSkin ReadSkinFolder(const std::string& folder, const std::string& name) {
  const skin::TsSkinFiles files;
  const std::string path = folder + "/";
  const skin::TsIniFile ini(ReadOrFail(files, path + skin::s_OptionsDat));
  skin::TsStoredSkin s;
  s.Name = name;

  skin::TsSkinTables tables;
  skin::ReadExternalSections(ini, tables, [](skin::TColor c) { return c & 0xFFFFFFu; });
  static_cast<skin::TsSkinInfo&>(s) = tables.SkinData;
  for (const skin::TsGeneralData& g : tables.gd) s.GeneralData.push_back(StoredSection(g));

  const std::string master = ini.ReadString(skin::s_GlobalInfo, skin::s_MasterBitmap, "");
  if (!master.empty()) s.MasterBitmap = ReadOrFail(files, path + master);
  // Images in the order the skin file lists them, as loading reads them.
  for (const skin::TsIniFile::Section& section : ini.Sections()) {
    const bool global = skin::UpperCase(section.Name) == skin::s_GlobalInfo;
    for (const auto& [key, value] : section.Keys) {
      if (global && skin::UpperCase(key) == skin::s_MasterBitmap) continue;
      skin::TsImageValue v = skin::ParseImageValue(section.Name, key, value);
      if (v.From == skin::TsImageValue::Master) {
        s.Images.push_back(StoredImage(v.Mask));
      } else if (v.From == skin::TsImageValue::File) {
        const auto data = files.ReadFile(path + v.FileName);
        if (!data) continue;
        const skin::TsBitmap24 picture = skin::ReadBmp(Bytes(*data));
        skin::PlaceFileImage(v, picture.Width(), picture.Height());
        skin::TsSkinImage image = StoredImage(v.Mask);
        image.Name = v.FileName;
        image.Image = *data;
        s.Images.push_back(std::move(image));
      }
      if (IsJpegName(value)) {
        if (const auto jpeg = files.ReadFile(path + value)) s.Patterns.push_back({section.Name, *jpeg, value, key});
      }
    }
  }
  return s;
}

skin::TsStoredSkins ReadSkinFolders(const std::vector<std::string>& folders) {
  skin::TsStoredSkins skins;
  for (const std::string& folder : folders) {
    const size_t slash = folder.find_last_of('/');
    const std::string base = slash == std::string::npos ? folder : folder.substr(slash + 1);
    skins.Add() = ReadSkinFolder(folder, base + " (internal)");
  }
  return skins;
}

}  // namespace skinfolder
