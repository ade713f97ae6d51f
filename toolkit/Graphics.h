// Colours, fonts, device-independent bitmaps and pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "toolkit/Tpf0.h"

namespace tk {

// 0x00BBGGRR for RGB colours; high byte 0xFF names a system colour by index.
using TColor = uint32_t;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clNone = 0x1FFFFFFF;

COLORREF ColorToRGB(TColor c);
// A stored colour: an integer or a colour identifier such as clBtnFace.
TColor ValueToColor(const std::string& prop, const tpf0::Value& v);

enum FontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font description; Handle() creates the GDI font on demand and keeps it
// until the description changes.
class TFont {
public:
  TFont();
  ~TFont();
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);

  std::string Name = "Tahoma";
  int Height = -11;  // negative: character height in pixels
  TColor Color = clWindowText;
  int Charset = DEFAULT_CHARSET;
  uint8_t Style = 0;

  HFONT Handle() const;
  // Sets a property given relative to the font ("Height", "Name", ...).
  bool SetProperty(const std::string& name, const tpf0::Value& value);
  bool operator==(const TFont& o) const;

private:
  void Release() const;
  mutable base::GdiObject<HFONT> handle_;
  mutable std::string madeName_;
  mutable int madeHeight_ = 0, madeCharset_ = 0;
  mutable uint8_t madeStyle_ = 0;
};

// A top-down 24- or 32-bit DIB section. Pixels are addressed directly
// (ScanLine), never through per-pixel system calls.
class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int width, int height, int bitsPerPixel = 24);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  void SetSize(int width, int height, int bitsPerPixel = 24);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bpp_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  uint8_t* ScanLine(int y) { return bits_ + static_cast<size_t>(y) * stride_; }
  const uint8_t* ScanLine(int y) const { return bits_ + static_cast<size_t>(y) * stride_; }
  int Stride() const { return stride_; }
  HDC Canvas();  // a memory DC with the bitmap selected, made on first use
  HBITMAP Handle() const { return handle_.get(); }

  // The colour of the bottom-left pixel: the transparent colour of glyphs.
  TColor BottomLeftColor() const;

  // Loads a BMP file image (1, 4, 8, 24 or 32 bits); raises EInvalidGraphic.
  void LoadFromBmp(const uint8_t* data, size_t size);
  void Assign(const TBitmap& other);

private:
  void Release();
  int width_ = 0, height_ = 0, bpp_ = 24, stride_ = 0;
  base::GdiObject<HBITMAP> handle_;
  uint8_t* bits_ = nullptr;
  base::MemoryDc dc_;
  std::optional<base::Selection> selected_;  // the bitmap in dc_
};

// Decodes a baseline or progressive JPEG into a 24-bit bitmap; raises
// EInvalidGraphic with libjpeg's message on corrupt data and for pictures
// of more than kMaxPicturePixels (JpegDecoder.h).
void DecodeJpeg(const uint8_t* data, size_t size, TBitmap& out);

// A picture as the layout stores it: a graphic class name ("TBitmap",
// "TJPEGImage") and that graphic's data. Held decoded as a bitmap.
class TPicture {
public:
  void LoadFromData(const std::string& data);  // the stored Picture.Data bytes
  const TBitmap& Bitmap() const { return bitmap_; }
  TBitmap& Bitmap() { return bitmap_; }
  const std::string& GraphicClass() const { return graphicClass_; }

private:
  std::string graphicClass_;
  TBitmap bitmap_;
};

}  // namespace tk
