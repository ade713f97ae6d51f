// Arbitrary report text through every formatter of the exception box's
// details view: each tab kind and each section with its own layout.
#include <cstddef>
#include <cstdint>
#include <string>

#include "report/box/quorDetailsFormat.h"
#include "report/box/quorDetectColumns.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  using quor::TDetailsTabKind;
  for (const TDetailsTabKind kind : {TDetailsTabKind::General, TDetailsTabKind::CallStack}) {
    const quor::TDetailsView v = quor::FormatDetails(kind, "", text);
    for (const quor::TDetailsRow& row : v.Rows)
      if (row.Cells.size() != v.Columns.size()) __builtin_trap();
  }
  for (const char* name : {"modules", "cpu registers", "stack dump", "processes", "disassembling", "hardware"}) {
    const quor::TDetailsView v = quor::FormatDetails(TDetailsTabKind::Section, name, text);
    for (const quor::TDetailsRow& row : v.Rows)
      if (row.Cells.size() != v.Columns.size()) __builtin_trap();
  }
  (void)quor::DetectColumns(text, false);
  return 0;
}
