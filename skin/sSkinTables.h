// The active skin's tables with their look-ups. The skin manager owns one;
// the loaders fill it; painting code reads it. Names compare exactly.
#pragma once

#include <cstdint>
#include <string>

#include "skin/sBitmap24.h"
#include "skin/sMaskData.h"

namespace skin {

struct TsSkinTables {
  TsSkinData SkinData;
  TsGeneralDataArray gd;
  TsMaskArray ma;
  TsPatternArray pa;
  TsBitmap24 MasterBitmap;  // fuchsia pixels are transparent

  // Empties the three arrays and the master bitmap.
  void Clear();

  // Position of the first section of that name, or -1.
  int32_t GetSkinIndex(const std::string& sectionName) const;
  // The first image of that section and role; failing that, the same
  // look-up in the section's ParentClass, recursively (chains that name a
  // section twice stop). -1 when nothing matches.
  int32_t GetMaskIndex(int32_t skinIndex, const std::string& sectionName, const std::string& role) const;
  int32_t GetMaskIndexExact(const std::string& sectionName, const std::string& role) const;
  // As GetMaskIndex, among the texture images only.
  int32_t GetTextureIndex(int32_t skinIndex, const std::string& sectionName, const std::string& role) const;
  // As GetMaskIndex, among the JPEG patterns.
  int32_t GetPatternIndex(int32_t skinIndex, const std::string& sectionName, const std::string& role) const;

  // Width and height of one state of an image (0, 0 for an invalid index).
  void GetStateSize(int32_t maskIndex, int32_t& width, int32_t& height) const;
  // The margin if at least 1, else BorderWidth if at least 1, else a third
  // of the state's width (left, right) or height (top, bottom).
  int32_t GetMarginLeft(int32_t maskIndex) const;
  int32_t GetMarginTop(int32_t maskIndex) const;
  int32_t GetMarginRight(int32_t maskIndex) const;
  int32_t GetMarginBottom(int32_t maskIndex) const;

  bool ValidMask(int32_t i) const { return i >= 0 && static_cast<size_t>(i) < ma.size(); }
  bool ValidSection(int32_t i) const { return i >= 0 && static_cast<size_t>(i) < gd.size(); }
};

}  // namespace skin
