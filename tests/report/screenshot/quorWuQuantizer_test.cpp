#include "report/screenshot/quorWuQuantizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "report/screenshot/quorPaletteIndex.h"
#include "tests/report/screenshot/NVPixelsFixture.h"

namespace {

using quor::TRgb;

// Colours that differ in the top 5 bits of some component: every one has a
// histogram cell of its own.
std::vector<TRgb> DistinctCellColors(size_t count) {
  std::vector<TRgb> colors;
  for (size_t i = 0; i < 256 && i < count; ++i)
    colors.push_back({uint8_t((i & 7) * 36), uint8_t((i >> 3 & 7) * 36), uint8_t((i >> 6) * 80)});
  if (count > 256) colors.push_back({255, 255, 120});
  return colors;
}

std::vector<TRgb> Sorted(std::vector<TRgb> colors) {
  std::sort(colors.begin(), colors.end(),
            [](TRgb a, TRgb b) { return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b); });
  return colors;
}

std::vector<TRgb> Used(const quor::TWuPalette& palette) {
  return {palette.colors.begin(), palette.colors.begin() + palette.count};
}

TEST(WuQuantizer, SmallPicturesGetTheirOwnColors) {
  const TRgb red{200, 10, 77}, teal{0, 128, 128};
  const struct {
    const char* name;
    std::vector<TRgb> pixels;
    std::vector<TRgb> palette;  // the entries found, in any order
  } cases[] = {
      {"one colour", std::vector<TRgb>(15, red), {red}},
      {"two colours", {red, teal, teal, red, red}, {red, teal}},
      // One cell: one box, whose mean (truncated) is weighted by the pixels.
      {"two colours of one cell", {{8, 8, 8}, {15, 15, 15}, {15, 15, 15}, {15, 15, 15}}, {{13, 13, 13}}},
      {"256 colours", DistinctCellColors(256), DistinctCellColors(256)},
  };
  for (const auto& c : cases) {
    const quor::NVPixels picture = fixture::Row(c.pixels);
    const quor::TWuPalette palette = quor::WuPalette(picture.View());
    EXPECT_EQ(Sorted(Used(palette)), Sorted(c.palette)) << c.name;
    EXPECT_TRUE(std::all_of(palette.colors.begin() + palette.count, palette.colors.end(), [](TRgb e) {
      return e == TRgb{};
    })) << c.name;
  }
}

TEST(WuQuantizer, TwoHundredFiftySevenColoursShareOneBox) {
  const std::vector<TRgb> colors = DistinctCellColors(257);
  const quor::TWuPalette palette = quor::WuPalette(fixture::Row(colors).View());
  ASSERT_EQ(palette.count, 256u);
  // 255 boxes hold one colour each; the last holds the two colours that are
  // missing from the palette, and its entry is their mean.
  std::vector<TRgb> missing;
  for (const TRgb c : colors)
    if (std::find(palette.colors.begin(), palette.colors.end(), c) == palette.colors.end()) missing.push_back(c);
  ASSERT_EQ(missing.size(), 2u);
  const TRgb mean{uint8_t((missing[0].r + missing[1].r) / 2), uint8_t((missing[0].g + missing[1].g) / 2),
                  uint8_t((missing[0].b + missing[1].b) / 2)};
  EXPECT_NE(std::find(palette.colors.begin(), palette.colors.end(), mean), palette.colors.end());
}

TEST(WuQuantizer, PictureWithoutPixelsHasNoEntries) {
  const quor::TWuPalette palette = quor::WuPalette({0, 0, nullptr});
  EXPECT_EQ(palette.count, 0u);
}

TEST(PaletteIndex, NearestEntryFirstOnTiesAndFixedPerCell) {
  const TRgb palette[] = {{0, 0, 0}, {100, 100, 100}, {100, 100, 100}, {200, 0, 0}, {8, 8, 8}, {15, 15, 15}};
  const struct {
    TRgb color;
    int index;
  } cases[] = {
      {{100, 100, 100}, 1},                      // exact, and the first of two equal entries
      {{60, 60, 60}, 1},    {{150, 50, 50}, 1},  // 150 from entry 1 and from entry 3
      {{190, 20, 5}, 3},    {{15, 15, 15}, 5},   // fixes the cell of 8-15 in every component ...
      {{8, 8, 8}, 5},                            // ... for all later colours of that cell
  };
  quor::TPaletteIndex index(palette);
  for (const auto& c : cases)
    EXPECT_EQ(index.Index(c.color.r, c.color.g, c.color.b), c.index)
        << int(c.color.r) << "," << int(c.color.g) << "," << int(c.color.b);
}

}  // namespace
