#include "skin/sMenuLayout.h"

#include <algorithm>
#include <cmath>

#include "skin/sFrameRegion.h"
#include "skin/sSkinProps.h"

namespace skin {

namespace {

// Items are a quarter taller than the menu font's letters.
int32_t TextLineHeight(int32_t letterHeight) { return static_cast<int32_t>(std::lround(letterHeight * 1.25)); }

// Six spaces keep a right-aligned caption off the pop-up's edge.
constexpr char kRightCaptionPadding[] = "      ";

}  // namespace

TsMenuItemType MenuItemType(const std::string& caption, bool onBar) {
  if (onBar) return smTopLine;
  if (caption == "-") return smDivider;
  if (caption.size() > 1 && caption.front() == '-' && caption.back() == '-') return smCaption;
  return smNormal;
}

int32_t MenuItemHeight(TsMenuItemType type, int32_t letterHeight, int32_t glyphHeight, int32_t barHeight,
                       const TsMenuSpacing& s) {
  switch (type) {
    case smDivider:
      return kDividerHeight;
    case smTopLine:
      return barHeight - 1;
    case smCaption:
      return TextLineHeight(letterHeight) + 2 * s.Margin;
    case smNormal:
      break;
  }
  return std::max(TextLineHeight(letterHeight), glyphHeight) + 2 * s.Margin;
}

int32_t MenuItemWidth(TsMenuItemType type, int32_t textWidth, int32_t glyphWidth, int32_t extraLine, bool firstColumn,
                      int32_t proposed, const TsMenuSpacing& s) {
  if (type == smTopLine) return std::max(textWidth, proposed);
  const int32_t width = textWidth + 2 * glyphWidth + 3 * s.Margin + s.Spacing;
  return firstColumn ? width + extraLine : width;
}

int32_t ExtraLineWidth(bool useExtraLine, bool lineVisible, int32_t width) {
  return useExtraLine && lineVisible ? std::max(width, 0) : 0;
}

int32_t IconColumnWidth(int32_t glyphWidth, const TsMenuSpacing& s) { return s.Margin + glyphWidth + s.Spacing; }

int32_t MenuSkinBorderWidth(const TsSkinTables& t, int32_t mainMenuSection) {
  if (!t.ValidSection(mainMenuSection)) return 0;
  const int32_t index = t.GetMaskIndex(mainMenuSection, t.gd[mainMenuSection].SectionName, s_BordersMask);
  if (!t.ValidMask(index)) return 0;
  const int32_t width = t.ma[index].BorderWidth;
  return width > 0 ? width : kMenuBorderWidth;
}

TFrameRect SeparatorRect(TFrameRect item, int32_t extraLine, const TsMenuSpacing& s) {
  TFrameRect r = item;
  r.Left = item.Left + s.Margin + extraLine + s.Spacing;
  r.Right = std::max(r.Left, item.Right - (extraLine + 2 * s.Margin + s.Spacing));
  return r;
}

std::vector<TFrameRect> MenuCornerCutouts(const TsSkinTables& t, int32_t mainMenuSection, int32_t width,
                                          int32_t height) {
  return CornerCutouts(t, mainMenuSection, {0, 0, width, height}, 0);
}

TsMenuCaption PrepareMenuCaption(const std::string& caption) {
  if (caption.empty() || caption.front() != '\b') return {caption, false};
  return {caption.substr(1) + kRightCaptionPadding, true};
}

std::string WithoutAccessMarks(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

std::string ExtraLineCaption(const std::string& caption) {
  std::string text = caption;
  std::erase(text, '&');
  return text;
}

}  // namespace skin
