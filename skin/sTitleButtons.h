// The application's own buttons in a skinned form's title bar, laid out
// left of the caption buttons in collection order. A button is hit as
// 1000 + its index; OnMouseDown runs at the press and OnMouseUp at the
// release over it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skin {

class TsTitleButton {
public:
  std::string Name = "TsTitleButton";
  bool Enabled = true;
  bool UseSkinData = true;
  int32_t GlyphWidth = 0;  // the glyph's width; the button is 2 pixels wider, at least 21
  // (button index, x, y) with the cursor position of the mouse message.
  std::function<void(size_t index, int x, int y)> OnMouseDown, OnMouseUp;
};

class TsTitleButtons {
public:
  TsTitleButton& Add() { return items_.emplace_back(); }
  size_t Count() const { return items_.size(); }
  TsTitleButton& Items(size_t i) { return items_[i]; }
  // The widths the layout places, in order.
  std::vector<int32_t> Widths() const;

private:
  std::vector<TsTitleButton> items_;
};

}  // namespace skin
