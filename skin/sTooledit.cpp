#include "skin/sTooledit.h"

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

constexpr int kButtonId = 1;

// Draws a small yellow folder centred in r.
void DrawFolder(HDC dc, const RECT& r, bool grey) {
  const int w = 16, h = 12;
  const int x = r.left + (r.right - r.left - w) / 2, y = r.top + (r.bottom - r.top - h) / 2;
  const COLORREF body = grey ? RGB(200, 200, 200) : RGB(255, 212, 64);
  const COLORREF dark = grey ? RGB(128, 128, 128) : RGB(176, 128, 16);
  const COLORREF front = grey ? RGB(224, 224, 224) : RGB(255, 232, 128);
  const base::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, dark));
  const base::GdiObject<HBRUSH> back(CreateSolidBrush(body)), face(CreateSolidBrush(front));
  const base::Selection selectedPen(dc, pen.get());
  {
    const base::Selection selectedBrush(dc, back.get());
    const POINT tab[] = {{x, y + 1}, {x + 5, y + 1}, {x + 7, y + 3}, {x + 14, y + 3}, {x + 14, y + h}, {x, y + h}};
    Polygon(dc, tab, 6);
  }
  const base::Selection selectedBrush(dc, face.get());
  const POINT flap[] = {{x + 2, y + 5}, {x + 16, y + 5}, {x + 14, y + h}, {x, y + h}};
  Polygon(dc, flap, 4);
}

}  // namespace

TsFilenameEdit::TsFilenameEdit(tk::TComponent* owner) : tk::TEdit(owner) {}

bool TsFilenameEdit::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  if (name == "Filter")
    Filter = tk::ValueToString(name, v);
  else if (name == "DialogTitle")
    DialogTitle = tk::ValueToString(name, v);
  else if (name == "GlyphMode.Grayed")
    GlyphGrayed = tk::ValueToBool(name, v);
  else if (name.rfind("BoundLabel.", 0) == 0 || name.rfind("GlyphMode.", 0) == 0 || name == "ButtonWidth") {
    // The bound label is not shown in this program; the glyph is ours.
  } else
    return tk::TEdit::SetProperty(name, v);
  return true;
}

void TsFilenameEdit::CreateWnd() {
  tk::TEdit::CreateWnd();
  // The button is a child of the edit itself, so it moves and hides with it;
  // it is no tab stop, as the edit is the one control the user tabs to.
  button_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0, handle_,
                            reinterpret_cast<HMENU>(kButtonId), GetModuleHandleW(nullptr), nullptr);
  PlaceButton();
}

void TsFilenameEdit::PlaceButton() {
  if (!button_) return;
  RECT r;
  GetClientRect(handle_, &r);
  const int bw = std::max(0, std::min<int>(r.bottom, r.right));
  MoveWindow(button_, r.right - bw, 0, bw, r.bottom, TRUE);
  // Text never runs under the button.
  SendMessageW(handle_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, bw + 2));
}

void TsFilenameEdit::DrawButton(const DRAWITEMSTRUCT& dis) const {
  RECT r = dis.rcItem;
  const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(dis.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT | (pressed ? DFCS_PUSHED : 0));
  if (pressed) OffsetRect(&r, 1, 1);
  const bool active = GetFocus() == handle_ || GetFocus() == button_;
  DrawFolder(dis.hDC, r, GlyphGrayed && !active);
}

void TsFilenameEdit::ButtonClick() {
  tk::TOpenDialog dialog;
  dialog.Filter = Filter;
  dialog.Title = DialogTitle;
  dialog.FileName = Text();
  HWND owner = GetAncestor(handle_, GA_ROOT);
  if (dialog.Execute(owner)) {
    SetText(dialog.FileName);
    SendMessageW(handle_, EM_SETSEL, 0, -1);
  }
  SetFocus();
}

LRESULT TsFilenameEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == button_ && button_) {
        if (HIWORD(wParam) == BN_CLICKED) ButtonClick();
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (dis->hwndItem == button_ && button_) {
        DrawButton(*dis);
        return TRUE;
      }
      break;
    }
    case WM_SIZE: {
      const LRESULT r = tk::TEdit::WndProc(msg, wParam, lParam);
      PlaceButton();
      return r;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (button_) InvalidateRect(button_, nullptr, FALSE);
      break;
    case WM_DESTROY:
      button_ = nullptr;
      break;
    default:
      break;
  }
  return tk::TEdit::WndProc(msg, wParam, lParam);
}

}  // namespace skin
