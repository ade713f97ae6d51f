#include "skin/sGraphUtils.h"

#include <algorithm>
#include <array>

#include "skin/sAlphaGraph.h"
#include "skin/sGradient.h"
#include "skin/sSkinProps.h"
#include "skin/sStretchMode.h"

namespace skin {

namespace {

const TsBitmap24& PictureOf(const TsMaskData& image, const TsBitmap24& master) {
  return image.Picture ? *image.Picture : master;
}

// How a tile is put down: plainly, or through the mask rows below it.
struct TsTileWay {
  int32_t MaskOffset = -1;  // -1: plain copy
  bool UseBackground = false;
  TCacheInfo Bg;
};

void Piece(TsBitmap24& dst, TRect d, const TsBitmap24& pic, TRect s, const TsTileWay& way) {
  if (way.MaskOffset < 0)
    CopyRect(dst, pic, d.Left, d.Top, {s.Left, s.Top, s.Left + d.Width(), s.Top + d.Height()});
  else
    CopyMaskedRect(d, s, dst, way.MaskOffset, way.UseBackground, way.Bg, pic);
}

// Repeats the source rectangle over the area from its top-left; the last
// row and column of tiles are cut.
void Tile(TsBitmap24& dst, TRect area, const TsBitmap24& pic, TRect s, const TsTileWay& way) {
  const int32_t tw = s.Width(), th = s.Height();
  if (tw <= 0 || th <= 0 || area.Width() <= 0 || area.Height() <= 0) return;
  // Tiles wholly outside the bitmap are skipped.
  const int32_t y0 = area.Top + std::max(0, -area.Top) / th * th;
  const int32_t x0 = area.Left + std::max(0, -area.Left) / tw * tw;
  const int32_t yEnd = std::min(area.Bottom, dst.Height()), xEnd = std::min(area.Right, dst.Width());
  for (int32_t y = y0; y < yEnd; y += th)
    for (int32_t x = x0; x < xEnd; x += tw)
      Piece(dst, {x, y, std::min(x + tw, area.Right), std::min(y + th, area.Bottom)}, pic, s, way);
}

void Fill(TsBitmap24& dst, TRect r, TColor color) {
  if (r.Width() > 0 && r.Height() > 0) FillRect24(dst, r, color);
}

// A texture cut from the master bitmap, drawn by its StretchMode; the part
// the mode leaves uncovered gets the colour.
void DrawTexture(TsBitmap24& dst, TRect r, const TsMaskData& img, const TsBitmap24& pic, TColor color) {
  const TRect s = StateRect(img, 0);
  const int32_t tw = s.Width(), th = s.Height();
  TsTileWay way;
  if (img.MaskType > 0) way.MaskOffset = th;
  const bool plain = way.MaskOffset < 0;
  switch (img.StretchMode) {
    case smTile:
    case smTileOverlay:
      Tile(dst, r, pic, s, way);
      break;
    case smStretch:
      if (plain)
        StretchRect(dst, r, pic, s);
      else
        Tile(dst, r, pic, s, way);
      break;
    case smTopRow:
      Tile(dst, {r.Left, r.Top, r.Right, std::min(r.Top + th, r.Bottom)}, pic, s, way);
      Fill(dst, {r.Left, r.Top + th, r.Right, r.Bottom}, color);
      break;
    case smLeftColumn:
      Tile(dst, {r.Left, r.Top, std::min(r.Left + tw, r.Right), r.Bottom}, pic, s, way);
      Fill(dst, {r.Left + tw, r.Top, r.Right, r.Bottom}, color);
      break;
    case smStretchTop:
      StretchRect(dst, {r.Left, r.Top, r.Right, std::min(r.Top + th, r.Bottom)}, pic, s);
      Fill(dst, {r.Left, r.Top + th, r.Right, r.Bottom}, color);
      break;
    case smStretchLeft:
      StretchRect(dst, {r.Left, r.Top, std::min(r.Left + tw, r.Right), r.Bottom}, pic, s);
      Fill(dst, {r.Left + tw, r.Top, r.Right, r.Bottom}, color);
      break;
    case smBottomRow:
      Tile(dst, {r.Left, std::max(r.Bottom - th, r.Top), r.Right, r.Bottom}, pic, s, way);
      Fill(dst, {r.Left, r.Top, r.Right, r.Bottom - th}, color);
      break;
    default:  // smRightColumn
      Tile(dst, {std::max(r.Right - tw, r.Left), r.Top, r.Right, r.Bottom}, pic, s, way);
      Fill(dst, {r.Left, r.Top, r.Right - tw, r.Bottom}, color);
      break;
  }
}

// The texture a background uses: an image of the master bitmap or an own
// picture (Image), or else a JPEG pattern (Pattern).
struct TsTexture {
  const TsMaskData* Image = nullptr;
  const TsBitmap24* Pattern = nullptr;
  bool Exists() const { return Image || Pattern; }
};

struct TsLook {
  TColor Color;
  int32_t ImagePercent, GradientPercent, Transparency;
  const TsGradArray* Gradient;
};

TsLook LookOf(const TsGeneralData& g, bool hot, TColor override) {
  TsLook l{hot ? g.HotColor : g.Color, hot ? g.HotImagePercent : g.ImagePercent,
           hot ? g.HotGradientPercent : g.GradientPercent, hot ? g.HotTransparency : g.Transparency,
           hot ? &g.HotGradientArray : &g.GradientArray};
  if (override != clFuchsia) l.Color = override;
  return l;
}

// Colour, gradient and texture without transparency. textureWeight is the
// texture's byte weight under a gradient; overfullFills makes a total share
// above 100 fill with the colour (the two painters differ there).
void PaintOpaque(TsBitmap24& dst, TRect r, const TsLook& l, const TsTexture& tex, const TsBitmap24& master,
                 int32_t textureWeight, bool overfullFills) {
  const bool drew = l.ImagePercent > 0 && tex.Exists();
  if (drew) {
    if (tex.Image)
      DrawTexture(dst, r, *tex.Image, PictureOf(*tex.Image, master), l.Color);
    else
      Tile(dst, r, *tex.Pattern, {0, 0, tex.Pattern->Width(), tex.Pattern->Height()}, {});
  }
  auto gradientOrColor = [&](TsBitmap24& b, TRect rr) {
    if (l.Gradient->empty())
      FillRect24(b, rr, l.Color);
    else
      PaintGradient(b, rr, *l.Gradient);
  };
  if (l.GradientPercent > 0) {
    if (drew) {
      TsBitmap24 tmp(r.Width(), r.Height());
      gradientOrColor(tmp, {0, 0, r.Width(), r.Height()});
      BlendRect(dst, tmp, static_cast<uint8_t>(std::clamp(textureWeight, 0, 255)), r.Left, r.Top,
                {0, 0, r.Width(), r.Height()});
    } else {
      gradientOrColor(dst, r);
    }
  }
  // A texture share without a texture paints nothing, so it does not count.
  const int32_t s = (drew ? l.ImagePercent : 0) + l.GradientPercent;
  const bool fill = s == 0 || (overfullFills && s > 100);
  if (s >= 1 && s <= 99) {
    FadeRectToColor(dst, r, s, l.Color);
  } else if (fill) {
    const TColor key = TransparentKeyColor();
    FillRect24(dst, r, key != clFuchsia && l.Transparency != 0 ? key : l.Color);
  }
}

// Transparency t with a background to show through: t = 100 shows only the
// background, 0 < t < 100 blends the opaque look over it with weight t to
// the background.
template <class Opaque>
void PaintWithTransparency(TsBitmap24& dst, TRect r, int32_t t, const TCacheInfo& behind, bool keyColorFills,
                           Opaque opaque) {
  auto showBackground = [&] {
    const TColor key = TransparentKeyColor();
    if (keyColorFills && key != clFuchsia)
      FillRect24(dst, r, key);
    else
      FillFromBackground(dst, r, behind);
  };
  if (t <= 0 || !behind.Ready) {
    opaque(dst, r);
  } else if (t >= 100) {
    showBackground();
  } else {
    TsBitmap24 tmp(r.Width(), r.Height());
    opaque(tmp, TRect{0, 0, r.Width(), r.Height()});
    showBackground();
    BlendRect(dst, tmp, static_cast<uint8_t>(t * 255 / 100), r.Left, r.Top, {0, 0, r.Width(), r.Height()});
  }
}

bool FitsIn(const TsBitmap24& b, TRect r) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= b.Width() && r.Bottom <= b.Height() && r.Width() > 0 && r.Height() > 0;
}

}  // namespace

