#include "report/box/quorDetailsView.h"

#include <algorithm>
#include <string>

#include "base/WinAnsi.h"

namespace quor {
namespace {

// Room around a header title beside its text width.
constexpr int kHeaderTitlePadding = 14;

HWND CreateChild(const wchar_t* windowClass, DWORD style, HWND parent, const RECT& rect, HFONT font) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  HWND child = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void InsertColumns(HWND list, const TDetailsView& view) {
  for (size_t i = 0; i < view.Columns.size(); ++i) {
    std::wstring title = base::AnsiToWide(view.Columns[i].Title);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = view.Columns[i].RightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.pszText = title.data();
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void InsertRows(HWND list, const TDetailsView& view) {
  SendMessageW(list, LVM_SETITEMCOUNT, view.Rows.size(), 0);
  for (size_t r = 0; r < view.Rows.size(); ++r) {
    const TDetailsRow& row = view.Rows[r];
    for (size_t c = 0; c < row.Cells.size(); ++c) {
      if (c > 0 && row.Cells[c].empty()) continue;
      std::wstring text = base::AnsiToWide(row.Cells[c]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = text.data();
      SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
  }
}

// Wide enough for the widest cell, and for the title when headers show.
void SizeColumns(HWND list, const TDetailsView& view) {
  for (size_t i = 0; i < view.Columns.size(); ++i) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE);
    if (view.HideHeaders) continue;
    const std::wstring title = base::AnsiToWide(view.Columns[i].Title);
    const int titleWidth =
        static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(title.c_str())));
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
    if (titleWidth + kHeaderTitlePadding > width)
      SendMessageW(list, LVM_SETCOLUMNWIDTH, i, titleWidth + kHeaderTitlePadding);
  }
}

}  // namespace

HWND CreateDetailsList(HWND parent, const RECT& rect, const TDetailsView& view, HFONT font, HIMAGELIST images) {
  const DWORD style = WS_BORDER | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                      LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | LVS_SHAREIMAGELISTS |
                      (view.HideHeaders ? LVS_NOCOLUMNHEADER : LVS_NOSORTHEADER);
  HWND list = CreateChild(WC_LISTVIEWW, style, parent, rect, font);
  if (!list) return nullptr;
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  InsertColumns(list, view);
  InsertRows(list, view);
  SizeColumns(list, view);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  return list;
}

HWND CreateDetailsEdit(HWND parent, const RECT& rect, std::string_view text, HFONT font) {
  HWND edit = CreateChild(L"EDIT", WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                          parent, rect, font);
  if (!edit) return nullptr;
  // Windows: a multi-line edit holds 32 KB unless told otherwise; 0 is the most it can.
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(base::AnsiToWide(text).c_str()));
  return edit;
}

}  // namespace quor
