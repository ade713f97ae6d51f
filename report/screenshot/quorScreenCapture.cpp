// CaptureScreen: the virtual screen, or the visible parts of the process's
// own windows on white, with the mouse cursor drawn in.
#include <optional>

#include "base/WinGdiObject.h"
#include "report/screenshot/quorAppWindowsRegion.h"
#include "report/screenshot/quorMouseCursor.h"
#include "report/screenshot/quorNVBitmap.h"
#include "report/screenshot/quorTINVBitmap.h"

namespace quor {
namespace {

// All monitors together, or the primary display where the system counts
// none.
RECT ScreenArea() {
  if (GetSystemMetrics(SM_CMONITORS) > 0) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  }
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

uint32_t Side(LONG from, LONG to) { return to > from ? uint32_t(to - from) : 0; }

// The cursor's drawing leaves alpha values in the unused bytes of its
// pixels; readers that take a 32-bit BMP's fourth byte for alpha would then
// show the rest of the picture as transparent.
void ClearUnusedBytes(TINVBitmap& bitmap) {
  uint8_t* p = bitmap.Bits();
  const size_t pixels = size_t(bitmap.Width()) * bitmap.Height();
  for (size_t i = 0; i < pixels; ++i) p[i * kNVBytesPerPixel + kNVUnused] = 0;
}

}  // namespace

std::unique_ptr<INVBitmap> CaptureScreen(bool appOnly) {
  // DeleteDC releases a DC from CreateDC as it does a memory DC.
  const base::MemoryDc display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
  if (!display) return nullptr;
  RECT picture = ScreenArea();
  std::optional<TAppWindowsRegion> app;
  if (appOnly) {
    app = VisibleAppWindows(picture);
    if (!app) return nullptr;
    picture = app->bounds;
  }
  std::unique_ptr<TINVBitmap> bitmap =
      TINVBitmap::Create(Side(picture.left, picture.right), Side(picture.top, picture.bottom));
  if (!bitmap) return nullptr;
  const HDC dc = bitmap->Dc();
  const int width = int(bitmap->Width()), height = int(bitmap->Height());
  if (app) {
    if (!PatBlt(dc, 0, 0, width, height, WHITENESS) || SelectClipRgn(dc, app->region.get()) == ERROR) return nullptr;
  }
  const bool copied = BitBlt(dc, 0, 0, width, height, display.get(), picture.left, picture.top, SRCCOPY);
  if (app) SelectClipRgn(dc, nullptr);
  if (!copied) return nullptr;
  // The cursor lands where the user saw it, also in a picture of the
  // application's windows, which starts at their bounds.
  DrawMouseCursor(dc, {picture.left, picture.top});
  ClearUnusedBytes(*bitmap);
  return bitmap;
}

}  // namespace quor
