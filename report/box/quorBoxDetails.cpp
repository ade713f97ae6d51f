// Placeholder of the details view: an empty tab control of the right size,
// so the resizable box has its lower half. The real view replaces this file.
#include "report/box/quorBoxDetails.h"

#include <commctrl.h>

namespace quor {

TBoxDetails::TBoxDetails(HWND box, const RECT& rect, HFONT normalFont, HFONT /*fixedFont*/) {
  tabs_.reset(CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, box, nullptr, GetModuleHandleW(nullptr),
                              nullptr));
  SendMessageW(tabs_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont), FALSE);
}

TBoxDetails::~TBoxDetails() = default;

void TBoxDetails::Update(const std::vector<TBoxReportPart>&, const std::vector<TBoxReportPart>&) {}

void TBoxDetails::Grow(int dx, int dy) {
  RECT r;
  GetWindowRect(tabs_.get(), &r);
  SetWindowPos(tabs_.get(), nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy, SWP_NOMOVE | SWP_NOZORDER);
}

bool TBoxDetails::OwnsWindow(HWND window) const { return window == tabs_.get() || IsChild(tabs_.get(), window); }

HWND TBoxDetails::TabControl() const { return tabs_.get(); }

bool TBoxDetails::Notify(const NMHDR&) { return false; }

}  // namespace quor
