#include "skin/orvToolBarWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "base/WinWindowDc.h"
#include "skin/sConst.h"
#include "skin/sGraphUtils.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"

namespace skin {

namespace {

// Room between a button's edges and its image, text or arrow.
constexpr int32_t kButtonPad = 3;
// The part of a drop-down button that opens its menu.
constexpr int32_t kDropDownWidth = 14;

TBBUTTON ButtonOf(HWND bar, int32_t index) {
  TBBUTTON b{};
  SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b));
  return b;
}

std::wstring ButtonText(HWND bar, int32_t command) {
  const auto length = SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

TorvToolBarWnd::TorvToolBarWnd(HWND window, TsCommonData* data, const std::string& section)
    : TorvChildWnd(window, data, section) {
  button_.SetSkinSection(s_ToolButton);
  button_.UpdateIndexes();
}

TorvToolBarWnd::~TorvToolBarWnd() { Detach(); }

int32_t TorvToolBarWnd::ButtonState(int32_t index) const {
  const TBBUTTON b = ButtonOf(window_, index);
  if (!(b.fsState & TBSTATE_ENABLED)) return 0;
  if (b.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) return 2;
  return SendMessageW(window_, TB_GETHOTITEM, 0, 0) == index ? 1 : 0;
}

void TorvToolBarWnd::PaintButton(TsBitmap24& bmp, int32_t index, const TCacheInfo& bg) {
  const TBBUTTON b = ButtonOf(window_, index);
  if ((b.fsState & TBSTATE_HIDDEN) || (b.fsStyle & BTNS_SEP)) return;
  RECT r{};
  if (!SendMessageW(window_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r))) return;
  const int32_t state = ButtonState(index);
  const bool enabled = (b.fsState & TBSTATE_ENABLED) != 0;
  if (button_.Manager() && button_.Skin().ValidSection(button_.SectionIndex))
    PaintItem(button_, bg, true, state, true, bmp, {r.left, r.top}, {r.left, r.top, r.right, r.bottom});
  const bool dropDown = (b.fsStyle & BTNS_DROPDOWN) || (b.fsStyle & BTNS_WHOLEDROPDOWN);
  RECT face = r;
  if (dropDown) face.right -= kDropDownWidth;
  if (state == 2) OffsetRect(&face, 1, 1);
  // The image: the hot list for a hot button, the disabled list for a
  // disabled one, else the ordinary list.
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(window_, TB_GETIMAGELIST, 0, 0));
  if (const auto hot = reinterpret_cast<HIMAGELIST>(SendMessageW(window_, TB_GETHOTIMAGELIST, 0, 0)); hot && state == 1)
    images = hot;
  const auto disabled = reinterpret_cast<HIMAGELIST>(SendMessageW(window_, TB_GETDISABLEDIMAGELIST, 0, 0));
  if (disabled && !enabled) images = disabled;
  const std::wstring text = ButtonText(window_, b.idCommand);
  const bool list = (GetWindowLongW(window_, GWL_STYLE) & TBSTYLE_LIST) != 0;
  int cx = 0, cy = 0;
  const bool hasImage = images && b.iBitmap >= 0 && ImageList_GetIconSize(images, &cx, &cy);
  RECT textRect = face;
  if (hasImage) {
    TsDibCanvas canvas(bmp);
    int x = (face.left + face.right - cx) / 2, y = (face.top + face.bottom - cy) / 2;
    if (!text.empty() && list) {
      x = face.left + kButtonPad;
      textRect.left = x + cx + kButtonPad;
    } else if (!text.empty()) {
      y = face.top + kButtonPad;
      textRect.top = y + cy;
    }
    const UINT style = enabled || disabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50;
    if (canvas.DC()) ImageList_Draw(images, b.iBitmap, canvas.DC(), x, y, style);
  }
  if (!text.empty()) {
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (list && hasImage ? DT_LEFT : DT_CENTER);
    WriteSkinText(bmp, Font(), text, enabled, button_.Skin(), button_.SectionIndex, state != 0, flags, textRect);
  }
  const TsSkinManager* m = button_.Manager();
  const int32_t arrow = m && dropDown ? m->ConstData().ScrollBtnBottom.GlyphMask : -1;
  if (button_.Manager() && button_.Skin().ValidMask(arrow)) {
    const TsSkinTables& t = button_.Skin();
    const TsMaskData& image = t.ma[static_cast<size_t>(arrow)];
    const TPoint size = StateSize(image);
    PaintSkinGlyph(bmp, {r.right - kDropDownWidth + (kDropDownWidth - size.X) / 2, (r.top + r.bottom - size.Y) / 2},
                   state, image, image.Picture ? *image.Picture : t.MasterBitmap);
  }
}

void TorvToolBarWnd::PaintDivider() {
  // The divider above the buttons shows the dialog's background.
  RECT w, c;
  GetWindowRect(window_, &w);
  GetClientRect(window_, &c);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&c), 2);
  if (EqualRect(&w, &c)) return;
  OffsetRect(&c, -w.left, -w.top);
  TsBitmap24 frame(w.right - w.left, w.bottom - w.top);
  const TCacheInfo bg = ParentBackground().Shifted(-c.left, -c.top);
  for (int32_t y = 0; y < frame.Height(); ++y)
    for (int32_t x = 0; x < frame.Width(); ++x)
      if (bg.Covers(x, y)) frame.SetPixel(x, y, bg.Bmp->Pixel(bg.X + x, bg.Y + y));
  const base::WindowDc dc(window_, base::WindowDc::WholeWindow{});
  ExcludeClipRect(dc.get(), c.left, c.top, c.right, c.bottom);
  CopyCacheToDC(frame, dc.get(), 0, 0);
}

void TorvToolBarWnd::PaintContent(TsBitmap24& bmp) {
  // The buttons stand on the bar's own picture.
  const TsBitmap24 under = bmp;
  const TCacheInfo bg{&under, 0, 0, true};
  const auto count = static_cast<int32_t>(SendMessageW(window_, TB_BUTTONCOUNT, 0, 0));
  for (int32_t i = 0; i < count; ++i) PaintButton(bmp, i, bg);
}

LRESULT TorvToolBarWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCPAINT:
      PaintDivider();
      return 0;
    case SM_SKINCMD: {
      const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
      if (cmd == SKC_SETNEWSKIN || cmd == SKC_REFRESH) button_.UpdateIndexes();
      return TorvChildWnd::Handle(msg, wParam, lParam);
    }
    default:
      return TorvChildWnd::Handle(msg, wParam, lParam);
  }
}

}  // namespace skin
