// The skinned one-line edit. The window stays the system's edit, so
// typing, caret, selection and clipboard are the system's. The skin paints
// the 2-pixel frame always, and the whole window from the cache while the
// edit is inactive; active (focused or hot), the system edit paints its
// client in the section's colours. The cache's text sits where the system
// edit puts its own, so nothing moves when the focus comes or goes.
#pragma once

#include "skin/sBoundLabel.h"
#include "skin/sCommonData.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsMaskEdit : public tk::TEdit {
public:
  explicit TsMaskEdit(tk::TComponent* owner);
  const char* ClassName() const override { return "TsMaskEdit"; }

  TsCommonData SkinData{this, true};
  TsBoundLabel BoundLabel{*this};

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Focused, hot, or (combo edits) its button hot or pressed.
  virtual bool EditActive() const;
  // Rebuilds the cache when dirty; the whole window, frame included.
  void PrepareCache();

protected:
  LRESULT CNCtlColor(HDC dc) override;
  // The width of the right frame strip copied from the cache.
  virtual int RightStrip() const { return kFrame; }
  // Where the system edit's text ends on the right, in client coordinates.
  int TextRight() const;
  static constexpr int kFrame = 2;  // the 3-D single border

private:
  bool CanPaintSkinned() const;
  void BuildCache();
  // The cached picture into the window's whole-window device context:
  // with the client, or only the frame around it.
  void CopyPicture(HDC windowDc, bool withClient);
  bool wholeDrawn_ = false;  // the frame's paint drew the client too
  LRESULT SkinCommand(WPARAM wParam, LPARAM lParam);
  // The section's text and face colours, or the control's own when custom.
  COLORREF TextColor() const;
  COLORREF BackColor() const;
  std::wstring ShownText() const;
};

}  // namespace skin
