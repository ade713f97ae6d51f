#include "tools/skinsheetFont.h"

#include <cctype>

namespace skinsheet {

namespace {

// Five rows per glyph, three bits per row (4: left column, 1: right column).
struct Glyph {
  char c;
  uint8_t rows[5];
};
constexpr Glyph kGlyphs[] = {
    {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}},
    {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}}, {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}},
    {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}}, {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}},
    {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}}, {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}},
    {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}}, {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}},
    {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}}, {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}},
    {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}}, {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}},
    {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}},
    {'6', {3, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}}, {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 6}},
    {'_', {0, 0, 0, 0, 7}}, {'-', {0, 0, 7, 0, 0}}, {'.', {0, 0, 0, 0, 2}}, {'(', {1, 2, 2, 2, 1}},
    {')', {4, 2, 2, 2, 4}},
};

const Glyph* Find(char c) {
  const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Glyph& g : kGlyphs)
    if (g.c == u) return &g;
  return nullptr;
}

}  // namespace

int32_t LabelWidth(std::string_view text, int32_t scale) {
  return static_cast<int32_t>(text.size()) * (kGlyphWidth + 1) * scale;
}

void DrawLabel(skin::TsBitmap24& bmp, int32_t x, int32_t y, std::string_view text, skin::TColor color, int32_t scale) {
  for (char c : text) {
    if (const Glyph* g = Find(c)) {
      for (int32_t row = 0; row < kGlyphHeight * scale; ++row)
        for (int32_t col = 0; col < kGlyphWidth * scale; ++col) {
          const int32_t px = x + col, py = y + row;
          if (px < 0 || py < 0 || px >= bmp.Width() || py >= bmp.Height()) continue;
          if (g->rows[row / scale] & (4 >> (col / scale))) bmp.SetPixel(px, py, color);
        }
    }
    x += (kGlyphWidth + 1) * scale;
  }
}

}  // namespace skinsheet
