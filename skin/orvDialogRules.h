// What the dialog skinner decides from a standard dialog's window styles and
// its children: the skinner and section each child gets by its window class,
// style and size, the dialog layouts recognised by child sizes, the border
// kind of the dialog's frame and whether its skinned Close may work.
// Platform-free: styles come in as plain numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/sFrameLayout.h"

namespace skin {

// The window skinners a dialog's child can get.
enum class TChildSkinner : uint8_t {
  None,        // left to the system
  Refuse,      // the whole dialog stays unskinned
  Static,      // TorvStaticWnd
  Icon,        // TorvIconWnd
  TransPanel,  // TorvTransPanelWnd
  GroupBox,    // TorvGroupBoxWnd
  Button,      // TorvBtnWnd
  CheckBox,    // TorvCheckBoxWnd
  ComboBox,    // TorvComboBoxWnd
  ComboList,   // TorvEditWnd for a drop-down list ("combolbox")
  Sizer,       // TorvSizerWnd
  ListView,    // TorvListViewWnd
  Spin,        // TorvSpinWnd
  Edit,        // TorvEditWnd
  TreeView,    // TorvTreeViewWnd
  Link,        // TorvLinkWnd
  ToolBar,     // TorvToolBarWnd
};

// Dialog layouts, recognised by the sizes of some static children.
enum TDialogKind : uint8_t { dkOrdinary = 0, dkSampleBox = 1, dkSmallStatic = 2, dkColorMatrix = 3 };
inline constexpr int32_t kKeepDialogKind = -1;

struct TChildChoice {
  TChildSkinner Skinner = TChildSkinner::None;
  const char* Section = "";
  int32_t DialogKind = kKeepDialogKind;  // the layout the child reveals, or kKeepDialogKind
};

// `lowerClass` is the child's class name in lower case; width and height
// its window's size.
TChildChoice ChooseChildSkinner(std::string_view lowerClass, uint32_t style, int32_t width, int32_t height);

// ASCII letters in lower case (class names are compared so).
std::string LowerAscii(std::string_view text);

// The frame a dialog's style asks for: a pop-up without a caption is
// borderless, WS_THICKFRAME sizeable, DS_MODALFRAME a dialog frame, anything
// else a single frame.
TFrameBorder DialogBorder(uint32_t style);

// The caption buttons a dialog's styles offer.
uint8_t DialogIcons(uint32_t style, uint32_t exStyle);

// What tells whether a dialog offers a Close.
struct TDialogCloseInput {
  bool HadSystemMenu = true;
  bool MenuCloseEnabled = true;  // its system menu's Close is not greyed
  bool ClassNoClose = false;     // its class has CS_NOCLOSE
  bool HasCancel = true;         // it has a control with the Cancel id
  bool HasYesOrAbort = false;    // it has a Yes or an Abort button
};
// Whether the skinned Close may close the dialog. A Close answers Cancel,
// so a box that asks Yes/No or Abort/Retry/Ignore without a Cancel offers
// none: Windows greys its system menu's Close; Wine does not, so the
// buttons tell it too.
bool DialogCloseEnabled(const TDialogCloseInput& in);

}  // namespace skin
