// Image descriptions in skin files. A key's value describes an image by its
// first character:
//   "^" a border cut from the master bitmap (fixed columns),
//   "@" a glyph cut from the master bitmap (fixed columns),
//   "~" a texture cut from the master bitmap (fixed columns),
//   "!" a picture in a file of its own ("!file!count!masktype!imgtype!l!t!r!b"),
//   "#(l,t,r,b) (count,masktype,borderwidth,stretch)" the older coordinate form,
//   anything else naming a ".BMP" file: the older file form.
#pragma once

#include <string>

#include "skin/sMaskData.h"

namespace skin {

struct TsImageValue {
  enum Source : uint8_t { None, Master, File } From = None;
  std::string FileName;         // File: as written ("!" form) or upper-cased (older form)
  bool DefaultMargins = false;  // File: margins wait for the picture's size
  TsMaskData Mask;              // everything but the picture
};

// Section and key become SectionName and PropertyName (upper-cased by the
// older forms). With olderFormsOnly only the two older forms are read.
// A malformed number raises EConvertError "'x' is not a valid integer value".
TsImageValue ParseImageValue(const std::string& section, const std::string& key, const std::string& value,
                             bool olderFormsOnly = false);

// Fixes up a file image once its picture is known: the rectangle becomes the
// picture's size and the margins get their defaults.
void PlaceFileImage(TsImageValue& image, int32_t width, int32_t height);

}  // namespace skin
