// The run-time tables of the active skin: skin-wide information, one
// general-data record per section, one mask record per image and one
// pattern record per JPEG texture. Indexes are positions in these arrays;
// -1 means "none" everywhere in the engine.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/sBitmap24.h"

namespace skin {

class TsSkinManager;

enum TsControlBevel : uint8_t { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };
enum TorvImgType : uint8_t { itisaBorder, itisaTexture, itisaGlyph };

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// The skin-wide values, as an internal skin stores them and as the engine
// uses them.
struct TsSkinInfo {
  double Version = 0;
  std::string Author, Description;
  int32_t Shadow1Color = 0, Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  TColor BorderColor = clFuchsia;
  bool operator==(const TsSkinInfo&) const = default;
};

struct TsSkinData : TsSkinInfo {
  bool SkinActive = false;
  std::string SkinPath;  // folder of an external skin with a trailing backslash
  bool operator==(const TsSkinData&) const = default;
};

// Text colour, then the contour colours left, top, right, bottom (-1: none).
using TsFontColors = std::array<int32_t, 5>;
inline constexpr TsFontColors kNoFontColors = {0, -1, -1, -1, -1};

struct TsGradPie {
  TColor Color1 = 0, Color2 = 0;
  uint8_t Percent = 0;  // 0-100
  int32_t Mode = 0;     // 0 horizontal bands, 1 vertical bands, 2 four triangles
  bool operator==(const TsGradPie&) const = default;
};
using TsGradArray = std::vector<TsGradPie>;

// A section's values that an internal skin stores as the engine uses them.
struct TsSectionData {
  std::string ParentClass;
  std::string SectionName;
  TColor Color = 0;
  TsControlBevel Bevel = cbNone;
  bool ReservedBoolean = false;
  int32_t ShadowBlur = 0;
  TColor ShadowColor = 0;
  bool ShadowEnabled = false;
  int32_t ShadowOffset = 0;
  int32_t ShadowTransparency = 0;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  std::string GradientData;
  int32_t ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int32_t FadingIntervalIn = 0, FadingIntervalOut = 0, FadingIterations = 0;
  TColor HotColor = 0;
  int32_t HotTransparency = 0;
  TsControlBevel HotBevel = cbNone;
  int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  int32_t HotImagePercent = 0;
  TColor BorderColor1 = 0, BorderColor2 = 0;
  bool operator==(const TsSectionData&) const = default;
};

// A section at run time: with its font colours split and both gradients parsed.
struct TsGeneralData : TsSectionData {
  TsFontColors FontColor = kNoFontColors;
  TsFontColors HotFontColor = kNoFontColors;
  TsGradArray GradientArray;
  TsGradArray HotGradientArray;
  bool operator==(const TsGeneralData&) const = default;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

struct TsMaskData {
  std::shared_ptr<TsBitmap24> Picture;  // own picture, or none: cut from the master bitmap
  std::string SectionName;
  std::string PropertyName;
  TRect SourceRect;
  int16_t ImageCount = 1;
  int16_t MaskType = 0;
  int16_t BorderWidth = 0;
  int16_t StretchMode = 0;
  TorvImgType ImgType = itisaBorder;
  TsSkinManager* Owner = nullptr;
  int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

struct TsPatternData {
  std::shared_ptr<TsBitmap24> Picture;  // the decoded JPEG
  std::string SectionName;
  std::string PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

// "0 15724527 -1 -1 -1": five integers separated by single blanks. Anything
// else gives black text without contours; five words of which one is not an
// integer raise EConvertError.
TsFontColors ParseFontColor(const std::string& text);
// The text form again, as ParseFontColor reads it.
std::string FontColorText(const TsFontColors& colors);

// Groups of five integers separated by semicolons: Color1; Color2; Percent
// (cut to 0..100); Mode; one ignored value. A trailing partial group is
// ignored; a word that is not an integer raises EConvertError.
TsGradArray ParseGradientData(const std::string& text);

// Images read with ImageCount 0 hold three states with masks. Counts below
// one and negative mask types cannot describe a picture and become 1 and 0.
void RepairImageGeometry(TsMaskData& image);
// When all four margins are 0: BorderWidth, or else a third of one state.
void ApplyMarginDefaults(TsMaskData& image);

// Width and height of one state: the rectangle split into ImageCount
// columns, and its picture rows without the mask rows below them. 0 for
// rectangles without pixels.
int32_t StateWidth(const TsMaskData& image);
int32_t StateHeight(const TsMaskData& image);

// Keeps the margins inside one state, as a skin file may give any numbers:
// none below 0, left and right together at most the state's width, top and
// bottom at most its height (a pair too wide gives up its excess half each).
void ClampMarginsToState(TsMaskData& image);

}  // namespace skin
