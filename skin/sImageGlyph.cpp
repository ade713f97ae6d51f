#include "skin/sImageGlyph.h"

#include <algorithm>

#include "skin/sGraphUtilsWin.h"

namespace skin {

TColor TsListGlyph::Key() const {
  return !Images || Images->BkColor == tk::clNone ? clFuchsia : tk::ColorToRGB(Images->BkColor);
}

TsBitmap24 TsListGlyph::Picture() const {
  if (!Valid()) return {};
  tk::TBitmap b(Images->Width(), Images->Height());
  const TColor key = Key();
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      uint8_t* p = b.ScanLine(y) + 3 * x;
      p[0] = static_cast<uint8_t>(key >> 16), p[1] = static_cast<uint8_t>(key >> 8), p[2] = static_cast<uint8_t>(key);
    }
  Images->Draw(b, 0, 0, ImageIndex);
  return Bitmap24Of(b);
}

bool SetListImages(tk::TComponent& button, TsListGlyph& list, tk::TImageList* images) {
  if (images == list.Images) return false;
  button.RemoveFreeNotification(list.Images);
  list.Images = images;
  button.FreeNotification(images);
  return true;
}

TPoint ButtonGlyphSize(const tk::TButtonGlyph& g, const TsListGlyph& list) {
  if (!g.Glyph.Empty()) return {g.Glyph.Width() / std::max(1, g.NumGlyphs), g.Glyph.Height()};
  if (list.Images && list.ImageIndex >= 0) return {list.Images->Width(), list.Images->Height()};
  return {0, 0};
}

void PaintButtonGlyph(const tk::TButtonGlyph& g, const TsListGlyph& list, TsBitmap24& cache, TPoint at,
                      TsControlGlyph how) {
  if (!g.Glyph.Empty()) {
    how.NumGlyphs = g.NumGlyphs;
    PaintControlGlyph(Bitmap24Of(g.Glyph), cache, at, how);
  } else if (list.Valid()) {
    how.NumGlyphs = 1;
    how.KeyGiven = true;
    how.Key = list.Key();
    PaintControlGlyph(list.Picture(), cache, at, how);
  }
}

void MakeTwoImageGlyph(tk::TButtonGlyph& g, const TsListGlyph& list, uint8_t disabledGlyphKind) {
  g.Glyph.SetSize(0, 0);
  g.NumGlyphs = 2;
  if (!list.Valid()) return;
  const TsBitmap24 two = TwoImageGlyph(list.Picture(), list.Key(), disabledGlyphKind, tk::ColorToRGB(tk::clBtnFace));
  g.Glyph.SetSize(two.Width(), two.Height());
  for (int y = 0; y < two.Height(); ++y) std::copy_n(two.ScanLine(y), 3 * two.Width(), g.Glyph.ScanLine(y));
}

void ListGlyphFollowsSkin(tk::TButtonGlyph& g, const TsListGlyph& list, bool skinned, uint8_t disabledGlyphKind) {
  if (!list.HasImages()) return;
  if (skinned)
    g.Glyph.SetSize(0, 0);
  else
    MakeTwoImageGlyph(g, list, disabledGlyphKind);
}

}  // namespace skin
