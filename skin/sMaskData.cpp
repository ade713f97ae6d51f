#include "skin/sMaskData.h"

#include <algorithm>

#include "toolkit/SysUtils.h"

namespace skin {
namespace {

// Cuts two margins of one direction to a state `size` pixels long.
void FitPair(int16_t& first, int16_t& second, int32_t size) {
  int32_t a = std::clamp<int32_t>(first, 0, size), b = std::clamp<int32_t>(second, 0, size);
  const int32_t excess = a + b - size;
  if (excess > 0) {
    a -= excess / 2;
    b -= excess - excess / 2;
  }
  first = static_cast<int16_t>(a);
  second = static_cast<int16_t>(b);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> words;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    words.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return words;
    start = at + 1;
  }
}

}  // namespace

TsFontColors ParseFontColor(const std::string& text) {
  const std::vector<std::string> words = Split(text, ' ');
  if (words.size() != 5) return kNoFontColors;
  TsFontColors colors;
  for (size_t i = 0; i < 5; ++i) colors[i] = tk::StrToInt(words[i]);
  return colors;
}

std::string FontColorText(const TsFontColors& colors) {
  std::string text;
  for (size_t i = 0; i < colors.size(); ++i) text += (i ? " " : "") + std::to_string(colors[i]);
  return text;
}

TsGradArray ParseGradientData(const std::string& text) {
  TsGradArray stops;
  if (text.empty()) return stops;
  const std::vector<std::string> words = Split(text, ';');
  for (size_t i = 0; i + 5 <= words.size(); i += 5) {
    TsGradPie pie;
    pie.Color1 = static_cast<TColor>(tk::StrToInt(words[i]));
    pie.Color2 = static_cast<TColor>(tk::StrToInt(words[i + 1]));
    const int32_t percent = tk::StrToInt(words[i + 2]);
    pie.Percent = static_cast<uint8_t>(percent > 100 ? 100 : percent < 0 ? 0 : percent);
    pie.Mode = tk::StrToInt(words[i + 3]);
    (void)tk::StrToInt(words[i + 4]);  // kept by the format, unused
    stops.push_back(pie);
  }
  return stops;
}

void RepairImageGeometry(TsMaskData& image) {
  if (image.ImageCount == 0) {
    image.ImageCount = 3;
    image.MaskType = 1;
  }
  if (image.ImageCount < 1) image.ImageCount = 1;
  if (image.MaskType < 0) image.MaskType = 0;
}

void ApplyMarginDefaults(TsMaskData& image) {
  if (image.WL != 0 || image.WT != 0 || image.WR != 0 || image.WB != 0) return;
  if (image.BorderWidth != 0) {
    image.WL = image.WT = image.WR = image.WB = image.BorderWidth;
    return;
  }
  image.WL = image.WR = static_cast<int16_t>(StateWidth(image) / 3);
  image.WT = image.WB = static_cast<int16_t>(StateHeight(image) / 3);
}

int32_t StateWidth(const TsMaskData& image) {
  const int64_t w = int64_t{image.SourceRect.Right} - image.SourceRect.Left;
  return static_cast<int32_t>(std::max<int64_t>(0, w / std::max<int32_t>(1, image.ImageCount)));
}

int32_t StateHeight(const TsMaskData& image) {
  const int64_t h = int64_t{image.SourceRect.Bottom} - image.SourceRect.Top;
  return static_cast<int32_t>(std::max<int64_t>(0, h / (std::max<int32_t>(0, image.MaskType) + 1)));
}

void ClampMarginsToState(TsMaskData& image) {
  FitPair(image.WL, image.WR, StateWidth(image));
  FitPair(image.WT, image.WB, StateHeight(image));
}

}  // namespace skin
