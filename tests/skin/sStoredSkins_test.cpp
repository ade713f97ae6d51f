#include "skin/sStoredSkins.h"

#include <gtest/gtest.h>

#include "toolkit/SysUtils.h"

namespace {

skin::TsStoredSkins Sample() {
  skin::TsStoredSkins skins;
  skin::TsStoredSkin& s = skins.Add();
  s.Name = "Office12Style (internal)";
  s.Version = 4.81;
  s.Shadow1Color = 0x644E3B;
  s.Shadow1Offset = 1;
  s.Shadow1Blur = 3;
  s.Shadow1Transparency = 50;
  s.MasterBitmap = "BM-bytes";
  skin::TsSkinGeneral& g = s.GeneralData.emplace_back();
  g.SectionName = "BUTTON";
  g.Bevel = skin::cbRaisedSoft;
  g.FontColor = "0 -1 -1 -1 -1";
  g.FadingEnabled = true;
  skin::TsSkinImage& i = s.Images.emplace_back();
  i.SectionName = "BUTTON";
  i.PropertyName = "BORDERSMASK";
  i.Right = 63;
  i.ImgType = skin::itisaGlyph;
  skins.Add().Name = "Second";
  return skins;
}

std::vector<std::string> Names(const std::vector<tpf0::Property>& props) {
  std::vector<std::string> names;
  for (const auto& p : props) names.push_back(p.name);
  return names;
}

TEST(StoredSkins, WritesPropertiesInOrderLeavingOutInitialOnes) {
  const tpf0::Value v = Sample().ToValue();
  ASSERT_EQ(v.items.size(), 2u);
  EXPECT_EQ(Names(v.items[0].props),
            (std::vector<std::string>{"Name", "GeneralData", "Images", "Patterns", "MasterBitmap.Data", "Shadow1Color",
                                      "Shadow1Offset", "Shadow1Blur", "Shadow1Transparency", "Version", "Author",
                                      "Description"}));
  // An item at its initial values: no master bitmap, no Shadow1Blur, no BorderColor.
  EXPECT_EQ(Names(v.items[1].props),
            (std::vector<std::string>{"Name", "GeneralData", "Images", "Patterns", "Shadow1Color", "Shadow1Offset",
                                      "Shadow1Transparency", "Version", "Author", "Description"}));
  EXPECT_EQ(v.items[0].props[9].value.type, tpf0::ValueType::Extended);
  const auto& general = v.items[0].props[1].value.items[0].props;
  EXPECT_EQ(general.size(), 31u);
  EXPECT_EQ(general[3].name, "Bevel");
  EXPECT_EQ(general[3].value.text, "cbRaisedSoft");
  EXPECT_EQ(general.back().name, "Name");
  const auto& image = v.items[0].props[2].value.items[0].props;
  EXPECT_EQ(Names(image), (std::vector<std::string>{"SectionName", "Name", "PropertyName", "Left", "Top", "Right",
                                                    "Bottom", "ImageCount", "MaskType", "BorderWidth", "StretchMode",
                                                    "ImgType", "WL", "WR", "WT", "WB"}));
}

TEST(StoredSkins, SurviveTheLayoutStreamAndFindNamesExactly) {
  tpf0::Object root;
  root.className = "TsSkinManager";
  root.props.push_back({"InternalSkins", Sample().ToValue()});
  const tpf0::Object back = tpf0::Read(tpf0::Write(root));
  const skin::TsStoredSkins skins = skin::TsStoredSkins::FromValue(back.props[0].value);
  ASSERT_EQ(skins.Count(), 2);
  const skin::TsStoredSkin& s = skins.Items(0);
  EXPECT_DOUBLE_EQ(s.Version, 4.81);
  EXPECT_EQ(s.MasterBitmap, "BM-bytes");
  EXPECT_EQ(s.Shadow1Blur, 3);
  EXPECT_EQ(s.BorderColor, skin::clFuchsia);
  EXPECT_EQ(s.GeneralData[0].Bevel, skin::cbRaisedSoft);
  EXPECT_TRUE(s.GeneralData[0].FadingEnabled);
  EXPECT_EQ(s.Images[0].ImgType, skin::itisaGlyph);
  EXPECT_EQ(s.Images[0].Right, 63);
  EXPECT_EQ(skins.Items(1).Shadow1Blur, -1);
  EXPECT_EQ(skins.IndexOf("Office12Style (internal)"), 0);
  EXPECT_EQ(skins.IndexOf("office12style (internal)"), -1);
}

TEST(StoredSkins, UnknownPropertiesAndWrongTypesAreReadErrors) {
  tpf0::Value v = Sample().ToValue();
  v.items[0].props.push_back({"Colour", tpf0::Value::Integer(1)});
  EXPECT_THROW(skin::TsStoredSkins::FromValue(v), tk::EReadError);
  v = Sample().ToValue();
  v.items[0].props[0].value = tpf0::Value::Integer(1);
  EXPECT_THROW(skin::TsStoredSkins::FromValue(v), tk::EReadError);
  v = Sample().ToValue();
  v.items[0].props[4].value = tpf0::Value::Bytes(std::string("\xFF\0\0\0ab", 6));  // length beyond the data
  EXPECT_THROW(skin::TsStoredSkins::FromValue(v), tk::EReadError);
}

}  // namespace
