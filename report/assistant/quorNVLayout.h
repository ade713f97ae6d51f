// Where an assistant form puts its buttons and items, from the sizes of
// their texts. The window measures the texts with its fonts; the rules here
// need no platform call.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "report/assistant/quorNVFormModel.h"

namespace quor {

// The fonts a form measures with.
enum class NVFont : uint8_t {
  kButton,      // owner-drawn buttons: bold "Arial" of 15 pixels
  kPlainButton, // buttons drawn by the system: "Tahoma" of 11 pixels
  kMessage,     // the heading: bold "Arial" of 15 pixels
  kNormal,      // items: "Tahoma" of 11 pixels
};

struct NVSize {
  int32_t width = 0, height = 0;
};

struct NVRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
};

// Measures `text` in `font`; with `wrapWidth` > 0 the text is wrapped to it.
using NVMeasure = std::function<NVSize(NVFont font, std::string_view text, int32_t wrapWidth)>;

struct NVLayout {
  int32_t clientWidth = 0, clientHeight = 0;
  std::vector<NVRect> items;  // one per item of the form, in its order; empty for hidden buttons
};

// An image item's size with its frames (its Width x Height or its picture's
// size), within `maxWidth`.
using NVImageSize = std::function<NVSize(const NVItem& item, int32_t maxWidth)>;

// `formCount` numbers the forms at the top right.
[[nodiscard]] NVLayout LayoutNVForm(const NVFormModel& form, int32_t formCount, const NVMeasure& measure,
                                    const NVImageSize& imageSize);

}  // namespace quor
