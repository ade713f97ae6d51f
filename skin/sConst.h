// Names of the skin sections the engine knows, and the skin command message
// through which the manager, forms and controls talk. Section names are
// upper-case ASCII and compared exactly.
#pragma once

#include <cstdint>

namespace skin {

inline constexpr char s_GlobalInfo[] = "GLOBALINFO";
inline constexpr char s_Form[] = "FORM";
inline constexpr char s_FormTitle[] = "FORMTITLE";
inline constexpr char s_Dialog[] = "DIALOG";
inline constexpr char s_Button[] = "BUTTON";
inline constexpr char s_ButtonHuge[] = "BUTTON_HUGE";
inline constexpr char s_Edit[] = "EDIT";
inline constexpr char s_Panel[] = "PANEL";
inline constexpr char s_ComboBox[] = "COMBOBOX";
inline constexpr char s_ComboBtn[] = "COMBOBTN";
inline constexpr char s_SpeedButton[] = "SPEEDBUTTON";
inline constexpr char s_ToolButton[] = "TOOLBUTTON";
inline constexpr char s_ColHeader[] = "COLHEADER";
inline constexpr char s_IcoLine[] = "ICOLINE";
inline constexpr char s_TabTop[] = "TABTOP";
inline constexpr char s_TabBottom[] = "TABBOTTOM";
inline constexpr char s_TabLeft[] = "TABLEFT";
inline constexpr char s_TabRight[] = "TABRIGHT";
inline constexpr char s_ScrollBtnTop[] = "SCROLLBTNTOP";
inline constexpr char s_ScrollBtnBottom[] = "SCROLLBTNBOTTOM";
inline constexpr char s_ScrollBtnLeft[] = "SCROLLBTNLEFT";
inline constexpr char s_ScrollBtnRight[] = "SCROLLBTNRIGHT";
inline constexpr char s_ScrollSliderV[] = "SCROLLSLIDERV";
inline constexpr char s_ScrollSliderH[] = "SCROLLSLIDERH";
inline constexpr char s_ScrollBar1H[] = "SCROLLBAR1H";
inline constexpr char s_ScrollBar1V[] = "SCROLLBAR1V";
inline constexpr char s_ScrollBar2H[] = "SCROLLBAR2H";
inline constexpr char s_ScrollBar2V[] = "SCROLLBAR2V";
inline constexpr char s_Bar[] = "BAR";
inline constexpr char s_BarTitle[] = "BARTITLE";
inline constexpr char s_CheckBox[] = "CHECKBOX";
inline constexpr char s_RadioButton[] = "RADIOBUTTON";
inline constexpr char s_PanelLow[] = "PANEL_LOW";
inline constexpr char s_ToolBar[] = "TOOLBAR";
inline constexpr char s_DragBar[] = "DRAGBAR";
inline constexpr char s_TabSheet[] = "TABSHEET";
inline constexpr char s_GroupBox[] = "GROUPBOX";
inline constexpr char s_Splitter[] = "SPLITTER";
inline constexpr char s_PageControl[] = "PAGECONTROL";
inline constexpr char s_StatusBar[] = "STATUSBAR";
inline constexpr char s_Gauge[] = "GAUGE";
inline constexpr char s_TrackBar[] = "TRACKBAR";

// Every section a complete skin defines (besides one unnamed item).
inline constexpr const char* kSkinSections[] = {"ALPHACOMBOBOX",
                                                "ALPHAEDIT",
                                                "BAR",
                                                "BARPANEL",
                                                "BARTITLE",
                                                "BUTTON",
                                                "BUTTON_BIG",
                                                "BUTTON_HUGE",
                                                "CALCPANEL",
                                                "CHECKBOX",
                                                "COMBOBOX",
                                                "DIALOG",
                                                "DIVIDER",
                                                "DRAGBAR",
                                                "EDIT",
                                                "EXTRALINE",
                                                "FORM",
                                                "FORMTITLE",
                                                "GAUGE",
                                                "GLOBALINFO",
                                                "GRIPH",
                                                "GROUPBOX",
                                                "HINT",
                                                "ICOLINE",
                                                "MAINMENU",
                                                "MENUITEM",
                                                "MENULINE",
                                                "PAGECONTROL",
                                                "PAGECONTROLBOTTOM",
                                                "PAGECONTROLLEFT",
                                                "PAGECONTROLRIGHT",
                                                "PANEL",
                                                "PANEL_LOW",
                                                "PROGRESSH",
                                                "PROGRESSV",
                                                "RADIOBUTTON",
                                                "ROUNDTBN",
                                                "SCROLLBAR1H",
                                                "SCROLLBAR1V",
                                                "SCROLLBAR2H",
                                                "SCROLLBAR2V",
                                                "SCROLLBTNBOTTOM",
                                                "SCROLLBTNLEFT",
                                                "SCROLLBTNRIGHT",
                                                "SCROLLBTNTOP",
                                                "SCROLLSLIDERH",
                                                "SCROLLSLIDERV",
                                                "SPEEDBUTTON",
                                                "SPEEDBUTTON_SMALL",
                                                "SPLITTER",
                                                "STATUSBAR",
                                                "TABBOTTOM",
                                                "TABCONTROL",
                                                "TABCONTROLBOTTOM",
                                                "TABCONTROLLEFT",
                                                "TABCONTROLRIGHT",
                                                "TABLEFT",
                                                "TABRIGHT",
                                                "TABSHEET",
                                                "TABTOP",
                                                "TOOLBAR",
                                                "TOOLBUTTON",
                                                "TRACKBAR",
                                                "WEBBUTTON"};

// The skin command message: the high word of wParam is one of the SKC_
// codes below, the low word a small argument; lParam carries the manager,
// a control or an argument.
inline constexpr uint32_t SM_SKINCMD = 0xA100;

enum : uint16_t {
  SKC_SETNEWSKIN = 1,
  SKC_REMOVESKIN = 2,
  SKC_REFRESH = 3,
  SKC_GETPROVIDER = 4,
  SKC_GETBG = 5,
  SKC_PARENTUPDATED = 6,
  SKC_ISSKINNED = 7,
  SKC_SETUPDATING = 8,
  SKC_PREPARECACHE = 9,
  SKC_ISUPDATING = 10,
  SKC_ISPARTLYVISIBLE = 11,
  SKC_PARENTBGCHANGED = 12,
  SKC_SECTIONCHANGED = 13,
  SKC_SETPAINTCHILD = 15,
  SKC_STOPFADE = 16,
  SKC_SETCACHEDIRTY = 17,
  SKC_ISTRANSPARENT = 19,
  SKC_INVALIDATEALL = 20,
  SKC_GETCOLOR = 21,
  SKC_SETPARTLYVISIBLE = 22,
  SKC_REBUILDCACHE = 23,
  SKC_FADEFRAME = 24,
  SKC_CONTROLCHANGED = 25,
  SKC_GETSKININDEX = 26,
  SKC_MOUSEENTER = 29,
  SKC_MOUSELEAVE = 30,
  SKC_BEGINUPDATE = 31,
  SKC_ENDUPDATE = 32,
  SKC_BEFORESCROLL = 51,
  SKC_AFTERSCROLL = 52,
};

// wParam of SM_SKINCMD: the command in the high word, the argument in the low.
constexpr uint32_t MakeSkinCmd(uint16_t command, uint16_t argument = 0) {
  return (static_cast<uint32_t>(command) << 16) | argument;
}
constexpr uint16_t SkinCmdOf(uint32_t wParam) { return static_cast<uint16_t>(wParam >> 16); }

}  // namespace skin
