#include "skin/sSkinColors.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

uint8_t R(TColor c) { return static_cast<uint8_t>(c); }
uint8_t G(TColor c) { return static_cast<uint8_t>(c >> 8); }
uint8_t B(TColor c) { return static_cast<uint8_t>(c >> 16); }

uint8_t Channel(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }
TColor Rgb(double r, double g, double b) { return Channel(r) | (Channel(g) << 8) | (Channel(b) << 16); }

bool Untouchable(TColor c) { return c == clFuchsia || (R(c) == G(c) && G(c) == B(c)); }

// Applies f to every re-colourable colour value and every picture pixel.
template <class F>
void ForEachColour(TsSkinTables& t, F f) {
  const auto value = [&](TColor& c) {
    if ((c & 0xFF000000u) == 0 && !Untouchable(c)) c = f(c);
  };
  const auto entry = [&](int32_t& c) {
    if (c == -1) return;
    TColor v = static_cast<TColor>(c);
    value(v);
    c = static_cast<int32_t>(v);
  };
  const auto picture = [&](TsBitmap24& bmp) {
    for (int32_t y = 0; y < bmp.Height(); ++y)
      for (int32_t x = 0; x < bmp.Width(); ++x) {
        const TColor c = bmp.Pixel(x, y);
        if (!Untouchable(c)) bmp.SetPixel(x, y, f(c));
      }
  };
  picture(t.MasterBitmap);
  for (TsMaskData& m : t.ma)
    if (m.Picture) picture(*m.Picture);
  for (TsGeneralData& g : t.gd) {
    value(g.Color);
    value(g.HotColor);
    for (int32_t& c : g.FontColor) entry(c);
    for (int32_t& c : g.HotFontColor) entry(c);
    for (TsGradPie& p : g.GradientArray) value(p.Color1), value(p.Color2);
    for (TsGradPie& p : g.HotGradientArray) value(p.Color1), value(p.Color2);
  }
  entry(t.SkinData.Shadow1Color);
  value(t.SkinData.BorderColor);
}

}  // namespace

TColor RotateHue(TColor color, int32_t degrees) {
  if (Untouchable(color)) return color;
  const double r = R(color), g = G(color), b = B(color);
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double delta = max - min;
  const double s = max == 0 ? 0 : delta / max;
  if (s == 0) return color;
  double h;
  if (r == max)
    h = (g - b) / delta;
  else if (g == max)
    h = 2 + (b - r) / delta;
  else
    h = 4 + (r - g) / delta;
  h *= 60;
  h = std::fmod(h + degrees, 360.0);
  if (h < 0) h += 360;
  // Back from hue, saturation and value through the six sectors.
  const double sector = h / 60;
  const int i = static_cast<int>(sector) % 6;
  const double f = sector - std::floor(sector);
  const double v = max, p = v * (1 - s), q = v * (1 - s * f), u = v * (1 - s * (1 - f));
  switch (i) {
    case 0:
      return Rgb(v, u, p);
    case 1:
      return Rgb(q, v, p);
    case 2:
      return Rgb(p, v, u);
    case 3:
      return Rgb(p, q, v);
    case 4:
      return Rgb(u, p, v);
    default:
      return Rgb(v, p, q);
  }
}

TColor ChangeColorSaturation(TColor color, int32_t saturation) {
  if (Untouchable(color)) return color;
  const int64_t a = (-static_cast<int64_t>(saturation)) % 101;
  const double r = R(color), g = G(color), b = B(color);
  const double m = (r + g + b) / 3;
  return Rgb(r + a * (m - r) / 100, g + a * (m - g) / 100, b + a * (m - b) / 100);
}

void ChangeHue(TsSkinTables& t, int32_t degrees) {
  ForEachColour(t, [degrees](TColor c) { return RotateHue(c, degrees); });
}

void ChangeSaturation(TsSkinTables& t, int32_t saturation) {
  ForEachColour(t, [saturation](TColor c) { return ChangeColorSaturation(c, saturation); });
}

}  // namespace skin
