#include "report/storage/quorPrintLayout.h"

#include <algorithm>

namespace quor {

namespace {

int32_t PixelsPerMillimetre(int32_t dpi) { return (dpi * 10 + 127) / 254; }

}  // namespace

TPrintArea PrintArea(const TDeviceMetrics& d) {
  const int32_t ppmX = PixelsPerMillimetre(d.DpiX), ppmY = PixelsPerMillimetre(d.DpiY);
  // Paper the device cannot print on beyond the right and bottom edges; a
  // screen (no paper size) has none.
  const int32_t unprintableRight = std::max(0, d.PhysicalWidth - d.HorzRes - d.OffsetX);
  const int32_t unprintableBottom = std::max(0, d.PhysicalHeight - d.VertRes - d.OffsetY);
  TPrintArea a;
  a.Left = std::max(0, 20 * ppmX - d.OffsetX);
  a.Top = std::max(0, 10 * ppmY - d.OffsetY);
  a.Right = d.HorzRes - std::max(0, 10 * ppmX - unprintableRight);
  a.Bottom = d.VertRes - std::max(0, 10 * ppmY - unprintableBottom);
  return a;
}

std::vector<std::string> PrintLines(std::string_view report) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find('\n', start);
    if (end == std::string_view::npos) end = report.size();
    std::string line(report.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line.empty() ? std::string(" ") : std::move(line));
    start = end + 1;
  }
  return lines;
}

std::vector<TLinePlacement> LayoutLines(const std::vector<int32_t>& heights, int32_t top, int32_t bottom) {
  std::vector<TLinePlacement> placements;
  placements.reserve(heights.size());
  size_t page = 0;
  int32_t y = top;
  for (int32_t h : heights) {
    if (y > top && y + h > bottom) ++page, y = top;
    placements.push_back({page, y});
    y += h;
  }
  return placements;
}

}  // namespace quor
