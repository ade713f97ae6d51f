// A button glyph taken from an image list while the button's own Glyph is
// empty. Skinned, the image is painted straight from the list; unskinned,
// it is turned into a two-image Glyph (normal, disabled) that the plain
// button draws.
#pragma once

#include "skin/sGraphUtils.h"
#include "toolkit/Buttons.h"
#include "toolkit/ImgList.h"

namespace skin {

struct TsListGlyph {
  tk::TImageList* Images = nullptr;  // not owned: the button drops it when it is destroyed
  int32_t ImageIndex = -1;
  bool HasImages() const { return Images && Images->Count() > 0; }
  bool Valid() const { return Images && ImageIndex >= 0 && ImageIndex < Images->Count(); }
  // The list's background colour, fuchsia when it has none: the image's transparent colour.
  TColor Key() const;
  // The image on its transparent colour.
  TsBitmap24 Picture() const;
};

// Stores a value; false when it was already there.
template <class T>
bool StoreChanged(T& property, T value) {
  if (property == value) return false;
  property = value;
  return true;
}

// Makes `images` the button's list and links the two so that the button
// hears when the list is destroyed. False when nothing changed.
bool SetListImages(tk::TComponent& button, TsListGlyph& list, tk::TImageList* images);

// Width and height of one glyph: of Glyph's images, else of the list's (with an index), else none.
TPoint ButtonGlyphSize(const tk::TButtonGlyph& g, const TsListGlyph& list);

// Draws Glyph, or else the list's image, at `at`.
void PaintButtonGlyph(const tk::TButtonGlyph& g, const TsListGlyph& list, TsBitmap24& cache, TPoint at,
                      TsControlGlyph how);

// Replaces Glyph by the list's image and its disabled look (nothing when the
// index is out of range); NumGlyphs becomes 2.
void MakeTwoImageGlyph(tk::TButtonGlyph& g, const TsListGlyph& list, uint8_t disabledGlyphKind);

// After the skin changed: a skinned button paints from its list, so a Glyph
// made from it goes; an unskinned one gets it back. Nothing without images.
void ListGlyphFollowsSkin(tk::TButtonGlyph& g, const TsListGlyph& list, bool skinned, uint8_t disabledGlyphKind);

}  // namespace skin
