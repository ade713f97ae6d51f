// What a skinned control's face shows, worked out from its skin section's
// data alone: the section's colour, or its gradient where the gradient
// covers the whole face (GradientPercent 100, no texture).
#pragma once

#include <gtest/gtest.h>

#include "skin/sGradient.h"
#include "skin/sSkinManager.h"

// Pixel (x, y) of the face of a width x height control painted with the
// section's normal (or hot) look.
inline skin::TColor SectionFace(const skin::TsSkinManager& sm, const char* section, bool hot, int32_t width,
                                int32_t height, int32_t x, int32_t y) {
  const int32_t i = sm.GetSkinIndex(section);
  EXPECT_GE(i, 0) << section;
  if (i < 0) return 0;
  const skin::TsGeneralData& g = sm.gd()[i];
  const int32_t percent = hot ? g.HotGradientPercent : g.GradientPercent;
  const skin::TsGradArray& grad = hot ? g.HotGradientArray : g.GradientArray;
  EXPECT_TRUE(percent == 0 || percent == 100) << section << ": a face of colour or of gradient alone";
  if (percent == 0 || grad.empty()) return hot ? g.HotColor : g.Color;
  skin::TsBitmap24 face(width, height);
  skin::PaintGradient(face, {0, 0, width, height}, grad);
  return face.Pixel(x, y);
}
