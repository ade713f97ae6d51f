// The page layout of a printed report, apart from the device: the printable
// area from the device's metrics, the report's lines, and which line goes on
// which page at what height.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// What the device tells about itself, in device pixels (MM_TEXT).
struct TDeviceMetrics {
  int32_t DpiX = 0, DpiY = 0;                     // pixels per inch
  int32_t HorzRes = 0, VertRes = 0;               // the printable area's size
  int32_t PhysicalWidth = 0, PhysicalHeight = 0;  // the paper's size; 0 for screens
  int32_t OffsetX = 0, OffsetY = 0;               // where the printable area starts on the paper
};

struct TPrintArea {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Margins of 20 mm left and 10 mm top, right and bottom on the paper, in
// coordinates of the printable area (each margin less the part of the paper
// the device cannot print on, never below 0). Pixels per millimetre are
// rounded to whole pixels.
[[nodiscard]] TPrintArea PrintArea(const TDeviceMetrics& device);

// The report's lines (CR LF or LF); an empty line becomes one blank so that
// it takes a line's height. A final line break starts no further line.
[[nodiscard]] std::vector<std::string> PrintLines(std::string_view report);

struct TLinePlacement {
  size_t Page = 0;
  int32_t Y = 0;
};

// Places lines of the given heights one below the other from `top`; a line
// that would reach below `bottom` starts a new page, unless it is the first
// on its page (a line taller than a page is printed alone, cut off).
[[nodiscard]] std::vector<TLinePlacement> LayoutLines(const std::vector<int32_t>& heights, int32_t top, int32_t bottom);

}  // namespace quor
