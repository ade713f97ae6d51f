#include "skin/sMenuLayout.h"

#include <gtest/gtest.h>

#include "skin/sGraphUtils.h"
#include "tests/skin/FilledBitmap.h"

namespace {

using namespace skin;

const TsMenuSpacing kSpacing{3, 6};

TEST(MenuLayout, ItemTypeFollowsTheCaption) {
  const struct {
    const char* caption;
    bool onBar;
    TsMenuItemType type;
  } cases[] = {
      {"-", false, smDivider},    {"-Tools-", false, smCaption}, {"--", false, smCaption},
      {"-x", false, smNormal},    {"Open", false, smNormal},     {"", false, smNormal},
      {"-", true, smTopLine},     {"&File", true, smTopLine},
  };
  for (const auto& c : cases) EXPECT_EQ(MenuItemType(c.caption, c.onBar), c.type) << c.caption;
}

TEST(MenuLayout, HeightsByItemType) {
  const struct {
    TsMenuItemType type;
    int32_t letter, glyph, bar, height;
  } cases[] = {
      {smDivider, 13, 16, 19, 2},
      {smTopLine, 13, 16, 19, 18},
      {smCaption, 13, 40, 19, 16 + 6},  // 13 x 1.25 = 16.25 -> 16; the glyph does not count
      {smCaption, 14, 0, 19, 18 + 6},   // 17.5 rounds up
      {smNormal, 13, 16, 19, 16 + 6},
      {smNormal, 13, 24, 19, 24 + 6},  // a taller glyph wins
      {smNormal, 10, 0, 19, 13 + 6},   // 12.5 rounds away from zero
  };
  for (const auto& c : cases)
    EXPECT_EQ(MenuItemHeight(c.type, c.letter, c.glyph, c.bar, kSpacing), c.height) << c.type << " " << c.letter;
}

TEST(MenuLayout, WidthsAddGlyphsMarginsAndTheExtraLineInTheFirstColumnOnly) {
  const struct {
    TsMenuItemType type;
    int32_t text, glyph, extra;
    bool firstColumn;
    int32_t proposed, width;
  } cases[] = {
      {smNormal, 50, 16, 0, true, 0, 50 + 32 + 9 + 6},
      {smNormal, 50, 16, 32, true, 0, 50 + 32 + 9 + 6 + 32},
      {smNormal, 50, 16, 32, false, 0, 50 + 32 + 9 + 6},  // after a column break
      {smCaption, 60, 16, 0, true, 0, 60 + 32 + 9 + 6},
      {smTopLine, 40, 16, 32, true, 30, 40},
      {smTopLine, 40, 16, 32, true, 55, 55},  // never narrower than proposed
  };
  for (const auto& c : cases)
    EXPECT_EQ(MenuItemWidth(c.type, c.text, c.glyph, c.extra, c.firstColumn, c.proposed, kSpacing), c.width)
        << c.type << " " << c.text << " " << c.extra << " " << c.firstColumn;
}

TEST(MenuLayout, ExtraLineAndIconColumn) {
  EXPECT_EQ(ExtraLineWidth(true, true, 32), 32);
  EXPECT_EQ(ExtraLineWidth(true, false, 32), 0);
  EXPECT_EQ(ExtraLineWidth(false, true, 32), 0);
  EXPECT_EQ(ExtraLineWidth(true, true, -5), 0);
  EXPECT_EQ(IconColumnWidth(16, kSpacing), 3 + 16 + 6);
}

TEST(MenuLayout, SeparatorLeavesMarginsSpacingAndTheExtraLine) {
  const TFrameRect item{0, 40, 200, 42};
  const TFrameRect plain = SeparatorRect(item, 0, kSpacing);
  EXPECT_EQ(plain.Left, 9);
  EXPECT_EQ(plain.Right, 200 - 12);
  EXPECT_EQ(plain.Top, 40);
  EXPECT_EQ(plain.Bottom, 42);
  const TFrameRect withLine = SeparatorRect(item, 32, kSpacing);
  EXPECT_EQ(withLine.Left, 41);
  EXPECT_EQ(withLine.Right, 200 - 44);
  // Too narrow an item gives an empty line, never a reversed one.
  EXPECT_TRUE(SeparatorRect({0, 0, 10, 2}, 32, kSpacing).Empty());
}

TEST(MenuLayout, CaptionWithBackspaceGoesRightWithPadding) {
  const struct {
    const char* caption;
    const char* text;
    bool right;
  } cases[] = {
      {"&Open", "&Open", false},
      {"\bHelp", "Help      ", true},
      {"\b", "      ", true},
      {"", "", false},
      {"a\b", "a\b", false},
  };
  for (const auto& c : cases) {
    const TsMenuCaption m = PrepareMenuCaption(c.caption);
    EXPECT_EQ(m.Text, c.text);
    EXPECT_EQ(m.RightAligned, c.right);
  }
  EXPECT_EQ(ExtraLineCaption("&Sorv&&enal"), "Sorvenal");
}

TEST(MenuLayout, AccessMarksHidden) {
  const struct {
    const char* caption;
    const char* text;
  } cases[] = {{"E&xit", "Exit"}, {"R&&D", "R&D"}, {"&&&Save", "&Save"}, {"End&", "End&"}, {"", ""}, {"&", "&"}};
  for (const auto& c : cases) EXPECT_EQ(WithoutAccessMarks(c.caption), c.text) << c.caption;
}

// A "MAINMENU" section whose 6 x 6 border image (margins 2) has
// transparent pixels in its top-left and bottom-right corners.
TsSkinTables MenuSkin(int16_t borderWidth, bool withImage) {
  TsSkinTables t;
  TsGeneralData g;
  g.SectionName = "MAINMENU";
  t.gd.push_back(g);
  t.MasterBitmap = test::Filled(6, 6, 0x404040);
  if (!withImage) return t;
  TsMaskData m;
  m.SectionName = "MAINMENU";
  m.PropertyName = "BORDERSMASK";
  m.SourceRect = {0, 0, 6, 6};
  m.BorderWidth = borderWidth;
  m.WL = m.WT = m.WR = m.WB = 2;
  t.ma.push_back(m);
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{0, 1}, TPoint{5, 5}}) t.MasterBitmap.SetPixel(p.X, p.Y, clFuchsia);
  return t;
}

