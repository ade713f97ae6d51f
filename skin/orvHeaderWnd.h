// The skinner of a list view's column header: every column painted with the
// "COLHEADER" section (a skin without one: "BUTTON") in its state (hot under the pointer, pressed while
// clicked), its text in the header's font and the sort arrow the column
// asks for. Clicks, resizing and dragging stay the header's own.
#pragma once

#include "skin/orvDialogChildren.h"

namespace skin {

class TorvHeaderWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvHeaderWnd() override;
  // "COLHEADER", or "BUTTON" for a skin without it.
  void ChooseSection();

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24& bmp) override;

private:
  void PaintColumn(TsBitmap24& bmp, int32_t index, const TCacheInfo& bg);
  // The column under a client point and whether it is on a column's body
  // (not on a divider); -1 for none.
  int32_t ColumnAt(LPARAM point, bool* onBody) const;
  void SetHot(int32_t column);
  int32_t hot_ = -1, pressed_ = -1;
};

// A list view's skinner: the frame and scroll bars of an edit, and its
// column header skinned as soon as the list view has one.
class TorvListViewWnd : public TorvEditWnd {
public:
  using TorvEditWnd::TorvEditWnd;
  ~TorvListViewWnd() override;
  [[nodiscard]] TorvHeaderWnd* HeaderSkinner() const { return header_.get(); }

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void SkinHeader();
  std::unique_ptr<TorvHeaderWnd> header_;
};

}  // namespace skin
