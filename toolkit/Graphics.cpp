#include "toolkit/Graphics.h"

#include <cstring>

#include "toolkit/BmpDecoder.h"
#include "toolkit/Classes.h"
#include "toolkit/JpegDecoder.h"
#include "toolkit/SysUtils.h"
#include "toolkit/Utf.h"

namespace tk {

COLORREF ColorToRGB(TColor c) {
  if ((c & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(c & 0xFF));
  return c & 0x00FFFFFFu;
}

TColor ValueToColor(const std::string& prop, const tpf0::Value& v) {
  if (v.IsInteger()) return static_cast<TColor>(v.integer);
  static const struct {
    const char* name;
    TColor color;
  } kNames[] = {
      {"clBlack", 0x000000},
      {"clMaroon", 0x000080},
      {"clGreen", 0x008000},
      {"clOlive", 0x008080},
      {"clNavy", 0x800000},
      {"clPurple", 0x800080},
      {"clTeal", 0x808000},
      {"clGray", 0x808080},
      {"clSilver", 0xC0C0C0},
      {"clRed", 0x0000FF},
      {"clLime", 0x00FF00},
      {"clYellow", 0x00FFFF},
      {"clBlue", 0xFF0000},
      {"clFuchsia", 0xFF00FF},
      {"clAqua", 0xFFFF00},
      {"clWhite", 0xFFFFFF},
      {"clBtnFace", clBtnFace},
      {"clWindow", clWindow},
      {"clWindowText", clWindowText},
      {"clBtnText", 0xFF000012},
      {"clBtnShadow", 0xFF000010},
      {"clHighlight", 0xFF00000D},
      {"clHighlightText", 0xFF00000E},
      {"clInfoBk", 0xFF000018},
      {"clNone", 0x1FFFFFFF},
  };
  const std::string ident = ValueToIdent(prop, v);
  for (const auto& n : kNames)
    if (ident == n.name) return n.color;
  throw EReadError("Invalid property value for " + prop + ": " + ident);
}

// ---------------------------------------------------------------- TFont

TFont::TFont() = default;
TFont::~TFont() = default;
TFont::TFont(const TFont& o) : Name(o.Name), Height(o.Height), Color(o.Color), Charset(o.Charset), Style(o.Style) {}

TFont& TFont::operator=(const TFont& o) {
  if (this != &o) {
    Name = o.Name;
    Height = o.Height;
    Color = o.Color;
    Charset = o.Charset;
    Style = o.Style;
  }
  return *this;
}

bool TFont::operator==(const TFont& o) const {
  return Name == o.Name && Height == o.Height && Color == o.Color && Charset == o.Charset && Style == o.Style;
}

void TFont::Release() const { handle_.reset(); }

HFONT TFont::Handle() const {
  if (handle_ && (madeName_ != Name || madeHeight_ != Height || madeCharset_ != Charset || madeStyle_ != Style))
    Release();
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = Height;
    lf.lfWeight = (Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Style & fsItalic) != 0;
    lf.lfUnderline = (Style & fsUnderline) != 0;
    lf.lfStrikeOut = (Style & fsStrikeOut) != 0;
    lf.lfCharSet = static_cast<BYTE>(Charset);
    lf.lfQuality = DEFAULT_QUALITY;
    const std::u16string face = Utf8ToUtf16(Name);
    std::memcpy(lf.lfFaceName, face.c_str(), std::min<size_t>(face.size(), LF_FACESIZE - 1) * 2);
    handle_.reset(CreateFontIndirectW(&lf));
    if (!handle_) throw EOutOfResources("Out of system resources");
    madeName_ = Name;
    madeHeight_ = Height;
    madeCharset_ = Charset;
    madeStyle_ = Style;
  }
  return handle_.get();
}

bool TFont::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Name")
    Name = ValueToString("Font.Name", v);
  else if (name == "Height")
    Height = ValueToInt("Font.Height", v);
  else if (name == "Color")
    Color = ValueToColor("Font.Color", v);
  else if (name == "Charset") {
    if (v.IsInteger())
      Charset = ValueToInt("Font.Charset", v);
    else {
      const std::string cs = ValueToIdent("Font.Charset", v);
      Charset = cs == "ANSI_CHARSET"      ? ANSI_CHARSET
                : cs == "RUSSIAN_CHARSET" ? RUSSIAN_CHARSET
                : cs == "SYMBOL_CHARSET"  ? SYMBOL_CHARSET
                : cs == "OEM_CHARSET"     ? OEM_CHARSET
                                          : DEFAULT_CHARSET;
    }
  } else if (name == "Style") {
    Style = 0;
    for (const auto& s : ValueToSet("Font.Style", v)) {
      if (s == "fsBold")
        Style |= fsBold;
      else if (s == "fsItalic")
        Style |= fsItalic;
      else if (s == "fsUnderline")
        Style |= fsUnderline;
      else if (s == "fsStrikeOut")
        Style |= fsStrikeOut;
    }
  } else if (name == "Size") {
    // Points at 96 dots per inch.
    Height = -((ValueToInt("Font.Size", v) * 96 + 36) / 72);
  } else {
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap(int width, int height, int bpp) { SetSize(width, height, bpp); }
TBitmap::~TBitmap() { Release(); }

void TBitmap::Release() {
  selected_.reset();
  dc_.reset();
  handle_.reset();
  bits_ = nullptr;
  width_ = height_ = stride_ = 0;
}

void TBitmap::SetSize(int width, int height, int bpp) {
  if (width < 0 || height < 0 || (bpp != 24 && bpp != 32)) throw EInvalidGraphic("Bitmap format is not supported");
  Release();
  bpp_ = bpp;
  if (width == 0 || height == 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bpp);
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  handle_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!handle_) throw EOutOfResources("Out of system resources");
  bits_ = static_cast<uint8_t*>(bits);
  width_ = width;
  height_ = height;
  stride_ = ((width * bpp + 31) / 32) * 4;
}

HDC TBitmap::Canvas() {
  if (!dc_) {
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_) throw EOutOfResources("Out of system resources");
    selected_.emplace(dc_.get(), handle_.get());
  }
  return dc_.get();
}

