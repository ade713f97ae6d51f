// The colours of the details list's rows (0x00BBGGRR): columns in alternating
// tints, row colours, the selected row darker and framed; screens below 15
// bits per pixel get strong colours instead of the pale tints. Platform-free.
#pragma once

#include <cstdint>
#include <string_view>

namespace quor {

constexpr uint32_t kSectionLineColour = 0xC0C0C0;  // under a section start row
constexpr uint32_t kSelectedSectionLineColour = 0xA0A0A0;
constexpr uint32_t kSectionTextColour = 0x606060;  // ">>" rows that open no section
constexpr int kLowColourBits = 15;                 // fewer bits per pixel: strong colours

struct TRowPaint {
  bool Selected = false;
  bool LowColour = false;
};

// Background of one cell; `rowColour` 0: the column's tint.
[[nodiscard]] uint32_t CellBackground(uint32_t rowColour, size_t column, size_t columnCount, TRowPaint paint);

// The frame around a selected row.
[[nodiscard]] uint32_t SelectionFrame(bool lowColour);

// The 1-pixel line under the last row and under a row before a section start.
[[nodiscard]] uint32_t RowEndLine(bool lowColour);

// A cell that starts like a path ("c:\...") is shortened in its middle.
[[nodiscard]] bool IsPathCell(std::string_view cell);

}  // namespace quor