TPoint StateSize(const TsMaskData& image) { return {StateWidth(image), StateHeight(image)}; }

TRect StateRect(const TsMaskData& image, int32_t state) {
  const int32_t n = std::max<int32_t>(1, image.ImageCount);
  state = std::clamp(state, 0, n - 1);
  const TPoint sz = StateSize(image);
  const int32_t x = image.SourceRect.Left + state * sz.X;
  return {x, image.SourceRect.Top, x + sz.X, image.SourceRect.Top + sz.Y};
}

void PaintSectionBackground(TsBitmap24& dst, const TsSkinTables& t, int32_t section, const TCacheInfo& bg,
                            TColor colorOverride, int32_t hotTexture, int32_t texture, TPoint pos, TRect rect,
                            bool hot) {
  if (!t.ValidSection(section) || !FitsIn(dst, rect)) return;
  const TsGeneralData& g = t.gd[section];
  const TsLook l = LookOf(g, hot, colorOverride);
  const char* role = hot ? s_HotPattern : s_Pattern;
  TsTexture tex;
  int32_t index = hot ? hotTexture : texture;
  if (l.ImagePercent > 0) {
    if (index == -1)
      index = t.GetTextureIndex(section, g.SectionName, role);
    else if (!t.ValidMask(index) || t.ma[index].MaskType != 0)
      index = -1;  // a masked texture is not used here
    if (t.ValidMask(index)) {
      tex.Image = &t.ma[index];
    } else {
      const int32_t p = t.GetPatternIndex(section, g.SectionName, role);
      if (p >= 0 && static_cast<size_t>(p) < t.pa.size() && t.pa[p].Picture && !t.pa[p].Picture->Empty())
        tex.Pattern = t.pa[p].Picture.get();
    }
  }
  const TCacheInfo behind = bg.Shifted(pos.X, pos.Y);
  const int32_t weight = l.ImagePercent * 255 / 100;
  PaintWithTransparency(dst, rect, l.Transparency, behind, true,
                        [&](TsBitmap24& b, TRect r) { PaintOpaque(b, r, l, tex, t.MasterBitmap, weight, false); });
  // A masked texture that covers the whole area goes over the result.
  if (tex.Image && tex.Image->MaskType > 0 && tex.Image->StretchMode == smTileOverlay)
    DrawTexture(dst, rect, *tex.Image, PictureOf(*tex.Image, t.MasterBitmap), l.Color);
}

