// The three internal skins: their folders under resources/skins, stored the
// way the layout stores them, give the same tables as the folders loaded
// directly; and they carry the counts and values the program relies on.
#include "tools/SkinFolder.h"

#include <gtest/gtest.h>

#include <set>

#include "skin/sConst.h"
#include "skin/sSkinConvert.h"
#include "skin/sSkinLoader.h"

namespace {

const std::string kSkins = std::string(SORVENAL_SOURCE_DIR) + "/resources/skins";

void ExpectSameMask(const skin::TsMaskData& a, const skin::TsMaskData& b) {
  EXPECT_EQ(a.SectionName, b.SectionName);
  EXPECT_EQ(a.PropertyName, b.PropertyName);
  EXPECT_EQ(a.SourceRect, b.SourceRect);
  EXPECT_EQ(
      std::vector<int>({a.ImageCount, a.MaskType, a.BorderWidth, a.StretchMode, a.ImgType, a.WL, a.WT, a.WR, a.WB}),
      std::vector<int>({b.ImageCount, b.MaskType, b.BorderWidth, b.StretchMode, b.ImgType, b.WL, b.WT, b.WR, b.WB}))
      << a.SectionName << " " << a.PropertyName;
  ASSERT_EQ(!a.Picture, !b.Picture);
  if (a.Picture) EXPECT_TRUE(*a.Picture == *b.Picture);
}

class InternalSkins : public ::testing::TestWithParam<const char*> {};

TEST_P(InternalSkins, FolderAndStoredSkinGiveIdenticalTables) {
  const std::string folder = GetParam();
  // Through the layout stream, as the program reads it.
  const skin::TsStoredSkins stored = skinfolder::ReadSkinFolders({kSkins + "/" + folder});
  tpf0::Object root;
  root.props.push_back({"InternalSkins", stored.ToValue()});
  const skin::TsStoredSkins read = skin::TsStoredSkins::FromValue(tpf0::Read(tpf0::Write(root)).props[0].value);

  skin::TsSkinTables internal, external;
  skin::TsSkinLoadRequest r;
  r.SkinName = folder + " (internal)";
  r.InternalSkins = &read;
  r.SkinDirectory = "/nonexistent/";
  ASSERT_EQ(skin::LoadSkinTables(r, skin::TsSkinFiles(), internal), skin::TsSkinSource::Internal);
  skin::TsSkinLoadRequest e;
  e.SkinName = folder;
  e.SkinDirectory = kSkins + "/";
  ASSERT_EQ(skin::LoadSkinTables(e, skin::TsSkinFiles(), external), skin::TsSkinSource::External);

  external.SkinData.SkinPath.clear();
  EXPECT_EQ(internal.SkinData, external.SkinData);
  EXPECT_TRUE(internal.MasterBitmap == external.MasterBitmap);
  ASSERT_EQ(internal.gd.size(), external.gd.size());
  for (size_t i = 0; i < internal.gd.size(); ++i)
    EXPECT_EQ(internal.gd[i], external.gd[i]) << external.gd[i].SectionName;
  ASSERT_EQ(internal.ma.size(), external.ma.size());
  for (size_t i = 0; i < internal.ma.size(); ++i) ExpectSameMask(internal.ma[i], external.ma[i]);
  EXPECT_EQ(internal.pa.size(), external.pa.size());
}

INSTANTIATE_TEST_SUITE_P(All, InternalSkins, ::testing::Values("GrayPlastic", "Neutral", "Office12Style"));

TEST(InternalSkinsData, CountsSizesAndValues) {
  const skin::TsStoredSkins skins =
      skinfolder::ReadSkinFolders({kSkins + "/GrayPlastic", kSkins + "/Neutral", kSkins + "/Office12Style"});
  const struct {
    const char* name;
    size_t sections, images;
    int w, h;
    int32_t shadow;
    int blur;
  } want[] = {
      {"GrayPlastic (internal)", 63, 77, 192, 256, 0, 2},
      {"Neutral (internal)", 62, 76, 198, 372, 0, 1},
      {"Office12Style (internal)", 62, 82, 348, 207, 0x644E3B, 3},
  };
  std::set<std::string> sections;
  for (int i = 0; i < 3; ++i) {
    const skin::TsStoredSkin& s = skins.Items(i);
    SCOPED_TRACE(s.Name);
    EXPECT_EQ(s.Name, want[i].name);
    EXPECT_EQ(s.GeneralData.size(), want[i].sections);
    EXPECT_EQ(s.Images.size(), want[i].images);
    EXPECT_EQ(s.MasterBitmap[28], 8);  // bits per pixel
    EXPECT_EQ(s.Shadow1Color, want[i].shadow);
    EXPECT_EQ(s.Shadow1Offset, 1);
    EXPECT_EQ(s.Shadow1Blur, want[i].blur);
    EXPECT_EQ(s.Shadow1Transparency, 50);
    EXPECT_DOUBLE_EQ(s.Version, 4.81);
    EXPECT_TRUE(s.Patterns.empty());
    int own = 0;
    for (const skin::TsSkinImage& im : s.Images)
      if (!im.Name.empty()) {
        ++own;
        EXPECT_EQ(im.SectionName, "BUTTON_HUGE");
        EXPECT_EQ(im.Name, "BUTTONHUGE.BMP");
        EXPECT_EQ(std::vector<int>({im.Right, im.Bottom, im.ImageCount, im.MaskType, im.WL, im.WT, im.WR, im.WB}),
                  std::vector<int>({288, 192, 3, 1, 32, 32, 32, 32}));
      }
    EXPECT_EQ(own, 1);
    skin::TsSkinTables t;
    skin::ConvertStoredSkin(s, t, nullptr);
    EXPECT_EQ(t.MasterBitmap.Width(), want[i].w);
    EXPECT_EQ(t.MasterBitmap.Height(), want[i].h);
    EXPECT_EQ(t.ma.size(), want[i].images);  // every image fits its master bitmap
    EXPECT_EQ(t.gd.back().SectionName, "");
    for (const skin::TsGeneralData& g : t.gd) sections.insert(g.SectionName);
  }
  for (const char* name : skin::kSkinSections) EXPECT_TRUE(sections.count(name)) << name;
  EXPECT_EQ(skins.Items(2).Description, "MS Office 12 like skin for serious applications.");
  EXPECT_FALSE(skins.Items(2).Author.empty());
}

TEST(InternalSkinsData, TellingRowsOfOffice12Style) {
  const skin::TsStoredSkin s = skinfolder::ReadSkinFolder(kSkins + "/Office12Style", "Office12Style (internal)");
  skin::TsSkinTables t;
  skin::ConvertStoredSkin(s, t, nullptr);
  const struct {
    const char* section;
    skin::TColor color;
    int gp;
    const char* grad;
    skin::TRect rect;
    int count, mask, stretch, l, top, r, b;
  } rows[] = {
      {"FORM",
       0xFFFFFF,
       100,
       "14996948;16250871;52;1;0;16250871;14996948;48;1;0;14996948;14996948;0;1;0",
       {0, 102, 90, 147},
       2,
       0,
       1,
       4,
       4,
       4,
       4},
      {"FORMTITLE",
       0xFFFFFF,
       100,
       "16770273;16777215;49;1;0;16777215;16770273;51;1;0;16770273;16770273;0;1;0",
       {240, 0, 348, 48},
       2,
       1,
       1,
       18,
       8,
       18,
       8},
      {"PANEL",
       14215660,
       100,
       "16776182;14930127;50;0;0;14930127;13940918;6;0;0;13940918;15126980;45;0;0;15126980;15126980;0;0;0",
       {210, 78, 234, 102},
       1,
       0,
       1,
       2,
       2,
       2,
       2},
      {"BUTTON",
       15724527,
       100,
       "16382717;16382717;40;0;0;16382717;15194065;18;0;0;15194065;15194065;42;0;0;15194065;15194065;0;0;0",
       {0, 44, 63, 92},
       3,
       1,
       1,
       7,
       8,
       7,
       8},
      {"EDIT", 16776441, 0, " ", {3, 105, 42, 144}, 1, 0, 1, 1, 1, 1, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.section);
    const int i = t.GetSkinIndex(row.section);
    ASSERT_GE(i, 0);
    EXPECT_EQ(t.gd[i].Color, row.color);
    EXPECT_EQ(t.gd[i].GradientPercent, row.gp);
    EXPECT_EQ(t.gd[i].GradientData, row.grad);
    const int m = t.GetMaskIndexExact(row.section, "BORDERSMASK");
    ASSERT_GE(m, 0);
    const skin::TsMaskData& im = t.ma[m];
    EXPECT_EQ(im.SourceRect, row.rect);
    EXPECT_EQ(std::vector<int>({im.ImageCount, im.MaskType, im.StretchMode, t.GetMarginLeft(m), t.GetMarginTop(m),
                                t.GetMarginRight(m), t.GetMarginBottom(m)}),
              std::vector<int>({row.count, row.mask, row.stretch, row.l, row.top, row.r, row.b}));
  }
  const skin::TsGeneralData& button = t.gd[t.GetSkinIndex("BUTTON")];
  EXPECT_TRUE(button.FadingEnabled);
  EXPECT_EQ(std::vector<int>({button.FadingIntervalIn, button.FadingIntervalOut, button.FadingIterations}),
            std::vector<int>({30, 5, 5}));
  EXPECT_EQ(t.gd[t.GetSkinIndex("FORMTITLE")].FontColor, (skin::TsFontColors{8421504, -1, -1, -1, -1}));
  EXPECT_TRUE(t.gd[t.GetSkinIndex("FORM")].ReservedBoolean);
  EXPECT_TRUE(t.gd[t.GetSkinIndex("DIALOG")].ReservedBoolean);
}

}  // namespace