TColor TBitmap::BottomLeftColor() const {
  if (Empty()) return 0;
  const uint8_t* p = ScanLine(height_ - 1);
  return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
}

void TBitmap::Assign(const TBitmap& other) {
  SetSize(other.width_, other.height_, other.bpp_);
  if (!Empty()) std::memcpy(bits_, other.bits_, static_cast<size_t>(stride_) * height_);
}

namespace {

uint32_t Le(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

}  // namespace

void TBitmap::LoadFromBmp(const uint8_t* data, size_t size) {
  const TBmpDecoder bmp({data, size});
  SetSize(bmp.Width(), bmp.Height(), 24);
  for (int y = 0; y < bmp.Height(); ++y) bmp.DecodeRow(y, ScanLine(y));
}

// ---------------------------------------------------------------- JPEG

namespace {

class BitmapTarget : public TJpegTarget {
public:
  explicit BitmapTarget(TBitmap& bmp) : bmp_(bmp) {}
  void SetSize(int32_t width, int32_t height) override { bmp_.SetSize(width, height, 24); }
  uint8_t* Row(int32_t y) override { return bmp_.ScanLine(y); }

private:
  TBitmap& bmp_;
};

}  // namespace

void DecodeJpeg(const uint8_t* data, size_t size, TBitmap& out) {
  BitmapTarget target(out);
  DecodeJpeg({data, size}, target);
}

// ---------------------------------------------------------------- TPicture

void TPicture::LoadFromData(const std::string& data) {
  const auto* p = reinterpret_cast<const uint8_t*>(data.data());
  if (data.empty() || 1u + p[0] + 4 > data.size()) throw EInvalidGraphic("Invalid picture data");
  const std::string cls(data.data() + 1, p[0]);
  const uint8_t* body = p + 1 + p[0];
  const uint32_t length = Le(body, 4);
  if (length > data.size() - (1 + p[0] + 4)) throw EInvalidGraphic("Invalid picture data");
  if (cls == "TJPEGImage")
    DecodeJpeg(body + 4, length, bitmap_);
  else if (cls == "TBitmap")
    bitmap_.LoadFromBmp(body + 4, length);
  else
    throw EInvalidGraphic("Unknown picture file extension (" + cls + ")");
  graphicClass_ = cls;
}

}  // namespace tk
