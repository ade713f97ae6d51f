// The skinner of a dialog's tool bar: its section as the background, every
// button with the "TOOLBUTTON" section in its state (hot, pressed or
// checked), the button's image from the tool bar's image lists, its text
// centred with an end ellipsis and a drop-down arrow where the button has
// one. Clicks, hot tracking and tips stay the tool bar's own.
#pragma once

#include "skin/orvDialogChildren.h"

namespace skin {

class TorvToolBarWnd : public TorvChildWnd {
public:
  TorvToolBarWnd(HWND window, TsCommonData* data, const std::string& section);
  ~TorvToolBarWnd() override;
  // The state a button is painted in: 2 pressed or checked, 1 hot, else 0.
  [[nodiscard]] int32_t ButtonState(int32_t index) const;

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24& bmp) override;

private:
  void PaintDivider();
  void PaintButton(TsBitmap24& bmp, int32_t index, const TCacheInfo& bg);
  TsCommonData button_;  // "TOOLBUTTON"
};

}  // namespace skin
