#include "report/assistant/quorNVLayout.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

// A font of fixed-width characters: 7 pixels each, lines 13 high; wrapped
// texts take as many lines as they need.
NVSize Measure(NVFont, std::string_view text, int32_t wrap) {
  const int32_t width = int32_t(text.size()) * 7;
  if (wrap <= 0 || width <= wrap) return {width, 13};
  return {wrap, 13 * ((width + wrap - 1) / wrap)};
}

NVSize NoImage(const NVItem&, int32_t) { return {32, 32}; }

NVItem Item(NVItemKind kind, const char* caption, int32_t lines = 1) {
  NVItem item;
  item.kind = kind;
  item.caption = caption;
  item.lines = lines;
  return item;
}

NVFormModel Contact() {
  NVFormModel f = EmptyNVForm();
  f.message = "Contact Information";
  f.items.push_back(Item(NVItemKind::Label, "your name:"));
  f.items.push_back(Item(NVItemKind::Edit, ""));
  f.items.push_back(Item(NVItemKind::Label, "your email:"));
  f.items.push_back(Item(NVItemKind::Edit, ""));
  f.items.push_back(Item(NVItemKind::CheckBox, "remember me"));
  return f;
}

TEST(NVLayout, ContactFormFromTheTopDownAndButtonsAtTheBottom) {
  const NVLayout l = LayoutNVForm(Contact(), 3, Measure, NoImage);
  // Buttons: "Next >" is 42 wide (owner drawn, at most 64): 85 each.
  EXPECT_EQ(l.clientWidth, 315);  // 3 x 85 + 32 = 287 < 315; message 133 + 57 + 36 = 226
  EXPECT_EQ(l.items[3].top, 38);  // a label sits 2 higher
  EXPECT_EQ(l.items[3].Width(), 315 - 46);
  // After a caption label 4; edits are one line of "Gg" plus 2.
  EXPECT_EQ(l.items[4].top, 40 + 13 + 4);
  EXPECT_EQ(l.items[4].Height(), 15);
  // Edit then another class: 12, but 8 between two caption labels when the
  // item after next is an edit again.
  EXPECT_EQ(l.items[5].top + 2, l.items[4].bottom + 8);
  EXPECT_EQ(l.items[7].top, l.items[6].bottom + 12);
  const int32_t y = l.items[7].bottom;  // the last item: nothing after it
  EXPECT_EQ(l.clientHeight, y + 32 + 33);
  EXPECT_EQ(l.items[0].left, 8);
  EXPECT_EQ(l.items[1].left, 8 + 85);
  EXPECT_EQ(l.items[2].right, 315 - 8);
  EXPECT_EQ(l.items[0].bottom, l.clientHeight - 9);
}

TEST(NVLayout, WidthFollowsTheWidestRule) {
  NVFormModel f = EmptyNVForm();
  f.minWidth = 400;
  EXPECT_EQ(LayoutNVForm(f, 1, Measure, NoImage).clientWidth, 400);
  f.minWidth = 0;
  f.message = std::string(60, 'M');  // 420 + 19 x 3 + 36
  EXPECT_EQ(LayoutNVForm(f, 3, Measure, NoImage).clientWidth, 420 + 57 + 36);
  f.message.clear();
  f.items[0].caption = std::string(20, 'x');  // 140 wide: 160
  EXPECT_EQ(LayoutNVForm(f, 1, Measure, NoImage).clientWidth, 160 + 85 + 85 + 32);
}

TEST(NVLayout, PlainButtonsInTheSystemOrderWhenSkipIsHidden) {
  NVFormModel f = EmptyNVForm();
  for (int i = 0; i < 3; ++i) f.items[size_t(i)].noOwnerDraw = true;
  f.items[1].visible = false;
  const NVLayout l = LayoutNVForm(f, 1, Measure, NoImage);
  EXPECT_EQ(l.items[2].right, l.clientWidth - 8);
  EXPECT_EQ(l.items[0].right, l.items[2].left);  // OK left of Cancel
  EXPECT_EQ(l.items[0].Height(), 23);
  EXPECT_EQ(l.items[0].Width(), 75);  // "Next >" is narrower than 55
  EXPECT_EQ(l.items[1].Width(), 0);   // hidden
}

TEST(NVLayout, NineLineMemoAndAWideImage) {
  NVFormModel f = EmptyNVForm();
  f.items.push_back(Item(NVItemKind::Label, "in which situation did the error occur?"));
  f.items.push_back(Item(NVItemKind::Edit, "", 9));
  NVItem image = Item(NVItemKind::Image, "");
  f.items.push_back(image);
  const NVLayout l = LayoutNVForm(f, 2, Measure, [](const NVItem&, int32_t) { return NVSize{2000, 100}; });
  EXPECT_EQ(l.items[4].Height(), 9 * 13 + 2);
  EXPECT_EQ(l.items[5].Width(), l.clientWidth - 42);
}

}  // namespace
}  // namespace quor
