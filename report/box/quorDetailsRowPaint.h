// Paints one row of the details list (WM_DRAWITEM of an owner-drawn list):
// tinted cells, shortened texts, ">>" rows as headings across the row.
#pragma once

#include <windows.h>

#include "report/box/quorDetailsModel.h"

namespace quor {

// `bold`: the list's font in bold, for section starts.
void PaintDetailsRow(const DRAWITEMSTRUCT& item, const TDetailsView& view, HFONT bold);

}  // namespace quor
