#include "skin/sMaskData.h"

#include "toolkit/SysUtils.h"

namespace skin {
namespace {

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
  const int32_t across = image.SourceRect.Width() / (image.ImageCount * 3);
  const int32_t down = image.SourceRect.Height() / ((image.MaskType + 1) * 3);
  image.WL = image.WR = static_cast<int16_t>(across);
  image.WT = image.WB = static_cast<int16_t>(down);
}

}  // namespace skin
