// The details view of the exception box: a tab control with one tab per
// part of the report ("general", the call stacks, each further section) and
// below it the current tab as an owner-drawn list (or the raw text in a
// read-only edit when the text has no columns).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/Owned.h"
#include "base/WinGdiObject.h"
#include "base/WinSubclass.h"
#include "base/WinUser.h"
#include "report/box/quorBoxReportPart.h"
#include "report/box/quorDetailsModel.h"
#include "report/box/quorDetailsRowPaint.h"
#include "report/box/quorDetailsTabs.h"

namespace quor {

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
  using ImageList = base::Owned<base::NullIsEmpty<HIMAGELIST, &ImageList_Destroy>>;

  static LRESULT CALLBACK TabProcedure(HWND tab, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  void SyncTabs(const std::vector<TDetailsTab>& wanted);
  void ShowCurrentTab();
  void BuildView(const TDetailsTab& tab, std::string text);
  [[nodiscard]] RECT ViewRect() const;
  void JumpToSelectedRow() const;

  HWND box_;
  HFONT normalFont_, fixedFont_;
  base::WindowHandle tab_;
  base::WindowSubclass subclass_;
  ImageList images_;             // the lists' empty small-image list: their row height
  base::GdiObject<HFONT> bold_;  // the list font in bold: section starts
  TRowBuffer rowBuffer_;
  base::WindowHandle view_;      // the list or the edit
  std::vector<TBoxReportPart> header_, sections_;
  std::vector<TDetailsTab> tabs_;
  TDetailsTab shownTab_;  // the tab the view shows, and its text
  std::string shownText_;
  TDetailsView model_;
};

}  // namespace quor
