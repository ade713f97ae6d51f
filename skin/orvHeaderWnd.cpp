#include "skin/orvHeaderWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/sConst.h"
#include "skin/sGraphUtils.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"

namespace skin {

namespace {

// Room between a column's edges and its text or sort arrow.
constexpr int32_t kColumnMargin = 6;
constexpr size_t kColumnTextLength = 260;

}  // namespace

TorvHeaderWnd::~TorvHeaderWnd() { Detach(); }

int32_t TorvHeaderWnd::ColumnAt(LPARAM point, bool* onBody) const {
  HDHITTESTINFO hit{};
  hit.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const auto index = static_cast<int32_t>(SendMessageW(window_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (onBody) *onBody = (hit.flags & HHT_ONHEADER) != 0;
  return (hit.flags & (HHT_ONHEADER | HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? index : -1;
}

void TorvHeaderWnd::ChooseSection() {
  // A skin without a column-header section shows the columns as buttons,
  // rather than leave the system's grey header in a skinned dialog.
  const TsSkinManager* m = data_->Manager();
  const bool own = m && m->GetSkinIndex(s_ColHeader) >= 0;
  const std::string section = own ? s_ColHeader : s_Button;
  if (data_->SkinSection() != section) data_->SetSkinSection(section);
  data_->UpdateIndexes();
}

void TorvHeaderWnd::SetHot(int32_t column) {
  if (column == hot_) return;
  hot_ = column;
  InvalidateRect(window_, nullptr, FALSE);
}

void TorvHeaderWnd::PaintColumn(TsBitmap24& bmp, int32_t index, const TCacheInfo& bg) {
  RECT r{};
  if (!SendMessageW(window_, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r))) return;
  wchar_t text[kColumnTextLength] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT;
  item.pszText = text;
  item.cchTextMax = static_cast<int>(kColumnTextLength);
  SendMessageW(window_, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const bool enabled = IsWindowEnabled(window_) != FALSE;
  const int32_t state = !enabled ? 0 : index == pressed_ ? 2 : index == hot_ ? 1 : 0;
  PaintItem(*data_, bg, true, state, true, bmp, {r.left, r.top}, {r.left, r.top, r.right, r.bottom});
  RECT textRect{r.left + kColumnMargin, r.top, r.right - kColumnMargin, r.bottom};
  if (state == 2) OffsetRect(&textRect, 1, 1);
  const TsSkinManager* m = data_->Manager();
  const int32_t arrow = !m                            ? -1
                        : (item.fmt & HDF_SORTUP)     ? m->ConstData().ScrollBtnTop.GlyphMask
                        : (item.fmt & HDF_SORTDOWN)   ? m->ConstData().ScrollBtnBottom.GlyphMask
                                                      : -1;
  const TsSkinTables& t = data_->Skin();
  if (t.ValidMask(arrow)) {
    const TsMaskData& image = t.ma[static_cast<size_t>(arrow)];
    const TPoint size = StateSize(image);
    const int32_t x = textRect.right - size.X;
    if (x > textRect.left) {
      PaintSkinGlyph(bmp, {x, (textRect.top + textRect.bottom - size.Y) / 2}, state, image,
                     image.Picture ? *image.Picture : t.MasterBitmap);
      textRect.right = x - kColumnMargin;
    }
  }
  if (!text[0] || textRect.right <= textRect.left) return;
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) flags |= DT_CENTER;
  if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) flags |= DT_RIGHT;
  WriteSkinText(bmp, Font(), text, enabled, t, data_->SectionIndex, state != 0, flags, textRect);
}

void TorvHeaderWnd::PaintContent(TsBitmap24& bmp) {
  const TCacheInfo bg = ParentBackground();
  const auto count = static_cast<int32_t>(SendMessageW(window_, HDM_GETITEMCOUNT, 0, 0));
  for (int32_t i = 0; i < count; ++i) PaintColumn(bmp, i, bg);
}

LRESULT TorvHeaderWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
      TrackMouseEvent(&track);
      bool onBody = false;
      const int32_t column = ColumnAt(lParam, &onBody);
      SetHot(onBody ? column : -1);
      return TorvChildWnd::Handle(msg, wParam, lParam);
    }
    case WM_MOUSELEAVE:
      SetHot(-1);
      return Default(msg, wParam, lParam);
    case WM_LBUTTONDOWN: {
      bool onBody = false;
      const int32_t column = ColumnAt(lParam, &onBody);
      pressed_ = onBody ? column : -1;
      InvalidateRect(window_, nullptr, FALSE);
      return Default(msg, wParam, lParam);
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
      // The click notification goes out while the message runs; the
      // column shows pressed until then.
      const LRESULT r = Default(msg, wParam, lParam);
      pressed_ = -1;
      if (IsWindow(window_)) InvalidateRect(window_, nullptr, FALSE);
      return r;
    }
    case SM_SKINCMD: {
      const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
      if (cmd == SKC_SETNEWSKIN || cmd == SKC_REFRESH) ChooseSection();
      return TorvChildWnd::Handle(msg, wParam, lParam);
    }
    default:
      return TorvChildWnd::Handle(msg, wParam, lParam);
  }
}

// ---------------------------------------------------------------- list view

TorvListViewWnd::~TorvListViewWnd() { Detach(); }

void TorvListViewWnd::SkinHeader() {
  if (header_ && !header_->Destroyed()) return;
  const auto header = reinterpret_cast<HWND>(SendMessageW(window_, LVM_GETHEADER, 0, 0));
  if (!header || TorvMainWnd::Of(header)) return;
  header_ = AttachSkinner<TorvHeaderWnd>(header, nullptr, s_ColHeader, false);
  header_->ChooseSection();
  InvalidateRect(header, nullptr, FALSE);
}

LRESULT TorvListViewWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A list view makes its header when it first shows columns.
  const LRESULT r = TorvEditWnd::Handle(msg, wParam, lParam);
  if (msg == SM_SKINCMD && header_ && !header_->Destroyed())
    SendMessageW(header_->WindowHandle(), msg, wParam, lParam);
  if (msg == WM_PAINT || msg == WM_NCPAINT || msg == LVM_INSERTCOLUMNW || msg == LVM_INSERTCOLUMNA ||
      msg == LVM_SETVIEW || msg == WM_STYLECHANGED)
    SkinHeader();
  return r;
}

}  // namespace skin
