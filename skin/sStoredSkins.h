// The internal skins as the main window's layout stores them: the
// collection TsStoredSkins of TsStoredSkin items, each with its sections
// (TsSkinGeneral), images (TsSkinImage), JPEG textures (TsSkinPattern) and
// master bitmap. Pictures are kept as their file bytes (BMP or JPEG) and
// decoded when a skin is activated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/sMaskData.h"
#include "toolkit/Tpf0.h"

namespace skin {

// A stored section: font colours in their text form.
struct TsSkinGeneral : TsSectionData {
  bool ShadowDontUse = false;
  std::string FontColor, HotFontColor;
  std::string Name;
};

struct TsSkinImage {
  std::string SectionName;
  std::string Image;  // BMP file bytes of an own picture; empty when cut from the master bitmap
  std::string Name;   // file the own picture came from; not empty: the image uses its own picture
  std::string PropertyName;
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t ImageCount = 0, MaskType = 0, BorderWidth = 0, StretchMode = 0;
  TorvImgType ImgType = itisaBorder;
  int32_t WL = 0, WR = 0, WT = 0, WB = 0;
};

struct TsSkinPattern {
  std::string SectionName;
  std::string Image;  // JPEG file bytes
  std::string Name, PropertyName;
};

struct TsStoredSkin : TsSkinInfo {
  std::string Name;
  std::vector<TsSkinGeneral> GeneralData;
  std::vector<TsSkinImage> Images;
  std::vector<TsSkinPattern> Patterns;
  std::string MasterBitmap;  // BMP file bytes; empty: no master bitmap
};

class TsStoredSkins {
public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  const TsStoredSkin& Items(int32_t index) const { return items_.at(static_cast<size_t>(index)); }
  TsStoredSkin& Add() { return items_.emplace_back(); }
  void Clear() { items_.clear(); }
  // Position of the item whose Name equals name exactly, or -1.
  int32_t IndexOf(const std::string& name) const;

  // The stored collection value, property by property; raises
  // tk::EReadError for an unknown property or a value of the wrong type.
  static TsStoredSkins FromValue(const tpf0::Value& collection);
  tpf0::Value ToValue() const;

private:
  std::vector<TsStoredSkin> items_;
};

}  // namespace skin
