#include "report/screenshot/quorTINVBitmap.h"

#include <cstring>

#include "report/screenshot/quorBmpFile.h"
#include "report/screenshot/quorMitchellZoom.h"
#include "report/screenshot/quorWholeFile.h"

namespace quor {

constexpr WORD kBitsPerPixel = 32;
// The largest picture and room for the headers and masks of any editor.
constexpr uint64_t kMaxBmpFileBytes = kMaxNVPixelBytes + (uint64_t(1) << 16);

std::unique_ptr<TINVBitmap> TINVBitmap::Create(uint32_t width, uint32_t height) {
  if (NVPictureFits(width, height) != NVImageStatus::kOk) return nullptr;
  std::unique_ptr<TINVBitmap> bitmap(new TINVBitmap);
  BITMAPINFOHEADER& h = bitmap->header_;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = LONG(width);
  h.biHeight = LONG(height);  // positive: bottom-up rows
  h.biPlanes = 1;
  h.biBitCount = kBitsPerPixel;
  h.biCompression = BI_RGB;
  h.biSizeImage = width * height * kNVBytesPerPixel;
  BITMAPINFO info{};
  info.bmiHeader = h;
  bitmap->dib_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bitmap->bits_, nullptr, 0));
  if (!bitmap->dib_ || !bitmap->bits_) return nullptr;
  bitmap->dc_.reset(CreateCompatibleDC(nullptr));
  if (!bitmap->dc_) return nullptr;
  bitmap->selection_.emplace(bitmap->dc_.get(), bitmap->dib_.get());
  return bitmap;
}

uint8_t* TINVBitmap::Bits() const {
  // Windows: drawing into a DIB section may be batched; the memory shows it
  // only after GdiFlush.
  GdiFlush();
  return static_cast<uint8_t*>(bits_);
}

NVPixelView TINVBitmap::Pixels() const { return {Width(), Height(), Bits()}; }

void TINVBitmap::Draw(HDC dc, int x, int y) const {
  BitBlt(dc, x, y, int(Width()), int(Height()), dc_.get(), 0, 0, SRCCOPY);
}

NVBytesResult TINVBitmap::AsBmp() const { return NVPixelsAsBmp(Pixels()); }

NVBytesResult TINVBitmap::AsPng(NVPngMode mode) const { return NVPixelsAsPng(Pixels(), mode); }

bool TINVBitmap::SaveBmp(const std::string& fileName) const {
  const NVBytesResult bmp = AsBmp();
  return !bmp.bytes.empty() && WriteWholeFile(fileName, bmp.bytes);
}

bool TINVBitmap::SavePng(const std::string& fileName, NVPngMode mode) const {
  const NVBytesResult png = AsPng(mode);
  return !png.bytes.empty() && WriteWholeFile(fileName, png.bytes);
}

std::unique_ptr<INVBitmap> TINVBitmap::Zoom(uint32_t maxWidth, uint32_t maxHeight) const {
  const NVPixelsResult zoomed = ZoomNVPixels(Pixels(), {maxWidth, maxHeight});
  if (zoomed.status != NVImageStatus::kOk) return nullptr;
  return NVBitmapFromPixels(zoomed.pixels.View());
}

std::unique_ptr<INVBitmap> NVBitmapFromPixels(const NVPixelView& pixels) {
  std::unique_ptr<TINVBitmap> bitmap = TINVBitmap::Create(pixels.width, pixels.height);
  if (!bitmap) return nullptr;
  std::memcpy(bitmap->Bits(), pixels.bits, pixels.RowBytes() * pixels.height);
  return bitmap;
}

std::unique_ptr<INVBitmap> LoadBitmapFile(const std::string& fileName) {
  const std::optional<std::string> file = ReadWholeFile(fileName, kMaxBmpFileBytes);
  if (!file) return nullptr;
  const NVPixelsResult picture =
      ReadBmpFile({reinterpret_cast<const uint8_t*>(file->data()), file->size()});
  if (picture.status != NVImageStatus::kOk) return nullptr;
  return NVBitmapFromPixels(picture.pixels.View());
}

}  // namespace quor
