// How an image fills an area larger than itself: the StretchMode of a
// skin image. A border image repeats its edges and middle with smTile and
// stretches them with any other mode. A texture cut from the master bitmap
// uses every mode below; values not named here draw like smRightColumn.
#pragma once

#include <cstdint>

namespace skin {

enum TsStretchMode : int16_t {
  smTile = 0,          // tiles from the top-left over the whole area, the last row and column cut
  smStretch = 1,       // one tile stretched over the whole area
  smTopRow = 2,        // one row of tiles along the top; the colour below
  smLeftColumn = 3,    // one column of tiles along the left; the colour to the right
  smStretchTop = 4,    // one tile stretched to the width at its own height, at the top; the colour below
  smStretchLeft = 5,   // one tile stretched to the height at its own width, at the left; the colour to the right
  smBottomRow = 6,     // one row of tiles along the bottom; the colour above
  smRightColumn = 7,   // one column of tiles along the right; the colour to the left
  smTileOverlay = 10,  // tiled like smTile; with a mask, also drawn over the finished background
};

}  // namespace skin