void PaintSkinSection(TsBitmap24& dst, const TsSkinTables& t, int32_t section, const TCacheInfo& bg, int32_t hotTexture,
                      int32_t texture, TPoint pos, TRect rect, int32_t state, bool filling) {
  if (!t.ValidSection(section) || !FitsIn(dst, rect)) return;
  PaintSectionBackground(dst, t, section, bg, clFuchsia, hotTexture, texture, pos, rect, state != 0);
  const int32_t border = t.GetMaskIndex(section, t.gd[section].SectionName, s_BordersMask);
  if (t.ValidMask(border))
    PaintBorderImage(dst, rect, filling, true, state, t.ma[border], t.MasterBitmap, bg.Shifted(pos.X, pos.Y));
}

void PaintScrollSection(TsBitmap24& dst, const TsSkinTables& t, int32_t section, int32_t borderImage, int32_t texture,
                        int32_t hotTexture, TPoint pos, TRect rect, int32_t state, bool filling, const TCacheInfo& bg) {
  if (!t.ValidSection(section) || !FitsIn(dst, rect)) return;
  const bool hot = state != 0;
  const TsLook l = LookOf(t.gd[section], hot, clFuchsia);
  TsTexture tex;
  const int32_t index = hot ? hotTexture : texture;
  if (t.ValidMask(index)) tex.Image = &t.ma[index];
  // The texture's weight under a gradient is a byte: a full share gives 255.
  const int32_t weight = std::min(255, l.ImagePercent * 256 / 100);
  PaintWithTransparency(dst, rect, l.Transparency, bg.Shifted(pos.X, pos.Y), false,
                        [&](TsBitmap24& b, TRect r) { PaintOpaque(b, r, l, tex, t.MasterBitmap, weight, true); });
  if (t.ValidMask(borderImage))
    PaintBorderImage(dst, rect, filling, true, state, t.ma[borderImage], t.MasterBitmap, bg.Shifted(pos.X, pos.Y));
}

