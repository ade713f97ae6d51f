// The screenshot bitmap itself: a 40-byte information header, a 32-bit DIB
// section (rows bottom-up) and the memory DC it is selected into. Capturing
// and loading draw into a new one through its DC or its pixel memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "report/screenshot/quorNVBitmap.h"

namespace quor {

class TINVBitmap final : public INVBitmap {
public:
  // A bitmap of that size, all pixels 0; none when the size is 0 or beyond
  // NVPictureFits, or when the system gives no DIB section or DC.
  [[nodiscard]] static std::unique_ptr<TINVBitmap> Create(uint32_t width, uint32_t height);

  // The memory DC that has the DIB selected: draw into the bitmap with it.
  [[nodiscard]] HDC Dc() const { return dc_.get(); }
  // The pixel memory, bottom row first. Flushes GDI's pending drawing first.
  [[nodiscard]] uint8_t* Bits() const;

  [[nodiscard]] uint32_t Width() const override { return uint32_t(header_.biWidth); }
  [[nodiscard]] uint32_t Height() const override { return uint32_t(header_.biHeight); }
  [[nodiscard]] NVPixelView Pixels() const override;
  void Draw(HDC dc, int x, int y) const override;
  [[nodiscard]] NVBytesResult AsBmp() const override;
  [[nodiscard]] NVBytesResult AsPng(NVPngMode mode) const override;
  [[nodiscard]] bool SaveBmp(const std::string& fileName) const override;
  [[nodiscard]] bool SavePng(const std::string& fileName, NVPngMode mode) const override;
  [[nodiscard]] std::unique_ptr<INVBitmap> Zoom(uint32_t maxWidth, uint32_t maxHeight) const override;

private:
  TINVBitmap() = default;

  BITMAPINFOHEADER header_{};
  void* bits_ = nullptr;
  // Destroyed in reverse order: the old bitmap goes back into the DC, then
  // the DC is deleted, then the DIB it no longer holds.
  base::GdiObject<HBITMAP> dib_;
  base::MemoryDc dc_;
  std::optional<base::Selection> selection_;
};

}  // namespace quor
