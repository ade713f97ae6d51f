// A button glyph taken from an image list while the button's own Glyph is
// empty. Skinned, the image is painted straight from the list; unskinned,
// it is turned into a two-image Glyph (normal, disabled) that the plain
// button draws.
#pragma once

#include <string>

#include "skin/sGraphUtils.h"
#include "toolkit/Buttons.h"
#include "toolkit/Classes.h"
#include "toolkit/ImgList.h"
#include "toolkit/SysUtils.h"

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

// A glyph button (tk::TBitBtn, tk::TSpeedButton) with the image-list glyph:
// the list, its index and the disabled look as properties, the list dropped
// when it is destroyed. Each change calls ListChanged, in which the button
// repaints in its own way.
template <class Button>
class TsListGlyphButton : public Button {
public:
  using Button::Button;

  uint8_t DisabledGlyphKind = dgBlended;
  void SetDisabledGlyphKind(uint8_t value) {
    if (StoreChanged(DisabledGlyphKind, value)) ListChanged();
  }
  // The glyph taken from an image list while Glyph is empty.
  tk::TImageList* Images() const { return list_.Images; }
  int32_t ImageIndex() const { return list_.ImageIndex; }
  void SetImages(tk::TImageList* value) {
    if (SetListImages(*this, list_, value)) ListChanged();
  }
  void SetImageIndex(int32_t value) {
    if (StoreChanged(list_.ImageIndex, value)) ListChanged();
  }

  bool SetProperty(const std::string& name, const tpf0::Value& v) override {
    if (name == "ImageIndex")
      SetImageIndex(tk::ValueToInt(name, v));
    else if (name == "Images")
      imagesName_ = tk::ValueToIdent(name, v);
    else
      return Button::SetProperty(name, v);
    return true;
  }

  // The list named in the layout may be stored after the button: it is
  // looked up once every component has been read.
  void Loaded() override {
    Button::Loaded();
    if (imagesName_.empty()) return;
    tk::TComponent* const root = this->Owner();
    auto* list = dynamic_cast<tk::TImageList*>(root ? root->FindComponent(imagesName_) : nullptr);
    if (!list) throw tk::EReadError("Invalid property value for Images: " + imagesName_);
    imagesName_.clear();
    SetImages(list);
  }

protected:
  void Notification(tk::TComponent* removed) override {
    Button::Notification(removed);
    if (removed == list_.Images) SetImages(nullptr);
  }
  virtual void ListChanged() = 0;
  // The plain button draws only Glyph, so unskinned it gets the list's image there.
  void GlyphFromList(bool skinned) {
    if (!skinned) MakeTwoImageGlyph(*this, list_, DisabledGlyphKind);
  }
  void FollowSkin(bool skinned) { ListGlyphFollowsSkin(*this, list_, skinned, DisabledGlyphKind); }

  TsListGlyph list_;

private:
  std::string imagesName_;  // read from the layout, not yet looked up
};

}  // namespace skin
