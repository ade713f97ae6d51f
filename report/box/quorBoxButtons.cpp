#include "report/box/quorBoxButtons.h"

#include <algorithm>

#include "base/WinWindowDc.h"
#include "report/box/quorBoxColors.h"
#include "report/box/quorBoxTexts.h"

namespace quor {
namespace {

constexpr uint32_t kFlatStep = 0x101010;  // the unfocused button is a shade off the button face
constexpr int32_t kManyColorBits = 14;
constexpr int32_t kUglyOffset = 2;
constexpr int32_t kIconOffset = 3;
constexpr int32_t kSoftLineReach = 3;
// Caption placement: centred in the room right of the icon.
constexpr int32_t kCaptionRoom = 35;
constexpr int32_t kCaptionShift = 27;
constexpr int32_t kCaptionTop = 4;

COLORREF Swap(uint32_t bgr) { return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF); }

}  // namespace

TBoxButtonPainter::TBoxButtonPainter(HFONT font, int32_t width, int32_t height, const TBoxIcons& icons,
                                     bool uglyBtns)
    : icons_(icons), ugly_(uglyBtns), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  const base::WindowDc screen(nullptr);
  manyColors_ = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES) > kManyColorBits;
  dc_.reset(CreateCompatibleDC(screen.get()));
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // bottom-up
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<uint32_t*>(bits);
  selectedBitmap_.emplace(dc_.get(), bitmap_.get());
  selectedFont_.emplace(dc_.get(), font);
  SetBkMode(dc_.get(), TRANSPARENT);
}

TButtonLook TBoxButtonPainter::Unfocused(bool disabled) const {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return {RGB(0, 0, 0), manyColors_ ? StepColor(face, kFlatStep, disabled) : face};
}

TButtonLook TBoxButtonPainter::Focused() const {
  if (ugly_) return Unfocused(false);
  return {RGB(255, 255, 255), GetSysColor(COLOR_3DDKSHADOW)};
}

TButtonLook TBoxButtonPainter::Vanished() const {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return {face, face};
}

void TBoxButtonPainter::Fill(int32_t width, int32_t height, COLORREF color) {
  SetDCBrushColor(dc_.get(), color);
  const RECT r{0, 0, width, height};
  FillRect(dc_.get(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TBoxButtonPainter::PutColumn(int32_t x, int32_t top, int32_t bottom, COLORREF color) {
  if (x < 0 || x >= width_) return;
  for (int32_t y = std::max(top, 0); y < std::min(bottom, height_); ++y)
    bits_[size_t(height_ - 1 - y) * size_t(width_) + size_t(x)] = Swap(color);
}

void TBoxButtonPainter::CountdownLine(int32_t x, int32_t top, int32_t bottom, COLORREF line, COLORREF background) {
  if (manyColors_)
    for (int32_t i = kSoftLineReach; i >= 1; --i) {
      const COLORREF soft = SoftLineColor(line, background, i);
      PutColumn(x - i, top, bottom, soft);
      PutColumn(x + i, top, bottom, soft);
    }
  PutColumn(x, top, bottom, line);
}

void TBoxButtonPainter::Icon(int32_t index, int32_t x, int32_t y) {
  if (const uint8_t* pixels = icons_.Pixels(index))
    BlendIcon(bits_, width_, height_, x, y, pixels, TBoxIcons::Size(index));
}

void TBoxButtonPainter::Paint(HDC target, int32_t width, int32_t height, const std::wstring& caption,
                              const TButtonLook& look, const TButtonState& state) {
  if (!bits_) return;
  width = std::min(width, width_);
  height = std::min(height, height_);
  HDC dc = dc_.get();
  Fill(width, height, look.background);
  int32_t offset = 0;
  COLORREF lineColor = GetSysColor(COLOR_BTNFACE);
  if (ugly_) {
    RECT frame{0, 0, width, height};
    DrawEdge(dc, &frame, state.pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    lineColor = GetSysColor(COLOR_3DDKSHADOW);
    offset = kUglyOffset;
  }
  GdiFlush();  // the pixels are touched directly from here on
  if (state.line) CountdownLine(*state.line, 2 * offset, height - 2 * offset, lineColor, look.background);
  if (ugly_ && state.focused) {
    RECT focus{3, 3, width - 3, height - 3};
    DrawFocusRect(dc, &focus);
    GdiFlush();
  }
  Icon(state.icon, offset + kIconOffset, offset + kIconOffset);

  const std::wstring shown = caption.substr(0, kBoxCaptionLimit);
  RECT measure{0, 0, 0, 0};
  DrawTextW(dc, shown.c_str(), int(shown.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
  const int32_t x = (width - (measure.right - measure.left) - kCaptionRoom) / 2 + kCaptionShift;
  const int32_t y = offset + kCaptionTop;
  const auto text = [&](int32_t dx, COLORREF color) {
    SetTextColor(dc, color);
    RECT r{x + dx, y + dx, width, height};
    DrawTextW(dc, shown.c_str(), int(shown.size()), &r, DT_SINGLELINE | DT_NOCLIP);
  };
  if (state.disabled) {
    text(1, RGB(255, 255, 255));
    text(0, GetSysColor(COLOR_3DDKSHADOW));
  } else {
    text(0, look.text);
  }
  BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

void TBoxButtonPainter::PaintBigIcon(HDC target) {
  const int32_t size = TBoxIcons::Size(kBoxBig);
  if (!bits_ || size > width_ || size > height_) return;
  Fill(size, size, GetSysColor(COLOR_BTNFACE));
  GdiFlush();
  Icon(kBoxBig, 0, 0);
  BitBlt(target, 0, 0, size, size, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace quor
