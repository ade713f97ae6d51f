#include "report/box/quorDetailsView.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/WinAnsi.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"

namespace quor {
namespace {

// Room beside a cell's text: what the row painting leaves on either side,
// and a little air.
constexpr int kCellPadding = 4 + 4 + 4;
constexpr int kFirstCellPadding = 6 + 4 + 4;
constexpr int kHeaderTitlePadding = 14;

HWND CreateChild(const wchar_t* windowClass, DWORD style, HWND parent, const RECT& rect, HFONT font) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  HWND child = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// The advance widths of the 256 single-byte characters in the selected font:
// a text's width is their sum, so measuring a column of 20,000 cells costs
// no more than reading them.
class TCharWidths {
public:
  explicit TCharWidths(HDC dc) {
    if (!GetCharWidth32A(dc, 0, kCount - 1, widths_)) std::fill(std::begin(widths_), std::end(widths_), 0);
  }
  [[nodiscard]] int Of(std::string_view text) const {
    int width = 0;
    for (const char c : text) width += widths_[static_cast<unsigned char>(c)];
    return width;
  }

private:
  static constexpr UINT kCount = 256;
  int widths_[kCount];
};

int WidestCell(const TCharWidths& widths, const TDetailsView& view, size_t column) {
  int widest = 0;
  for (const TDetailsRow& row : view.Rows)
    if (column < row.Cells.size()) widest = std::max(widest, widths.Of(row.Cells[column]));
  return widest;
}

void InsertColumns(HWND list, const TDetailsView& view, HFONT font) {
  const base::WindowDc dc(list);
  const base::Selection selected(dc.get(), font);
  const TCharWidths widths(dc.get());
  for (size_t i = 0; i < view.Columns.size(); ++i) {
    int width = WidestCell(widths, view, i) + (i == 0 ? kFirstCellPadding : kCellPadding);
    if (!view.HideHeaders) width = std::max(width, widths.Of(view.Columns[i].Title) + kHeaderTitlePadding);
    std::wstring title = base::AnsiToWide(view.Columns[i].Title);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
    column.fmt = view.Columns[i].RightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = width;
    column.pszText = title.data();
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

template <class DisplayInfo, class Copy>
void FillText(DisplayInfo& info, const TDetailsView& view, Copy copy) {
  auto& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  item.pszText[0] = 0;
  const auto row = static_cast<size_t>(item.iItem), column = static_cast<size_t>(item.iSubItem);
  if (row < view.Rows.size() && column < view.Rows[row].Cells.size()) copy(view.Rows[row].Cells[column], item);
}

}  // namespace

HWND CreateDetailsList(HWND parent, const RECT& rect, const TDetailsView& view, HFONT font, HIMAGELIST images) {
  const DWORD style = WS_BORDER | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                      LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | LVS_OWNERDATA | LVS_SHAREIMAGELISTS |
                      (view.HideHeaders ? LVS_NOCOLUMNHEADER : LVS_NOSORTHEADER);
  HWND list = CreateChild(WC_LISTVIEWW, style, parent, rect, font);
  if (!list) return nullptr;
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  InsertColumns(list, view, font);
  SendMessageW(list, LVM_SETITEMCOUNT, view.Rows.size(), 0);
  return list;
}

bool AnswerItemText(const NMHDR& header, const TDetailsView& view) {
  if (header.code == LVN_GETDISPINFOW) {
    FillText(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)), view,
             [](const std::string& cell, LVITEMW& item) {
               // A longer cell is cut: the conversion fails rather than cut it.
               const int bytes = static_cast<int>(std::min(cell.size(), static_cast<size_t>(item.cchTextMax - 1)));
               const int n = MultiByteToWideChar(CP_ACP, 0, cell.data(), bytes, item.pszText, item.cchTextMax - 1);
               item.pszText[n] = 0;
             });
    return true;
  }
  if (header.code == LVN_GETDISPINFOA) {
    FillText(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)), view,
             [](const std::string& cell, LVITEMA& item) {
               const size_t n = std::min(cell.size(), static_cast<size_t>(item.cchTextMax - 1));
               cell.copy(item.pszText, n);
               item.pszText[n] = 0;
             });
    return true;
  }
  return false;
}

HWND CreateDetailsEdit(HWND parent, const RECT& rect, std::string_view text, HFONT font) {
  HWND edit = CreateChild(L"EDIT", WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                          parent, rect, font);
  if (!edit) return nullptr;
  // Windows: a multi-line edit holds 32 KB unless told otherwise; 0 is the most it can.
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(base::AnsiToWide(text).c_str()));
  return edit;
}

}  // namespace quor
