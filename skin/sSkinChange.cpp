#include "skin/sSkinChange.h"

#include "base/WinGdiObject.h"
#include "base/WinPaint.h"
#include "base/WinWindowDc.h"
#include "skin/sAlphaGraph.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinChangeFrames.h"
#include "skin/sSkinProvider.h"
#include "skin/sWindowPicture.h"

namespace skin {

namespace {

constexpr wchar_t kOutputClass[] = L"TorvOutputWindow";

// The output window shows the bitmap its user data points at, also when
// the system asks it to repaint between two frames.
LRESULT CALLBACK OutputProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const base::PaintScope paint(h);
      if (auto* picture = reinterpret_cast<const TsBitmap24*>(GetWindowLongPtrW(h, GWLP_USERDATA)))
        CopyCacheToDC(*picture, paint.dc(), 0, 0);
      return 0;
    }
    default:
      return DefWindowProcW(h, msg, wParam, lParam);
  }
}

void RegisterOutputClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OutputProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kOutputClass;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
}

// Over a child form as its sibling, over a top-level form just above it.
HWND CreateOutputWindow(HWND form, const RECT& screenRect) {
  RegisterOutputClass();
  const HWND parent = (GetWindowLongW(form, GWL_STYLE) & WS_CHILD) ? GetParent(form) : nullptr;
  RECT r = screenRect;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  const DWORD style = parent ? WS_CHILD : WS_POPUP;
  const DWORD exStyle = parent ? 0 : WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  HWND out = CreateWindowExW(exStyle, kOutputClass, kOutputWindowCaption, style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!out) return nullptr;
  const HWND above = GetWindow(form, GW_HWNDPREV);
  SetWindowPos(out, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return out;
}

void Show(HWND out, const TsBitmap24& picture) {
  SetWindowLongPtrW(out, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&picture));
  CopyCacheToDC(picture, base::WindowDc(out).get(), 0, 0);
}

void RunPendingPaints() {
  MSG m;
  while (PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&m);
}

void RedrawForm(HWND form) {
  SendMessageW(form, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(form, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

void AnimateSkinChange(HWND form, uint16_t timeMs) {
  RECT r;
  if (!IsWindow(form) || !GetWindowRect(form, &r) || r.right <= r.left || r.bottom <= r.top) {
    RedrawForm(form);
    return;
  }
  TsBitmap24 oldPicture(r.right - r.left, r.bottom - r.top);
  {
    TsDibCanvas canvas(oldPicture);
    const base::WindowDc screen(nullptr);
    BitBlt(canvas.DC(), 0, 0, oldPicture.Width(), oldPicture.Height(), screen.get(), r.left, r.top, SRCCOPY);
  }
  HWND out = CreateOutputWindow(form, r);
  if (!out) {
    RedrawForm(form);
    return;
  }
  Show(out, oldPicture);
  ShowWindow(out, SW_SHOWNOACTIVATE);
  // A skinned frame is painted by the form's provider, with the form's new
  // shape on the output window; a system frame stays as the screen showed it.
  TsBitmap24 newPicture = oldPicture;
  PaintWindowPicture(form, newPicture);
  if (TsSkinProvider* provider = ProviderOf(form)) {
    provider->PaintFrameInto(newPicture);
    const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(form, shape.get()) != ERROR) {
      base::GdiObject<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
      CombineRgn(copy.get(), shape.get(), nullptr, RGN_COPY);
      // The system owns the region once it is set.
      if (SetWindowRgn(out, copy.get(), FALSE)) copy.release();
    }
  }
  TsBitmap24 frame;
  for (uint8_t alpha : SkinChangeAlphas(timeMs)) {
    BlendBitmaps(frame, oldPicture, newPicture, alpha);
    Show(out, frame);
    RunPendingPaints();
    Sleep(kSkinChangeFrameMs);
  }
  Show(out, newPicture);
  RedrawForm(form);
  DestroyWindow(out);
}

}  // namespace skin
