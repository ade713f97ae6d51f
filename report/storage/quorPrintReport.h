// Printing a bug report: the print dialog, then the report in a fixed-pitch
// font, line after line, as many pages as it takes.
#pragma once

#include <windows.h>

#include <string>

#include "report/settings/quorSettings.h"

namespace quor {

// Asks for the printer in the print dialog owned by `parent` and prints
// `report` as a document named PrintBtnTxt of `settings` (null: those of the
// executable). A blocked process only beeps. False when nothing was printed.
[[nodiscard]] bool PrintReport(const std::string& report, HWND parent, IQuorSettings* settings);

// Where the pages go: a printer's StartPage/EndPage, or whatever a caller
// wants to do with each page drawn into its device context.
class TPageTarget {
public:
  virtual ~TPageTarget() = default;
  [[nodiscard]] virtual bool StartPage() = 0;
  [[nodiscard]] virtual bool EndPage() = 0;
};

// Draws `report` on `dc` within the margins, "Courier New" of 8 points, one
// page after the other. Returns the number of pages drawn completely.
[[nodiscard]] int DrawReportPages(HDC dc, const std::string& report, TPageTarget& pages);

}  // namespace quor
