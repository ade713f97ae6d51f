#include "skin/sSkinConvert.h"

#include "skin/sBmpFile.h"
#include "skin/sIniFiles.h"
#include "skin/sJpegImage.h"
#include "skin/sSkinProps.h"
#include "skin/sStretchMode.h"

namespace skin {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

}  // namespace

bool AddImage(TsSkinTables& tables, TsMaskData image) {
  const TRect& r = image.SourceRect;
  if (image.Picture) {
    if (image.Picture->Empty()) return false;
  } else if (r.Left < 0 || r.Top < 0 || r.Right > tables.MasterBitmap.Width() ||
             r.Bottom > tables.MasterBitmap.Height() || r.Width() < image.ImageCount ||
             r.Height() < image.MaskType + 1) {
    return false;
  }
  tables.ma.push_back(std::move(image));
  return true;
}

void AddJpegTexture(TsSkinTables& tables, const std::string& section, const std::string& role, TsBitmap24 picture,
                    TsSkinManager* owner) {
  const int64_t pixels = static_cast<int64_t>(picture.Width()) * picture.Height();
  if (pixels > 89999) {
    tables.pa.push_back({std::make_shared<TsBitmap24>(std::move(picture)), UpperCase(section), UpperCase(role)});
    return;
  }
  TsMaskData m;
  m.SectionName = UpperCase(section);
  m.PropertyName = UpperCase(role);
  m.SourceRect = {0, 0, picture.Width(), picture.Height()};
  m.Picture = std::make_shared<TsBitmap24>(std::move(picture));
  m.ImageCount = 1;
  m.ImgType = itisaTexture;
  m.Owner = owner;
  ApplyMarginDefaults(m);
  AddImage(tables, std::move(m));
}

TsGeneralData ConvertSection(const TsSkinGeneral& s) {
  TsGeneralData g;
  static_cast<TsSectionData&>(g) = s;
  g.FontColor = ParseFontColor(s.FontColor);
  g.HotFontColor = ParseFontColor(s.HotFontColor);
  g.GradientArray = ParseGradientData(s.GradientData);
  g.HotGradientArray = ParseGradientData(s.HotGradientData);
  return g;
}

void ConvertStoredSkin(const TsStoredSkin& skin, TsSkinTables& t, TsSkinManager* owner) {
  t.Clear();
  ConvertStoredImages(skin, t, owner);
  ConvertStoredSections(skin, t);
  ConvertStoredPatterns(skin, t, owner);
}

void ConvertStoredImages(const TsStoredSkin& skin, TsSkinTables& t, TsSkinManager* owner) {
  if (!skin.MasterBitmap.empty()) t.MasterBitmap = ReadBmp(Bytes(skin.MasterBitmap));
  for (const TsSkinImage& s : skin.Images) {
    TsMaskData m;
    if (!s.Name.empty()) {
      m.Picture = std::make_shared<TsBitmap24>(s.Image.empty() ? TsBitmap24() : ReadBmp(Bytes(s.Image)));
      m.SourceRect = {0, 0, m.Picture->Width(), m.Picture->Height()};
    } else {
      m.SourceRect = {s.Left, s.Top, s.Right, s.Bottom};
    }
    m.SectionName = UpperCase(s.SectionName);
    m.PropertyName = UpperCase(s.PropertyName);
    m.ImageCount = static_cast<int16_t>(s.ImageCount);
    m.MaskType = static_cast<int16_t>(s.MaskType);
    RepairImageGeometry(m);
    m.BorderWidth = static_cast<int16_t>(s.BorderWidth);
    if (m.PropertyName == s_Pattern || m.PropertyName == s_HotPattern) {
      m.StretchMode = s.ImgType == itisaTexture ? static_cast<int16_t>(s.StretchMode) : smTile;
      m.ImgType = itisaTexture;
    } else {
      m.StretchMode = static_cast<int16_t>(s.StretchMode);
      m.ImgType = s.ImgType;
    }
    m.Owner = owner;
    m.WL = static_cast<int16_t>(s.WL);
    m.WT = static_cast<int16_t>(s.WT);
    m.WR = static_cast<int16_t>(s.WR);
    m.WB = static_cast<int16_t>(s.WB);
    ApplyMarginDefaults(m);
    AddImage(t, std::move(m));
  }
}

void ConvertStoredSections(const TsStoredSkin& skin, TsSkinTables& t) {
  t.SkinData.SkinPath.clear();
  static_cast<TsSkinInfo&>(t.SkinData) = skin;
  for (const TsSkinGeneral& s : skin.GeneralData) t.gd.push_back(ConvertSection(s));
}

void ConvertStoredPatterns(const TsStoredSkin& skin, TsSkinTables& t, TsSkinManager* owner) {
  for (const TsSkinPattern& p : skin.Patterns)
    if (!p.Image.empty()) AddJpegTexture(t, p.SectionName, p.PropertyName, DecodeJpeg(Bytes(p.Image)), owner);
}

}  // namespace skin
