#include "report/storage/quorPrintReport.h"

#include <commdlg.h>

#include "base/Address.h"
#include "base/WinGdiObject.h"
#include "base/WinMemory.h"
#include "base/WinSelection.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/storage/quorPrintLayout.h"

namespace quor {

namespace {

// Word wrap within the printable width, the font's external leading between
// lines; "&" is text, not a mnemonic prefix.
constexpr UINT kLineFormat = DT_WORDBREAK | DT_EXTERNALLEADING | DT_NOPREFIX;

TDeviceMetrics MetricsOf(HDC dc) {
  TDeviceMetrics m;
  m.DpiX = GetDeviceCaps(dc, LOGPIXELSX);
  m.DpiY = GetDeviceCaps(dc, LOGPIXELSY);
  m.HorzRes = GetDeviceCaps(dc, HORZRES);
  m.VertRes = GetDeviceCaps(dc, VERTRES);
  m.PhysicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
  m.PhysicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
  m.OffsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  m.OffsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  return m;
}

// The report font, selected into the device context while the object lives.
class TReportFont {
public:
  explicit TReportFont(HDC dc)
      : dc_(dc),
        font_(CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          FIXED_PITCH | FF_MODERN, "Courier New")),
        selected_(dc, font_.get()) {}
  // Some printer drivers reset the device context at every new page.
  void Select() const { SelectObject(dc_, font_.get()); }

private:
  HDC dc_;
  base::GdiObject<HFONT> font_;
  base::Selection selected_;
};

class TPrinterPages final : public TPageTarget {
public:
  explicit TPrinterPages(HDC dc) : dc_(dc) {}
  bool StartPage() override { return ::StartPage(dc_) > 0; }
  bool EndPage() override { return ::EndPage(dc_) > 0; }

private:
  HDC dc_;
};

// The printer the user chose, with the dialog's memory freed on every path.
class TPrintChoice {
public:
  explicit TPrintChoice(HWND parent) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = parent;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NONETWORKBUTTON | PD_NOWARNING |
               PD_USEDEVMODECOPIESANDCOLLATE;
    chosen_ = PrintDlgA(&pd) && pd.hDC;
    dc_.reset(pd.hDC);
    devMode_.reset(pd.hDevMode);
    devNames_.reset(pd.hDevNames);
  }
  [[nodiscard]] HDC Dc() const { return chosen_ ? dc_.get() : nullptr; }

private:
  base::MemoryDc dc_;  // the printer's DC: DeleteDC, as for a memory DC
  base::GlobalMemory devMode_, devNames_;
  bool chosen_ = false;
};

bool PrintOn(HDC dc, const std::string& report, const std::string& documentName) {
  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = documentName.c_str();
  if (StartDocA(dc, &doc) <= 0) return false;
  TPrinterPages pages(dc);
  if (DrawReportPages(dc, report, pages) == 0) {
    AbortDoc(dc);
    return false;
  }
  return EndDoc(dc) > 0;
}

}  // namespace

int DrawReportPages(HDC dc, const std::string& report, TPageTarget& pages) {
  SetMapMode(dc, MM_TEXT);
  const TPrintArea area = PrintArea(MetricsOf(dc));
  const TReportFont font(dc);
  const std::vector<std::string> lines = PrintLines(report);
  std::vector<int32_t> heights;
  heights.reserve(lines.size());
  for (const std::string& line : lines) {
    RECT r{area.Left, 0, area.Right, 0};
    DrawTextA(dc, line.c_str(), int(line.size()), &r, kLineFormat | DT_CALCRECT);
    heights.push_back(r.bottom - r.top);
  }
  const std::vector<TLinePlacement> placed = LayoutLines(heights, area.Top, area.Bottom);
  int done = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool first = i == 0 || placed[i].Page != placed[i - 1].Page;
    if (first) {
      if (i > 0) {
        if (!pages.EndPage()) return done;
        ++done;
      }
      if (!pages.StartPage()) return done;
      SetMapMode(dc, MM_TEXT);
      font.Select();
    }
    RECT r{area.Left, placed[i].Y, area.Right, placed[i].Y + heights[i]};
    DrawTextA(dc, lines[i].c_str(), int(lines[i].size()), &r, kLineFormat);
  }
  if (!lines.empty() && pages.EndPage()) ++done;
  return done;
}

bool PrintReport(const std::string& report, HWND parent, IQuorSettings* settings) {
  // A blocked process cannot show the dialog (its window procedures may wait
  // for the lock): a plain beep answers instead.
  if (ProcessBlocked(250)) {
    MessageBeep(0xFFFFFFFF);
    return false;
  }
  QuorPtr<IQuorModuleSettings> own;
  if (!settings) {
    own = SettingsForModule(base::AddressOf(GetModuleHandleA(nullptr)));
    settings = own.get();
  }
  const std::string documentName = settings->TextValue("PrintBtnTxt");
  const TPrintChoice choice(parent);
  return choice.Dc() && PrintOn(choice.Dc(), report, documentName);
}

}  // namespace quor
