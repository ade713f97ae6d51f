// Counts the drawing calls this program makes into windows: the program's
// own import table entries of the GDI and USER drawing functions are pointed
// at counters for as long as the counter lives. A call counts for the window
// its device context belongs to (memory device contexts belong to none),
// client and non-client area alike, and leaves the pixels it could reach:
// its target rectangle within the device context's clipping and visible
// region, in window coordinates.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "base/WinGdiObject.h"

class GdiDrawCounter {
public:
  GdiDrawCounter() {
    Self() = this;
    Patch("gdi32.dll", "BitBlt", reinterpret_cast<void*>(&CountBitBlt), reinterpret_cast<void**>(&bitBlt_));
    Patch("gdi32.dll", "SetDIBitsToDevice", reinterpret_cast<void*>(&CountSetDIBits),
          reinterpret_cast<void**>(&setDIBits_));
    Patch("gdi32.dll", "StretchDIBits", reinterpret_cast<void*>(&CountStretchDIBits),
          reinterpret_cast<void**>(&stretchDIBits_));
    Patch("gdi32.dll", "StretchBlt", reinterpret_cast<void*>(&CountStretchBlt), reinterpret_cast<void**>(&stretchBlt_));
    Patch("user32.dll", "FillRect", reinterpret_cast<void*>(&CountFillRect), reinterpret_cast<void**>(&fillRect_));
  }
  ~GdiDrawCounter() {
    for (const Redirect& p : patched_) Write(p.slot, p.original);
    Self() = nullptr;
  }
  GdiDrawCounter(const GdiDrawCounter&) = delete;
  GdiDrawCounter& operator=(const GdiDrawCounter&) = delete;

  // Drawing calls into each window since the last Clear.
  const std::map<HWND, int>& Draws() const { return draws_; }
  int DrawsInto(HWND h) const {
    const auto it = draws_.find(h);
    return it == draws_.end() ? 0 : it->second;
  }
  // The rectangles drawn into a window since the last Clear, in window
  // coordinates; a pixel drawn twice is in two of them.
  std::vector<RECT> AreasOf(HWND h) const {
    const auto it = areas_.find(h);
    return it == areas_.end() ? std::vector<RECT>{} : it->second;
  }
  void Clear() {
    draws_.clear();
    areas_.clear();
  }
  // How many import entries were redirected (0: the program calls none of them).
  size_t Patched() const { return patched_.size(); }

private:
  struct Redirect {
    void** slot;
    void* original;
  };

  static GdiDrawCounter*& Self() {
    static GdiDrawCounter* self = nullptr;
    return self;
  }
  static void Count(HDC dc, int x, int y, int w, int h) {
    if (!Self()) return;
    HWND window = WindowFromDC(dc);
    if (!window) return;
    ++Self()->draws_[window];
    // The target in device units, cut by the clipping region (device units)
    // and the visible region (screen coordinates), then moved into window
    // coordinates.
    POINT corners[2] = {{x, y}, {x + w, y + h}};
    LPtoDP(dc, corners, 2);
    POINT origin{};
    GetDCOrgEx(dc, &origin);
    RECT outer{};
    GetWindowRect(window, &outer);
    const base::GdiObject<HRGN> area(CreateRectRgn(std::min(corners[0].x, corners[1].x), std::min(corners[0].y, corners[1].y),
                                                   std::max(corners[0].x, corners[1].x), std::max(corners[0].y, corners[1].y)));
    const base::GdiObject<HRGN> cut(CreateRectRgn(0, 0, 0, 0));
    if (GetClipRgn(dc, cut.get()) == 1) CombineRgn(area.get(), area.get(), cut.get(), RGN_AND);
    OffsetRgn(area.get(), origin.x, origin.y);
    if (GetRandomRgn(dc, cut.get(), SYSRGN) == 1) CombineRgn(area.get(), area.get(), cut.get(), RGN_AND);
    OffsetRgn(area.get(), -outer.left, -outer.top);
    const DWORD bytes = GetRegionData(area.get(), 0, nullptr);
    std::vector<char> data(bytes);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (!bytes || !GetRegionData(area.get(), bytes, rgn)) return;
    const auto* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    std::vector<RECT>& drawn = Self()->areas_[window];
    drawn.insert(drawn.end(), rects, rects + rgn->rdh.nCount);
  }
  static BOOL WINAPI CountBitBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, DWORD rop) {
    Count(d, x, y, w, h);
    return Self()->bitBlt_(d, x, y, w, h, s, sx, sy, rop);
  }
  static int WINAPI CountSetDIBits(HDC d, int x, int y, DWORD w, DWORD h, int sx, int sy, UINT start, UINT lines,
                                   const VOID* bits, const BITMAPINFO* bi, UINT use) {
    Count(d, x, y, static_cast<int>(w), static_cast<int>(h));
    return Self()->setDIBits_(d, x, y, w, h, sx, sy, start, lines, bits, bi, use);
  }
  static int WINAPI CountStretchDIBits(HDC d, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                                       const VOID* bits, const BITMAPINFO* bi, UINT use, DWORD rop) {
    Count(d, x, y, w, h);
    return Self()->stretchDIBits_(d, x, y, w, h, sx, sy, sw, sh, bits, bi, use, rop);
  }
  static BOOL WINAPI CountStretchBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, int sw, int sh,
                                     DWORD rop) {
    Count(d, x, y, w, h);
    return Self()->stretchBlt_(d, x, y, w, h, s, sx, sy, sw, sh, rop);
  }
  static int WINAPI CountFillRect(HDC d, const RECT* r, HBRUSH b) {
    Count(d, r->left, r->top, r->right - r->left, r->bottom - r->top);
    return Self()->fillRect_(d, r, b);
  }

  static void Write(void** slot, void* value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), old, &old);
  }

  // Points every import entry of the program that holds dll!name at hook.
  void Patch(const char* dll, const char* name, void* hook, void** original) {
    void* target = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name));
    *original = target;
    auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!target || !dir.VirtualAddress) return;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d)
      for (auto** slot = reinterpret_cast<void**>(base + d->FirstThunk); *slot; ++slot)
        if (*slot == target) {
          patched_.push_back({slot, target});
          Write(slot, hook);
        }
  }

  std::vector<Redirect> patched_;
  std::map<HWND, int> draws_;
  std::map<HWND, std::vector<RECT>> areas_;
  decltype(&BitBlt) bitBlt_ = nullptr;
  decltype(&SetDIBitsToDevice) setDIBits_ = nullptr;
  decltype(&StretchDIBits) stretchDIBits_ = nullptr;
  decltype(&StretchBlt) stretchBlt_ = nullptr;
  decltype(&FillRect) fillRect_ = nullptr;
};
