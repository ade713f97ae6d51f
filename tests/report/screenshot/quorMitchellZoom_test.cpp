#include "report/screenshot/quorMitchellZoom.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/report/screenshot/NVPixelsFixture.h"

namespace {

using quor::NVImageStatus;
using quor::TNVSize;
using quor::TRgb;

std::string Text(TNVSize s) { return std::to_string(s.width) + "x" + std::to_string(s.height); }

TEST(MitchellZoom, SizeKeepsTheAspectAndAtLeastOnePixel) {
  const struct {
    TNVSize picture, box, zoomed;
  } cases[] = {
      {{1024, 768}, {200, 200}, {200, 150}},
      {{768, 1024}, {200, 200}, {150, 200}},
      {{300, 300}, {200, 100}, {100, 100}},
      {{100, 50}, {200, 200}, {200, 100}},  // enlarged
      {{1, 1}, {200, 200}, {200, 200}},
      {{2000, 1}, {200, 200}, {200, 1}},  // 200 x 1 div 2000 would be no row at all
      {{1, 2000}, {200, 200}, {1, 200}},
      {{32768, 1}, {1, 1}, {1, 1}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(quor::ZoomSize(c.picture, c.box), c.zoomed) << Text(c.picture) << " into " << Text(c.box);
}

TEST(MitchellZoom, OneColourStaysThatColourAtEverySize) {
  const TRgb color{10, 200, 91};
  const struct {
    TNVSize picture, box;
  } cases[] = {
      {{1, 1}, {200, 200}},    {{1, 1}, {1, 1}},         {{2, 1}, {7, 7}},
      {{2000, 1}, {200, 200}}, {{1, 2000}, {200, 200}},  {{7, 5}, {3, 3}},
      {{7, 5}, {20, 20}},      {{640, 480}, {200, 200}}, {{3, 1000}, {50, 50}},
  };
  for (const auto& c : cases) {
    const quor::NVPixels picture =
        fixture::Picture(c.picture.width, c.picture.height, [&](uint32_t, uint32_t) { return color; });
    const quor::NVPixelsResult zoomed = quor::ZoomNVPixels(picture.View(), c.box);
    ASSERT_EQ(zoomed.status, NVImageStatus::kOk) << Text(c.picture);
    const quor::NVPixelView v = zoomed.pixels.View();
    EXPECT_EQ((TNVSize{v.width, v.height}), quor::ZoomSize(c.picture, c.box));
    for (uint32_t y = 0; y < v.height; ++y)
      for (uint32_t x = 0; x < v.width; ++x) {
        ASSERT_EQ(fixture::PixelAt(v, x, y), color)
            << Text(c.picture) << " into " << Text(c.box) << " at " << x << "," << y;
        ASSERT_EQ(v.TopRow(y)[x * 4 + 3], 0);
      }
  }
}

TEST(MitchellZoom, EdgesStayWhereTheyWere) {
  // Black left half, white right half, shrunk and enlarged: the left quarter
  // of the result is dark, the right quarter light, and the values never
  // fall going right (the filter's small overshoot is clamped).
  for (const TNVSize box : {TNVSize{10, 10}, TNVSize{80, 80}}) {
    const quor::NVPixels picture = fixture::Picture(40, 4, [](uint32_t x, uint32_t) {
      return x < 20 ? TRgb{0, 0, 0} : TRgb{255, 255, 255};
    });
    const quor::NVPixelsResult zoomed = quor::ZoomNVPixels(picture.View(), box);
    ASSERT_EQ(zoomed.status, NVImageStatus::kOk);
    const quor::NVPixelView v = zoomed.pixels.View();
    for (uint32_t x = 0; x < v.width; ++x) {
      const int g = fixture::PixelAt(v, x, 0).g;
      if (x < v.width / 4) {
        EXPECT_LT(g, 8) << Text(box) << " x " << x;
      }
      if (x >= v.width * 3 / 4) {
        EXPECT_GT(g, 247) << Text(box) << " x " << x;
      }
      if (x > 0) {
        EXPECT_GE(g, fixture::PixelAt(v, x - 1, 0).g) << Text(box) << " x " << x;
      }
    }
  }
}

TEST(MitchellZoom, EmptyPictureOrBoxGivesNoPicture) {
  const quor::NVPixels one = fixture::Picture(1, 1, [](uint32_t, uint32_t) { return TRgb{}; });
  const struct {
    quor::NVPixelView pixels;
    TNVSize box;
    NVImageStatus status;
  } cases[] = {
      {{0, 0, nullptr}, {200, 200}, NVImageStatus::kEmptyPicture},
      {one.View(), {0, 200}, NVImageStatus::kEmptyPicture},
      {one.View(), {200, 0}, NVImageStatus::kEmptyPicture},
      {one.View(), {40000, 40000}, NVImageStatus::kTooLarge},
      {{40000, 1, nullptr}, {200, 200}, NVImageStatus::kTooLarge},  // never read
  };
  for (const auto& c : cases) {
    const quor::NVPixelsResult r = quor::ZoomNVPixels(c.pixels, c.box);
    EXPECT_EQ(r.status, c.status) << Text(c.box);
    EXPECT_TRUE(r.pixels.Bits().empty());
  }
}

}  // namespace
