#include "skin/sSkinTables.h"

#include <algorithm>

namespace skin {
namespace {

// The first position in `items` matching section and role, following the
// ParentClass chain of the section. A chain can be at most as long as there
// are sections, which also ends cycles.
template <class Items, class Accept>
int32_t FindInherited(const TsSkinTables& t, const Items& items, int32_t skinIndex, std::string section,
                      const std::string& role, Accept accept) {
  for (size_t steps = 0; steps <= t.gd.size(); ++steps) {
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].SectionName == section && items[i].PropertyName == role && accept(items[i]))
        return static_cast<int32_t>(i);
    if (!t.ValidSection(skinIndex)) return -1;
    const TsGeneralData& g = t.gd[static_cast<size_t>(skinIndex)];
    if (g.ParentClass.empty() || g.ParentClass == g.SectionName) return -1;
    skinIndex = t.GetSkinIndex(g.ParentClass);
    if (skinIndex < 0) return -1;
    section = g.ParentClass;
  }
  return -1;
}

int32_t Margin(const TsSkinTables& t, int32_t i, int16_t TsMaskData::*side, bool across) {
  if (!t.ValidMask(i)) return 0;
  const TsMaskData& m = t.ma[static_cast<size_t>(i)];
  if (m.*side >= 1) return m.*side;
  if (m.BorderWidth >= 1) return m.BorderWidth;
  int32_t w, h;
  t.GetStateSize(i, w, h);
  return (across ? w : h) / 3;
}

}  // namespace

void TsSkinTables::Clear() {
  gd.clear();
  ma.clear();
  pa.clear();
  MasterBitmap = TsBitmap24();
}

int32_t TsSkinTables::GetSkinIndex(const std::string& sectionName) const {
  for (size_t i = 0; i < gd.size(); ++i)
    if (gd[i].SectionName == sectionName) return static_cast<int32_t>(i);
  return -1;
}

int32_t TsSkinTables::GetMaskIndex(int32_t skinIndex, const std::string& sectionName, const std::string& role) const {
  return FindInherited(*this, ma, skinIndex, sectionName, role, [](const TsMaskData&) { return true; });
}

int32_t TsSkinTables::GetMaskIndexExact(const std::string& sectionName, const std::string& role) const {
  return GetMaskIndex(-1, sectionName, role);
}

int32_t TsSkinTables::GetTextureIndex(int32_t skinIndex, const std::string& sectionName,
                                      const std::string& role) const {
  return FindInherited(*this, ma, skinIndex, sectionName, role,
                       [](const TsMaskData& m) { return m.ImgType == itisaTexture; });
}

int32_t TsSkinTables::GetPatternIndex(int32_t skinIndex, const std::string& sectionName,
                                      const std::string& role) const {
  return FindInherited(*this, pa, skinIndex, sectionName, role, [](const TsPatternData&) { return true; });
}

void TsSkinTables::GetStateSize(int32_t i, int32_t& width, int32_t& height) const {
  width = height = 0;
  if (!ValidMask(i)) return;
  // Own pictures have SourceRect (0, 0, width, height), so one rule serves
  // both kinds of image.
  const TsMaskData& m = ma[static_cast<size_t>(i)];
  width = StateWidth(m);
  height = StateHeight(m);
}

int32_t TsSkinTables::GetMarginLeft(int32_t i) const { return Margin(*this, i, &TsMaskData::WL, true); }
int32_t TsSkinTables::GetMarginTop(int32_t i) const { return Margin(*this, i, &TsMaskData::WT, false); }
int32_t TsSkinTables::GetMarginRight(int32_t i) const { return Margin(*this, i, &TsMaskData::WR, true); }
int32_t TsSkinTables::GetMarginBottom(int32_t i) const { return Margin(*this, i, &TsMaskData::WB, false); }

}  // namespace skin
