// The two forms of a details tab's view on the screen: the list of columns
// and rows, or the raw text in a read-only edit.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string_view>

#include "report/box/quorDetailsModel.h"

namespace quor {

// A report-view list, owner-drawn by its parent, its columns as wide as
// their widest cell. Its items are the model's rows: the list asks its
// parent for their texts (AnswerItemText), so a report of any size shows at
// once and LVM_GETITEMTEXT (what automation reads) answers every cell.
// `images`: the small-image list; it stays the caller's.
[[nodiscard]] HWND CreateDetailsList(HWND parent, const RECT& rect, const TDetailsView& view, HFONT font,
                                     HIMAGELIST images);

// Answers the list's LVN_GETDISPINFO (either character width) with the cell
// of `view`; false for other notifications.
bool AnswerItemText(const NMHDR& header, const TDetailsView& view);

// A read-only multi-line edit showing `text`.
[[nodiscard]] HWND CreateDetailsEdit(HWND parent, const RECT& rect, std::string_view text, HFONT font);

}  // namespace quor
