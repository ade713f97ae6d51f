// Names of image roles within a section and the keys of the external skin
// file ("Options.dat"). Upper-case ASCII, compared exactly in the tables and
// without regard to case in the skin file.
#pragma once

namespace skin {

// Image roles.
inline constexpr char s_BordersMask[] = "BORDERSMASK";
inline constexpr char s_GlyphMask[] = "GLYPHMASK";
inline constexpr char s_Pattern[] = "PATTERN";
inline constexpr char s_HotPattern[] = "HOTPATTERN";
inline constexpr char s_GripImage[] = "GRIPIMAGE";
inline constexpr char s_TitleButton[] = "TITLEBUTTON";
inline constexpr char s_CheckBoxChecked[] = "BOXCHECKED";
inline constexpr char s_CheckBoxUnchecked[] = "BOXUNCHECKED";
inline constexpr char s_CheckBoxGrayed[] = "BOXGRAYED";
inline constexpr char s_RadioButtonChecked[] = "RADIOCHECKED";
inline constexpr char s_RadioButtonUnchecked[] = "RADIOUNCHECKED";
inline constexpr char s_RadioButtonGrayed[] = "RADIOGRAYED";
inline constexpr char s_SmallBoxChecked[] = "SMALLCHECKED";
inline constexpr char s_SmallBoxUnchecked[] = "SMALLUNCHECKED";
inline constexpr char s_SmallBoxGrayed[] = "SMALLGRAYED";

// Every image role a skin may use.
inline constexpr const char* kImageRoles[] = {
    "BORDERSMASK", "GLYPHMASK",    "PATTERN",        "HOTPATTERN",   "GRIPIMAGE",   "BICONCLOSE",    "BICONHELP",
    "BICONMAX",    "BICONMIN",     "BICONNORM",      "TITLEBUTTON",  "SICONCLOSE",  "SICONHELP",     "SICONMAX",
    "SICONMIN",    "SICONNORM",    "BOXCHECKED",     "BOXUNCHECKED", "BOXGRAYED",   "RADIOCHECKED",  "RADIOUNCHECKED",
    "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED",  "CHECK",       "SLIDERCHANNEL", "SLIDERMASK",
    "SLIDERVMASK", "TICKHORZ",     "TICKVERT",       "IMGTOPLEFT",   "IMGTOPRIGHT", "IMGBTMLEFT",    "IMGBTMRIGHT"};

// The skin file's name inside a skin folder.
inline constexpr char s_OptionsDat[] = "Options.dat";

// Keys of the skin file's "GLOBALINFO" section.
inline constexpr char s_Version[] = "VERSION";
inline constexpr char s_Author[] = "AUTHOR";
inline constexpr char s_Description[] = "DESCRIPTION";
inline constexpr char s_Shadow1Color[] = "SHADOW1COLOR";
inline constexpr char s_Shadow1Offset[] = "SHADOW1OFFSET";
inline constexpr char s_Shadow1Blur[] = "SHADOW1BLUR";
inline constexpr char s_Shadow1Transparency[] = "SHADOW1TRANSPARENCY";
inline constexpr char s_BorderColor[] = "BORDERCOLOR";
inline constexpr char s_MasterBitmap[] = "MASTERBITMAP";

// Keys of a section's general data.
inline constexpr char s_ParentClass[] = "PARENTCLASS";
inline constexpr char s_ShadowColor[] = "SHADOWCOLOR";

}  // namespace skin
