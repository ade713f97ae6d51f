// Indexes that painting needs all the time, found once after every load so
// that check boxes, combo buttons, tabs and scroll bars need no look-ups.
#pragma once

#include <cstdint>

#include "skin/sSkinTables.h"

namespace skin {

// One section with the images painting asks for (-1: none).
struct TsPartIndexes {
  int16_t Section = -1, BorderMask = -1, GlyphMask = -1, Pattern = -1, HotPattern = -1;
};

struct TsCachedIndexes {
  int16_t GlobalInfo = -1;
  int16_t CheckBoxChecked = -1, CheckBoxUnchecked = -1, CheckBoxGrayed = -1;
  int16_t RadioButtonChecked = -1, RadioButtonUnchecked = -1, RadioButtonGrayed = -1;
  int16_t SmallBoxChecked = -1, SmallBoxUnchecked = -1, SmallBoxGrayed = -1;
  TsPartIndexes ComboBtn;   // BorderMask exact; textures of its own
  int16_t ComboGlyph = -1;  // the drop-down arrow of "COMBOBOX", exact
  TsPartIndexes TabTop, TabBottom, TabLeft, TabRight;
  TsPartIndexes ScrollBtnTop, ScrollBtnBottom, ScrollBtnLeft, ScrollBtnRight, ScrollSliderV, ScrollSliderH;
  TsPartIndexes ScrollBar1H, ScrollBar1V, ScrollBar2H, ScrollBar2V;
};

TsCachedIndexes ComputeCachedIndexes(const TsSkinTables& tables);

}  // namespace skin
