// The shape of a skinned form: the transparent pixels in the corners of
// the border images of the form's and the title's sections are cut out of
// the window. Platform-free: the cut-outs come as rectangles one pixel
// high, in window coordinates; the provider makes the window region.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/sFrameLayout.h"
#include "skin/sSkinTables.h"

namespace skin {

// The transparent corner pixels of a section's border image laid over
// `rect` in a state: key-coloured (fuchsia) pixels of images without a
// mask, pixels whose mask is white in images with one. Runs of them on one
// row make one rectangle.
std::vector<TFrameRect> CornerCutouts(const TsSkinTables& t, int32_t section, TFrameRect rect, int32_t state);

// Every cut-out of a form of that size: the form section over the window,
// the title section over the caption strip.
std::vector<TFrameRect> FrameCutouts(const TsSkinTables& t, int32_t formSection, int32_t titleSection,
                                     const TFrameLayout& f, int32_t width, int32_t height, int32_t state);

}  // namespace skin
