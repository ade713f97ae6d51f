// The skinned memo. The window stays the system's multi-line edit, which
// paints its text in the section's colours; a window skinner paints the
// frame and the scroll bars from the skin.
#pragma once

#include <memory>

#include "skin/orvSBUtils.h"
#include "skin/sCommonData.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsMemo : public tk::TMemo {
public:
  explicit TsMemo(tk::TComponent* owner);
  ~TsMemo() override;
  const char* ClassName() const override { return "TsMemo"; }

  TsCommonData SkinData{this, true};
  tk::TNotifyEvent OnScrollCaret, OnVScroll;

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The frame and scroll-bar skinner while the memo has a window.
  [[nodiscard]] TorvEditWnd* Skinner() const { return skinner_.get(); }

protected:
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void AttachSkinner();
  std::unique_ptr<TorvEditWnd> skinner_;
};

}  // namespace skin