namespace {

// Where the parts of a nine-part image go: the margins shrunk to the target
// and the state's source column.
struct TsBorderGeometry {
  int32_t wl, wt, wr, wb;  // margins after shrinking
  int32_t c0, r0, sw, sh;  // the state's source column
  bool Valid() const { return sw > 0 && sh > 0; }
};

TsBorderGeometry BorderGeometry(TRect d, int32_t state, const TsMaskData& img) {
  TsBorderGeometry g{img.WL, img.WT, img.WR, img.WB, 0, 0, 0, 0};
  auto shrink = [](int32_t& a, int32_t& b, int32_t size) {
    if (size >= a + b) return;
    const int32_t cut = (a + b - size) / 2;
    a -= cut;
    b -= cut;
    if (size % 2) --b;
    a = std::max(a, 0);
    b = std::max(b, 0);
  };
  shrink(g.wl, g.wr, d.Width());
  shrink(g.wt, g.wb, d.Height());
  const TRect st = StateRect(img, state);
  g.c0 = st.Left, g.r0 = st.Top, g.sw = st.Width(), g.sh = st.Height();
  return g;
}

struct TsPart {
  TRect src, dst;
};

// Top-left, top-right, bottom-left, bottom-right.
std::array<TsPart, 4> CornerParts(TRect d, const TsBorderGeometry& g) {
  const int32_t c0 = g.c0, r0 = g.r0, sw = g.sw, sh = g.sh;
  return {{{{c0, r0, c0 + g.wl, r0 + g.wt}, {d.Left, d.Top, d.Left + g.wl, d.Top + g.wt}},
           {{c0 + sw - g.wr, r0, c0 + sw, r0 + g.wt}, {d.Right - g.wr, d.Top, d.Right, d.Top + g.wt}},
           {{c0, r0 + sh - g.wb, c0 + g.wl, r0 + sh}, {d.Left, d.Bottom - g.wb, d.Left + g.wl, d.Bottom}},
           {{c0 + sw - g.wr, r0 + sh - g.wb, c0 + sw, r0 + sh}, {d.Right - g.wr, d.Bottom - g.wb, d.Right, d.Bottom}}}};
}

}  // namespace

