// An image item of an assistant form on the screen: its area (Width x
// Height, or its picture's size, or 32 x 32), the frames of a clickable
// image and of Border, and the picture scaled down into the area when it
// is larger, its aspect ratio kept.
#pragma once

#include <windows.h>

#include <memory>

#include "report/assistant/quorNVFormModel.h"
#include "report/assistant/quorNVLayout.h"
#include "report/screenshot/quorNVBitmap.h"

namespace quor {

class TNVImage {
public:
  // The item's size with its frames, at most `maxWidth` wide and a third of
  // the screen high.
  [[nodiscard]] NVSize SizeWithFrames(const NVItem& item, int32_t maxWidth) const;
  // The picture to show (none: an empty area). True when it is another one
  // than before, so the item must be painted again.
  bool SetSource(std::shared_ptr<const INVBitmap> source);
  [[nodiscard]] const std::shared_ptr<const INVBitmap>& Source() const { return source_; }
  // Paints the frames, the area and the picture into `rect`.
  void Paint(HDC dc, RECT rect, const NVItem& item);

private:
  std::shared_ptr<const INVBitmap> source_;
  std::unique_ptr<INVBitmap> zoomed_;  // the source scaled into the area, made when first painted
};

}  // namespace quor
