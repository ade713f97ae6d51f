// The skinned panel: a container drawn from its skin section ("PANEL") into
// its cache bitmap, with its caption and its graphic children over it. It
// answers SKC_GETBG with that cache, so children show its picture through.
// Unskinned it is the plain panel.
#pragma once

#include <functional>

#include "skin/sCommonData.h"
#include "toolkit/ExtCtrls.h"

namespace skin {

class TsPanel : public tk::TPanel {
public:
  explicit TsPanel(tk::TComponent* owner);
  const char* ClassName() const override { return "TsPanel"; }

  TsCommonData SkinData{this, true};
  // Called after the skinned picture is built, with the cache's device context.
  std::function<void(tk::TComponent* sender, HDC canvas)> OnPaint;
  tk::TNotifyEvent OnMouseEnter, OnMouseLeave;

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  bool PaintWindow(HDC dc) override;

private:
  void RebuildCache();
  bool mouseInside_ = false;
};

}  // namespace skin
