// A screenshot held as a 32-bit device-independent bitmap: captured from the
// screen (or from the application's own windows) with the mouse cursor
// drawn in, loaded from a BMP file, or zoomed from another one. The pixels
// live in a DIB section selected into a memory device context, so the
// picture can be drawn and read without a copy.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "report/screenshot/quorNVImageStatus.h"
#include "report/screenshot/quorNVPixels.h"
#include "report/screenshot/quorNVPng.h"

namespace quor {

class INVBitmap {
public:
  virtual ~INVBitmap() = default;
  [[nodiscard]] virtual uint32_t Width() const = 0;
  [[nodiscard]] virtual uint32_t Height() const = 0;
  // The pixels, valid as long as the bitmap lives.
  [[nodiscard]] virtual NVPixelView Pixels() const = 0;
  // A plain copy of the whole picture with its top left corner at x, y.
  virtual void Draw(HDC dc, int x, int y) const = 0;
  [[nodiscard]] virtual NVBytesResult AsBmp() const = 0;
  [[nodiscard]] virtual NVBytesResult AsPng(NVPngMode mode) const = 0;
  // True when every byte was written; a file cut short is deleted again.
  [[nodiscard]] virtual bool SaveBmp(const std::string& fileName) const = 0;
  // The same; nothing is written when the PNG cannot be made.
  [[nodiscard]] virtual bool SavePng(const std::string& fileName, NVPngMode mode) const = 0;
  // The picture fitted into maxWidth x maxHeight (aspect ratio kept), or none.
  [[nodiscard]] virtual std::unique_ptr<INVBitmap> Zoom(uint32_t maxWidth, uint32_t maxHeight) const = 0;
};

// The picture of the virtual screen, or with `appOnly` of the visible parts
// of the process's own top-level windows; none when it cannot be taken.
[[nodiscard]] std::unique_ptr<INVBitmap> CaptureScreen(bool appOnly);
// The picture of a .bmp file (without cursor), or none.
[[nodiscard]] std::unique_ptr<INVBitmap> LoadBitmapFile(const std::string& fileName);
// A bitmap holding a copy of the pixels, or none when no DIB can be made.
[[nodiscard]] std::unique_ptr<INVBitmap> NVBitmapFromPixels(const NVPixelView& pixels);

}  // namespace quor
