#include "report/progress/quorProgressLayout.h"

#include <algorithm>

namespace quor {

namespace {

constexpr int32_t kMargin = 11;  // left and right of text and bar
constexpr int32_t kTextTop = 12;
constexpr int32_t kIconAt = 9;
constexpr int32_t kIconShift = 40;  // the text moves right of the icon
constexpr int32_t kIconBand = 26;   // a short text is centred on this band beside the icon
constexpr int32_t kBarGap = 12;     // between text and bar
constexpr int32_t kBottomMargin = 12;

}  // namespace

TProgressLayout LayOutProgress(int32_t textWidth, int32_t textHeight, bool hasIcon, const TProgressMetrics& m) {
  TProgressLayout l;
  const int32_t width = std::max(textWidth, kProgressMinTextWidth);
  int32_t band = textHeight;
  l.Text = {kMargin, kTextTop, width, textHeight};
  if (hasIcon) {
    l.Icon = {kIconAt, kIconAt, kProgressIconSide, kProgressIconSide};
    l.Text.Left += kIconShift;
    if (textHeight < kIconBand) {
      l.Text.Top += (kIconBand - textHeight) / 2;
      band = kIconBand;
    }
  }
  // The bar runs under icon and text alike.
  const int32_t areaWidth = width + (hasIcon ? kIconShift : 0);
  l.Bar = {kMargin, kTextTop + band + kBarGap, areaWidth, m.HScroll};
  l.WindowWidth = areaWidth + 2 * m.DlgFrameX + 2 * kMargin;
  l.WindowHeight = band + m.SmallCaption + m.HScroll + 2 * m.DlgFrameY + kTextTop + kBarGap + kBottomMargin;
  return l;
}

}  // namespace quor
