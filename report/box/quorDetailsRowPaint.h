// Paints one row of the details list (WM_DRAWITEM of an owner-drawn list):
// tinted cells, shortened texts, ">>" rows as headings across the row.
#pragma once

#include <windows.h>

#include <memory>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "report/box/quorDetailsModel.h"

namespace quor {

// The off-screen row, kept from row to row.
// Wine: creating and deleting a memory DC and its bitmap costs more than
// painting the row itself (about a millisecond each time).
class TRowBuffer {
public:
  // A memory DC with a bitmap of at least `width` x `height`; null when
  // the system has none to give.
  [[nodiscard]] HDC Prepare(HDC screen, int width, int height);

private:
  base::MemoryDc dc_;
  base::GdiObject<HBITMAP> bitmap_;
  std::unique_ptr<base::Selection> selection_;  // ends before the bitmap is deleted
  int width_ = 0, height_ = 0;
};

// `bold`: the list's font in bold, for section starts.
void PaintDetailsRow(const DRAWITEMSTRUCT& item, const TDetailsView& view, HFONT bold, TRowBuffer& buffer);

}  // namespace quor
