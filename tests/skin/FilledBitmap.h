// The bitmap the painting tests start from: one colour all over.
#pragma once

#include "skin/sAlphaGraph.h"

namespace skin::test {

inline TsBitmap24 Filled(int w, int h, TColor c) {
  TsBitmap24 b(w, h);
  FillRect24(b, {0, 0, w, h}, c);
  return b;
}

}  // namespace skin::test
