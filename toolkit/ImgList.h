// A list of images of one size, each kept with its own transparency
// (straight alpha), for glyphs taken from a shared set of pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"

namespace tk {

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size drops every image.
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(images_.size()); }
  void Clear() { images_.clear(); }
  // The colour behind the images when they are drawn on their own; clNone: none.
  TColor BkColor = clNone;

  // Adds the Width()-wide images of a strip, left to right (a bitmap of the
  // list's size adds one). In a 24-bit strip the pixels of colour `mask` are
  // transparent (clNone: none); a 32-bit strip carries its alpha. Returns the
  // index of the first image added, -1 when the strip holds none.
  int AddMasked(const TBitmap& strip, TColor mask);
  // Blends image `index` over a 24- or 32-bit bitmap with its top-left at (x, y);
  // pixels outside the bitmap are left alone. Nothing for an index out of range.
  void Draw(TBitmap& dst, int x, int y, int index) const;

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

private:
  int width_ = 16, height_ = 16;
  std::vector<std::vector<uint32_t>> images_;  // 0xAARRGGBB, row after row
};

}  // namespace tk
