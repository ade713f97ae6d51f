// Sizes and places of skinned menu items, from measured text sizes: item
// kinds from their captions, item heights and widths, the extra line and
// the icon column, the separator's place, the cut-outs of a pop-up's
// corners and the text of a caption as it is written. Platform-free.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/sFrameLayout.h"
#include "skin/sSkinTables.h"

namespace skin {

// A title item ("-Title-"), a separator ("-"), an ordinary pop-up item, an
// item of a main menu's bar.
enum TsMenuItemType : uint8_t { smCaption, smDivider, smNormal, smTopLine };

TsMenuItemType MenuItemType(const std::string& caption, bool onBar);

// A glyph's size when the item has no picture of its own.
inline constexpr int32_t kMenuGlyphSize = 16;
// A separator item is this high.
inline constexpr int32_t kDividerHeight = 2;
// Border of a pop-up when its skin image names none.
inline constexpr int32_t kMenuBorderWidth = 3;

struct TsMenuSpacing {
  int32_t Margin = 3;
  int32_t Spacing = 6;
};

// letterHeight: the height of "W" in the menu font; barHeight: the system's
// menu-bar height.
int32_t MenuItemHeight(TsMenuItemType type, int32_t letterHeight, int32_t glyphHeight, int32_t barHeight,
                       const TsMenuSpacing& s);

// textWidth: caption and shortcut text written together (a title's caption
// with a "-" at each end); extraLine: the shown extra line's width, which
// items of the first column add; proposed: what the system offers a bar item.
int32_t MenuItemWidth(TsMenuItemType type, int32_t textWidth, int32_t glyphWidth, int32_t extraLine, bool firstColumn,
                      int32_t proposed, const TsMenuSpacing& s);

// The extra line's width: `width` when it is used and visible, else 0.
int32_t ExtraLineWidth(bool useExtraLine, bool lineVisible, int32_t width);
// The icon column of a pop-up whose first item's glyph is that wide.
int32_t IconColumnWidth(int32_t glyphWidth, const TsMenuSpacing& s);

// The pop-up border a skin gives: its "MAINMENU" border image's BorderWidth,
// kMenuBorderWidth when that is 0 or less, 0 without the image.
int32_t MenuSkinBorderWidth(const TsSkinTables& t, int32_t mainMenuSection);

// Where a separator's line goes inside the item's rectangle.
TFrameRect SeparatorRect(TFrameRect item, int32_t extraLine, const TsMenuSpacing& s);

// The pop-up window's corners that its border image leaves transparent,
// as one-pixel-high rectangles of a width x height window.
std::vector<TFrameRect> MenuCornerCutouts(const TsSkinTables& t, int32_t mainMenuSection, int32_t width,
                                          int32_t height);

// A caption as it is written: a leading backspace is dropped and the text
// goes to the right, six spaces after it.
struct TsMenuCaption {
  std::string Text;
  bool RightAligned = false;
};
TsMenuCaption PrepareMenuCaption(const std::string& caption);

// A caption as written with its access key hidden: a single "&" dropped,
// "&&" written as "&".
std::string WithoutAccessMarks(const std::string& caption);

// The extra line's caption: "&" characters removed.
std::string ExtraLineCaption(const std::string& caption);

}  // namespace skin
