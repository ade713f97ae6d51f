#include "skin/sSkinLoader.h"

#include <gtest/gtest.h>

#include "skin/sSkinConvert.h"
#include "tests/skin/SkinFixture.h"
#include "toolkit/SysUtils.h"

namespace {

const char kOptions[] =
    "[GLOBALINFO]\n"
    "VERSION=4.81\n"
    "AUTHOR=Test\n"
    "SHADOW1BLUR=2\n"
    "MASTERBITMAP=master.bmp\n"
    "BOXCHECKED=@   0,   0,  12,   4,3,0\n"
    "[BUTTON]\n"
    "COLOR=255\n"
    "SHADOWBLUR=4\n"
    "FONTCOLOR=16\n"
    "TCLEFT=32\n"
    "SHADOWENABLED=true\n"
    "GRADIENTDATA=1;2;50;0;0\n"
    "BORDERSMASK=^   0,   0,  12,   8,   0,   0,   0,   0,1,0,1,3\n"
    "[TOOLBUTTON]\n"
    "PARENTCLASS=BUTTON\n"
    "SHADOWBLUR=-1\n"
    "HOTCOLOR=?\n"
    "GRADIENTDATA=?\n"
    "PATTERN=#(0,0,4,4) (1,0)\n"
    "GLYPHMASK=!glyph.bmp!1!0!2\n"
    "[EDIT]\n"
    "SHADOWBLUR=-1\n"
    "PATTERN=small.jpg\n"
    "HOTPATTERN=big.jpg\n"
    "MISSING=nothere.bmp\n"
    "OUTSIDE=^  10,   0,  40,   8,   0,   0,   0,   0,1,0,1,0\n"
    "EMPTY=^   4,   4,   4,   8,   0,   0,   0,   0,1,0,1,0\n"
    "[CYCLE1]\n"
    "PARENTCLASS=CYCLE2\n"
    "[CYCLE2]\n"
    "PARENTCLASS=CYCLE1\n"
    "[]\n";

struct Folder {
  skintest::TempFolder dir;
  explicit Folder(const std::string& name, const std::string& options = kOptions) {
    dir.Write(name + "/Options.dat", options);
    dir.Write(name + "/master.bmp", skintest::Bmp8(16, 8, {0xFF00FF, 0x336699, 0xFFFFFF}));
    dir.Write(name + "/glyph.bmp", skintest::Bmp8(6, 5, {0x000000, 0xFFFFFF}));
    dir.Write(name + "/small.jpg", skintest::Jpeg(299, 300, 0x808080));
    dir.Write(name + "/big.jpg", skintest::Jpeg(300, 300, 0x808080));
  }
  skin::TsSkinSource Load(skin::TsSkinTables& t, const std::string& name, const skin::TsStoredSkins* internal = nullptr,
                          std::vector<std::string> common = {}) {
    skin::TsSkinLoadRequest r;
    r.SkinName = name;
    r.SkinDirectory = dir.Path();
    r.InternalSkins = internal;
    r.CommonSections = std::move(common);
    loadedName = r.SkinName;
    const auto source = skin::LoadSkinTables(r, skin::TsSkinFiles(), t);
    loadedName = r.SkinName;
    return source;
  }
  std::string loadedName;
};

const skin::TsGeneralData& Section(const skin::TsSkinTables& t, const char* name) {
  return t.gd.at(static_cast<size_t>(t.GetSkinIndex(name)));
}

TEST(SkinLoader, ExternalFolderWithEveryImageFormAndInheritance) {
  Folder f("Test");
  skin::TsSkinTables t;
  ASSERT_EQ(f.Load(t, "Test"), skin::TsSkinSource::External);
  EXPECT_EQ(t.SkinData.SkinPath, f.dir.Path() + "Test\\");
  EXPECT_DOUBLE_EQ(t.SkinData.Version, 4.81);
  EXPECT_EQ(t.SkinData.Author, "Test");
  EXPECT_EQ(t.SkinData.Shadow1Blur, 2);
  EXPECT_EQ(t.MasterBitmap.Width(), 16);
  ASSERT_EQ(t.gd.size(), 7u);
  EXPECT_EQ(t.gd.back().SectionName, "");

  const skin::TsGeneralData& button = Section(t, "BUTTON");
  EXPECT_EQ(button.Color, 255u);
  EXPECT_EQ(button.FontColor, (skin::TsFontColors{16, 32, -1, -1, -1}));
  EXPECT_TRUE(button.ShadowEnabled);
  EXPECT_EQ(button.GradientArray.size(), 1u);
  EXPECT_EQ(button.FadingIterations, 5);
  const skin::TsGeneralData& tool = Section(t, "TOOLBUTTON");
  EXPECT_EQ(tool.ShadowBlur, 4);               // -1 counts as missing: the parent's
  EXPECT_EQ(tool.HotColor, 16777215u);         // "?" and no value up the chain: default
  EXPECT_EQ(tool.GradientData, "1;2;50;0;0");  // "?" inherits text too
  EXPECT_EQ(tool.FontColor[1], 32);
  EXPECT_EQ(tool.ShadowColor, 0u);
  EXPECT_EQ(Section(t, "EDIT").ShadowBlur, 6);
  EXPECT_EQ(Section(t, "EDIT").GradientData, " ");
  EXPECT_TRUE(Section(t, "EDIT").GradientArray.empty());
  EXPECT_EQ(Section(t, "CYCLE1").ShadowBlur, 6);

  const int box = t.GetMaskIndexExact("GLOBALINFO", "BOXCHECKED");
  ASSERT_GE(box, 0);
  EXPECT_EQ(t.ma[box].ImgType, skin::itisaGlyph);
  const int border = t.GetMaskIndexExact("BUTTON", "BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(t.ma[border].WL, 3);  // margins 0 and border width 3
  EXPECT_EQ(t.GetMaskIndex(t.GetSkinIndex("TOOLBUTTON"), "TOOLBUTTON", "BORDERSMASK"), border);
  const int pattern = t.GetTextureIndex(-1, "TOOLBUTTON", "PATTERN");
  ASSERT_GE(pattern, 0);
  const int glyph = t.GetMaskIndexExact("TOOLBUTTON", "GLYPHMASK");
  ASSERT_GE(glyph, 0);
  ASSERT_TRUE(t.ma[glyph].Picture);
  EXPECT_EQ(t.ma[glyph].SourceRect, (skin::TRect{0, 0, 6, 5}));
  EXPECT_EQ(t.ma[glyph].Picture->Pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(t.GetMaskIndexExact("EDIT", "MISSING"), -1);
  EXPECT_EQ(t.GetMaskIndexExact("EDIT", "OUTSIDE"), -1);
  EXPECT_EQ(t.GetMaskIndexExact("EDIT", "EMPTY"), -1);

  // 299 x 300 pixels: a texture image; 300 x 300: a pattern.
  const int small = t.GetTextureIndex(-1, "EDIT", "PATTERN");
  ASSERT_GE(small, 0);
  EXPECT_EQ(t.ma[small].SourceRect, (skin::TRect{0, 0, 299, 300}));
  EXPECT_EQ(t.GetPatternIndex(-1, "EDIT", "PATTERN"), -1);
  ASSERT_EQ(t.pa.size(), 1u);
  EXPECT_EQ(t.pa[0].PropertyName, "HOTPATTERN");
  EXPECT_EQ(t.pa[0].Picture->Width(), 300);
}

skin::TsStoredSkins Internal(std::initializer_list<const char*> names) {
  skin::TsStoredSkins skins;
  for (const char* n : names) {
    skin::TsStoredSkin& s = skins.Add();
    s.Name = n;
    s.Version = 4.81;
    s.GeneralData.emplace_back().SectionName = "FORM";
  }
  return skins;
}

TEST(SkinLoader, ChoosesBetweenFolderAndInternalSkins) {
  Folder f("Office12Style (internal)");
  const skin::TsStoredSkins internal = Internal({"GrayPlastic (internal)", "Office12Style (internal)"});
  skin::TsSkinTables t;
  // A folder of the internal skin's name hides it.
  EXPECT_EQ(f.Load(t, "Office12Style (internal)", &internal), skin::TsSkinSource::External);
  EXPECT_EQ(t.gd.size(), 7u);
  // A name that matches neither takes the first internal skin.
  EXPECT_EQ(f.Load(t, "Nothing", &internal), skin::TsSkinSource::Internal);
  EXPECT_EQ(f.loadedName, "GrayPlastic (internal)");
  EXPECT_EQ(t.SkinData.SkinPath, "");
  ASSERT_EQ(t.gd.size(), 1u);
  // Internal names compare exactly.
  EXPECT_EQ(f.Load(t, "grayplastic (internal)", &internal), skin::TsSkinSource::Internal);
  EXPECT_EQ(f.loadedName, "GrayPlastic (internal)");
  const skin::TsStoredSkins none;
  EXPECT_EQ(f.Load(t, "Nothing", &none), skin::TsSkinSource::None);
  EXPECT_TRUE(t.gd.empty());
}

TEST(SkinLoader, MergesCommonSections) {
  Folder f("Test");
  skin::TsSkinTables t;
  f.Load(t, "Test", nullptr,
         {"[MYBUTTON]", "PARENTCLASS=button", "COLOR=5", "BORDERSMASK=#(0,0,12,8)(3,1,0)", "GLYPH=^   0,   0,  12,   8",
          "[PLAIN]", "[GLOBALINFO]", "COLOR=7"});
  ASSERT_EQ(t.gd.size(), 9u);
  const skin::TsGeneralData& mine = Section(t, "MYBUTTON");
  EXPECT_EQ(mine.Color, 5u);
  EXPECT_EQ(mine.ShadowBlur, 4);  // from BUTTON
  EXPECT_EQ(mine.ParentClass, "button");
  EXPECT_EQ(Section(t, "PLAIN").ShadowBlur, 6);
  EXPECT_GE(t.GetMaskIndexExact("MYBUTTON", "BORDERSMASK"), 0);
  EXPECT_EQ(t.GetMaskIndexExact("MYBUTTON", "GLYPH"), -1);  // only the older forms
}

TEST(SkinLoader, BadSkinFilesRaiseClearErrorsOrSkip) {
  const struct {
    const char* options;
    const char* error;
  } cases[] = {
      {"[B]\nBORDERSMASK=^   0,   0,  12", "'' is not a valid integer value"},
      {"[B]\nBORDERSMASK=#(a,0,1,1) (1,0)", "'a' is not a valid integer value"},
      {"[GLOBALINFO]\nVERSION=four", "'four' is not a valid floating point value"},
      {"[B]\nFONTCOLOR=x\nCOLOR=zz\nBEVEL=99\nGRADIENTDATA=;;;;", "'' is not a valid integer value"},
      {"[GLOBALINFO]\nMASTERBITMAP=glyph.jpg", "Bitmap image is not valid"},
      {"[B]\nPATTERN=glyph.bmp.jpg", nullptr},  // missing file: skipped
      {"[B]\nPARENTCLASS=B\nCOLOR=-1\n[C]\nPARENTCLASS=D\n[D]\nPARENTCLASS=C", nullptr},
      {"[B]\nX=^-100,-100,9999,9999,   0,   0,   0,   0,1,0,1,0\nY=^   8,   8,   0,   0,   0,   0,   0,   0,3,1,1,0",
       nullptr},
      {"no sections at all\n\x01\x02", nullptr},
  };
  for (const auto& c : cases) {
    skintest::TempFolder dir;
    dir.Write("S/Options.dat", c.options);
    dir.Write("S/glyph.jpg", "not a picture");
    skin::TsSkinLoadRequest r;
    r.SkinName = "S";
    r.SkinDirectory = dir.Path();
    skin::TsSkinTables t;
    try {
      skin::LoadSkinTables(r, skin::TsSkinFiles(), t);
      EXPECT_EQ(c.error, nullptr) << c.options;
      EXPECT_TRUE(t.ma.empty()) << c.options;
    } catch (const tk::Exception& e) {
      ASSERT_NE(c.error, nullptr) << c.options << ": " << e.Message();
      EXPECT_EQ(e.Message(), c.error) << c.options;
    }
  }
}

// Shadow blur (passes) and offset (pixels) are cut to 0..32 and -32..32 as
// they are read; a negative skin-wide blur means the skin sets no shadow.
TEST(SkinLoader, ShadowValuesAreCutToTheirRanges) {
  const struct {
    const char* options;
    int32_t shadow1Blur, shadow1Offset, blur, offset;
  } cases[] = {
      {"[GLOBALINFO]\nSHADOW1BLUR=4\nSHADOW1OFFSET=-2\n[S]\nSHADOWBLUR=5\nSHADOWOFFSET=-7", 4, -2, 5, -7},
      {"[GLOBALINFO]\nSHADOW1BLUR=1000000\nSHADOW1OFFSET=-99\n[S]\nSHADOWBLUR=33\nSHADOWOFFSET=2147483647", 32, -32,
       32, 32},
      {"[GLOBALINFO]\nSHADOW1BLUR=-7\nSHADOW1OFFSET=40\n[S]\nSHADOWBLUR=-5\nSHADOWOFFSET=-2147483648", -1, 32, 0, -32},
      {"[S]\nPARENTCLASS=P\n[P]\nSHADOWBLUR=500\nSHADOWOFFSET=-500", -1, 0, 32, -32},
  };
  for (const auto& c : cases) {
    skin::TsSkinTables t;
    skin::ReadExternalSections(skin::TsIniFile(c.options), t, [](skin::TColor x) { return x; });
    EXPECT_EQ(t.SkinData.Shadow1Blur, c.shadow1Blur) << c.options;
    EXPECT_EQ(t.SkinData.Shadow1Offset, c.shadow1Offset) << c.options;
    EXPECT_EQ(Section(t, "S").ShadowBlur, c.blur) << c.options;
    EXPECT_EQ(Section(t, "S").ShadowOffset, c.offset) << c.options;
  }
}

TEST(SkinLoader, CorruptJpegRaisesTheGraphicsError) {
  skintest::TempFolder dir;
  dir.Write("S/Options.dat", "[B]\nPATTERN=bad.jpg\n");
  dir.Write("S/bad.jpg", skintest::Jpeg(8, 8, 0).substr(0, 20));
  skin::TsSkinLoadRequest r;
  r.SkinName = "S";
  r.SkinDirectory = dir.Path();
  skin::TsSkinTables t;
  EXPECT_THROW(skin::LoadSkinTables(r, skin::TsSkinFiles(), t), tk::EInvalidGraphic);
}

}  // namespace