void PaintBorderImage(TsBitmap24& dst, TRect d, bool filling, bool refill, int32_t state, const TsMaskData& img,
                      const TsBitmap24& master, const TCacheInfo& bg) {
  if (d.Width() <= 1 || d.Height() <= 1) return;
  const TsBorderGeometry geo = BorderGeometry(d, state, img);
  if (!geo.Valid()) return;
  const int32_t wl = geo.wl, wt = geo.wt, wr = geo.wr, wb = geo.wb;
  const int32_t sw = geo.sw, sh = geo.sh, c0 = geo.c0, r0 = geo.r0;
  const int32_t mw = std::max(0, sw - wl - wr), mh = std::max(0, sh - wt - wb);
  const TsBitmap24& pic = PictureOf(img, master);

  const std::array<TsPart, 4> corners = CornerParts(d, geo);
  const TsPart edges[4] = {
      {{c0 + wl, r0, c0 + wl + mw, r0 + wt}, {d.Left + wl, d.Top, d.Right - wr, d.Top + wt}},
      {{c0 + wl, r0 + sh - wb, c0 + wl + mw, r0 + sh}, {d.Left + wl, d.Bottom - wb, d.Right - wr, d.Bottom}},
      {{c0, r0 + wt, c0 + wl, r0 + wt + mh}, {d.Left, d.Top + wt, d.Left + wl, d.Bottom - wb}},
      {{c0 + sw - wr, r0 + wt, c0 + sw, r0 + wt + mh}, {d.Right - wr, d.Top + wt, d.Right, d.Bottom - wb}}};
  const TsPart middle = {{c0 + wl, r0 + wt, c0 + wl + mw, r0 + wt + mh},
                         {d.Left + wl, d.Top + wt, d.Right - wr, d.Bottom - wb}};
  const bool withMiddle = filling && img.BorderWidth == 0;

  if (img.MaskType <= 0) {
    const bool useBg = refill && bg.Ready;
    for (const TsPart& p : corners) {
      if (p.dst.Width() > 0 && p.dst.Height() > 0)
        CopyKeyedRect(dst, pic, p.dst.Left, p.dst.Top, useBg, bg, clFuchsia, p.src);
    }
    auto put = [&](const TsPart& p) {
      if (img.StretchMode != smTile)
        StretchRect(dst, p.dst, pic, p.src);
      else
        Tile(dst, p.dst, pic, p.src, {});
    };
    for (const TsPart& p : edges) put(p);
    if (withMiddle) put(middle);
  } else {
    const TsTileWay pieceWay{sh, true, {}};
    for (const TsPart& p : corners) CopyMaskedRect(p.dst, p.src, dst, sh, true, bg, pic);
    for (const TsPart& p : edges) Tile(dst, p.dst, pic, p.src, pieceWay);
    if (withMiddle) Tile(dst, middle.dst, pic, middle.src, pieceWay);
  }
}

void RefillBorderCorners(TsBitmap24& dst, TRect d, int32_t state, const TsMaskData& image, const TsBitmap24& master,
                         uint8_t corners, const TCacheInfo& bg) {
  if (d.Width() <= 1 || d.Height() <= 1 || dst.Empty()) return;
  TsMaskData img = image;
  if (img.Picture && img.ImageCount == 0) img.ImageCount = 3, img.MaskType = 1;
  const TsBorderGeometry geo = BorderGeometry(d, state, img);
  if (!geo.Valid()) return;
  const TsBitmap24& pic = PictureOf(img, master);
  // Without the parent's picture, key pixels take the parent's colour when one is known.
  TsBitmap24 plain;
  TCacheInfo behind = bg;
  if (!bg.Ready && TransparentKeyColor() != clFuchsia && img.MaskType <= 0) {
    plain.SetSize(dst.Width(), dst.Height());
    FillRect24(plain, {0, 0, dst.Width(), dst.Height()}, TransparentKeyColor());
    behind = {&plain, 0, 0, true};
  }
  const std::array<TsPart, 4> parts = CornerParts(d, geo);
  for (int k = 0; k < 4; ++k) {
    const TsPart& p = parts[k];
    if (!(corners & (1 << k)) || p.dst.Width() <= 0 || p.dst.Height() <= 0) continue;
    if (img.MaskType <= 0)
      CopyKeyedRect(dst, pic, p.dst.Left, p.dst.Top, behind.Ready, behind, clFuchsia, p.src);
    else
      CopyMaskedRect(p.dst, p.src, dst, geo.sh, true, bg, pic);
  }
}

void PaintSkinGlyph(TsBitmap24& dst, TPoint at, int32_t state, const TsMaskData& img, const TsBitmap24& master) {
  const TRect s = StateRect(img, state);
  const TsBitmap24& pic = PictureOf(img, master);
  if (img.MaskType <= 0 && !img.Picture) {
    CopyKeyedRect(dst, pic, at.X, at.Y, false, {}, clFuchsia, s);
  } else {
    const int32_t offset = img.MaskType <= 0 ? pic.Height() / 2 : s.Height();
    CopyMaskedRect({at.X, at.Y, at.X + s.Width(), at.Y + s.Height()}, s, dst, offset, false, {}, pic);
  }
}

