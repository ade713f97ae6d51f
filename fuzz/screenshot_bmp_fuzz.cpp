// Loads arbitrary bytes as a BMP file: a picture or a reason, never a read
// outside the data. A picture that loads is written again and must load to
// the same pixels, and goes through the thumbnail zoom and both PNG
// encoders (the input size keeps it small).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "report/screenshot/quorBmpFile.h"
#include "report/screenshot/quorColorPng.h"
#include "report/screenshot/quorGreyPng.h"
#include "report/screenshot/quorMitchellZoom.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const quor::NVPixelsResult loaded = quor::ReadBmpFile({data, size});
  if (loaded.status != quor::NVImageStatus::kOk) {
    Check(loaded.pixels.Bits().empty());
    return 0;
  }
  const quor::NVPixelView view = loaded.pixels.View();
  const quor::NVBytesResult bmp = quor::NVPixelsAsBmp(view);
  Check(bmp.status == quor::NVImageStatus::kOk);
  const quor::NVPixelsResult again =
      quor::ReadBmpFile({reinterpret_cast<const uint8_t*>(bmp.bytes.data()), bmp.bytes.size()});
  Check(again.status == quor::NVImageStatus::kOk && again.pixels.Bits() == loaded.pixels.Bits());
  // A box from the first pixel's bytes: shrinking and enlarging both.
  const quor::TNVSize box{1u + view.bits[0] % 64, 1u + view.bits[1] % 64};
  Check(quor::ZoomNVPixels(view, box).status == quor::NVImageStatus::kOk);
  Check(quor::ColorPng(view).status == quor::NVImageStatus::kOk);
  Check(quor::GreyPng(view).status == quor::NVImageStatus::kOk);
  return 0;
}
