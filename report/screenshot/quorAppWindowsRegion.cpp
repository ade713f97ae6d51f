#include "report/screenshot/quorAppWindowsRegion.h"

#include <vector>

namespace quor {
namespace {

// A window that can cover or be seen: shown and not minimised, with a
// non-empty rectangle.
// Wine: keeps hidden top-level windows of its own (clipboard manager,
// message windows) in the z-order, so a hidden window must cover nothing.
bool ShowsRect(HWND window, RECT& rect) {
  return IsWindowVisible(window) && !IsIconic(window) && GetWindowRect(window, &rect) && !IsRectEmpty(&rect);
}

struct TShownWindow {
  RECT rect;
  bool own;
};

BOOL CALLBACK CollectShown(HWND window, LPARAM list) {
  RECT rect;
  if (ShowsRect(window, rect)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    reinterpret_cast<std::vector<TShownWindow>*>(list)->push_back({rect, process == GetCurrentProcessId()});
  }
  return TRUE;
}

base::GdiObject<HRGN> EmptyRegion() { return base::GdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0)); }

}  // namespace

std::optional<TAppWindowsRegion> VisibleAppWindows(const RECT& area) {
  std::vector<TShownWindow> shown;  // top of the z-order first
  EnumWindows(&CollectShown, reinterpret_cast<LPARAM>(&shown));

  RECT bounds{};
  for (const TShownWindow& w : shown)
    if (w.own) UnionRect(&bounds, &bounds, &w.rect);
  if (!IntersectRect(&bounds, &bounds, &area)) return std::nullopt;

  base::GdiObject<HRGN> visible = EmptyRegion(), cover = EmptyRegion(), part = EmptyRegion();
  if (!visible || !cover || !part) return std::nullopt;
  for (const TShownWindow& w : shown) {
    const base::GdiObject<HRGN> rect(CreateRectRgnIndirect(&w.rect));
    if (!rect) return std::nullopt;
    if (w.own && CombineRgn(part.get(), rect.get(), cover.get(), RGN_DIFF) != ERROR)
      CombineRgn(visible.get(), visible.get(), part.get(), RGN_OR);
    CombineRgn(cover.get(), cover.get(), rect.get(), RGN_OR);
  }
  const base::GdiObject<HRGN> areaRegion(CreateRectRgnIndirect(&bounds));
  if (!areaRegion || CombineRgn(visible.get(), visible.get(), areaRegion.get(), RGN_AND) <= NULLREGION)
    return std::nullopt;
  OffsetRgn(visible.get(), -bounds.left, -bounds.top);
  return TAppWindowsRegion{bounds, std::move(visible)};
}

}  // namespace quor
