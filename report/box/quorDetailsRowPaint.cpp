#include "report/box/quorDetailsRowPaint.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "report/box/quorDetailsColours.h"

namespace quor {
namespace {

// Cell text placement inside its column.
constexpr int kCellInset = 4;
constexpr int kFirstCellInset = 6;
constexpr int kTextTop = 2;
// A ">>" row's text starts after ">> " and runs across the row.
constexpr size_t kSectionMarkLength = 3;
constexpr int kSectionTextRightInset = 4;
constexpr int kSectionLineHeight = 2;
constexpr COLORREF kCellTextColour = 0x000000;

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, std::string_view text, RECT r, UINT format) {
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX | format);
}

// The columns' left edges and widths in their display order.
struct TColumnSpan {
  size_t Column;
  int Left, Right;
};

std::vector<TColumnSpan> ColumnSpans(HWND list, size_t count, int left) {
  std::vector<int> order(count);
  if (!SendMessageW(list, LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order.data())))
    for (size_t i = 0; i < count; ++i) order[i] = static_cast<int>(i);
  std::vector<TColumnSpan> spans;
  for (const int c : order) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    spans.push_back({static_cast<size_t>(c), left, left + width});
    left += width;
  }
  return spans;
}

// Paints the row into `dc`, whose coordinates are the list's.
void PaintRow(HDC dc, const DRAWITEMSTRUCT& item, const TDetailsView& view, HFONT bold, bool lowColour) {
  const size_t index = item.itemID;
  const TDetailsRow& row = view.Rows[index];
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const TRowPaint paint{selected, lowColour};
  const base::Selection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kCellTextColour);

  const std::vector<TColumnSpan> spans = ColumnSpans(item.hwndItem, view.Columns.size(), r.left);
  const bool heading = IsSectionLine(row.Text);
  int right = r.left;
  for (const TColumnSpan& s : spans) {
    const RECT cell{s.Left, r.top, s.Right, r.bottom};
    Fill(dc, cell, CellBackground(row.Colour, s.Column, view.Columns.size(), paint));
    right = std::max(right, s.Right);
    if (heading || s.Column >= row.Cells.size()) continue;
    const std::string& text = row.Cells[s.Column];
    const int inset = s.Column == 0 ? kFirstCellInset : kCellInset;
    const RECT place{cell.left + inset, cell.top + kTextTop, cell.right - kCellInset, cell.bottom};
    Text(dc, text, place,
         (view.Columns[s.Column].RightAligned ? DT_RIGHT : DT_LEFT) |
             (IsPathCell(text) ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS));
  }
  if (right < r.right) Fill(dc, {right, r.top, r.right, r.bottom}, CellBackground(kWhiteRowColour, 0, 1, paint));

  if (heading) {
    const std::string_view text = std::string_view(row.Text).substr(std::min(kSectionMarkLength, row.Text.size()));
    const RECT place{r.left + kFirstCellInset, r.top + kTextTop, r.right - kSectionTextRightInset, r.bottom};
    if (row.SectionStart) {
      const base::Selection boldFont(dc, bold);
      Text(dc, text, place, DT_LEFT | DT_END_ELLIPSIS);
      Fill(dc, {r.left, r.bottom - kSectionLineHeight, r.right, r.bottom},
           selected ? kSelectedSectionLineColour : kSectionLineColour);
    } else {
      SetTextColor(dc, kSectionTextColour);
      Text(dc, text, place, DT_LEFT | DT_END_ELLIPSIS);
    }
  }

  if (selected) {
    Frame(dc, r, SelectionFrame(lowColour));
  } else if (index + 1 == view.Rows.size() || view.Rows[index + 1].SectionStart) {
    Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, RowEndLine(lowColour));
  }
}

}  // namespace

HDC TRowBuffer::Prepare(HDC screen, int width, int height) {
  if (!dc_) dc_.reset(CreateCompatibleDC(screen));
  if (!dc_) return nullptr;
  if (!bitmap_ || width > width_ || height > height_) {
    selection_.reset();
    width_ = std::max(width, width_);
    height_ = std::max(height, height_);
    bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
    if (!bitmap_) return nullptr;
    selection_ = std::make_unique<base::Selection>(dc_.get(), bitmap_.get());
  }
  return dc_.get();
}

void PaintDetailsRow(const DRAWITEMSTRUCT& item, const TDetailsView& view, HFONT bold, TRowBuffer& buffer) {
  if (item.itemID >= view.Rows.size()) return;
  const RECT& r = item.rcItem;
  const int width = r.right - r.left, height = r.bottom - r.top;
  const bool lowColour = GetDeviceCaps(item.hDC, BITSPIXEL) * GetDeviceCaps(item.hDC, PLANES) < kLowColourBits;
  // Wine: every drawing call on a window DC is a request to the X server;
  // the row is drawn off-screen and copied in one.
  HDC offScreen = buffer.Prepare(item.hDC, width, height);
  if (!offScreen) {
    PaintRow(item.hDC, item, view, bold, lowColour);
    return;
  }
  SetViewportOrgEx(offScreen, -r.left, -r.top, nullptr);
  PaintRow(offScreen, item, view, bold, lowColour);
  BitBlt(item.hDC, r.left, r.top, width, height, offScreen, r.left, r.top, SRCCOPY);
}

}  // namespace quor
