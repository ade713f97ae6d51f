// Layout of the exception box: every rectangle for the forms the box takes,
// from fixed caption widths and a fixed message size.
#include "report/box/quorBoxLayout.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

constexpr int32_t kHidden = -1;

struct LayoutCase {
  const char* name;
  TBoxKind kind;
  std::array<int32_t, kBoxButtonCount> captions;
  bool bigIcon;
  bool details;
  TBoxSize message;
  // Expected:
  bool stacked;
  int32_t rows, firstRow, width, height;
  TBoxRect messageRect;
  std::array<TBoxRect, kBoxButtonCount> buttons;
  TBoxRect tabs;
  TBoxSize outer;
};

// Caption widths: send 80, show 82, continue 100, restart 95, close 85.
const LayoutCase kCases[] = {
    // The program's stored settings: send and show at the bottom left,
    // continue, restart and close stacked at the right, first row moved up.
    {"stored settings",
     TBoxKind::Full,
     {80, kHidden, kHidden, 82, 100, 95, 85},
     true,
     false,
     {190, 13},
     true,
     3,
     7,
     409,
     93,
     {51, 18, 190, 13},
     {{{6, 59, 115, 22}, {}, {}, {125, 59, 117, 22}, {262, 7, 135, 22}, {262, 33, 135, 22}, {262, 59, 135, 22}}},
     {},
     {409, 112}},
    // One short line beside the big icon: vertically centred, first row at 31.
    {"simple box, short line",
     TBoxKind::Simple,
     {kHidden, kHidden, kHidden, kHidden, 20, kHidden, kHidden},
     true,
     false,
     {150, 13},
     false,
     2,
     31,
     216,
     98,
     {51, 18, 150, 13},
     {{{}, {}, {}, {}, {67, 58, 75, 23}, {}, {}}},
     {},
     {216, 117}},
    // Three lines: the buttons follow the text; both narrow buttons raised to 79.
    {"detail box, three lines",
     TBoxKind::Detail,
     {kHidden, kHidden, kHidden, 40, 20, kHidden, kHidden},
     true,
     false,
     {300, 39},
     false,
     2,
     44,
     366,
     111,
     {51, 12, 300, 39},
     {{{}, {}, {}, {183, 71, 75, 23}, {102, 71, 75, 23}, {}, {}}},
     {},
     {366, 130}},
    // Only continue: one button counts as two rows, nothing stacked.
    {"continue only",
     TBoxKind::Full,
     {kHidden, kHidden, kHidden, kHidden, 100, kHidden, kHidden},
     false,
     false,
     {200, 13},
     false,
     2,
     18,
     226,
     78,
     {11, 12, 200, 13},
     {{{}, {}, {}, {}, {79, 44, 135, 22}, {}, {}}},
     {},
     {226, 97}},
    // Three right buttons without left ones: one row, not stacked.
    {"three in a row",
     TBoxKind::Full,
     {kHidden, kHidden, kHidden, kHidden, 100, 95, 85},
     false,
     false,
     {200, 13},
     false,
     2,
     18,
     411,
     78,
     {11, 12, 200, 13},
     {{{}, {}, {}, {}, {6, 44, 135, 22}, {145, 44, 130, 22}, {279, 44, 120, 22}}},
     {},
     {411, 97}},
    // None of 4-6: the left buttons get row 0.
    {"no right buttons",
     TBoxKind::Full,
     {80, kHidden, kHidden, kHidden, kHidden, kHidden, kHidden},
     false,
     false,
     {100, 13},
     false,
     0,
     18,
     133,
     52,
     {11, 12, 100, 13},
     {{{6, 18, 115, 22}, {}, {}, {}, {}, {}, {}}},
     {},
     {133, 71}},
    // The resizable box with the details: at least 664 wide, 474 higher.
    {"details view",
     TBoxKind::Full,
     {80, kHidden, kHidden, kHidden, 100, 95, 85},
     true,
     true,
     {190, 13},
     true,
     3,
     7,
     664,
     567,
     {51, 18, 190, 13},
     {{{6, 59, 115, 22}, {}, {}, {}, {517, 7, 135, 22}, {517, 33, 135, 22}, {517, 59, 135, 22}}},
     {5, 89, 649, 468},
     {672, 594}},
};

TEST(BoxLayout, EveryRectangleOfEachForm) {
  for (const LayoutCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TBoxLayoutInput in;
    in.kind = c.kind;
    in.captionWidths = c.captions;
    in.bigIcon = c.bigIcon;
    in.details = c.details;
    in.resizeExtraWidth = 8;
    in.resizeExtraHeight = 8;
    int32_t wrapWidth = 0;
    in.measureMessage = [&](int32_t width) {
      wrapWidth = width;
      return c.message;
    };
    const TBoxLayout l = LayOutBox(in);
    EXPECT_GT(wrapWidth, 0);
    EXPECT_EQ(l.stacked, c.stacked);
    EXPECT_EQ(l.rows, c.rows);
    EXPECT_EQ(l.firstRow, c.firstRow);
    EXPECT_EQ(l.width, c.width);
    EXPECT_EQ(l.height, c.height);
    EXPECT_EQ(l.message, c.messageRect);
    for (size_t i = 0; i < c.buttons.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(l.buttons[i], c.buttons[i]);
    }
    EXPECT_EQ(l.details, c.tabs);
    EXPECT_EQ(l.outer.width, c.outer.width);
    EXPECT_EQ(l.outer.height, c.outer.height);
    EXPECT_EQ(l.bigIcon, (c.bigIcon ? TBoxRect{9, 10, 32, 32} : TBoxRect{}));
  }
}

TEST(BoxLayout, MessageIsWrappedAtTheWidthLeftBesideTheButtons) {
  TBoxLayoutInput in;
  in.captionWidths = {80, kHidden, kHidden, 82, 100, 95, 85};
  in.bigIcon = true;
  int32_t wrapWidth = 0;
  in.measureMessage = [&](int32_t width) {
    wrapWidth = width;
    return TBoxSize{width, 52};
  };
  const TBoxLayout l = LayOutBox(in);
  EXPECT_EQ(wrapWidth, 664 - (139 + 40 + 40));  // V: widest right button + 40, + 40 for the icon
  EXPECT_EQ(l.width, 664);
  EXPECT_EQ(l.message.top, 12);
  EXPECT_EQ(l.firstRow, 57 - 26);  // th + 5, one row up for the stacked third button
}

TEST(BoxLayout, DetailsAreaIsLimitedByTheScreen) {
  TBoxLayoutInput in;
  in.captionWidths = {80, kHidden, kHidden, kHidden, 100, kHidden, 85};
  in.details = true;
  in.screenWidth = 600;
  in.screenHeight = 400;
  in.measureMessage = [](int32_t) { return TBoxSize{100, 13}; };
  const TBoxLayout l = LayOutBox(in);
  EXPECT_EQ(l.width, 600 - 5 * 19);
  EXPECT_EQ(l.height, 400 - 5 * 19);
  EXPECT_EQ(l.details.top + l.details.height, l.height - 10);
}

}  // namespace
}  // namespace quor
