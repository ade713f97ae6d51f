// The application's own buttons in a skinned form's title bar, laid out
// left of the caption buttons in collection order. A button is hit as
// 1000 + its index; OnMouseDown runs at the press and OnMouseUp at the
// release over it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/sBitmap24.h"

namespace skin {

class TsTitleButton {
public:
  std::string Name = "TsTitleButton";
  bool Enabled = true;
  bool UseSkinData = true;
  TsBitmap24 Glyph;  // its bottom-left pixel's colour is transparent
  int32_t State = 0;  // 0 normal, 1 hot, 2 pressed
  // (button index, x, y) with the cursor position of the mouse message.
  std::function<void(size_t index, int x, int y)> OnMouseDown, OnMouseUp;
};

class TsTitleButtons {
public:
  TsTitleButton& Add() { return items_.emplace_back(); }
  size_t Count() const { return items_.size(); }
  TsTitleButton& Items(size_t i) { return items_[i]; }
  // The widths the layout places, in order: the glyph and a pixel each
  // side, at least the "TITLEBUTTON" image's width (imageWidth; 0 without
  // one, then at least 21).
  std::vector<int32_t> Widths(int32_t imageWidth) const;

private:
  std::vector<TsTitleButton> items_;
};

}  // namespace skin
