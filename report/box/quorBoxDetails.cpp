#include "report/box/quorBoxDetails.h"

#include <commctrl.h>

#include <algorithm>

#include "base/WinAnsi.h"
#include "report/box/quorDetailsFormat.h"
#include "report/box/quorIdeJump.h"
#include "report/box/quorDetailsView.h"
#include "report/box/quorIdeJumpWin.h"

namespace quor {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kSmallImageSize = 16;
constexpr int kBoldWeight = 700;
// The view within the tab control's display area: one pixel further left,
// two lower, then three pixels of margin all round.
constexpr int kViewShiftLeft = 1;
constexpr int kViewShiftDown = 2;
constexpr int kViewMargin = 3;

HFONT BoldVariant(HFONT font) {
  LOGFONTW description{};
  if (!GetObjectW(font, sizeof description, &description)) return nullptr;
  description.lfWeight = kBoldWeight;
  return CreateFontIndirectW(&description);
}

void InsertTab(HWND tab, size_t index, const std::string& name) {
  std::wstring text = base::AnsiToWide(name);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageW(tab, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

HWND CreateTabControl(HWND box, const RECT& rect, HFONT font) {
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(box, GWLP_HINSTANCE));
  HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, box, nullptr,
                             instance, nullptr);
  if (tab) SendMessageW(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return tab;
}

void Resize(HWND window, int dx, int dy) {
  RECT r;
  GetWindowRect(window, &r);
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TBoxDetails::TBoxDetails(HWND box, const RECT& rect, HFONT normalFont, HFONT fixedFont)
    : box_(box),
      normalFont_(normalFont),
      fixedFont_(fixedFont),
      tab_(CreateTabControl(box, rect, normalFont)),
      subclass_(tab_.get(), TabProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) {
  if (!subclass_) {
    tab_.reset();
    return;
  }
  images_.reset(ImageList_Create(kSmallImageSize, kSmallImageSize, ILC_COLOR32 | ILC_MASK, 0, 1));
  Update({}, {});
}

TBoxDetails::~TBoxDetails() = default;

HWND TBoxDetails::TabControl() const { return tab_.get(); }

bool TBoxDetails::OwnsWindow(HWND window) const {
  return tab_ && window && (window == tab_.get() || IsChild(tab_.get(), window));
}

void TBoxDetails::Update(const std::vector<TBoxReportPart>& header, const std::vector<TBoxReportPart>& sections) {
  if (!tab_) return;
  header_ = header;
  sections_ = sections;
  SyncTabs(DetailsTabs(sections_));
  ShowCurrentTab();
}

// Tabs no longer wanted go, missing ones come in at their place; the others
// stay, so the user's tab stays selected.
void TBoxDetails::SyncTabs(const std::vector<TDetailsTab>& wanted) {
  HWND tab = tab_.get();
  bool changed = false;
  for (size_t i = 0; i < wanted.size(); ++i) {
    if (i < tabs_.size() && tabs_[i].Name == wanted[i].Name) continue;
    const auto later = std::find_if(tabs_.begin() + static_cast<std::ptrdiff_t>(std::min(i, tabs_.size())),
                                    tabs_.end(), [&](const TDetailsTab& t) { return t.Name == wanted[i].Name; });
    if (later != tabs_.end()) {
      for (auto n = later - tabs_.begin() - static_cast<std::ptrdiff_t>(i); n > 0; --n)
        SendMessageW(tab, TCM_DELETEITEM, i, 0);
      tabs_.erase(tabs_.begin() + static_cast<std::ptrdiff_t>(i), later);
    } else {
      InsertTab(tab, i, wanted[i].Name);
      tabs_.insert(tabs_.begin() + static_cast<std::ptrdiff_t>(i), wanted[i]);
    }
    changed = true;
  }
  for (; tabs_.size() > wanted.size(); changed = true) {
    SendMessageW(tab, TCM_DELETEITEM, tabs_.size() - 1, 0);
    tabs_.pop_back();
  }
  tabs_ = wanted;
  if (changed) InvalidateRect(tab, nullptr, TRUE);
}

void TBoxDetails::ShowCurrentTab() {
  HWND tab = tab_.get();
  auto current = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
  if (current < 0 || static_cast<size_t>(current) >= tabs_.size()) {
    current = 0;
    SendMessageW(tab, TCM_SETCURSEL, 0, 0);
  }
  const TDetailsTab& shown = tabs_[static_cast<size_t>(current)];
  std::string text = DetailsTabText(shown, header_, sections_);
  if (view_ && shown == shownTab_ && text == shownText_) return;
  BuildView(shown, std::move(text));
}

void TBoxDetails::BuildView(const TDetailsTab& tab, std::string text) {
  view_.reset();
  shownTab_ = tab;
  shownText_ = std::move(text);
  const std::string_view sectionName =
      tab.Kind == TDetailsTabKind::Section && tab.First < sections_.size() ? sections_[tab.First].Name : "";
  model_ = FormatDetails(tab.Kind, sectionName, shownText_);
  const RECT rect = ViewRect();
  if (model_.IsList()) {
    HFONT font = model_.FixedFont ? fixedFont_ : normalFont_;
    bold_.reset(BoldVariant(font));
    view_.reset(CreateDetailsList(tab_.get(), rect, model_, font, images_.get()));
  } else {
    view_.reset(CreateDetailsEdit(tab_.get(), rect, shownText_, normalFont_));
  }
}

RECT TBoxDetails::ViewRect() const {
  RECT r;
  GetClientRect(tab_.get(), &r);
  SendMessageW(tab_.get(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  r.left -= kViewShiftLeft;
  r.top += kViewShiftDown;
  InflateRect(&r, -kViewMargin, -kViewMargin);
  return r;
}

void TBoxDetails::Grow(int dx, int dy) {
  if (!tab_) return;
  Resize(tab_.get(), dx, dy);
  if (view_) Resize(view_.get(), dx, dy);
}

bool TBoxDetails::Notify(const NMHDR& header) {
  if (!tab_ || header.hwndFrom != tab_.get() || header.code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  ShowCurrentTab();
  return true;
}

void TBoxDetails::JumpToSelectedRow() const {
  if (shownTab_.Kind != TDetailsTabKind::CallStack || !model_.IsList()) return;
  const auto row = SendMessageW(view_.get(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  if (row < 0) return;
  const std::string text = IdeJumpText(model_, static_cast<size_t>(row));
  if (!text.empty()) SendIdeJump(box_, text);
}

LRESULT CALLBACK TBoxDetails::TabProcedure(HWND tab, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  auto& d = *reinterpret_cast<TBoxDetails*>(self);
  switch (message) {
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!d.view_ || item.hwndItem != d.view_.get()) break;
      PaintDetailsRow(item, d.model_, d.bold_.get(), d.rowBuffer_);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:  // Windows: a read-only edit asks for the static colours
    case WM_CTLCOLOREDIT:
      if (!d.view_ || reinterpret_cast<HWND>(lParam) != d.view_.get()) break;
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (!d.view_ || header.hwndFrom != d.view_.get()) break;
      if (AnswerItemText(header, d.model_)) return 0;
      if (header.code == static_cast<UINT>(NM_DBLCLK)) {
        d.JumpToSelectedRow();
        return 0;
      }
      break;
    }
    case WM_NCDESTROY:
      // The box destroyed its children first: nothing of ours is left to destroy.
      d.subclass_.Remove();
      (void)d.view_.release();
      (void)d.tab_.release();
      break;
  }
  return DefSubclassProc(tab, message, wParam, lParam);
}

}  // namespace quor
