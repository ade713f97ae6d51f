#include "skin/sImageValues.h"

#include <gtest/gtest.h>

#include "toolkit/SysUtils.h"

namespace {

using skin::TsImageValue;

struct Want {
  TsImageValue::Source from;
  skin::TRect rect;
  int count, mask, stretch, border, type, wl, wt, wr, wb;
};

TEST(ImageValue, EveryForm) {
  const struct {
    const char* key;
    const char* value;
    Want want;
  } cases[] = {
      {"BORDERSMASK",
       "^   0,  44,  63,  92,   7,   8,   7,   8,3,1,1,0",
       {TsImageValue::Master, {0, 44, 63, 92}, 3, 1, 1, 0, skin::itisaBorder, 7, 8, 7, 8}},
      {"BORDERSMASK",
       "^   0, 102,  90, 147,   0,   0,   0,   0,2,0,1,3",
       {TsImageValue::Master, {0, 102, 90, 147}, 2, 0, 1, 3, skin::itisaBorder, 3, 3, 3, 3}},
      {"GLYPHMASK",
       "@  10,  20,  40,  30,3,0",
       {TsImageValue::Master, {10, 20, 40, 30}, 3, 0, 0, 0, skin::itisaGlyph, 3, 3, 3, 3}},
      {"PATTERN",
       "~   0,   0,  16,  16,10,1",
       {TsImageValue::Master, {0, 0, 16, 16}, 1, 1, 10, 0, skin::itisaTexture, 5, 2, 5, 2}},
      {"PATTERN",
       "~   0,   0,  16,  16, 1",
       {TsImageValue::Master, {0, 0, 16, 16}, 1, 0, 1, 0, skin::itisaTexture, 5, 5, 5, 5}},
      {"BORDERSMASK",
       "#(0,44,63,92) (3,1,0)",
       {TsImageValue::Master, {0, 44, 63, 92}, 3, 1, 1, 0, skin::itisaBorder, 7, 8, 7, 8}},
      {"BORDERSMASK",
       "#(0,44,63,92) (-4,-1,-3,0)",
       {TsImageValue::Master, {0, 44, 63, 92}, 1, 0, 0, 0, skin::itisaBorder, 21, 16, 21, 16}},
      {"pattern",
       "#(0,0,30,30) (1,0,2,10)",
       {TsImageValue::Master, {0, 0, 30, 30}, 1, 0, 0, 2, skin::itisaTexture, 2, 2, 2, 2}},
      // Margins are kept inside one 10 x 10 state: 25 + 20 gives up 5 each,
      // -5 becomes 0 and 9999 the state's height.
      {"BORDERSMASK",
       "^   0,   0,  30,  10,  25,  -5,  20,9999,3,0,1,0",
       {TsImageValue::Master, {0, 0, 30, 10}, 3, 0, 1, 0, skin::itisaBorder, 5, 0, 5, 10}},
      // 9 + 8 on a 10-pixel state: the odd excess of 7 takes 3 and 4.
      {"BORDERSMASK",
       "^   0,   0,  30,  30,   9,   0,   8,   0,3,0,1,0",
       {TsImageValue::Master, {0, 0, 30, 30}, 3, 0, 1, 0, skin::itisaBorder, 6, 0, 4, 0}},
      {"BORDERSMASK",
       "!Huge.bmp!3!1!0!32!32!32!32",
       {TsImageValue::File, {}, 3, 1, 0, 0, skin::itisaBorder, 32, 32, 32, 32}},
      {"BORDERSMASK", "!Huge.bmp!3!1!1", {TsImageValue::File, {}, 3, 1, 0, 0, skin::itisaTexture, 0, 0, 0, 0}},
      {"BORDERSMASK", "button.bmp", {TsImageValue::File, {}, 3, 1, 0, 0, skin::itisaBorder, 0, 0, 0, 0}},
      {"BORDERSMASK", "#", {TsImageValue::None}},
      {"COLOR", "16777215", {TsImageValue::None}},
      {"GRADIENTDATA", "1;2;3;4;5", {TsImageValue::None}},
      {"BORDERSMASK", "!texture.jpg!1!0!1", {TsImageValue::None}},
      {"BORDERSMASK", "", {TsImageValue::None}},
  };
  for (const auto& c : cases) {
    const TsImageValue v = skin::ParseImageValue("Button", c.key, c.value);
    const skin::TsMaskData& m = v.Mask;
    SCOPED_TRACE(c.value);
    ASSERT_EQ(v.From, c.want.from);
    if (v.From == TsImageValue::None) continue;
    if (v.From == TsImageValue::Master) EXPECT_EQ(m.SourceRect, c.want.rect);
    EXPECT_EQ(m.ImageCount, c.want.count);
    EXPECT_EQ(m.MaskType, c.want.mask);
    EXPECT_EQ(m.StretchMode, c.want.stretch);
    EXPECT_EQ(m.BorderWidth, c.want.border);
    EXPECT_EQ(m.ImgType, c.want.type);
    EXPECT_EQ(std::vector<int>({m.WL, m.WT, m.WR, m.WB}),
              std::vector<int>({c.want.wl, c.want.wt, c.want.wr, c.want.wb}));
  }
}

TEST(ImageValue, OlderFormsUpperCaseNamesOthersKeepThem) {
  EXPECT_EQ(skin::ParseImageValue("Button", "Pattern", "#(0,0,3,3) (1,0)").Mask.SectionName, "BUTTON");
  EXPECT_EQ(skin::ParseImageValue("Button", "Pattern", "#(0,0,3,3) (1,0)").Mask.PropertyName, "PATTERN");
  EXPECT_EQ(skin::ParseImageValue("Button", "Pattern", "a.bmp").FileName, "A.BMP");
  EXPECT_EQ(
      skin::ParseImageValue("Button", "Pattern", "^   0,   0,   3,   3,   0,   0,   0,   0,1,0,0,0").Mask.SectionName,
      "Button");
  EXPECT_EQ(skin::ParseImageValue("B", "K", "!Huge.bmp!3!1!0").FileName, "Huge.bmp");
  // Only the older forms are read from extra sections.
  EXPECT_EQ(skin::ParseImageValue("B", "K", "^   0,   0,   3,   3,   0,   0,   0,   0,1,0,0,0", true).From,
            TsImageValue::None);
}

TEST(ImageValue, MalformedNumbersRaiseTheConversionError) {
  const struct {
    const char* value;
    const char* message;
  } cases[] = {
      {"^   0,  44,  63", "'' is not a valid integer value"},  // truncated
      {"^   0,  44,  6x,  92,   7,   8,   7,   8,3,1,1,0", "'  6x' is not a valid integer value"},
      {"@  10,  20,  40,  30", "'' is not a valid integer value"},
      {"#(0,44,63) (3,1,0)", "'' is not a valid integer value"},
      {"#(0,44,63,92)", "'' is not a valid integer value"},
      {"!a.bmp!three!1!0", "'three' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    try {
      skin::ParseImageValue("S", "K", c.value);
      ADD_FAILURE() << c.value;
    } catch (const tk::EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.value;
    }
  }
}

TEST(ImageValue, FileImagesTakeTheirPictureSize) {
  TsImageValue v = skin::ParseImageValue("BUTTON_HUGE", "BORDERSMASK", "BUTTONHUGE.BMP");
  skin::PlaceFileImage(v, 288, 192);
  EXPECT_EQ(v.Mask.SourceRect, (skin::TRect{0, 0, 288, 192}));
  EXPECT_EQ(std::vector<int>({v.Mask.WL, v.Mask.WT, v.Mask.WR, v.Mask.WB}), std::vector<int>({32, 32, 32, 32}));
  // Given margins are cut to the picture's states once its size is known.
  const struct {
    const char* value;
    int32_t width, height;
    std::vector<int> margins;
  } cases[] = {
      {"!Huge.bmp!3!1!0!32!32!32!32", 30, 20, {5, 5, 5, 5}},  // 10 x 10 states
      {"!Huge.bmp!3!1!0!7!-3!2!40", 60, 40, {7, 0, 2, 20}},   // 20 x 20 states
  };
  for (const auto& c : cases) {
    TsImageValue f = skin::ParseImageValue("BUTTON", "BORDERSMASK", c.value);
    skin::PlaceFileImage(f, c.width, c.height);
    EXPECT_EQ(std::vector<int>({f.Mask.WL, f.Mask.WT, f.Mask.WR, f.Mask.WB}), c.margins) << c.value;
  }
}

}  // namespace
