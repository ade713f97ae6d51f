// Re-colouring a loaded skin: a hue rotation and a saturation change over the
// master bitmap, every own image picture and every colour of the tables.
// Fuchsia (the transparent key) and greys are never changed.
#pragma once

#include <cstdint>

#include "skin/sSkinTables.h"

namespace skin {

// Rotates the hue by `degrees` (any integer, taken modulo 360).
TColor RotateHue(TColor color, int32_t degrees);
// Moves each channel towards the grey mean by a = (-saturation) rem 101
// percent; positive saturation moves away from grey. Results are clamped to
// 0..255, since moving away from grey can leave the channel range.
TColor ChangeColorSaturation(TColor color, int32_t saturation);

void ChangeHue(TsSkinTables& tables, int32_t degrees);
void ChangeSaturation(TsSkinTables& tables, int32_t saturation);

}  // namespace skin
