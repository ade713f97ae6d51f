#include "report/assistant/quorNVImage.h"

#include <algorithm>

#include "base/WinGdiObject.h"
#include "report/screenshot/quorMitchellZoom.h"

namespace quor {

namespace {

constexpr int32_t kDefaultSide = 32;
constexpr int32_t kClickFrame = 3, kClickFrameDrawn = 2, kBorderFrame = 1;
constexpr int32_t kScreenShare = 3;  // an image takes at most a third of the screen's height

int32_t FramesWidth(const NVItem& item) {
  return (item.clickable ? kClickFrame : 0) + (item.border ? kBorderFrame : 0);
}

// Halfway from button face to white.
COLORREF ClickFrameColor() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return RGB((GetRValue(face) + 255) / 2, (GetGValue(face) + 255) / 2, (GetBValue(face) + 255) / 2);
}

void Frame(HDC dc, RECT& rect, COLORREF color, int32_t width) {
  const base::GdiObject<HBRUSH> brush(CreateSolidBrush(color));
  for (int32_t i = 0; i < width; ++i) {
    FrameRect(dc, &rect, brush.get());
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace

NVSize TNVImage::SizeWithFrames(const NVItem& item, int32_t maxWidth) const {
  const int32_t frames = 2 * FramesWidth(item);
  const int32_t maxArea = std::max(1, maxWidth - frames);
  const int32_t maxHeight = std::max(1, GetSystemMetrics(SM_CYSCREEN) / kScreenShare - frames);
  NVSize area{kDefaultSide, kDefaultSide};
  if (item.width > 0 && item.height > 0) {
    area = {item.width, item.height};
  } else if (source_) {
    const TNVSize fitted = ZoomSize({source_->Width(), source_->Height()},
                                    {std::min<uint32_t>(source_->Width(), maxArea),
                                     std::min<uint32_t>(source_->Height(), maxHeight)});
    area = {int32_t(fitted.width), int32_t(fitted.height)};
  }
  return {std::min(area.width, maxArea) + frames, std::min(area.height, maxHeight) + frames};
}

bool TNVImage::SetSource(std::shared_ptr<const INVBitmap> source) {
  if (source == source_) return false;
  source_ = std::move(source);
  zoomed_.reset();
  return true;
}

void TNVImage::Paint(HDC dc, RECT rect, const NVItem& item) {
  if (item.border) Frame(dc, rect, GetSysColor(COLOR_WINDOWTEXT), kBorderFrame);
  if (item.clickable) Frame(dc, rect, ClickFrameColor(), kClickFrameDrawn);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  if (item.clickable) InflateRect(&rect, kClickFrameDrawn - kClickFrame, kClickFrameDrawn - kClickFrame);
  if (!source_ || rect.right <= rect.left || rect.bottom <= rect.top) return;
  const uint32_t width = uint32_t(rect.right - rect.left), height = uint32_t(rect.bottom - rect.top);
  const INVBitmap* shown = source_.get();
  if (source_->Width() > width || source_->Height() > height) {
    if (!zoomed_) zoomed_ = source_->Zoom(width, height);
    if (zoomed_) shown = zoomed_.get();
  }
  // A picture that could not be scaled is cut at the area's edges.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  shown->Draw(dc, rect.left, rect.top);
  RestoreDC(dc, saved);
}

}  // namespace quor
