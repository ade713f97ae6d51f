// The two forms of a details tab's view on the screen: the list of columns
// and rows, or the raw text in a read-only edit.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string_view>

#include "report/box/quorDetailsModel.h"

namespace quor {

// A report-view list, owner-drawn by its parent, filled with the model's
// cells as item texts (automation reads them) and its columns auto-sized.
// `images`: the small-image list; it stays the caller's.
[[nodiscard]] HWND CreateDetailsList(HWND parent, const RECT& rect, const TDetailsView& view, HFONT font,
                                     HIMAGELIST images);

// A read-only multi-line edit showing `text`.
[[nodiscard]] HWND CreateDetailsEdit(HWND parent, const RECT& rect, std::string_view text, HFONT font);

}  // namespace quor
