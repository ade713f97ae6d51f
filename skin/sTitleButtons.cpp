#include "skin/sTitleButtons.h"

#include <algorithm>

#include "skin/sFrameLayout.h"

namespace skin {

std::vector<int32_t> TsTitleButtons::Widths() const {
  std::vector<int32_t> widths;
  for (const TsTitleButton& b : items_) widths.push_back(std::max(b.GlyphWidth + 2, kDefaultCaptionButton));
  return widths;
}

}  // namespace skin