void PaintCornerImages(TsBitmap24& dst, const TsSkinTables& t, int32_t section, TRect r, int32_t state) {
  // An empty rectangle has no corners to decorate.
  if (!t.ValidSection(section) || r.Width() <= 0 || r.Height() <= 0) return;
  const std::string& name = t.gd[section].SectionName;
  const char* roles[4] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
  for (int k = 0; k < 4; ++k) {
    const int32_t i = t.GetMaskIndex(section, name, roles[k]);
    if (!t.ValidMask(i)) continue;
    const TPoint sz = StateSize(t.ma[i]);
    const TPoint at = {k % 2 ? r.Right - sz.X : r.Left, k / 2 ? r.Bottom - sz.Y : r.Top};
    PaintSkinGlyph(dst, at, state, t.ma[i], t.MasterBitmap);
  }
}

void PaintControlGlyph(const TsBitmap24& glyph, TsBitmap24& dst, TPoint at, const TsControlGlyph& how) {
  if (glyph.Empty()) return;
  const int32_t n = std::max(1, how.NumGlyphs), gw = glyph.Width() / n;
  if (gw <= 0) return;
  const TColor key = how.KeyGiven ? how.Key : glyph.Pixel(0, glyph.Height() - 1);
  int32_t index = 0, weight = 0;  // weight: percent given to the background
  bool gray = false;
  if (n == 1) {
    if (!how.Enabled) {
      gray = how.DisabledGlyphKind & dgGrayed;
      if (how.DisabledGlyphKind & dgBlended) weight = 50;
    } else {
      gray = how.Grayed && !how.Active;
      if (!how.Active && how.Blend >= 1) weight = std::min(100, how.Blend);
    }
  } else {
    index = how.Enabled ? 0 : 1;
    if (!how.Enabled && !how.Active && how.Blend > 0) weight = std::min(100, how.Blend);
  }
  TsBitmap24 g(gw, glyph.Height());
  CopyRect(g, glyph, 0, 0, {index * gw, 0, index * gw + gw, glyph.Height()});
  if (gray) GrayBitmapExcept(g, key);
  for (int32_t j = 0; j < g.Height(); ++j) {
    const int32_t y = at.Y + j;
    if (y < 0 || y >= dst.Height()) continue;
    for (int32_t i = 0; i < gw; ++i) {
      const int32_t x = at.X + i;
      if (x < 0 || x >= dst.Width()) continue;
      const uint8_t* sp = g.ScanLine(j) + 3 * i;
      const uint8_t* kp = glyph.ScanLine(j) + 3 * (index * gw + i);
      if (static_cast<TColor>(kp[2] | (kp[1] << 8) | (kp[0] << 16)) == key) continue;
      uint8_t* dp = dst.ScanLine(y) + 3 * x;
      for (int c = 0; c < 3; ++c) dp[c] = static_cast<uint8_t>((dp[c] * weight + sp[c] * (100 - weight) + 50) / 100);
    }
  }
}

TsBitmap24 TwoImageGlyph(const TsBitmap24& image, TColor key, uint8_t disabledGlyphKind, TColor face) {
  const int32_t w = image.Width(), h = image.Height();
  TsBitmap24 out(2 * w, h);
  if (image.Empty()) return out;
  TsBitmap24 disabled(w, h);
  CopyRect(disabled, image, 0, 0, {0, 0, w, h});
  if (disabledGlyphKind & dgGrayed) GrayBitmapExcept(disabled, key);
  const auto half = [face](TColor c) {
    TColor m = 0;
    for (int s = 0; s < 24; s += 8) m |= ((((c >> s) & 0xFF) + ((face >> s) & 0xFF) + 1) / 2) << s;
    return m;
  };
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const TColor c = image.Pixel(x, y);
      out.SetPixel(x, y, c);
      if (c == key)
        out.SetPixel(w + x, y, key);
      else if (disabledGlyphKind & dgBlended)
        out.SetPixel(w + x, y, half(disabled.Pixel(x, y)));
      else
        out.SetPixel(w + x, y, disabled.Pixel(x, y));
    }
  return out;
}

}  // namespace skin
