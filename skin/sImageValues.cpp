#include "skin/sImageValues.h"

#include <algorithm>
#include <vector>

#include "skin/sIniFiles.h"
#include "skin/sSkinProps.h"
#include "skin/sStretchMode.h"
#include "toolkit/SysUtils.h"

namespace skin {
namespace {

// The text in 1-based columns first..last (shorter or empty near the end).
std::string Columns(const std::string& value, size_t first, size_t last) {
  if (first - 1 >= value.size()) return {};
  return value.substr(first - 1, last - first + 1);
}

int16_t Field(const std::string& value, size_t first, size_t last) {
  return static_cast<int16_t>(tk::StrToInt(Columns(value, first, last)));
}

int32_t Field32(const std::string& value, size_t first, size_t last) {
  return tk::StrToInt(Columns(value, first, last));
}

// Words between runs of any of the delimiters.
std::vector<std::string> Words(const std::string& text, const char* delimiters) {
  std::vector<std::string> words;
  size_t pos = 0;
  for (;;) {
    pos = text.find_first_not_of(delimiters, pos);
    if (pos == std::string::npos) return words;
    const size_t end = text.find_first_of(delimiters, pos);
    words.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    pos = end;
  }
}

std::string Word(const std::vector<std::string>& words, size_t i) {
  return i < words.size() ? words[i] : std::string();
}

TRect RectColumns(const std::string& v) {
  return {Field32(v, 2, 5), Field32(v, 7, 10), Field32(v, 12, 15), Field32(v, 17, 20)};
}

bool IsPatternRole(const std::string& role) { return role == s_Pattern || role == s_HotPattern; }

void ReadCoordinateForm(TsImageValue& out, const std::string& value) {
  const std::vector<std::string> words = Words(value, " ()");
  const std::vector<std::string> rect = Words(Word(words, 1), " ,");
  const std::vector<std::string> geometry = Words(Word(words, 2), " ,");
  TsMaskData& m = out.Mask;
  m.SourceRect = {tk::StrToInt(Word(rect, 0)), tk::StrToInt(Word(rect, 1)), tk::StrToInt(Word(rect, 2)),
                  tk::StrToInt(Word(rect, 3))};
  m.ImageCount = static_cast<int16_t>(std::max(1, tk::StrToInt(Word(geometry, 0))));
  m.MaskType = static_cast<int16_t>(std::max(0, tk::StrToInt(Word(geometry, 1))));
  m.BorderWidth = geometry.size() > 2 ? static_cast<int16_t>(std::max(0, tk::StrToInt(geometry[2]))) : 0;
  if (IsPatternRole(m.PropertyName)) {
    m.ImgType = itisaTexture;
    m.StretchMode = smTile;
  } else {
    m.ImgType = itisaBorder;
    m.StretchMode = geometry.size() > 3 ? static_cast<int16_t>(tk::StrToInt(geometry[3])) : smStretch;
  }
  out.From = TsImageValue::Master;
}

void ReadOwnFileForm(TsImageValue& out, const std::string& value) {
  const std::vector<std::string> words = Words(value, "!");
  const std::string file = Word(words, 0);
  if (UpperCase(file).find(".BMP") == std::string::npos) return;
  TsMaskData& m = out.Mask;
  m.ImageCount = static_cast<int16_t>(tk::StrToInt(Word(words, 1)));
  m.MaskType = static_cast<int16_t>(tk::StrToInt(Word(words, 2)));
  const int32_t type = tk::StrToInt(Word(words, 3));
  m.ImgType = type == itisaTexture || type == itisaGlyph ? static_cast<TorvImgType>(type) : itisaBorder;
  if (words.size() < 5) {
    out.DefaultMargins = true;
  } else {
    m.WL = static_cast<int16_t>(tk::StrToInt(Word(words, 4)));
    m.WT = static_cast<int16_t>(tk::StrToInt(Word(words, 5)));
    m.WR = static_cast<int16_t>(tk::StrToInt(Word(words, 6)));
    m.WB = static_cast<int16_t>(tk::StrToInt(Word(words, 7)));
  }
  out.FileName = file;
  out.From = TsImageValue::File;
}

}  // namespace

TsImageValue ParseImageValue(const std::string& section, const std::string& key, const std::string& value,
                             bool olderFormsOnly) {
  TsImageValue out;
  TsMaskData& m = out.Mask;
  m.SectionName = section;
  m.PropertyName = key;
  const char first = value.empty() ? '\0' : value[0];
  if (!olderFormsOnly && first == '^') {
    m.SourceRect = RectColumns(value);
    m.WL = Field(value, 22, 25);
    m.WT = Field(value, 27, 30);
    m.WR = Field(value, 32, 35);
    m.WB = Field(value, 37, 40);
    m.ImageCount = Field(value, 42, 42);
    m.MaskType = Field(value, 44, 44);
    m.StretchMode = Field(value, 46, 46);
    m.BorderWidth = Field(value, 48, 48);
    m.ImgType = itisaBorder;
    out.From = TsImageValue::Master;
  } else if (!olderFormsOnly && first == '@') {
    m.SourceRect = RectColumns(value);
    m.ImageCount = Field(value, 22, 22);
    m.MaskType = Field(value, 24, 24);
    m.ImgType = itisaGlyph;
    out.From = TsImageValue::Master;
  } else if (!olderFormsOnly && first == '~') {
    m.SourceRect = RectColumns(value);
    m.StretchMode = Field(value, 22, 23);
    m.MaskType = value.size() < 25 ? 0 : Field(value, 25, 25);
    m.ImageCount = 1;
    m.ImgType = itisaTexture;
    out.From = TsImageValue::Master;
  } else if (!olderFormsOnly && first == '!') {
    ReadOwnFileForm(out, value);
  } else if (value.find('#') != std::string::npos) {
    if (value == "#") return out;
    m.SectionName = UpperCase(section);
    m.PropertyName = UpperCase(key);
    ReadCoordinateForm(out, value);
  } else {
    const std::string upper = UpperCase(value);
    if (upper.find(".BMP") == std::string::npos) return out;
    m.SectionName = UpperCase(section);
    m.PropertyName = UpperCase(key);
    m.ImageCount = 3;
    m.MaskType = 1;
    out.FileName = upper;
    out.DefaultMargins = true;
    out.From = TsImageValue::File;
  }
  if (out.From == TsImageValue::Master) {
    RepairImageGeometry(m);
    ApplyMarginDefaults(m);
    ClampMarginsToState(m);
  }
  return out;
}

void PlaceFileImage(TsImageValue& image, int32_t width, int32_t height) {
  TsMaskData& m = image.Mask;
  m.SourceRect = {0, 0, width, height};
  RepairImageGeometry(m);
  if (image.DefaultMargins) m.WL = m.WT = m.WR = m.WB = 0;
  ApplyMarginDefaults(m);
  ClampMarginsToState(m);
}

}  // namespace skin
