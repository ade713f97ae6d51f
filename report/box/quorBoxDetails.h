// The details view of the resizable exception box: a tab control with one
// tab per part of the report and a view of the current tab's text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/WinUser.h"

namespace quor {

struct TBoxReportPart {
  std::string Name, Text;
};  // header field: name/value; section: name/text

class TBoxDetails {
public:
  // Creates the tab control (child of `box`, at `rect` in box client coordinates) and its
  // first view. The fonts belong to the box and outlive this object.
  TBoxDetails(HWND box, const RECT& rect, HFONT normalFont, HFONT fixedFont);
  ~TBoxDetails();  // destroys the details control and the tab control
  TBoxDetails(const TBoxDetails&) = delete;
  TBoxDetails& operator=(const TBoxDetails&) = delete;
  // Recomputes the tabs and the current tab's view (rebuilt only when tab or text changed).
  void Update(const std::vector<TBoxReportPart>& header, const std::vector<TBoxReportPart>& sections);
  // The resizable box grew by dx, dy: widen/heighten the tab control and the view.
  void Grow(int dx, int dy);
  // True for the details control or any of its children: the box's loop does not pass
  // their messages through IsDialogMessage.
  [[nodiscard]] bool OwnsWindow(HWND window) const;
  [[nodiscard]] HWND TabControl() const;
  // WM_NOTIFY from the tab control, forwarded by the box: true when handled.
  bool Notify(const NMHDR& header);

private:
  base::WindowHandle tabs_;
};

}  // namespace quor