TEST(MenuLayout, SkinBorderWidthFromTheBorderImage) {
  EXPECT_EQ(MenuSkinBorderWidth(MenuSkin(2, true), 0), 2);
  EXPECT_EQ(MenuSkinBorderWidth(MenuSkin(0, true), 0), kMenuBorderWidth);
  EXPECT_EQ(MenuSkinBorderWidth(MenuSkin(-1, true), 0), kMenuBorderWidth);
  EXPECT_EQ(MenuSkinBorderWidth(MenuSkin(2, false), 0), 0);
  EXPECT_EQ(MenuSkinBorderWidth(MenuSkin(2, true), -1), 0);
}

TEST(MenuLayout, CornerCutoutsAreTheTransparentPixelsAtTopAndBottom) {
  const std::vector<TFrameRect> cuts = MenuCornerCutouts(MenuSkin(2, true), 0, 100, 50);
  ASSERT_EQ(cuts.size(), 3u);
  EXPECT_EQ(cuts[0].Left, 0);
  EXPECT_EQ(cuts[0].Right, 2);
  EXPECT_EQ(cuts[0].Top, 0);
  EXPECT_EQ(cuts[1].Right, 1);
  EXPECT_EQ(cuts[1].Top, 1);
  EXPECT_EQ(cuts[2].Left, 99);
  EXPECT_EQ(cuts[2].Top, 49);
  EXPECT_TRUE(MenuCornerCutouts(MenuSkin(2, false), 0, 100, 50).empty());
}

}  // namespace
