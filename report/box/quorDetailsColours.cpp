#include "report/box/quorDetailsColours.h"

#include <cctype>

#include "report/box/quorDetailsModel.h"

namespace quor {
namespace {

constexpr uint32_t kEvenTint = 0xFFF8F0;  // columns 0, 4, 8 ...
constexpr uint32_t kOddTint = 0xF4F4FF;   // columns 2, 6, 10 ...
constexpr uint32_t kSelectionDarkening = 0x10;

struct TLowColour {
  uint32_t Colour, Low, LowSelected;
};
constexpr TLowColour kLowColours[] = {
    {kCurrentInstructionColour, 0x0000FF, 0x000080},
    {kOddTint, 0xFFFF80, 0x808000},
    {kEvenTint, 0xC0FFFF, 0x008080},
    {kWhiteRowColour, 0xFFFFFF, 0xC0C0C0},
};

uint32_t Darker(uint32_t colour) {
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t channel = (colour >> shift) & 0xFF;
    result |= (channel > kSelectionDarkening ? channel - kSelectionDarkening : 0) << shift;
  }
  return result;
}

}  // namespace

uint32_t CellBackground(uint32_t rowColour, size_t column, size_t columnCount, TRowPaint paint) {
  uint32_t colour = rowColour;
  if (colour == kDefaultRowColour)
    colour = column % 2 == 1 || columnCount == 1 ? kWhiteRowColour : column % 4 == 0 ? kEvenTint : kOddTint;
  if (paint.LowColour)
    for (const TLowColour& c : kLowColours)
      if (c.Colour == colour) return paint.Selected ? c.LowSelected : c.Low;
  return paint.Selected ? Darker(colour) : colour;
}

uint32_t SelectionFrame(bool lowColour) { return lowColour ? 0x808080 : 0xB0B0B0; }

uint32_t RowEndLine(bool lowColour) { return lowColour ? 0xFFFFFF : 0xE0E0E0; }

bool IsPathCell(std::string_view cell) {
  return cell.size() >= 3 && std::isalpha(static_cast<unsigned char>(cell[0])) && cell[1] == ':' && cell[2] == '\\';
}

}  // namespace quor
