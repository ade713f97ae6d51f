#include "skin/orvDialogRules.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

constexpr uint32_t kSsLeft = 0x0, kSsIcon = 0x3, kSsBitmap = 0xE, kSsSimple = 0xB, kSsNotify = 0x100;
constexpr uint32_t kBsDefPush = 0x1, kBsAutoCheck = 0x3, kBsGroup = 0x7, kBsRadio = 0x9, kBsMultiline = 0x2000;

TEST(DialogRules, ChildSkinnerByClassStyleAndSize) {
  struct Case {
    const char* cls;
    uint32_t style;
    int32_t w, h;
    TChildSkinner skinner;
    const char* section;
    int32_t kind;
  };
  const Case cases[] = {
      {"static", kSsLeft | kSsNotify, 200, 13, TChildSkinner::Static, "CHECKBOX", kKeepDialogKind},
      {"static", kSsIcon, 32, 32, TChildSkinner::Icon, "CHECKBOX", kKeepDialogKind},
      {"static", kSsBitmap, 32, 32, TChildSkinner::None, "", kKeepDialogKind},
      {"static", kSsSimple, 80, 13, TChildSkinner::None, "", kKeepDialogKind},
      {"static", kSsLeft, 152, 49, TChildSkinner::Static, "CHECKBOX", dkSmallStatic},
      {"static", kSsLeft, 150, 37, TChildSkinner::None, "", dkSampleBox},
      {"static", kSsLeft, 210, 140, TChildSkinner::None, "", dkColorMatrix},
      {"static", kSsLeft, 60, 42, TChildSkinner::None, "", dkColorMatrix},
      {"button", kBsDefPush | kBsMultiline, 75, 23, TChildSkinner::Button, "BUTTON", kKeepDialogKind},
      {"button", kBsGroup, 200, 100, TChildSkinner::GroupBox, "GROUPBOX", kKeepDialogKind},
      {"button", kBsAutoCheck, 100, 17, TChildSkinner::CheckBox, "CHECKBOX", kKeepDialogKind},
      {"button", kBsRadio, 100, 17, TChildSkinner::CheckBox, "CHECKBOX", kKeepDialogKind},
      {"#32770", 0, 300, 200, TChildSkinner::TransPanel, "CHECKBOX", kKeepDialogKind},
      {"combobox", 0, 100, 21, TChildSkinner::ComboBox, "COMBOBOX", kKeepDialogKind},
      {"comboboxex32", 0, 100, 21, TChildSkinner::ComboBox, "COMBOBOX", kKeepDialogKind},
      {"combolbox", 0, 100, 80, TChildSkinner::ComboList, "COMBOBOX", kKeepDialogKind},
      {"edit", 0, 100, 21, TChildSkinner::Edit, "EDIT", kKeepDialogKind},
      {"listbox", 0, 100, 80, TChildSkinner::Edit, "EDIT", kKeepDialogKind},
      {"syslistview32", 0, 300, 200, TChildSkinner::ListView, "EDIT", kKeepDialogKind},
      {"systreeview32", 0, 300, 200, TChildSkinner::TreeView, "EDIT", kKeepDialogKind},
      {"systabcontrol32", 0, 470, 349, TChildSkinner::Refuse, "", kKeepDialogKind},
      {"systabcontrol32", 0, 471, 349, TChildSkinner::None, "", kKeepDialogKind},
      {"msctls_updown32", 0, 16, 21, TChildSkinner::Spin, "SPEEDBUTTON_SMALL", kKeepDialogKind},
      {"scrollbar", 0x10, 16, 16, TChildSkinner::Sizer, "CHECKBOX", kKeepDialogKind},    // SBS_SIZEGRIP
      {"scrollbar", 0x08, 16, 16, TChildSkinner::Sizer, "CHECKBOX", kKeepDialogKind},    // SBS_SIZEBOX
      {"scrollbar", 0x01, 16, 200, TChildSkinner::None, "", kKeepDialogKind},            // SBS_VERT
      {"toolbarwindow32", 0x200, 100, 24, TChildSkinner::ToolBar, "BAR", kKeepDialogKind},
      {"toolbarwindow32", 0, 100, 24, TChildSkinner::ToolBar, "CHECKBOX", kKeepDialogKind},
      {"link window", 0, 100, 13, TChildSkinner::Link, "CHECKBOX", kKeepDialogKind},
      {"shbrowseforfolder shellnamespace host", 0, 300, 200, TChildSkinner::TransPanel, "CHECKBOX", kKeepDialogKind},
      {"richedit20w", 0, 100, 21, TChildSkinner::None, "", kKeepDialogKind},
      {"", 0, 0, 0, TChildSkinner::None, "", kKeepDialogKind},
  };
  for (const Case& c : cases) {
    const TChildChoice choice = ChooseChildSkinner(c.cls, c.style, c.w, c.h);
    EXPECT_EQ(choice.Skinner, c.skinner) << c.cls << " " << c.w << "x" << c.h;
    EXPECT_STREQ(choice.Section, c.section) << c.cls;
    EXPECT_EQ(choice.DialogKind, c.kind) << c.cls << " " << c.w << "x" << c.h;
  }
}

TEST(DialogRules, ClassNamesAreComparedInLowerCase) {
  EXPECT_EQ(LowerAscii("SysListView32"), "syslistview32");
  EXPECT_EQ(LowerAscii("#32770"), "#32770");
  EXPECT_EQ(LowerAscii(std::string("A\xC4z", 3)), std::string("a\xC4z", 3));  // only ASCII letters change
}

TEST(DialogRules, BorderKindFromTheStyle) {
  constexpr uint32_t popup = 0x80000000, caption = 0x00C00000, thick = 0x00040000, modal = 0x80, border = 0x00800000;
  struct Case {
    uint32_t style;
    TFrameBorder border;
  };
  const Case cases[] = {
      {popup, TFrameBorder::None},
      {popup | border, TFrameBorder::None},
      {popup | caption | modal, TFrameBorder::Dialog},
      {popup | caption | thick | modal, TFrameBorder::Sizeable},
      {popup | caption, TFrameBorder::Single},
      {caption, TFrameBorder::Single},
  };
  for (const Case& c : cases) EXPECT_EQ(DialogBorder(c.style), c.border) << std::hex << c.style;
}

TEST(DialogRules, CaptionButtonsAndCloseFollowTheStyleMenuAndClass) {
  EXPECT_EQ(DialogIcons(0x00080000 | 0x00020000 | 0x00010000, 0x400), fiSystemMenu | fiMinimize | fiMaximize | fiHelp);
  EXPECT_EQ(DialogIcons(0, 0), 0);
  struct Case {
    TDialogCloseInput in;
    bool enabled;
  };
  const Case cases[] = {
      {{true, true, false, true, false}, true},    // an OK/Cancel box
      {{true, true, false, false, false}, true},   // an OK box
      {{true, false, false, false, true}, false},  // Yes/No under Windows: the menu's Close is greyed
      {{true, true, false, false, true}, false},   // Yes/No or Abort/Retry/Ignore under Wine: no Cancel
      {{true, true, false, true, true}, true},     // Yes/No/Cancel
      {{true, true, true, true, false}, false},    // a class with CS_NOCLOSE
      {{false, true, false, true, false}, false},  // no system menu, no Close
  };
  for (const Case& c : cases)
    EXPECT_EQ(DialogCloseEnabled(c.in), c.enabled) << c.in.HadSystemMenu << c.in.MenuCloseEnabled
                                                   << c.in.ClassNoClose << c.in.HasCancel << c.in.HasYesOrAbort;
}

}  // namespace
}  // namespace skin
