// Parses arbitrary text as each kind of skin value: image descriptions,
// font colours and gradients. Errors must be exceptions, never faults.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/sImageValues.h"
#include "skin/sMaskData.h"
#include "toolkit/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* role : {"BORDERSMASK", "PATTERN"})
    for (bool older : {false, true}) {
      try {
        skin::TsImageValue v = skin::ParseImageValue("S", role, text, older);
        if (v.From == skin::TsImageValue::File) skin::PlaceFileImage(v, 7, 5);
      } catch (const tk::Exception&) {
      }
    }
  try {
    (void)skin::ParseFontColor(text);
  } catch (const tk::Exception&) {
  }
  try {
    (void)skin::ParseGradientData(text);
  } catch (const tk::Exception&) {
  }
  try {
    (void)tk::StrToFloatDot(text);
  } catch (const tk::Exception&) {
  }
  return 0;
}
