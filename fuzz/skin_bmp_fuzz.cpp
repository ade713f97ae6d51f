// Decodes arbitrary bytes as a BMP file and as a JPEG file: a picture or
// the graphics error, never a read outside the data.
#include <cstddef>
#include <cstdint>

#include "skin/sBmpFile.h"
#include "skin/sJpegImage.h"
#include "toolkit/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    (void)skin::ReadBmp({data, size});
  } catch (const tk::EInvalidGraphic&) {
  }
  try {
    (void)skin::DecodeJpeg({data, size});
  } catch (const tk::EInvalidGraphic&) {
  }
  return 0;
}
