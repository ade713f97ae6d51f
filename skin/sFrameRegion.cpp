#include "skin/sFrameRegion.h"

#include <algorithm>

#include "skin/sGraphUtils.h"
#include "skin/sSkinProps.h"

namespace skin {

namespace {

// A corner part of the image: `width` x `height` pixels from (sx, sy) of
// the state's picture, placed at (dx, dy) of the window.
struct TCorner {
  int32_t SX, SY, DX, DY, Width, Height;
};

bool Transparent(const TsMaskData& image, const TsBitmap24& picture, int32_t x, int32_t y, int32_t maskRows) {
  if (image.MaskType <= 0) return picture.Pixel(x, y) == clFuchsia;
  return picture.Pixel(x, y + maskRows) == 0xFFFFFF;
}

}  // namespace

std::vector<TFrameRect> CornerCutouts(const TsSkinTables& t, int32_t section, TFrameRect rect, int32_t state) {
  std::vector<TFrameRect> cuts;
  if (!t.ValidSection(section) || rect.Empty()) return cuts;
  const int32_t index = t.GetMaskIndex(section, t.gd[section].SectionName, s_BordersMask);
  if (!t.ValidMask(index)) return cuts;
  const TsMaskData& image = t.ma[index];
  const TsBitmap24& picture = image.Picture ? *image.Picture : t.MasterBitmap;
  const TRect src = StateRect(image, state);
  // Corners that do not fit the rectangle shrink, as the border painter
  // shrinks them.
  const int32_t wl = std::min<int32_t>(image.WL, rect.Width() / 2), wr = std::min<int32_t>(image.WR, rect.Width() / 2);
  const int32_t wt = std::min<int32_t>(image.WT, rect.Height() / 2), wb = std::min<int32_t>(image.WB, rect.Height() / 2);
  const TCorner corners[] = {
      {src.Left, src.Top, rect.Left, rect.Top, wl, wt},
      {src.Right - wr, src.Top, rect.Right - wr, rect.Top, wr, wt},
      {src.Left, src.Bottom - wb, rect.Left, rect.Bottom - wb, wl, wb},
      {src.Right - wr, src.Bottom - wb, rect.Right - wr, rect.Bottom - wb, wr, wb},
  };
  const int32_t maskRows = src.Height();
  for (const TCorner& c : corners) {
    for (int32_t y = 0; y < c.Height; ++y) {
      const int32_t sy = c.SY + y;
      if (sy < 0 || sy + (image.MaskType > 0 ? maskRows : 0) >= picture.Height()) continue;
      int32_t run = -1;
      for (int32_t x = 0; x <= c.Width; ++x) {
        const int32_t sx = c.SX + x;
        const bool clear = x < c.Width && sx >= 0 && sx < picture.Width() && Transparent(image, picture, sx, sy, maskRows);
        if (clear && run < 0) run = x;
        if (!clear && run >= 0) {
          cuts.push_back({c.DX + run, c.DY + y, c.DX + x, c.DY + y + 1});
          run = -1;
        }
      }
    }
  }
  return cuts;
}

std::vector<TFrameRect> FrameCutouts(const TsSkinTables& t, int32_t formSection, int32_t titleSection,
                                     const TFrameLayout& f, int32_t width, int32_t height, int32_t state) {
  std::vector<TFrameRect> cuts = CornerCutouts(t, formSection, {0, 0, width, height}, state);
  if (f.HasFrame && f.CaptionHeight > 0) {
    const std::vector<TFrameRect> title =
        CornerCutouts(t, titleSection, {0, 0, width, f.CaptionHeight + f.TopBorder}, state);
    cuts.insert(cuts.end(), title.begin(), title.end());
  }
  return cuts;
}

}  // namespace skin
