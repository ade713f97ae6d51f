#include "skin/sJpegImage.h"

#include "toolkit/JpegDecoder.h"

namespace skin {
namespace {

class BitmapTarget : public tk::TJpegTarget {
public:
  explicit BitmapTarget(TsBitmap24& bmp) : bmp_(bmp) {}
  void SetSize(int32_t width, int32_t height) override { bmp_.SetSize(width, height); }
  uint8_t* Row(int32_t y) override { return bmp_.ScanLine(y); }

private:
  TsBitmap24& bmp_;
};

}  // namespace

TsBitmap24 DecodeJpeg(std::span<const uint8_t> data) {
  TsBitmap24 out;
  BitmapTarget target(out);
  tk::DecodeJpeg(data, target);
  return out;
}

}  // namespace skin
