#include "skin/sWindowShape.h"

#include "base/WinGdiObject.h"

namespace skin {

void SetWindowShape(HWND window, int32_t width, int32_t height, const std::vector<TFrameRect>& cuts, bool redraw) {
  if (cuts.empty()) {
    SetWindowRgn(window, nullptr, redraw);
    return;
  }
  base::GdiObject<HRGN> region(CreateRectRgn(0, 0, width, height));
  for (const TFrameRect& c : cuts) {
    const base::GdiObject<HRGN> cut(CreateRectRgn(c.Left, c.Top, c.Right, c.Bottom));
    CombineRgn(region.get(), region.get(), cut.get(), RGN_DIFF);
  }
  if (SetWindowRgn(window, region.get(), redraw)) region.release();
}

}  // namespace skin
