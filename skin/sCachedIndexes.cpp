#include "skin/sCachedIndexes.h"

#include "skin/sConst.h"
#include "skin/sSkinProps.h"

namespace skin {
namespace {

int16_t I16(int32_t i) { return static_cast<int16_t>(i); }

TsPartIndexes Tab(const TsSkinTables& t, const char* section) {
  TsPartIndexes p;
  p.Section = I16(t.GetSkinIndex(section));
  p.BorderMask = I16(t.GetMaskIndex(p.Section, section, s_BordersMask));
  return p;
}

TsPartIndexes ScrollPart(const TsSkinTables& t, const char* section, bool withGlyph) {
  TsPartIndexes p;
  p.Section = I16(t.GetSkinIndex(section));
  p.BorderMask = I16(t.GetMaskIndex(p.Section, section, s_BordersMask));
  if (withGlyph && p.Section >= 0) p.GlyphMask = I16(t.GetMaskIndex(p.Section, section, s_GlyphMask));
  p.Pattern = I16(t.GetTextureIndex(p.Section, section, s_Pattern));
  p.HotPattern = I16(t.GetTextureIndex(p.Section, section, s_HotPattern));
  return p;
}

}  // namespace

TsCachedIndexes ComputeCachedIndexes(const TsSkinTables& t) {
  TsCachedIndexes c;
  c.GlobalInfo = I16(t.GetSkinIndex(s_GlobalInfo));
  if (c.GlobalInfo >= 0) {
    const auto image = [&](const char* role) { return I16(t.GetMaskIndex(c.GlobalInfo, s_GlobalInfo, role)); };
    c.CheckBoxChecked = image(s_CheckBoxChecked);
    c.CheckBoxUnchecked = image(s_CheckBoxUnchecked);
    c.CheckBoxGrayed = image(s_CheckBoxGrayed);
    c.RadioButtonChecked = image(s_RadioButtonChecked);
    c.RadioButtonUnchecked = image(s_RadioButtonUnchecked);
    c.RadioButtonGrayed = image(s_RadioButtonGrayed);
    c.SmallBoxChecked = image(s_SmallBoxChecked);
    c.SmallBoxUnchecked = image(s_SmallBoxUnchecked);
    c.SmallBoxGrayed = image(s_SmallBoxGrayed);
  }
  c.ComboBtn.Section = I16(t.GetSkinIndex(s_ComboBtn));
  c.ComboBtn.BorderMask = I16(t.GetMaskIndexExact(s_ComboBtn, s_BordersMask));
  c.ComboBtn.Pattern = I16(t.GetTextureIndex(c.ComboBtn.Section, s_ComboBtn, s_Pattern));
  c.ComboBtn.HotPattern = I16(t.GetTextureIndex(c.ComboBtn.Section, s_ComboBtn, s_HotPattern));
  c.ComboGlyph = I16(t.GetMaskIndexExact(s_ComboBox, s_GlyphMask));
  c.TabTop = Tab(t, s_TabTop);
  c.TabBottom = Tab(t, s_TabBottom);
  c.TabLeft = Tab(t, s_TabLeft);
  c.TabRight = Tab(t, s_TabRight);
  c.ScrollBtnTop = ScrollPart(t, s_ScrollBtnTop, true);
  c.ScrollBtnBottom = ScrollPart(t, s_ScrollBtnBottom, true);
  c.ScrollBtnLeft = ScrollPart(t, s_ScrollBtnLeft, true);
  c.ScrollBtnRight = ScrollPart(t, s_ScrollBtnRight, true);
  c.ScrollSliderV = ScrollPart(t, s_ScrollSliderV, true);
  c.ScrollSliderH = ScrollPart(t, s_ScrollSliderH, true);
  c.ScrollBar1H = ScrollPart(t, s_ScrollBar1H, false);
  c.ScrollBar1V = ScrollPart(t, s_ScrollBar1V, false);
  c.ScrollBar2H = ScrollPart(t, s_ScrollBar2H, false);
  c.ScrollBar2V = ScrollPart(t, s_ScrollBar2V, false);
  return c;
}

}  // namespace skin
