#include "tests/report/box/BoxFixture.h"

#include <atomic>
#include <cstdio>
#include <thread>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "report/box/quorBoxWindow.h"
#include "report/box/quorPresentException.h"
#include "report/screenshot/quorColorPng.h"

namespace quortest {

FakeBoxException::FakeBoxException() {
  HRSRC info = FindResourceW(nullptr, L"TQUOREXCEPT", MAKEINTRESOURCEW(10));  // RT_RCDATA
  const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
  const std::string resource(data, info ? SizeofResource(nullptr, info) : 0);
  module_ = host_.Settings(0x400000, resource);
  settings_ = quor::QuorPtr<quor::TIQuorSettings>(new quor::TIQuorSettings(host_, module_));
}

void FakeBoxException::RegisterReportChanged(quor::TBoxReportChanged callback, void* context) {
  const std::lock_guard lock(callbackLock_);
  callback_ = callback;
  context_ = context;
  registered = true;
}

void FakeBoxException::UnregisterReportChanged(quor::TBoxReportChanged, void*) {
  const std::lock_guard lock(callbackLock_);
  callback_ = nullptr;
  registered = false;
  windowAliveAtUnregister = FindWindowW(quor::kBoxWindowClass, nullptr) != nullptr;
}

void FakeBoxException::ChangeReport() {
  const std::lock_guard lock(callbackLock_);
  if (callback_) callback_(context_);
}

void RunWithUser(FakeBoxException& exception, quor::TBoxKind kind, const std::function<void()>& user) {
  std::atomic<bool> finished{false};
  std::thread player([&] {
    user();
    while (!finished) {
      if (HWND box = FindWindowW(quor::kBoxWindowClass, nullptr)) CloseFromOutside(box);
      Sleep(50);
    }
  });
  quor::RunExceptionBox(exception, kind, false);
  finished = true;
  player.join();
}

HWND WaitForBox(HWND other, int ms) {
  for (int waited = 0; waited < ms; waited += 10) {
    HWND h = FindWindowW(quor::kBoxWindowClass, nullptr);
    if (h && h != other && IsWindowVisible(h)) return h;
    Sleep(10);
  }
  return nullptr;
}

bool WaitUntilGone(HWND window, int ms) {
  for (int waited = 0; waited < ms; waited += 10) {
    if (!IsWindow(window)) return true;
    Sleep(10);
  }
  return false;
}

void CloseFromOutside(HWND box) { PostMessageW(box, WM_NULL, quor::kBoxCloseParam, quor::kBoxCloseParam); }

HWND Button(HWND box, int32_t index) { return GetDlgItem(box, quor::kBoxButtonId + index); }

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND FocusOf(HWND box) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
  return info.hwndFocus;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  RECT r;
  GetClientRect(window, &r);
  POINT p{x < 0 ? r.right + x : x, y};
  ClientToScreen(window, &p);
  const base::WindowDc screen(nullptr);
  return GetPixel(screen.get(), p.x, p.y);
}

void SaveScreenshot(HWND window, const char* name) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Sleep(300);
  // Wine: PrintWindow gives only the client area; the screen has the frame.
  const base::WindowDc screen(nullptr);
  const base::MemoryDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const base::GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return;
  {
    const base::Selection selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  const auto png = quor::ColorPng({uint32_t(w), uint32_t(h), static_cast<const uint8_t*>(bits)});
  if (png.status != quor::NVImageStatus::kOk) return;
  if (FILE* f = std::fopen(name, "wb")) {
    std::fwrite(png.bytes.data(), 1, png.bytes.size(), f);
    std::fclose(f);
  }
}

}  // namespace quortest
