// Window painting: a control whose painting throws releases the paint's
// memory DC and bitmap, ends the paint, and hands the exception to the
// application's exception handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "toolkit/Forms.h"
#include "toolkit/Seams.h"

namespace {

// Throws from its first paint; remembers the DC and bitmap it painted into.
class TThrowingForm : public tk::TForm {
public:
  using TForm::TForm;
  int Paints = 0;
  HDC PaintedDc = nullptr;
  HGDIOBJ PaintedBitmap = nullptr;

protected:
  bool PaintWindow(HDC dc) override {
    ++Paints;
    PaintedDc = dc;
    PaintedBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (Paints == 1) throw std::runtime_error("painting failed");
    return TForm::PaintWindow(dc);
  }
};

std::string g_handled;

bool RecordException(const void*, const char* senderClass, std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    g_handled = std::string(senderClass) + ": " + e.what();
  }
  return true;
}

void PumpMessages(DWORD forMs) {
  const DWORD end = GetTickCount() + forMs;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

TEST(WindowPainting, ThrowingPaintReleasesItsObjectsAndEndsThePaint) {
  tk::TApplication application;
  tk::seams::applicationHandleException = &RecordException;
  {
    TThrowingForm form(nullptr);
    form.SetClientSize(120, 80);
    form.HandleNeeded();
    const DWORD before = GdiObjects();
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(form.Handle());

    ASSERT_EQ(form.Paints, 1);
    EXPECT_EQ(g_handled, "TForm: painting failed");
    // Wine: GetGuiResources answers 0, so the paint's own DC and bitmap are
    // looked at too: both are deleted once the throw has passed.
    EXPECT_EQ(GetObjectType(form.PaintedDc), 0u);
    EXPECT_EQ(GetObjectType(form.PaintedBitmap), 0u);
    EXPECT_EQ(GdiObjects(), before);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(form.Handle(), &update, FALSE));
    PumpMessages(200);
    EXPECT_EQ(form.Paints, 1) << "WM_PAINT came again: the paint was not ended";
  }
  tk::seams::applicationHandleException = nullptr;
}

}  // namespace
