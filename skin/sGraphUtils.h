// Painting skin sections into 24-bit bitmaps from the active skin's tables:
// the background (colour, gradient, texture, transparency), the nine-part
// border image, skin glyphs and button glyphs. Platform-free; the Windows
// side adds the parts that need a control or a device context.
#pragma once

#include <cstdint>

#include "skin/sBitmap24.h"
#include "skin/sCacheInfo.h"
#include "skin/sSkinTables.h"

namespace skin {

struct TPoint {
  int32_t X = 0, Y = 0;
};

// The section's background for the normal or hot look. colorOverride
// (fuchsia: none) replaces the section's colour; texture indexes of -1 are
// looked up. bg describes the parent's cache; pos is the rectangle's
// position in the parent, so that pixel (x, y) of dst lies over pixel
// (bg.X + pos.X + x, bg.Y + pos.Y + y) of the background.
void PaintSectionBackground(TsBitmap24& dst, const TsSkinTables& t, int32_t section, const TCacheInfo& bg,
                            TColor colorOverride, int32_t hotTexture, int32_t texture, TPoint pos, TRect rect,
                            bool hot);

// Background, then the section's "BORDERSMASK" image over the rectangle.
void PaintSkinSection(TsBitmap24& dst, const TsSkinTables& t, int32_t section, const TCacheInfo& bg, int32_t hotTexture,
                      int32_t texture, TPoint pos, TRect rect, int32_t state, bool filling);

// The scroll-bar variant: the caller names the texture of the state and the
// border image; nothing is looked up and JPEG patterns are never used.
void PaintScrollSection(TsBitmap24& dst, const TsSkinTables& t, int32_t section, int32_t borderImage, int32_t texture,
                        int32_t hotTexture, TPoint pos, TRect rect, int32_t state, bool filling, const TCacheInfo& bg);

// Nine-part image: corners, repeated or stretched edges and (when filling
// and the image has no BorderWidth) the middle. Margins that do not fit
// the rectangle shrink; the state is clamped to the image's columns.
void PaintBorderImage(TsBitmap24& dst, TRect rect, bool filling, bool refill, int32_t state, const TsMaskData& image,
                      const TsBitmap24& master, const TCacheInfo& bg);

// Copies the image's corner parts for a state into dst again, as the border
// painter placed them over rect; their key pixels take the background (bg
// at dst's origin) or, without one, TransparentKeyColor when that is set.
// corners: bit 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right. An
// own picture without a state count is taken as three states with a mask.
inline constexpr uint8_t kAllCorners = 15;
void RefillBorderCorners(TsBitmap24& dst, TRect rect, int32_t state, const TsMaskData& image, const TsBitmap24& master,
                         uint8_t corners, const TCacheInfo& bg);

// Width and height of one state of an image.
TPoint StateSize(const TsMaskData& image);
// The source rectangle of one state's picture rows (state clamped).
TRect StateRect(const TsMaskData& image, int32_t state);

// One state of a skin glyph with its top-left at `at`; key pixels stay.
void PaintSkinGlyph(TsBitmap24& dst, TPoint at, int32_t state, const TsMaskData& image, const TsBitmap24& master);

// Corner images IMGTOPLEFT, IMGTOPRIGHT, IMGBTMLEFT, IMGBTMRIGHT of the
// section, placed in the rectangle's corners.
void PaintCornerImages(TsBitmap24& dst, const TsSkinTables& t, int32_t section, TRect rect, int32_t state);

enum TsDisabledGlyphKindItem : uint8_t { dgBlended = 1, dgGrayed = 2 };
struct TsControlGlyph {
  int32_t Blend = 0;  // 0-100
  bool Active = false;
  uint8_t DisabledGlyphKind = dgBlended;
  bool Grayed = false;
  bool Enabled = true;
  int32_t NumGlyphs = 1;
  bool KeyGiven = false;  // the key colour is Key, not the glyph's bottom-left pixel
  TColor Key = 0;
};
// A button glyph drawn at `at`; its key-coloured pixels are not drawn.
void PaintControlGlyph(const TsBitmap24& glyph, TsBitmap24& dst, TPoint at, const TsControlGlyph& how);

// A glyph of two images for a plain button: `image`, and beside it the
// image as a disabled button shows it (greyed with dgGrayed, half blended
// with `face` with dgBlended, else unchanged). Key-coloured pixels stay.
TsBitmap24 TwoImageGlyph(const TsBitmap24& image, TColor key, uint8_t disabledGlyphKind, TColor face);

}  // namespace skin
