// The skinner of a dialog's combo box: the "COMBOBOX" section as its frame,
// the drop-down button from "COMBOBTN" with the combo's arrow glyph, and
// the system's own painting of the selection inside the frame. Its
// drop-down list gets the section's frame and skinned scroll bars.
#pragma once

#include <memory>

#include "skin/orvDialogChildren.h"

namespace skin {

class TorvComboBoxWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvComboBoxWnd() override;
  // The drop-down button in client coordinates (empty for a simple combo).
  [[nodiscard]] RECT ButtonRect() const;
  // The drop-down list's skinner, once the list has asked for its colours.
  [[nodiscard]] TorvEditWnd* ListSkinner() const { return list_.get(); }

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24& bmp) override;
  int32_t State() const override;

private:
  void AttachList(HWND list);
  std::unique_ptr<TorvEditWnd> list_;
};

}  // namespace skin
