#include "skin/orvDialogRules.h"

#include <algorithm>

namespace skin {

namespace {

// The window styles the rules read (the system's numbers).
constexpr uint32_t kWsPopup = 0x80000000, kWsCaption = 0x00C00000, kWsThickFrame = 0x00040000;
constexpr uint32_t kWsSysMenu = 0x00080000, kWsMinimizeBox = 0x00020000, kWsMaximizeBox = 0x00010000;
constexpr uint32_t kWsExContextHelp = 0x00000400;
constexpr uint32_t kDsModalFrame = 0x80;
constexpr uint32_t kStaticTypeMask = 0x1F;
enum : uint32_t {
  kSsIcon = 0x03,
  kSsGrayRect = 0x05,
  kSsWhiteRect = 0x06,
  kSsSimple = 0x0B,
  kSsOwnerDraw = 0x0D,
  kSsBitmap = 0x0E,
  kSsEnhMetaFile = 0x0F,
};
constexpr uint32_t kButtonTypeMask = 0x0F;
enum : uint32_t { kBsPushButton = 0, kBsDefPushButton = 1, kBsGroupBox = 7, kBsUserButton = 8 };
// A scroll bar with one of these style bits is a size box or grip.
constexpr uint32_t kSbsSizeBox = 0x08, kSbsSizeGrip = 0x10;
// A tool bar with this style bit draws on a band of its own.
constexpr uint32_t kToolBarBandStyle = 0x200;

struct TSize {
  int32_t Width, Height;
};
// Statics of the font dialog's sample box and of the colour dialog's
// matrix, by their sizes in the system's own templates.
constexpr TSize kSmallStatic{152, 49}, kSampleStatic{150, 37};
constexpr TSize kColorMatrixStatics[] = {{192, 189}, {210, 140}, {12, 189}, {210, 46}, {60, 42}};
// A property sheet's tab control of this size: the dialog is left alone.
constexpr TSize kRefusedTabControl{470, 349};

bool Is(TSize s, int32_t w, int32_t h) { return s.Width == w && s.Height == h; }

TChildChoice StaticChoice(uint32_t style, int32_t w, int32_t h) {
  if (Is(kSmallStatic, w, h)) return {TChildSkinner::Static, "CHECKBOX", dkSmallStatic};
  if (Is(kSampleStatic, w, h)) return {TChildSkinner::None, "", dkSampleBox};
  for (TSize s : kColorMatrixStatics)
    if (Is(s, w, h)) return {TChildSkinner::None, "", dkColorMatrix};
  switch (style & kStaticTypeMask) {
    case kSsIcon:
      return {TChildSkinner::Icon, "CHECKBOX"};
    case kSsOwnerDraw:
    case kSsBitmap:
    case kSsEnhMetaFile:
    case kSsGrayRect:
    case kSsWhiteRect:
    case kSsSimple:
      return {};
    default:
      return {TChildSkinner::Static, "CHECKBOX"};
  }
}

TChildChoice ButtonChoice(uint32_t style) {
  switch (style & kButtonTypeMask) {
    case kBsGroupBox:
      return {TChildSkinner::GroupBox, "GROUPBOX"};
    case kBsPushButton:
    case kBsDefPushButton:
    case kBsUserButton:
      return {TChildSkinner::Button, "BUTTON"};
    default:
      return {TChildSkinner::CheckBox, "CHECKBOX"};
  }
}

}  // namespace

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return lower;
}

TChildChoice ChooseChildSkinner(std::string_view c, uint32_t style, int32_t w, int32_t h) {
  if (c == "static") return StaticChoice(style, w, h);
  if (c == "button") return ButtonChoice(style);
  if (c == "#32770") return {TChildSkinner::TransPanel, "CHECKBOX"};
  if (c == "combobox" || c == "comboboxex32") return {TChildSkinner::ComboBox, "COMBOBOX"};
  if (c == "combolbox") return {TChildSkinner::ComboList, "COMBOBOX"};
  // A real scroll bar keeps the system's painting: the sizer's picture
  // would hide its arrows and thumb.
  if (c == "scrollbar")
    return {(style & (kSbsSizeBox | kSbsSizeGrip)) ? TChildSkinner::Sizer : TChildSkinner::None,
            (style & (kSbsSizeBox | kSbsSizeGrip)) ? "CHECKBOX" : ""};
  if (c == "systabcontrol32") return {Is(kRefusedTabControl, w, h) ? TChildSkinner::Refuse : TChildSkinner::None, ""};
  if (c == "syslistview32") return {TChildSkinner::ListView, "EDIT"};
  if (c == "msctls_updown32") return {TChildSkinner::Spin, "SPEEDBUTTON_SMALL"};
  if (c == "listbox" || c == "edit") return {TChildSkinner::Edit, "EDIT"};
  if (c == "systreeview32") return {TChildSkinner::TreeView, "EDIT"};
  if (c == "link window") return {TChildSkinner::Link, "CHECKBOX"};
  if (c == "toolbarwindow32") return {TChildSkinner::ToolBar, (style & kToolBarBandStyle) ? "BAR" : "CHECKBOX"};
  if (c.find("shbrowseforfolder") != std::string_view::npos) return {TChildSkinner::TransPanel, "CHECKBOX"};
  return {};
}

TFrameBorder DialogBorder(uint32_t style) {
  if ((style & kWsPopup) && (style & kWsCaption) != kWsCaption) return TFrameBorder::None;
  if (style & kWsThickFrame) return TFrameBorder::Sizeable;
  if (style & kDsModalFrame) return TFrameBorder::Dialog;
  return TFrameBorder::Single;
}

uint8_t DialogIcons(uint32_t style, uint32_t exStyle) {
  uint8_t icons = 0;
  if (style & kWsSysMenu) icons |= fiSystemMenu;
  if (style & kWsMinimizeBox) icons |= fiMinimize;
  if (style & kWsMaximizeBox) icons |= fiMaximize;
  if (exStyle & kWsExContextHelp) icons |= fiHelp;
  return icons;
}

bool DialogCloseEnabled(const TDialogCloseInput& in) {
  if (!in.HadSystemMenu || !in.MenuCloseEnabled || in.ClassNoClose) return false;
  return in.HasCancel || !in.HasYesOrAbort;
}

}  // namespace skin
