#include "skin/sSkinTables.h"

#include <gtest/gtest.h>

#include "skin/sCachedIndexes.h"

namespace {

skin::TsSkinTables Tables() {
  skin::TsSkinTables t;
  const struct {
    const char* name;
    const char* parent;
  } sections[] = {{"SPEEDBUTTON", ""}, {"TOOLBUTTON", "SPEEDBUTTON"}, {"SELF", "SELF"},   {"A", "B"},
                  {"B", "A"},          {"ORPHAN", "MISSING"},         {"GLOBALINFO", ""}, {"COMBOBTN", "TOOLBUTTON"}};
  for (const auto& s : sections) {
    skin::TsGeneralData g;
    g.SectionName = s.name;
    g.ParentClass = s.parent;
    t.gd.push_back(g);
  }
  const struct {
    const char* section;
    const char* role;
    skin::TorvImgType type;
    skin::TRect rect;
    int count, mask, bw;
    int wl;
  } images[] = {
      {"SPEEDBUTTON", "BORDERSMASK", skin::itisaBorder, {0, 0, 63, 48}, 3, 1, 0, 0},
      {"SPEEDBUTTON", "PATTERN", skin::itisaTexture, {0, 0, 8, 8}, 1, 0, 0, 0},
      {"GLOBALINFO", "BOXCHECKED", skin::itisaGlyph, {0, 0, 39, 13}, 3, 0, 0, 0},
      {"SPEEDBUTTON", "GLYPHMASK", skin::itisaGlyph, {0, 0, 30, 20}, 3, 1, 2, 0},
      {"A", "X", skin::itisaBorder, {0, 0, 30, 20}, 3, 1, 0, 4},
  };
  for (const auto& i : images) {
    skin::TsMaskData m;
    m.SectionName = i.section;
    m.PropertyName = i.role;
    m.ImgType = i.type;
    m.SourceRect = i.rect;
    m.ImageCount = static_cast<int16_t>(i.count);
    m.MaskType = static_cast<int16_t>(i.mask);
    m.BorderWidth = static_cast<int16_t>(i.bw);
    m.WL = static_cast<int16_t>(i.wl);
    t.ma.push_back(m);
  }
  return t;
}

TEST(SkinTables, MaskLookUpsFollowParentsAndNeverLoop) {
  const skin::TsSkinTables t = Tables();
  const int tool = t.GetSkinIndex("TOOLBUTTON");
  const struct {
    int index;
    const char* section;
    const char* role;
    int want;
  } cases[] = {
      {tool, "TOOLBUTTON", "BORDERSMASK", 0},
      {-1, "TOOLBUTTON", "BORDERSMASK", -1},                       // no section index: no inheritance
      {t.GetSkinIndex("COMBOBTN"), "COMBOBTN", "BORDERSMASK", 0},  // two steps up
      {t.GetSkinIndex("SELF"), "SELF", "BORDERSMASK", -1},
      {t.GetSkinIndex("A"), "A", "NOTHING", -1},  // A -> B -> A
      {t.GetSkinIndex("B"), "B", "X", 4},
      {t.GetSkinIndex("ORPHAN"), "ORPHAN", "X", -1},
      {99, "SPEEDBUTTON", "BORDERSMASK", 0},
      {tool, "toolbutton", "BORDERSMASK", 0},  // names compare exactly; the parent still matches
  };
  for (const auto& c : cases)
    EXPECT_EQ(t.GetMaskIndex(c.index, c.section, c.role), c.want) << c.section << " " << c.role;
  EXPECT_EQ(t.GetMaskIndexExact("TOOLBUTTON", "BORDERSMASK"), -1);
  EXPECT_EQ(t.GetMaskIndexExact("SPEEDBUTTON", "BORDERSMASK"), 0);
  EXPECT_EQ(t.GetTextureIndex(tool, "TOOLBUTTON", "PATTERN"), 1);
  EXPECT_EQ(t.GetTextureIndex(tool, "TOOLBUTTON", "BORDERSMASK"), -1);
  EXPECT_EQ(t.GetPatternIndex(tool, "TOOLBUTTON", "PATTERN"), -1);
  EXPECT_EQ(t.GetSkinIndex("toolbutton"), -1);
}

TEST(SkinTables, StateSizesAndMargins) {
  const skin::TsSkinTables t = Tables();
  const struct {
    int index, w, h, l, top, r, b;
  } cases[] = {
      {0, 21, 24, 7, 8, 7, 8},  // margins 0, border width 0: a third of the state
      {3, 10, 10, 2, 2, 2, 2},  // border width 2
      {4, 10, 10, 4, 3, 3, 3},  // WL set, the others a third
      {-1, 0, 0, 0, 0, 0, 0},  {5, 0, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    int32_t w, h;
    t.GetStateSize(c.index, w, h);
    EXPECT_EQ(std::vector<int>({w, h, t.GetMarginLeft(c.index), t.GetMarginTop(c.index), t.GetMarginRight(c.index),
                                t.GetMarginBottom(c.index)}),
              std::vector<int>({c.w, c.h, c.l, c.top, c.r, c.b}))
        << c.index;
  }
}

TEST(SkinTables, CachedIndexes) {
  skin::TsSkinTables t = Tables();
  skin::TsCachedIndexes c = skin::ComputeCachedIndexes(t);
  EXPECT_EQ(c.GlobalInfo, 6);
  EXPECT_EQ(c.CheckBoxChecked, 2);
  EXPECT_EQ(c.CheckBoxUnchecked, -1);
  EXPECT_EQ(c.ComboBtn.Section, 7);
  EXPECT_EQ(c.ComboBtn.BorderMask, -1);  // exact: not inherited
  EXPECT_EQ(c.ComboBtn.Pattern, 1);      // textures are inherited
  EXPECT_EQ(c.ScrollBtnTop.Section, -1);
  t.gd.erase(t.gd.begin() + 6);
  c = skin::ComputeCachedIndexes(t);
  EXPECT_EQ(c.GlobalInfo, -1);
  EXPECT_EQ(c.CheckBoxChecked, -1);  // no GLOBALINFO: none of its images
}

}  // namespace
