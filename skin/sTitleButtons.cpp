#include "skin/sTitleButtons.h"

#include <algorithm>

#include "skin/sFrameLayout.h"

namespace skin {

std::vector<int32_t> TsTitleButtons::Widths(int32_t imageWidth) const {
  std::vector<int32_t> widths;
  const int32_t least = imageWidth > 0 ? imageWidth : kDefaultCaptionButton;
  for (const TsTitleButton& b : items_) widths.push_back(std::max(b.Glyph.Width() + 2, least));
  return widths;
}

}  // namespace skin
